// The status window as a model: its sheet and item lines, the commands of
// each place it opens from, its keys, stepping through the party, the spell
// book and leaving.

#include <gtest/gtest.h>

#include <string>

#include "core/error.h"
#include "game/status_window.h"
#include "rules/equipment.h"
#include "status_fixture.h"

using namespace qvr;
using namespace qvr::test;
using namespace qvr::test::status;

namespace {

std::string Letters(const std::vector<StatusCommand>& set)
{
    std::string out;
    for (StatusCommand c : set)
        out += CommandKey(c);
    return out;
}

} // namespace

TEST(StatusSheet, EveryFieldAsTheWindowPrintsIt)
{
    StatusFixture f;
    Character& c = f.game.character(1);
    c.specialFlags = Special::Finished;
    c.exp = 1234;
    c.gold = 567;
    c.marks = 8;
    c.age = 20;
    c.rip = 2;
    c.baseAc = 4;
    c.iq = 9;
    c.piety = 7;
    c.vitality = 15;
    c.agility = 11;
    c.luck = 6;
    c.mp(0, 1) = 3;
    c.mp(0, 9) = 1;
    c.mp(1, 2) = 12;
    c.mp(2, 1) = 5; // the third pool is never shown
    c.conditions = Cond::Poisoned;
    c.steps = 321;
    StatusWindow w = f.open(1);
    const StatusSheet& s = w.sheet;
    EXPECT_EQ(s.caption, "アルス  〈∮〉");
    EXPECT_EQ(s.classLabel, "Ｎ－Ｆｉｇ");
    EXPECT_EQ(s.race, "Ｈｕｍ");
    EXPECT_EQ(s.sex, "男");
    EXPECT_EQ(s.level, "5");
    EXPECT_EQ(s.exp, "1234");
    EXPECT_EQ(s.gold, "567");
    EXPECT_EQ(s.marks, "8");
    EXPECT_EQ(s.age, "20");
    EXPECT_EQ(s.rip, "2");
    EXPECT_EQ(s.ac, "4");
    EXPECT_EQ(s.attributes, (std::array<std::string, 6>{"12", "9", "7", "15", "11", "6"}));
    EXPECT_EQ(s.hp, "ＨＰ      10／      20");
    EXPECT_EQ(s.spellPoints[0], "Ｗｉｚａｒｄ  3 / 0 / 0 / 0 / 0 / 0 / 0 / 0 / 1");
    EXPECT_EQ(s.spellPoints[1], "Ｃｌｅｒｉｃ  0 / 12 / 0 / 0 / 0 / 0 / 0 / 0 / 0");
    EXPECT_EQ(s.condition, "毒");
    EXPECT_EQ(s.walk, "321");
    EXPECT_EQ(SheetLines(s).front(), "アルス  〈∮〉");
    EXPECT_EQ(SheetLines(s).back(), "Walk 321");

    c.specialFlags = Special::GiftAt20;
    c.sex = 2;
    c.conditions = 0;
    w.refresh(f.game);
    EXPECT_EQ(w.sheet.caption, "アルス");
    EXPECT_EQ(w.sheet.sex, "女");
    EXPECT_EQ(w.sheet.condition, "");
}

TEST(StatusSheet, ShowsTheBaseArmourClassAndPutsTheProtectionInEffect)
{
    struct Case {
        int32_t effects;
        int32_t ac;
    };
    const Case cases[] = {{0, 4}, {PartyEffect::Armour3, 1}, {PartyEffect::Armour5, -1}};
    for (const Case& k : cases) {
        StatusFixture f;
        f.game.character(1).baseAc = 4;
        f.game.state.partyEffects = k.effects;
        StatusWindow w = f.open(1);
        EXPECT_EQ(w.sheet.ac, "4");
        EXPECT_EQ(f.game.character(1).ac, k.ac) << k.effects;
    }
}

TEST(StatusSheet, HitPointsKeepTheirColumnsAndWideNumbersStayWhole)
{
    StatusFixture f;
    f.game.character(1).hp = 0;
    f.game.character(1).maxHp = 123456789;
    EXPECT_EQ(f.open(1).sheet.hp, "ＨＰ       0／123456789");
    EXPECT_EQ(StepsText(0), "0");
    EXPECT_EQ(StepsText(12.5f), "12.5");
    EXPECT_EQ(StepsText(16777216.0f), "16777216");
}

TEST(StatusItems, NumberedLinesWithTheirMarksAndSlots)
{
    StatusFixture f;
    f.carry(1, 1, kSword, kMainHand);
    f.carry(1, 3, kGreatSword, ItemFlag::Unidentified);
    f.carry(1, 4, kCursedHelm, 6 | ItemFlag::Cursed);
    f.carry(1, 5, kStaff, ItemFlag::CannotEquip);
    f.carry(1, 7, kArmour);
    StatusWindow w = f.open(1);
    EXPECT_EQ(StatusRowTexts(w.items),
              (std::vector<std::string>{"01:* ロングソード", "02:? ？グレートソード",
                                        "03:- 呪いの兜", "04:# 僧侶の杖", "05:  プレートメイル"}));
    std::vector<int> slots;
    for (const Row& r : w.items)
        slots.push_back(r.value);
    EXPECT_EQ(slots, (std::vector<int>{1, 3, 4, 5, 7}));
}

