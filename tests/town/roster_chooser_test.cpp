// The roster chooser's modes: joining, resuming, plain choice, deleting,
// renaming, viewing and moving characters within the roster.

#include <gtest/gtest.h>

#include "core/prompts.h"
#include "rules/character_lists.h"
#include "town/roster_chooser.h"
#include "town_test_fixture.h"

using namespace qvr;
using namespace qvr::test;

namespace {

using Rows = std::vector<std::string>;

// The chooser lines the prompter saw, each without its "CHOOSE" tag.
std::vector<Rows> chooserShows(const ScriptedPrompter& p)
{
    std::vector<Rows> shows;
    for (const std::string& line : p.shown) {
        if (line.rfind("CHOOSE", 0) != 0)
            continue;
        Rows rows;
        std::size_t at = line.find('|');
        while (at != std::string::npos) {
            std::size_t next = line.find('|', at + 1);
            rows.push_back(line.substr(at + 1, next == std::string::npos ? next : next - at - 1));
            at = next;
        }
        shows.push_back(rows);
    }
    return shows;
}

std::vector<std::string> messages(const ScriptedPrompter& p)
{
    std::vector<std::string> out;
    for (const std::string& line : p.shown)
        if (line.rfind("CHOOSE", 0) != 0)
            out.push_back(line);
    return out;
}

struct ChooserTest : ::testing::Test, TownFixture {};

} // namespace

TEST_F(ChooserTest, EveryWayOfCancellingReturnsNothing)
{
    const std::vector<std::vector<Key>> cancels = {
        {Key::Escape}, {Key::Backspace}, {CharKey('R')}, {CharKey('r')}, RowKeys(2)};
    character(1, "ALICE");
    character(2, "BOB");
    for (const auto& keys : cancels) {
        prompter->answer(keys);
        EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Pick), 0);
    }
    EXPECT_TRUE(prompter->answers.empty());
}

TEST_F(ChooserTest, PlainChoiceReturnsTheCharacterAndChangesNothing)
{
    character(1, "ALICE");
    character(4, "BOB");
    prompter->answer(RowKeys(1));
    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Pick), 4);
    EXPECT_EQ(game.character(4).floor, 0);
    EXPECT_EQ(prompter->chooserModes, (std::vector<int>{ChooserMode::Pick}));
}

TEST_F(ChooserTest, JoiningReListsUntilTheSixthMemberThenCloses)
{
    for (int slot = 1; slot <= 8; ++slot)
        character(slot, "M" + std::to_string(slot));
    game.state.groupNo = 0;
    for (int pick = 0; pick < 6; ++pick)
        prompter->answer({Key::Enter});

    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Join), 6);

    // Each pick leaves the list; the sixth closes the chooser by itself.
    std::vector<Rows> shows = chooserShows(*prompter);
    ASSERT_EQ(shows.size(), 6u);
    for (std::size_t i = 0; i < shows.size(); ++i) {
        EXPECT_EQ(shows[i].size(), 9 - i) << "listing " << i;
        EXPECT_EQ(shows[i].back(), CharacterChooser::kBackRow);
        EXPECT_EQ(shows[i].front(), SummaryLine(game, static_cast<int>(i) + 1, 1));
    }
    EXPECT_TRUE(prompter->answers.empty());

    EXPECT_EQ(game.state.partyCount, 6);
    for (int slot = 1; slot <= 6; ++slot) {
        const Character& c = game.character(slot);
        EXPECT_EQ(c.floor, -1);
        EXPECT_EQ(c.groupNo, 0);
        EXPECT_EQ(c.position, slot);
        EXPECT_EQ(game.state.partyMember[slot], slot);
    }
    EXPECT_EQ(game.character(7).floor, 0);
    EXPECT_EQ(game.screen.panel("fraParty").rows.size(), 6u);
}

TEST_F(ChooserTest, JoiningStopsAtTheBackRowWithThePartyShown)
{
    character(1, "ALICE");
    character(2, "BOB");
    prompter->answer({Key::Enter});
    prompter->answer({CharKey('r')});
    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Join), 0);
    EXPECT_EQ(game.state.partyCount, 1);
    EXPECT_EQ(game.character(1).floor, -1);
    EXPECT_EQ(game.character(2).floor, 0);
    EXPECT_EQ(game.screen.panel("fraParty").rows.size(), 1u);
}

