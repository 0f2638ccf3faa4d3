// The list picker, the character chooser and the file chooser as the runner
// shows and answers them.

#include <gtest/gtest.h>

#include "core/prompts.h"
#include "rules/character_lists.h"
#include "tests/core/own_content.h"
#include "tests/script/scripted_game.h"

using namespace qvr;
using namespace qvr::test;

namespace {

// Two party members: アリス carries a sword and an unidentified shield,
// ボブ nothing.
void smallRoster(Game& game)
{
    Content& content = OwnContent(game);
    ItemDef& sword = content.items[5];
    sword.name = "ロングソード";
    ItemDef& shield = content.items[9];
    shield.name = "ラージシールド";
    shield.unknownName = "たて";
    const char* names[] = {"アリス", "ボブ"};
    for (int r = 1; r <= 2; ++r) {
        Character& c = game.character(r);
        c.rosterNo = r;
        c.name = names[r - 1];
        c.level = r * 3;
        c.classCode = Class::Fighter;
        c.race = Race::Human;
        c.alignment = Align::Neutral;
        game.state.partyMember[r] = static_cast<int16_t>(r);
    }
    game.state.partyCount = 2;
    game.character(1).items[1] = 5;
    game.character(1).itemFlags[1] = 1; // equipped
    game.character(1).items[3] = 9;
    game.character(1).itemFlags[3] = ItemFlag::Unidentified;
}

} // namespace

TEST(ScriptLists, PickFromListShowsItsRowsAndAnswersWithTheLinesValue)
{
    ScriptedGame s("key Down\nkey Enter\nkey Escape\n");
    std::vector<std::string> texts = {"", "剣", "盾 ", "兜"};
    std::vector<int> values = {0, 5, 7, 8};
    EXPECT_EQ(PickFromList(s.game, texts, values, "どれを？"), 7);
    EXPECT_EQ(PickFromList(s.game, texts, values, "どれを？"), -1);
    EXPECT_EQ(s.out.str(), "PICK どれを？ | 剣 | 盾  | 兜\nPICK どれを？ | 剣 | 盾  | 兜\n");
}

TEST(ScriptLists, AListIsNotATextBox)
{
    ScriptedGame s("key Down\ntext 盾\n");
    try {
        PickFromList(s.game, {"剣", "盾"}, {1, 2}, "どれを？");
        ADD_FAILURE() << "text was taken by a list";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.line(), 2);
    }
}

TEST(ScriptLists, PickMemberWithItemsShowsTheSideListInADump)
{
    ScriptedGame s("dump\nkey Down\ndump\nkey Enter\n");
    smallRoster(s.game);
    EXPECT_EQ(PickMember(s.game, true), 2);
    const std::string out = s.out.str();
    EXPECT_EQ(out.rfind("PICK キャラクターを選んでください | アリス | ボブ\n", 0), 0u) << out;
    EXPECT_NE(out.find("prompt PICK キャラクターを選んでください\n"
                       "  > アリス\n"
                       "    ボブ\n"
                       "  side [アリスの\\n持ち物]\n"
                       "    01:* ロングソード\n"
                       "    02:? たて\n"
                       "END\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("  > ボブ\n  side [ボブの\\n持ち物]\nEND\n"), std::string::npos) << out;
}

TEST(ScriptLists, PickItemListsCarriedItemsOrSaysThereAreNone)
{
    ScriptedGame s("key End\nkey Enter\nkey Space\n");
    smallRoster(s.game);
    EXPECT_EQ(PickItem(s.game, 1), 3);
    EXPECT_EQ(PickItem(s.game, 2), -1);
    EXPECT_EQ(s.out.str(), "PICK アイテムを選んでください | ロングソード | たて\n"
                           "MSG [] アイテムを持っていません\n");
}

TEST(ScriptLists, ChooserIsShownAgainWhenItsRowsChange)
{
    ScriptedGame s("key Enter\nkey R\n");
    smallRoster(s.game);
    int chosen = -1;
    int result = ChooseCharacter(s.game, 3, [&](Game& g, CharacterChooser& chooser, int value) {
        chosen = value;
        g.character(value).name = "アリス２";
        ListCharacters(g, chooser.mode, chooser.rows);
        chooser.rows.push_back({CharacterChooser::kBackRow, 0, 0, {}});
        return true;
    });
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(result, 0);
    const std::string out = s.out.str();
    std::size_t second = out.find("\nPICK [mode 3] | １　）アリス２　");
    EXPECT_EQ(out.rfind("PICK [mode 3] | １　）アリス　", 0), 0u) << out;
    EXPECT_NE(second, std::string::npos) << out;
    EXPECT_NE(out.find("| Ｒ）戻る\n"), std::string::npos) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;
}

TEST(ScriptLists, ChooserLinesThatChangeNothingPrintNothing)
{
    ScriptedGame s("key Down\nkey Up\nwait 5\nkey Down\nkey Enter\n");
    smallRoster(s.game);
    EXPECT_EQ(ChooseCharacter(s.game, 3), 2);
    const std::string out = s.out.str();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
}

TEST(ScriptLists, FileChooserTakesAPathOrEscape)
{
    ScriptedGame s("text music/town 1.mid\nwait 10\nkey Escape\nkey Enter\n");
    EXPECT_EQ(s.prompter->chooseFile(s.game, "*.mid;*.wav"), "music/town 1.mid");
    EXPECT_EQ(s.prompter->chooseFile(s.game, "*.mid;*.wav"), "");
    EXPECT_THROW(s.prompter->chooseFile(s.game, "*.mid"), ScriptError);
    EXPECT_EQ(s.out.str(), "FILE *.mid;*.wav\nFILE *.mid;*.wav\nFILE *.mid\n");
}