TEST(StatusCommands, TheSetOfEachPlace)
{
    struct Case {
        StatusMode mode;
        int16_t classCode;
        int32_t conditions;
        const char* letters;
    };
    const Case cases[] = {
        {StatusMode::Tavern, Class::Fighter, 0, "ETPDNBRL"},
        {StatusMode::Tavern, Class::Sage, Cond::Dead, "ETPDNBRL"},
        {StatusMode::Roster, Class::Sage, 0, "RL"},
        {StatusMode::Camp, Class::Fighter, 0, "SETUPDNBRL"},
        {StatusMode::Camp, Class::Sage, 0, "SETUPDIJNBRL"},
        {StatusMode::Camp, Class::Onmyoji, 0, "SETUPDINBRL"},
        {StatusMode::Camp, Class::Sage, Cond::Afraid, "SETUPDNBRL"},
        {StatusMode::Camp, Class::Onmyoji, Cond::Afraid, "SETUPDNBRL"},
        {StatusMode::Camp, Class::Sage, Cond::Poisoned | Cond::Asleep, "SETUPDIJNBRL"},
        {StatusMode::Camp, Class::Sage, Cond::Paralysed, "TPNBRL"},
        {StatusMode::Camp, Class::Fighter, Cond::Stoned, "TPNBRL"},
        {StatusMode::Camp, Class::Fighter, Cond::Dead, "TPNBRL"},
        {StatusMode::Camp, Class::Fighter, Cond::Ashes, "TPNBRL"},
        {StatusMode::Camp, Class::Fighter, Cond::Vanished, "TPNBRL"},
    };
    for (const Case& k : cases) {
        Character c;
        c.classCode = k.classCode;
        c.conditions = k.conditions;
        EXPECT_EQ(Letters(StatusCommandSet(c, k.mode)), k.letters)
            << static_cast<int>(k.mode) << " " << k.classCode << " " << k.conditions;
    }
}

TEST(StatusCommands, RowsAsShownAndTheCampsOwnOnlyOnceInstalled)
{
    StatusFixture f;
    StatusWindow tavern = f.open(1, StatusMode::Tavern);
    EXPECT_EQ(StatusRowTexts(tavern.commands),
              (std::vector<std::string>{"E)装備", "T)渡す", "P)お金を集める", "D)捨てる", "N)次へ",
                                        "B)前へ", "R)呪文書を読む", "L)戻る"}));
    EXPECT_EQ(tavern.commands[0].key, 'E');
    EXPECT_EQ(StatusRowTexts(f.open(1, StatusMode::Roster).commands),
              (std::vector<std::string>{"R)呪文書を読む", "L)戻る"}));

    f.game.character(1).classCode = Class::Sage;
    StatusWindow camp = f.open(1, StatusMode::Camp);
    // Spells, use, identify and appraise come with the maze's handlers.
    std::string campKeys;
    for (const Row& r : camp.commands)
        campKeys += r.key;
    EXPECT_EQ(campKeys, "ETPDNBRL");
    bool cast = false;
    camp.handlers[static_cast<std::size_t>(StatusCommand::CastSpell)] = [&](Game&, StatusWindow&) {
        cast = true;
    };
    camp.rebuildCommands(f.game);
    EXPECT_EQ(camp.commands.front().text, "S)呪文を唱える");
    camp.pressKey(f.game, CharKey('S'));
    EXPECT_TRUE(cast);
}

TEST(StatusKeys, LeavingSavesAndClosesByLetterEscapeOrBackspace)
{
    for (Key k : {CharKey('L'), Key::Escape, Key::Backspace}) {
        StatusFixture f;
        StatusWindow w = f.open(1);
        w.pressKey(f.game, k);
        EXPECT_TRUE(w.closed()) << KeyName(k);
        EXPECT_EQ(f.recorder.saves, 1) << KeyName(k);
        w.pressKey(f.game, CharKey('L'));
        EXPECT_EQ(f.recorder.saves, 1);
    }
}

TEST(StatusKeys, CtrlSavesInEveryListAndNavigationPicksTheRow)
{
    StatusFixture f;
    f.carry(1, 1, kSword);
    StatusWindow w = f.open(1);
    f.press(w, {Key::Ctrl});
    EXPECT_EQ(f.recorder.saves, 1);
    f.press(w, {CharKey('E'), Key::Ctrl});
    EXPECT_EQ(w.focus, StatusFocus::Equip);
    EXPECT_EQ(f.recorder.saves, 2);
    EXPECT_FALSE(w.closed());
    f.press(w, {Key::Escape, Key::Escape, Key::Escape, Key::Escape, Key::Escape, Key::Escape,
                Key::Escape});
    EXPECT_EQ(w.focus, StatusFocus::Commands);

    // Down to "R)呪文書を読む" and Enter performs the highlighted row.
    w.commandSelected = 0;
    f.press(w, {Key::End, Key::Up});
    EXPECT_EQ(w.commandSelected, 6);
    f.press(w, {Key::Enter});
    EXPECT_TRUE(w.spellBookVisible);
    // Letters of commands the list does not hold do nothing.
    StatusWindow roster = f.open(1, StatusMode::Roster);
    f.press(roster, {CharKey('E'), CharKey('P'), CharKey('Z')});
    EXPECT_EQ(roster.focus, StatusFocus::Commands);
    EXPECT_TRUE(f.shown().empty());
}

