// The status and ranking windows as the runner shows them, answers them with
// keys and dumps them: the lines written when a window opens and when what
// it shows changes, and nothing more.

#include <gtest/gtest.h>

#include <sstream>

#include "../core/test_items.h"
#include "app/script_windows.h"
#include "core/memory_store.h"
#include "core/prompts.h"
#include "game/status_window.h"
#include "tests/core/own_content.h"
#include "tests/script/scripted_game.h"
#include "town/rankings.h"

using namespace qvr;
using namespace qvr::test;

namespace {

constexpr const char* kTavernCommands =
    " | E)装備 | T)渡す | P)お金を集める | D)捨てる | N)次へ | B)前へ | R)呪文書を読む | L)戻る";

ItemDef wearable(int16_t no, const char* name, int16_t kind)
{
    return qvr::test::WearableItem(no, name, kind);
}

// A party of two with a store to save into: アリス carries a sword and a shield,
// ボブ nothing; the spell book has one spell of each school.
struct Party {
    explicit Party(const std::string& script) : s(script)
    {
        Game& g = s.game;
        g.store = std::make_unique<MemoryStore>();
        Content& content = OwnContent(g);
        content.items[5] = wearable(5, "ロングソード", 1);
        content.items[9] = wearable(9, "ラージシールド", 2);
        SpellDef& fire = content.spells[1];
        fire.school = 0;
        fire.level = 1;
        fire.slot = 1;
        fire.name = "VELTO";
        SpellDef& cure = content.spells[2];
        cure.school = 1;
        cure.level = 1;
        cure.slot = 1;
        cure.name = "SANEL";
        const char* names[] = {"アリス", "ボブ"};
        for (int r = 1; r <= 2; ++r) {
            Character& c = g.character(r);
            c.rosterNo = r;
            c.name = names[r - 1];
            c.level = 4;
            c.classCode = Class::Fighter;
            c.race = Race::Human;
            c.alignment = Align::Neutral;
            c.sex = 1;
            c.hp = c.maxHp = 12;
            g.state.partyMember[r] = static_cast<int16_t>(r);
        }
        g.state.partyCount = 2;
        g.character(1).items[1] = 5;
        g.character(1).items[2] = 9;
        g.character(1).spellKnown(0, 1, 1) = 1;
    }

    std::string out() const { return s.out.str(); }