TEST_F(ChooserTest, TheReListingFollowsThePartysAlignments)
{
    struct Case {
        const char* what;
        int16_t first;                // alignment of the character picked first
        std::vector<int> offeredNext; // slots of 2 GOOD, 3 NEUTRAL, 4 EVIL
    };
    const Case cases[] = {
        {"neutral first: anyone", Align::Neutral, {2, 3, 4}},
        {"lawful first: no evil", Align::Lawful, {2, 3}},
        {"chaotic first: no good", Align::Chaotic, {3, 4}},
    };
    for (const Case& c : cases) {
        TownFixture f;
        f.character(1, "FIRST", c.first);
        f.character(2, "GOOD", Align::Lawful);
        f.character(3, "NEUTRAL", Align::Neutral);
        f.character(4, "EVIL", Align::Chaotic);
        f.prompter->answer({Key::Enter});
        f.prompter->answer({Key::Escape});
        OpenRosterChooser(f.game, ChooserMode::Join);

        std::vector<Rows> shows = chooserShows(*f.prompter);
        ASSERT_EQ(shows.size(), 2u) << c.what;
        Rows expected;
        for (int slot : c.offeredNext)
            expected.push_back(SummaryLine(f.game, slot, static_cast<int>(expected.size()) + 1));
        expected.push_back(CharacterChooser::kBackRow);
        EXPECT_EQ(shows[1], expected) << c.what;
    }
}

TEST_F(ChooserTest, APartyMixingGoodAndEvilTakesANeutralFirstButNobodyAfter)
{
    // A lawful and a chaotic member, brought together by other means.
    character(1, "GOOD", Align::Lawful);
    character(2, "EVIL", Align::Chaotic);
    for (int slot : {1, 2}) {
        game.character(slot).floor = -1;
        game.state.partyMember[++game.state.partyCount] = static_cast<int16_t>(slot);
    }
    character(3, "N1");
    character(4, "N2");
    character(5, "L1", Align::Lawful);
    prompter->answer({Key::Enter});
    prompter->answer({Key::Enter}); // only the back row is left
    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Join), 0);

    std::vector<Rows> shows = chooserShows(*prompter);
    ASSERT_EQ(shows.size(), 2u);
    EXPECT_EQ(shows[0],
              (Rows{SummaryLine(game, 3, 1), SummaryLine(game, 4, 2), CharacterChooser::kBackRow}));
    EXPECT_EQ(shows[1], (Rows{CharacterChooser::kBackRow}));
    EXPECT_EQ(game.state.partyCount, 3);
    EXPECT_EQ(game.character(4).floor, 0);
}

TEST_F(ChooserTest, AFullPartyCannotOpenTheJoinList)
{
    character(1, "ALICE");
    game.state.partyCount = 6;
    prompter->answer({Key::Enter});
    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Join), 0);
    EXPECT_EQ(messages(*prompter), (Rows{"MSG |これ以上メンバーを増やせません"}));
    EXPECT_EQ(game.character(1).floor, 0);
}

TEST_F(ChooserTest, AWipedOutGroupCannotBeResumed)
{
    Character& fallen = character(1, "FALLEN");
    fallen.floor = 3;
    fallen.groupNo = 1;
    fallen.conditions = Cond::Dead;
    Character& ashes = character(2, "ASHES");
    ashes.floor = 3;
    ashes.groupNo = 1;
    ashes.conditions = Cond::Ashes;
    Character& alive = character(3, "ALIVE");
    alive.floor = 5;
    alive.groupNo = 2;

    prompter->answer({Key::Enter}); // group 1: refused
    prompter->answer({Key::Enter}); // the message
    prompter->answer(RowKeys(2));   // group 2
    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Resume), 3);
    EXPECT_EQ(messages(*prompter), (Rows{"MSG |そのパーティーは全滅しています"}));
    EXPECT_EQ(chooserShows(*prompter).size(), 2u);
}

