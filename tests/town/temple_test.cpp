// The temple: who lies there and at what price, the cures, the odds of
// raising the dead and the ashen, and the way through its lists.

#include <climits>

#include <gtest/gtest.h>

#include "castle_fixture.h"
#include "town/temple_care.h"
#include "town/town_panels.h"

using namespace qvr;
using namespace qvr::test;

namespace {

// Closes every message at once, so that thousands of raises can be tried.
class TemplePrompter : public CastlePrompter {
public:
    std::vector<std::string> texts;
    void run(Game& game, MessageBox& box) override
    {
        texts.push_back(box.title + "|" + box.text);
        box.pressKey(game, Key::Enter);
    }
    using CastlePrompter::run;
};

struct TempleFixture : GameFixture<TemplePrompter> {
    // The payer, in the party with plenty of gold.
    Character& payer()
    {
        Character& m = member(1, "ＰＡＹ", 1);
        m.gold = 1'000'000;
        return m;
    }
    Character& patient(int r, int32_t conditions, int16_t vitality = 10)
    {
        Character& c = character(r, "ＤＡＮＡ");
        c.conditions = conditions;
        c.vitality = vitality;
        c.hp = 0;
        c.maxHp = 30;
        return c;
    }
};

constexpr int32_t kMax = INT32_MAX;

} // namespace

TEST(TemplePrice, FirstConditionInTheTemplesOrderSetsTheRate)
{
    struct Case {
        int32_t conditions;
        int32_t level;
        int32_t price;
    };
    using namespace Cond;
    for (Case c :
         {Case{Paralysed, 3, 300}, Case{Stoned, 3, 1500}, Case{Dead, 3, 750}, Case{Ashes, 3, 3000},
          Case{Sick, 3, 1500}, Case{Fly, 3, 3000}, Case{Carrot, 3, 2100},
          Case{Paralysed | Dead, 3, 300}, Case{Stoned | Dead | Paralysed, 2, 200},
          Case{Dead | Ashes, 2, 500}, Case{Ashes | Stoned, 2, 1000},
          Case{Carrot | Fly | Sick, 2, 1000}, Case{Carrot | Fly, 2, 2000}, Case{Vanished, 9, 0},
          Case{Vanished | Carrot, 1, 700}, Case{Poisoned | Asleep, 5, 0},
          Case{Ashes, 3'000'000, kMax}, Case{Dead, 0, 0}}) {
        SCOPED_TRACE(c.conditions);
        Character ch;
        ch.conditions = c.conditions;
        ch.level = c.level;
        EXPECT_EQ(TreatmentPrice(ch), c.price);
    }
}

TEST(TemplePrice, PatientsAreTheTownsSeriouslyIll)
{
    struct Case {
        int32_t rosterNo;
        int16_t floor;
        int32_t conditions;
        bool patient;
    };
    using namespace Cond;
    for (Case c : {Case{5, 0, Dead, true}, Case{5, -1, Paralysed, true}, Case{5, 0, Vanished, true},
                   Case{5, 0, Fly | Poisoned, true}, Case{5, 3, Dead, false},
                   Case{0, 0, Dead, false}, Case{5, 0, Poisoned | Asleep | Silenced, false},
                   Case{5, 0, CurseBound, false}, Case{5, -1, 0, false}}) {
        SCOPED_TRACE(testing::Message() << c.floor << " " << c.conditions);
        Character ch;
        ch.rosterNo = c.rosterNo;
        ch.floor = c.floor;
        ch.conditions = c.conditions;
        EXPECT_EQ(IsPatient(ch), c.patient);
    }
}

TEST(TemplePrice, RowColumnsAreMeasuredBeforeTheyGoFullWidth)
{
    Character ch;
    ch.name = "ＤＡＮＡ";
    ch.alignment = Align::Neutral;
    ch.classCode = Class::Fighter;
    ch.level = 1;
    ch.conditions = Cond::Dead;
    EXPECT_EQ(PatientRow(ch), "ＤＡＮＡ　　　Ｎ－Ｆｉｇ　死　　　　　　　　２５０");
    ch.name = "ab";
    ch.level = 1234567;
    ch.conditions = Cond::Ashes;
    EXPECT_EQ(PatientRow(ch), "ａｂ　　　　　　　　　Ｎ－Ｆｉｇ　灰燼　１２３４５６７０００");
}

TEST(TempleCure, OnlyTheFirstConditionOfTheLivingIsLifted)
{
    struct Case {
        int32_t before;
        int32_t after;
        Treatment outcome;
    };
    using namespace Cond;
    for (Case c :
         {Case{Stoned | Paralysed, Paralysed, Treatment::Cured},
          Case{Paralysed | Sick | Poisoned, Sick | Poisoned, Treatment::Cured},
          Case{Sick | Carrot, Carrot, Treatment::Cured}, Case{Carrot | Fly, Fly, Treatment::Cured},
          Case{Fly, 0, Treatment::Cured}, Case{Vanished, Vanished, Treatment::NoEffect},
          Case{Vanished | Stoned, Vanished, Treatment::Cured}}) {
        SCOPED_TRACE(c.before);
        TempleFixture f;
        f.payer();
        f.patient(2, c.before);
        EXPECT_EQ(Treat(f.game, 1, 2, 40), c.outcome);
        EXPECT_EQ(f.game.character(2).conditions, c.after);
        EXPECT_EQ(f.game.character(1).gold, 1'000'000 - 40); // paid either way
        EXPECT_EQ(f.game.character(2).hp, 0);
        EXPECT_EQ(f.prompter->texts, c.outcome == Treatment::Cured
                                         ? std::vector<std::string>{"アンティノラ寺院|回復した"}
                                         : std::vector<std::string>{});
    }
}

