#include "core/message_history.h"

#include <gtest/gtest.h>

#include "core/config_window.h"
#include "core/ini_file.h"
#include "core/message_speed.h"
#include "core/prompts.h"
#include "game_fixture.h"

namespace qvr::test {

namespace {

std::vector<std::string> Lines(const MessageHistory& h)
{
    return {h.lines().begin(), h.lines().end()};
}

// Records every box with its delay, closes it, and answers the history
// window with the keys queued for it.
struct HistoryPrompter : ScriptedPrompter {
    using ScriptedPrompter::run;
    std::vector<int> delays;
    void run(Game& game, MessageBox& box) override
    {
        delays.push_back(box.autoCloseMs);
        shown.push_back("MSG " + box.text);
        box.pressKey(game, box.showsYesNo() ? CharKey('N') : Key::Enter);
    }
};

} // namespace

// One box is one entry: its later lines indented, whatever its line breaks.
TEST(MessageHistory, SplitsEachBoxIntoItsLines)
{
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"モンスターが現れた", {"モンスターが現れた"}},
        {"ＢＬＯＢは\n死んだ・・・", {"ＢＬＯＢは", "　死んだ・・・"}},
        {"友好的な\rＢＡＴ\r戦いますか？", {"友好的な", "　ＢＡＴ", "　戦いますか？"}},
        {"a\r\nb", {"a", "　b"}},
        {"a\n\nb", {"a", "　", "　b"}},
        {"ends with a break\n", {"ends with a break"}},
        {"", {""}},
    };
    for (const Case& c : cases) {
        MessageHistory h;
        h.add(c.text);
        EXPECT_EQ(Lines(h), c.lines) << c.text;
    }
}

TEST(MessageHistory, KeepsTheNewestLinesOnly)
{
    MessageHistory h;
    for (std::size_t i = 0; i < kHistoryLineLimit + 10; ++i)
        h.add(std::to_string(i) + "\nmore");
    ASSERT_EQ(h.lines().size(), kHistoryLineLimit);
    EXPECT_EQ(h.lines().back(), "　more");
    EXPECT_EQ(h.lines().front(), std::to_string(kHistoryLineLimit / 2 + 10));
}

// What is told or asked is kept; what is typed is the player's own. The
// window opens on the newest line, reads with the keys and closes leaving
// the town's menu as it was.
TEST(MessageHistory, WindowShowsWhatBoxesShowedAndLeavesTheScreenAsItWas)
{
    GameFixture<HistoryPrompter> f;
    ShowMessage(f.game, "", "ようこそ\nいらっしゃい");
    AskYesNo(f.game, "", "買いますか？");
    InputText(f.game, "", "名前は？");
    EXPECT_EQ(Lines(f.game.history),
              (std::vector<std::string>{"ようこそ", "　いらっしゃい", "買いますか？"}));

    const std::string owner = f.owner();
    const int selected = f.game.screen.keyboardPanel()->selected;
    f.prompter->answer({Key::Up, Key::Up, Key::Up, Key::Down, Key::Escape});
    f.press(kHistoryKey);
    EXPECT_EQ(f.prompter->shown.back(), "HISTORY|ようこそ|　いらっしゃい|買いますか？");
    EXPECT_EQ(f.owner(), owner);
    EXPECT_EQ(f.game.screen.keyboardPanel()->selected, selected);
    EXPECT_FALSE(f.game.history.showing);

    // Open already: the key belongs to the window, no second one opens.
    f.game.history.showing = true;
    const std::size_t before = f.prompter->shown.size();
    ShowHistory(f.game);
    EXPECT_EQ(f.prompter->shown.size(), before);
}

TEST(HistoryWindow, KeysReadAndClose)
{
    GameFixture<> f;
    HistoryWindow w;
    for (int i = 0; i < 40; ++i)
        w.lines.push_back(std::to_string(i));
    w.selected = 39;
    struct Step {
        Key key;
        int selected;
        bool closed;
    };
    const Step steps[] = {
        {Key::Up, 38, false},      {Key::PageUp, 22, false},   {Key::Home, 0, false},
        {Key::Up, 0, false},       {Key::PageDown, 16, false}, {Key::End, 39, false},
        {CharKey('A'), 39, false}, {Key::Ctrl, 39, false},
    };
    for (const Step& s : steps) {
        w.pressKey(f.game, s.key);
        EXPECT_EQ(w.selected, s.selected) << KeyName(s.key);
        EXPECT_EQ(w.closed(), s.closed) << KeyName(s.key);
    }
    EXPECT_EQ(f.count("SAVE"), 1); // Ctrl saves here too
    for (Key k : {Key::Escape, Key::Backspace, Key::Enter, Key::Space, kHistoryKey}) {
        HistoryWindow closing;
        closing.pressKey(f.game, k);
        EXPECT_TRUE(closing.closed()) << KeyName(k);
    }
}

TEST(BattleMessageSpeed, ReadsWhatQvrIniHolds)
{
    struct Case {
        const char* text;
        int ms;
    };
    const Case cases[] = {
        {"", 0},    {"0", 0},   {"500", 500},     {" 1500 ", 1500}, {"-5", 0},
        {"abc", 0}, {"12x", 0}, {"10000", 10000}, {"10001", 10000}, {"99999999999999999999", 10000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseBattleDelay(c.text), c.ms) << c.text;

    EXPECT_EQ(BattleDelayName(0), "キー入力を待つ");
    EXPECT_EQ(BattleDelayName(500), "0.5秒で閉じる");
    EXPECT_EQ(BattleDelayName(2000), "2秒で閉じる");
    EXPECT_EQ(BattleDelayName(1250), "1.25秒で閉じる");
    EXPECT_EQ(BattleDelayChoices(1000),
              std::vector<int>(kBattleDelays.begin(), kBattleDelays.end()));
    EXPECT_EQ(BattleDelayChoices(750), (std::vector<int>{0, 500, 750, 1000, 2000, 3000}));
}

// The speed is the program's setting: QVR.ini, through the settings window,
// read again at start-up; a narration box carries it, other boxes do not.
TEST(BattleMessageSpeed, KeptInQvrIniAndCarriedByNarrationBoxes)
{
    GameFixture<HistoryPrompter> f;
    EXPECT_EQ(f.game.battleMessageMs, 0);
    ConfigWindow config(f.game);
    EXPECT_EQ(config.battleDelay(), 0);
    config.setBattleDelay(1000);
    config.ok(f.game);
    EXPECT_EQ(f.game.battleMessageMs, 1000);
    EXPECT_EQ(IniFile::load(f.store()).valueOr(kMessageSection, kBattleDelayKey), "1000");

    f.game.battleMessageMs = 0;
    LoadMessageSpeed(f.game);
    EXPECT_EQ(f.game.battleMessageMs, 1000);
    EXPECT_EQ(ConfigWindow(f.game).battleDelay(), 1000);

    ShowNarration(f.game, "ＢＬＯＢは\n死んだ・・・");
    ShowMessage(f.game, "", "宿屋");
    EXPECT_EQ(f.prompter->delays, (std::vector<int>{1000, 0}));
    EXPECT_EQ(Lines(f.game.history),
              (std::vector<std::string>{"ＢＬＯＢは", "　死んだ・・・", "宿屋"}));
}

} // namespace qvr::test