TEST_F(ChooserTest, DeletingAsksFirst)
{
    struct Case {
        Key answer;
        bool deleted;
    };
    for (const Case& c : {Case{CharKey('Y'), true}, Case{Key::Enter, true},
                          Case{CharKey('N'), false}, Case{Key::Escape, false}}) {
        TownFixture f;
        f.character(1, "ALICE");
        f.character(2, "BOB").gold = 500;
        f.prompter->answer(RowKeys(1));
        f.prompter->answer({c.answer});
        if (!c.deleted)
            f.prompter->answer({CharKey('R')});
        int result = OpenRosterChooser(f.game, ChooserMode::Delete);

        EXPECT_EQ(messages(*f.prompter),
                  (Rows{"ASK キャラクターの削除|BOBを削除します　よいですか？"}));
        EXPECT_EQ(result, c.deleted ? 2 : 0);
        EXPECT_EQ(f.recorder.saves, c.deleted ? 1 : 0);
        EXPECT_EQ(f.names(), c.deleted ? Rows{"ALICE"} : (Rows{"ALICE", "BOB"}));
        if (c.deleted)
            EXPECT_EQ(f.game.character(2), f.game.character(0));
        else
            EXPECT_EQ(f.game.character(2).gold, 500);
    }
}

TEST_F(ChooserTest, DeletingLeavesAFreeSlotEvenUnderAStrayTemplate)
{
    character(1, "ALICE");
    game.character(0).rosterNo = 7;
    prompter->answer({Key::Enter});
    prompter->answer({CharKey('Y')});
    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Delete), 1);
    EXPECT_EQ(game.character(1).rosterNo, 0);
}

TEST_F(ChooserTest, RenamingRefusesWhatCannotBeStoredAndStoresTheRest)
{
    const std::string fifty(50, 'A');
    struct Case {
        const char* what;
        std::string typed; // "" presses Escape in the text box
        std::string message;
        std::string stored; // BOB's name afterwards
    };
    const Case cases[] = {
        {"nothing typed", "", "", "BOB"},
        {"its own name", "BOB", "MSG |同じ名前のキャラクターがいますよ", "BOB"},
        {"another's name", "ALICE", "MSG |同じ名前のキャラクターがいますよ", "BOB"},
        {"outside the code page", "ボブ😀", "MSG |その名前には使えない文字がありますよ", "BOB"},
        {"a control character", "BO\tB", "MSG |その名前には使えない文字がありますよ", "BOB"},
        {"fifty-one characters", fifty + "Z", "MSG |名前は５０文字までですよ", "BOB"},
        {"fifty characters", fifty, "", fifty},
        {"a new name", "ロバート", "", "ロバート"},
        {"an input method's wave dash", "ボブ\u301C", "", "ボブ\uFF5E"},
    };
    for (const Case& c : cases) {
        TownFixture f;
        f.character(1, "ALICE");
        f.character(3, "BOB");
        f.prompter->answer(RowKeys(1));
        if (c.typed.empty())
            f.prompter->answer({Key::Escape});
        else
            f.prompter->answer({Key::Enter}, c.typed);
        const bool refused = c.stored == "BOB";
        if (!c.message.empty())
            f.prompter->answer({Key::Enter});
        if (refused)
            f.prompter->answer({CharKey('R')});

        int result = OpenRosterChooser(f.game, ChooserMode::Rename);

        Rows expected{"INPUT キャラクターの名前の変更|新しい名前を入力して下さい"};
        if (!c.message.empty())
            expected.push_back(c.message);
        EXPECT_EQ(messages(*f.prompter), expected) << c.what;
        EXPECT_EQ(f.game.character(3).name, c.stored) << c.what;
        EXPECT_EQ(result, refused ? 0 : 3) << c.what;
        EXPECT_EQ(f.recorder.saves, refused ? 0 : 1) << c.what;
        EXPECT_EQ(chooserShows(*f.prompter).size(), refused ? 2u : 1u) << c.what;
    }
}

TEST_F(ChooserTest, ViewingShowsTheStatusAndKeepsTheChooserOpen)
{
    character(1, "ALICE");
    character(2, "BOB");
    Character before = game.character(2);
    prompter->answer(RowKeys(1));
    prompter->answer(RowKeys(0));
    prompter->answer({CharKey('R')});
    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::View), 0);
    EXPECT_EQ(prompter->statusShown, (std::vector<int>{2, 1}));
    EXPECT_EQ(chooserShows(*prompter).size(), 3u);
    EXPECT_EQ(game.character(2), before);
}