TEST(StatusKeys, ClicksActOnlyOnTheListThatHasTheKeyboard)
{
    StatusFixture f;
    f.carry(1, 1, kSword);
    StatusWindow w = f.open(1);
    w.clickEquip(f.game, 0);
    w.clickItem(f.game, 0);
    EXPECT_EQ(f.game.character(1).itemFlags[1], 0);
    w.clickCommand(f.game, 0); // E)装備
    EXPECT_EQ(w.equipKind, 1);
    w.clickEquip(f.game, 0);
    EXPECT_EQ(f.game.character(1).itemFlags[1], kMainHand);
    EXPECT_EQ(w.equipKind, 2);
}

TEST(StatusNavigation, NextAndPreviousGoRoundThePartyInMarchingOrder)
{
    StatusFixture f;
    f.game.state.partyMember[1] = 3;
    f.game.state.partyMember[3] = 1;
    StatusWindow w = f.open(3);
    w.lblMsg1 = "old news";
    std::vector<int> seen;
    for (Key k : {CharKey('N'), CharKey('N'), CharKey('N'), CharKey('B'), CharKey('B')}) {
        w.pressKey(f.game, k);
        seen.push_back(w.rosterNo);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 1, 3, 1, 2}));
    EXPECT_EQ(w.sheet.caption, "ベラ");
    EXPECT_EQ(w.lblMsg1, "");

    // Someone outside the party steps onto its first or last member.
    f.member(4, "ディン", 0);
    StatusWindow outside = f.open(4);
    outside.pressKey(f.game, CharKey('N'));
    EXPECT_EQ(outside.rosterNo, 3);
    StatusWindow outside2 = f.open(4);
    outside2.pressKey(f.game, CharKey('B'));
    EXPECT_EQ(outside2.rosterNo, 1);
}

TEST(StatusSpellBook, BothSchoolsLevelByLevelWithTheKnownMarked)
{
    StatusFixture f;
    auto& spells = f.content().spells;
    auto spell = [&](int n, int16_t school, int16_t level, int16_t slot, const char* name) {
        spells[n].spellNo = static_cast<int16_t>(n);
        spells[n].school = school;
        spells[n].level = level;
        spells[n].slot = slot;
        spells[n].name = name;
    };
    spell(1, 0, 2, 1, "MELITO");
    spell(2, 0, 1, 2, "DUMAPIC");
    spell(3, 1, 1, 1, "DIOS");
    spell(4, 0, 1, 1, "HALITO");
    spell(5, 2, 1, 1, "HIDDEN");
    spell(6, 0, 0, 1, "BROKEN");
    f.game.character(1).spellKnown(0, 1, 2) = 1;
    f.game.character(1).spellKnown(1, 1, 1) = 1;
    StatusWindow w = f.open(1, StatusMode::Roster);
    w.pressKey(f.game, CharKey('R'));
    EXPECT_TRUE(w.spellBookVisible);
    EXPECT_EQ(w.focus, StatusFocus::SpellBook);
    EXPECT_EQ(w.spellBook[0],
              (std::vector<std::string>{"1:  HALITO", "1:* DUMAPIC", "2:  MELITO"}));
    EXPECT_EQ(w.spellBook[1], (std::vector<std::string>{"1:* DIOS"}));
    // The pages scroll; any other key closes the book without acting.
    w.pressKey(f.game, Key::Down);
    EXPECT_TRUE(w.spellBookVisible);
    w.pressKey(f.game, CharKey('L'));
    EXPECT_FALSE(w.spellBookVisible);
    EXPECT_EQ(w.focus, StatusFocus::Commands);
    EXPECT_FALSE(w.closed());
}

TEST(ShowStatus, RunsTheWindowThroughThePrompterAndTheCampHasItsMusic)
{
    StatusFixture f;
    f.prompter->answer({CharKey('N'), CharKey('L')});
    ShowStatus(f.game, 1, StatusMode::Tavern);
    EXPECT_EQ(f.prompter->windows, (std::vector<std::string>{"アルス"}));
    EXPECT_EQ(f.recorder.saves, 1);
    EXPECT_TRUE(f.recorder.tracks.empty());

    f.prompter->answer({Key::Escape});
    ShowStatus(f.game, 2, StatusMode::Camp);
    EXPECT_EQ(f.recorder.tracks, (std::vector<int>{18}));
}

TEST(ShowStatus, RefusesWhatItCannotShow)
{
    StatusFixture f;
    EXPECT_THROW(f.open(0), GameError);
    EXPECT_THROW(f.open(51), GameError);
    f.game.prompter.reset();
    EXPECT_THROW(ShowStatus(f.game, 1, StatusMode::Roster), GameError);
}