TEST(TempleCure, APurseShortOfThePriceChangesNothing)
{
    TempleFixture f;
    f.payer().gold = 749;
    f.patient(2, Cond::Dead);
    SaveData before = f.game.save();
    EXPECT_EQ(Treat(f.game, 1, 2, 750), Treatment::TooPoor);
    EXPECT_TRUE(f.game.save() == before);
    EXPECT_EQ(f.prompter->texts, std::vector<std::string>{"アンティノラ寺院|貧乏人め！！"});
}

TEST(TempleRaise, VitalityOneNeverComesBack)
{
    TempleFixture f;
    f.payer();
    for (int attempt = 0; attempt < 50; ++attempt) {
        f.patient(2, Cond::Dead | Cond::Poisoned, 1);
        ASSERT_EQ(Treat(f.game, 1, 2, 0), Treatment::ToAshes);
        EXPECT_EQ(f.game.character(2).conditions, Cond::Ashes);
        ASSERT_EQ(Treat(f.game, 1, 2, 0), Treatment::Erased);
        EXPECT_TRUE(f.game.character(2) == f.game.character(0));
    }
    EXPECT_EQ(f.prompter->texts[0], "アンティノラ寺院|ＤＡＮＡは\n灰燼と化した！！");
    EXPECT_EQ(f.prompter->texts[1], "アンティノラ寺院|ＤＡＮＡは\n消滅した！！");
}

// A raise fails when a die of the vitality shows 1: one time in ten at
// vitality 10, one in two at vitality 2, never a certainty above 1.
TEST(TempleRaise, FailsOnceInVitalityTries)
{
    struct Case {
        int32_t conditions;
        int16_t vitality;
        Treatment failure;
    };
    constexpr int kTries = 20000;
    for (Case c :
         {Case{Cond::Dead, 10, Treatment::ToAshes}, Case{Cond::Ashes, 10, Treatment::Erased},
          Case{Cond::Dead, 2, Treatment::ToAshes}, Case{Cond::Ashes, 4, Treatment::Erased}}) {
        SCOPED_TRACE(testing::Message() << c.conditions << " vit " << c.vitality);
        TempleFixture f;
        f.payer();
        int failures = 0;
        for (int i = 0; i < kTries; ++i) {
            f.patient(2, c.conditions, c.vitality);
            Treatment t = Treat(f.game, 1, 2, 0);
            ASSERT_TRUE(t == Treatment::Raised || t == c.failure);
            failures += t == c.failure;
        }
        const double expected = kTries / static_cast<double>(c.vitality);
        EXPECT_NEAR(failures, expected, expected * 0.08);
    }
}

TEST(TempleRaise, RevivalResetsTheBodyAndCostsAVitalityPoint)
{
    struct Case {
        int32_t conditions;
        int16_t vitality;
        int16_t vitalityAfter;
    };
    using namespace Cond;
    for (Case c : {Case{Dead | Poisoned | CurseBound | Silenced, 9, 8}, Case{Ashes | Blind, 2, 1},
                   Case{Dead | Paralysed, 30, 29}}) {
        SCOPED_TRACE(c.conditions);
        TempleFixture f;
        f.payer();
        Treatment t = Treatment::ToAshes;
        // Retry on fresh bodies until the dice allow a raise.
        while (t != Treatment::Raised) {
            Character& p = f.patient(2, c.conditions, c.vitality);
            p.rip = 4;
            t = Treat(f.game, 1, 2, 0);
        }
        const Character& p = f.game.character(2);
        EXPECT_EQ(p.conditions, c.conditions & CurseBound);
        EXPECT_EQ(p.hp, 30);
        EXPECT_EQ(p.rip, 5);
        EXPECT_EQ(p.vitality, c.vitalityAfter);
        EXPECT_EQ(f.prompter->texts.back(), "アンティノラ寺院|回復した");
    }
}

TEST(TempleVisit, NobodyThereOrNoPartyKeepsTheCastleMenu)
{
    TempleFixture f;
    f.press('A');
    f.member(1, "ＰＡＹ", 1);
    f.character(3, "ＥＬＳＥ").floor = 2; // lies dead in the maze
    f.game.character(3).conditions = Cond::Dead;
    RefreshPartyPanel(f.game);
    f.press('A');
    EXPECT_EQ(f.prompter->texts, (std::vector<std::string>{"|パーティーを組んでいません",
                                                           "|寺院の中にはだれもいません"}));
    EXPECT_EQ(f.owner(), "fraCaldrimar");
    EXPECT_TRUE(f.recorder.events.empty());
}