TEST_F(ChooserTest, MovingShiftsTheRecordsBetweenAndRenumbers)
{
    struct Case {
        int from, to;
        Rows order;
    };
    const Case cases[] = {
        {5, 2, {"A", "E", "B", "C", "D", "F"}},
        {2, 5, {"A", "C", "D", "E", "B", "F"}},
        {3, 3, {"A", "B", "C", "D", "E", "F"}},
        {1, 6, {"B", "C", "D", "E", "F", "A"}},
    };
    for (const Case& c : cases) {
        TownFixture f;
        for (int slot = 1; slot <= 6; ++slot)
            f.character(slot, std::string(1, static_cast<char>('A' + slot - 1)));
        f.character(9, "Z");
        const std::string mover = f.game.character(c.from).name;
        f.prompter->answer(RowKeys(c.from - 1));
        f.prompter->answer({Key::Enter});
        f.prompter->answer(RowKeys(c.to - 1));
        f.prompter->answer({Key::Escape});

        EXPECT_EQ(OpenRosterChooser(f.game, ChooserMode::Move), 0);

        EXPECT_EQ(messages(*f.prompter), (Rows{"MSG |" + mover + "を\rどこに移動させますか？"}));
        Rows order;
        for (int slot = 1; slot <= 6; ++slot) {
            order.push_back(f.game.character(slot).name);
            EXPECT_EQ(f.game.character(slot).rosterNo, slot);
        }
        EXPECT_EQ(order, c.order) << c.from << " to " << c.to;
        EXPECT_EQ(f.game.character(9).rosterNo, 9);
        EXPECT_EQ(f.game.character(8).rosterNo, 0);

        // The list shows the new order; the move is not saved.
        std::vector<Rows> shows = chooserShows(*f.prompter);
        ASSERT_EQ(shows.size(), 3u);
        Rows relisted;
        std::vector<Row> rows;
        for (int slot : {1, 2, 3, 4, 5, 6, 9})
            AppendSummaryLine(f.game, slot, rows);
        for (const Row& r : rows)
            relisted.push_back(r.text);
        relisted.push_back(CharacterChooser::kBackRow);
        EXPECT_EQ(shows[2], relisted);
        EXPECT_EQ(f.recorder.saves, 0);
    }
}

TEST_F(ChooserTest, EachMoveAsksAfreshInTheSameSitting)
{
    for (int slot = 1; slot <= 3; ++slot)
        character(slot, std::string(1, static_cast<char>('A' + slot - 1)));
    for (auto [from, to] : {std::pair{3, 1}, std::pair{3, 2}}) {
        prompter->answer(RowKeys(from - 1));
        prompter->answer({Key::Enter});
        prompter->answer(RowKeys(to - 1));
    }
    prompter->answer({Key::Escape});
    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Move), 0);
    EXPECT_EQ(messages(*prompter),
              (Rows{"MSG |Cを\rどこに移動させますか？", "MSG |Bを\rどこに移動させますか？"}));
    EXPECT_EQ(names(), (Rows{"C", "B", "A"}));
}

TEST_F(ChooserTest, ACancelForgetsAPendingMove)
{
    for (int slot = 1; slot <= 3; ++slot)
        character(slot, std::string(1, static_cast<char>('A' + slot - 1)));
    prompter->answer({Key::Enter});
    prompter->answer({Key::Enter});
    prompter->answer({CharKey('r')});
    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Move), 0);

    // Opened again, the first choice asks where to, rather than moving A.
    prompter->answer(RowKeys(2));
    prompter->answer({Key::Enter});
    prompter->answer({Key::Backspace});
    EXPECT_EQ(OpenRosterChooser(game, ChooserMode::Move), 0);
    EXPECT_EQ(messages(*prompter),
              (Rows{"MSG |Aを\rどこに移動させますか？", "MSG |Cを\rどこに移動させますか？"}));
    EXPECT_EQ(names(), (Rows{"A", "B", "C"}));
}

TEST_F(ChooserTest, MovingKeepsThePartyOnTheSameCharacters)
{
    for (int slot = 1; slot <= 4; ++slot)
        character(slot, std::string(1, static_cast<char>('A' + slot - 1)));
    game.state.partyCount = 2;
    game.state.partyMember[1] = 4;
    game.state.partyMember[2] = 2;
    prompter->answer(RowKeys(3));
    prompter->answer({Key::Enter});
    prompter->answer(RowKeys(0));
    prompter->answer({Key::Escape});
    OpenRosterChooser(game, ChooserMode::Move);
    ASSERT_EQ(names(), (Rows{"D", "A", "B", "C"}));
    EXPECT_EQ(game.state.partyMember[1], 1);
    EXPECT_EQ(game.state.partyMember[2], 3);
}