    ScriptedGame s;
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

RankingWindow threeRows()
{
    RankingWindow w;
    w.heading = "今までに倒したモンスターの数　12";
    w.rows = {"スライム　　 ９", "ゴブリン　　 ２", "オーク　　　 １"};
    return w;
}

} // namespace

// ---------------------------------------------------------------- rankings

TEST(ScriptRanking, OneLineWhenItOpensAndTheKeysThatCloseIt)
{
    for (const char* closer : {"Enter", "Escape", "Backspace"}) {
        ScriptedGame s(std::string("key Down\nkey End\nkey Up\nwait 2000\n") + "key " + closer +
                       "\nkey Enter\n");
        RankingWindow w = threeRows();
        s.game.prompter->run(s.game, w);
        EXPECT_TRUE(w.closed()) << closer;
        EXPECT_EQ(w.selected, 1) << closer;
        // Moving through the board changes nothing it writes.
        EXPECT_EQ(s.out.str(), "RANK 今までに倒したモンスターの数　12 | スライム　　 ９ | "
                               "ゴブリン　　 ２ | オーク　　　 １\n")
            << closer;
        // The line after the closing key is left for whatever comes next.
        EXPECT_TRUE(s.source.next().has_value()) << closer;
    }
}

TEST(ScriptRanking, DumpMarksTheSelectedRowAndAnEmptyHeadingStaysEmpty)
{
    ScriptedGame s("key Down\nkey Down\ndump\nkey Escape\n");
    RankingWindow w = threeRows();
    w.heading.clear();
    s.game.prompter->run(s.game, w);
    const std::string out = s.out.str();
    EXPECT_EQ(out.rfind("RANK  | スライム", 0), 0u) << out;
    EXPECT_NE(out.find("prompt RANK \n"
                       "    スライム　　 ９\n"
                       "  > ゴブリン　　 ２\n"
                       "    オーク　　　 １\n"
                       "END\n"),
              std::string::npos)
        << out;
}

// ------------------------------------------------------------ status window

TEST(ScriptStatus, OpensWithItsCaptionAndCommandsAndLeavesWithL)
{
    Party p("key Down\nkey Up\nwait 1000\nkey L\n");
    ShowStatus(p.s.game, 1, StatusMode::Tavern);
    EXPECT_EQ(p.out(), std::string("STATUS アリス") + kTavernCommands + "\n");
}

TEST(ScriptStatus, EquippingWritesEachKindsChoicesThenTheCommandsAgain)
{
    // Sword into the main hand, Escape (nothing) for the shield's hand, then
    // Enter on "なにもつけない" for every other kind.
    Party p("key E\nkey Enter\nkey Escape\nkey Enter\nkey Enter\nkey Enter\nkey Enter\n"
            "key Enter\nkey L\n");
    ShowStatus(p.s.game, 1, StatusMode::Tavern);
    const std::vector<std::string> expected = {
        std::string("STATUS アリス") + kTavernCommands,
        "EQUIP 利き手の装備を選んで下さい | ロングソード | なにもつけない",
        "EQUIP 補助の手の装備を選んで下さい | ラージシールド | なにもつけない",
        "EQUIP 鎧を選んで下さい | なにもつけない",
        "EQUIP 小手を選んで下さい | なにもつけない",
        "EQUIP 靴を選んで下さい | なにもつけない",
        "EQUIP 兜を選んで下さい | なにもつけない",
        "EQUIP アクセサリを選んで下さい | なにもつけない",
        std::string("STATUS アリス") + kTavernCommands,
    };
    EXPECT_EQ(lines(p.out()), expected);
    EXPECT_EQ(p.s.game.character(1).itemFlags[1] & 0x0F, 1);
    EXPECT_EQ(p.s.game.character(1).itemFlags[2] & 0x0F, 0);
}

TEST(ScriptStatus, NestedMessagesComeBetweenAndLinesRepeatOnlyOnChange)
{
    // ボブ carries nothing: equipping says so in a box and the window's
    // commands are not written again; N shows アリス, B ボブ once more.
    Party p("key E\nkey Enter\nkey N\nkey B\nkey Escape\n");
    ShowStatus(p.s.game, 2, StatusMode::Tavern);
    const std::vector<std::string> expected = {
        std::string("STATUS ボブ") + kTavernCommands,
        "MSG [] アイテムを持ってません",
        std::string("STATUS アリス") + kTavernCommands,
        std::string("STATUS ボブ") + kTavernCommands,
    };
    EXPECT_EQ(lines(p.out()), expected);
}

TEST(ScriptStatus, TheSpellBookWritesBothPagesAndAnyOtherKeyClosesIt)
{
    Party p("key R\nkey Down\nkey PageDown\nkey Space\nkey L\n");
    ShowStatus(p.s.game, 1, StatusMode::Roster);
    const std::vector<std::string> expected = {
        "STATUS アリス | R)呪文書を読む | L)戻る",
        "SPELLS Ｗｉｚａｒｄ | 1:* VELTO",
        "SPELLS Ｃｌｅｒｉｃ | 1:  SANEL",
        "STATUS アリス | R)呪文書を読む | L)戻る",
    };
    EXPECT_EQ(lines(p.out()), expected);
}

TEST(ScriptStatus, ThrowingAwayWritesThePickAndTheMessageLabel)
{
    Party p("key D\nkey Escape\nkey D\nkey Down\nkey Enter\nkey L\n");
    ShowStatus(p.s.game, 1, StatusMode::Tavern);
    const std::string commands = std::string("STATUS アリス") + kTavernCommands;
    const std::vector<std::string> expected = {
        commands, "ITEMS [アイテムを捨てる]  | 01:  ロングソード | 02:  ラージシールド",
        commands, "ITEMS [アイテムを捨てる]  | 01:  ロングソード | 02:  ラージシールド",
        commands, "NOTE   ラージシールドを捨てました",
    };
    EXPECT_EQ(lines(p.out()), expected);
    EXPECT_EQ(p.s.game.character(1).items[2], 0);
}

TEST(ScriptStatus, DumpShowsTheSheetTheListsAndWhichHasTheKeyboard)
{
    Party p("key E\nkey Down\ndump\nkey Escape\nkey Escape\nkey Escape\nkey Escape\nkey Escape\n"
            "key Escape\nkey Escape\nkey D\ndump\nkey Escape\nkey L\n");
    p.s.game.character(1).conditions = 0; // an empty condition line is left out
    ShowStatus(p.s.game, 1, StatusMode::Tavern);
    const std::string out = p.out();
    EXPECT_NE(out.find("prompt STATUS アリス\n"
                       "  sheet: アリス\n"
                       "  sheet: Ｎ－Ｆｉｇ Ｈｕｍ 男\n"
                       "  sheet: ＬＶ 4\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("  sheet: ＨＰ      12／      12\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("  sheet: \n"), std::string::npos) << out;
    EXPECT_NE(out.find("  lstCommand\n"
                       "  > E)装備\n"
                       "    T)渡す\n"),
              std::string::npos)
        << out;
    // While equipping: lstEQ under its caption has the keyboard.
    EXPECT_NE(out.find("  lstItem\n"
                       "    01:  ロングソード\n"
                       "    02:  ラージシールド\n"
                       "  lstEQ [利き手の装備を選んで下さい]\n"
                       "    ロングソード\n"
                       "  > なにもつけない\n"
                       "  keyboard lstEQ\n"
                       "END\n"),
              std::string::npos)
        << out;
    // While an item is picked: lstItem says for what and has the keyboard.
    EXPECT_NE(out.find("  lstItem [アイテムを捨てる] \n"
                       "  > 01:  ロングソード\n"
                       "    02:  ラージシールド\n"
                       "  keyboard lstItem\n"
                       "END\n"),
              std::string::npos)
        << out;
}

TEST(ScriptStatus, ABoxOpenedFromTheWindowIsDumpedAfterIt)
{
    Party p("key E\ndump\nkey Enter\nkey L\n");
    ShowStatus(p.s.game, 2, StatusMode::Tavern);
    const std::string out = p.out();
    const std::size_t window = out.find("prompt STATUS ボブ\n");
    const std::size_t box = out.find("prompt MSG [] アイテムを持ってません\n");
    ASSERT_NE(window, std::string::npos) << out;
    ASSERT_NE(box, std::string::npos) << out;
    EXPECT_LT(window, box);
    EXPECT_NE(out.find("  keyboard lstCommand\nprompt MSG"), std::string::npos) << out;
}

TEST(ScriptStatus, TextIsRefusedAndAnEndedScriptLeavesNoWindowBehind)
{
    {
        Party p("key R\ntext ＡＬＡＮ\n");
        try {
            ShowStatus(p.s.game, 1, StatusMode::Roster);
            ADD_FAILURE() << "text was taken by the status window";
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.line(), 2);
            EXPECT_NE(std::string(e.what()).find("the status window is open"), std::string::npos)
                << e.what();
        }
    }
    Party p("key R\n");
    EXPECT_THROW(ShowStatus(p.s.game, 1, StatusMode::Roster), ScriptEnded);
    p.s.prompter->dump(p.s.game);
    EXPECT_NE(p.out().find("DUMP\n"), std::string::npos) << p.out();
    EXPECT_EQ(p.out().find("prompt STATUS"), std::string::npos) << p.out();
}

// ------------------------------------------------------- lines and dumps

TEST(ScriptStatusLines, FollowTheKeyboardAndEscapeControlCharacters)
{
    Party p("");
    StatusWindow w(p.s.game, 1, StatusMode::Roster);
    EXPECT_EQ(StatusLines(w),
              (std::vector<std::string>{"STATUS アリス | R)呪文書を読む | L)戻る"}));
    w.lblMsg1 = "一行目\r\n二行目";
    w.focus = StatusFocus::Items;
    w.itemTitle = "アイテムを渡す";
    w.itemPrompt = "どれを渡しますか？";
    EXPECT_EQ(
        StatusLines(w),
        (std::vector<std::string>{
            "ITEMS [アイテムを渡す] どれを渡しますか？ | 01:  ロングソード | 02:  ラージシールド",
            "NOTE 一行目\\n二行目"}));
}

TEST(ScriptStatus, TheCampsTeleportPanelAndItemCard)
{
    Party p("key S\ntext tele\nkeys 12\nkey Down\nkey Minus\nkey 3\ndump\nkey Escape\nkey Enter\n"
            "key J\nkey Enter\ndump\nkey Escape\nkey L\n");
    Game& g = p.s.game;
    Content& content = OwnContent(g);
    SpellDef& tele = content.spells[3];
    tele = content.spells[1];
    tele.name = "TELE";
    tele.effect = 44;
    tele.flags = SpellFlag::Camp;
    g.character(1).mp(0, 1) = 1;
    g.character(1).classCode = Class::Sage;
    ShowStatus(g, 1, StatusMode::Camp);
    const std::string out = p.out();
    EXPECT_NE(out.find("MOVE 転移魔法 | X 12 | Y> -3 | Z 0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  fraMove [転移魔法] 転移する値を入力してください\\nマイナスで逆方向へ転移"
                       "します\n"
                       "    txtXMove: 12\n"
                       "  > txtYMove: -3\n"
                       "    txtZMove: 0\n"
                       "  keyboard fraMove\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("MSG [] おおっと！\n"), std::string::npos) << out;
    EXPECT_NE(out.find("CARD | ロングソード | 種族:"), std::string::npos) << out;
    EXPECT_NE(out.find("  fraInspect\n    ロングソード\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  keyboard fraInspect\n"), std::string::npos) << out;
}