TEST(TempleVisit, ChoosingAPatientAPayerAndLeaving)
{
    TempleFixture f;
    f.payer();
    f.member(4, "ＰＯＯＲ", 2).gold = 10;
    f.patient(2, Cond::Dead, 30).level = 2;
    f.patient(3, Cond::Stoned).floor = -1; // a party member may lie here too
    f.game.character(3).groupNo = f.game.state.groupNo;
    RefreshPartyPanel(f.game);

    f.press('A');
    EXPECT_EQ(f.game.place, InTown(Facility::Temple));
    EXPECT_EQ(f.owner(), "lstTemple");
    EXPECT_FALSE(f.panel("fraCaldrimar").visible);
    EXPECT_EQ(f.panel("lstTemple").rows.size(), 2u);
    EXPECT_EQ(f.panel("lstTemple").rows[0].value, 2);
    EXPECT_EQ(PromptText(f.game),
              "アンティノラ寺院\r誰を助けますか？ 選んで下さい\r\rＥＳＣ or ＢＳでぬける");
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 6"}));

    // The dead first; the party list asks who pays, Escape asks again.
    f.press(Key::Enter);
    EXPECT_EQ(PromptText(f.game), "誰が助けますか？\r選んでください");
    EXPECT_EQ(f.owner(), "fraParty");
    EXPECT_FALSE(f.panel("lstTemple").enabled);
    f.press(Key::Escape);
    EXPECT_EQ(f.owner(), "lstTemple");
    EXPECT_FALSE(f.panel("fraParty").enabled);

    // The stoned member, paid for by the poor one: refused, and asked again.
    f.press(Key::Down);
    f.press(Key::Enter);
    f.press('2');
    EXPECT_EQ(f.prompter->texts.back(), "アンティノラ寺院|貧乏人め！！");
    EXPECT_EQ(f.owner(), "fraParty");
    EXPECT_EQ(f.count("SAVE"), 0);
    // Digits count the party's rows, where the stoned member stands last.
    f.press('1');
    EXPECT_EQ(f.game.character(1).gold, 1'000'000 - 500);
    EXPECT_EQ(f.game.character(3).conditions, 0);
    EXPECT_EQ(f.count("SAVE"), 1);
    EXPECT_EQ(f.owner(), "lstTemple");
    EXPECT_EQ(f.panel("lstTemple").rows.size(), 1u);
    EXPECT_EQ(PromptText(f.game),
              "アンティノラ寺院\r誰を助けますか？ 選んで下さい\r\rＥＳＣ　ｏｒ　ＢＳで抜ける");

    // Raising the last patient sends the party back to the castle.
    f.recorder.events.clear();
    f.press(Key::Enter);
    f.press('1');
    ASSERT_EQ(f.game.character(2).conditions, 0) << "vitality 30 failed once in 30";
    EXPECT_EQ(f.game.character(1).gold, 1'000'000 - 500 - 500);
    EXPECT_EQ(f.owner(), "fraCaldrimar");
    EXPECT_FALSE(f.panel("lstTemple").visible);
    EXPECT_EQ(PromptText(f.game), "");
    EXPECT_EQ(f.game.place, InTown(Facility::CastleTown));
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"SAVE", "MUSIC 2"}));
}

TEST(TempleVisit, EscapeOrBackspaceLeavesForTheCastle)
{
    for (Key key : {Key::Escape, Key::Backspace}) {
        SCOPED_TRACE(KeyName(key));
        TempleFixture f;
        f.payer();
        f.patient(2, Cond::Vanished);
        RefreshPartyPanel(f.game);
        f.press('A');
        f.recorder.events.clear();
        f.press(key);
        EXPECT_EQ(f.owner(), "fraCaldrimar");
        EXPECT_FALSE(f.panel("lstTemple").visible);
        EXPECT_FALSE(f.panel("fraParty").enabled);
        EXPECT_EQ(PromptText(f.game), "");
        EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 2"}));
    }
}

TEST(TempleVisit, AMemberMayPayForHerselfAndBeLostFromTheParty)
{
    TempleFixture f;
    f.payer();
    Character& self = f.member(2, "ＳＥＬＦ", 2);
    self.conditions = Cond::Ashes;
    self.vitality = 1;
    self.gold = 1000;
    RefreshPartyPanel(f.game);
    ASSERT_EQ(f.game.state.partyCount, 2);

    f.press('A');
    f.press(Key::Enter);
    f.press('2');
    EXPECT_EQ(f.prompter->texts.back(), "アンティノラ寺院|ＳＥＬＦは\n消滅した！！");
    EXPECT_EQ(f.game.character(2).rosterNo, 0);
    EXPECT_EQ(f.game.state.partyCount, 1);
    EXPECT_EQ(f.partyRows().size(), 1u);
    EXPECT_EQ(f.owner(), "fraCaldrimar");
}
