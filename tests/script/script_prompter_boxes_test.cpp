// The message, yes/no and text boxes as the runner shows and answers them.

#include <gtest/gtest.h>

#include "app/script_transcript.h"
#include "core/data_files.h"
#include "core/memory_store.h"
#include "core/prompts.h"
#include "tests/script/scripted_game.h"

using namespace qvr;
using namespace qvr::test;

TEST(ScriptBoxes, EachKindOpensWithItsLine)
{
    ScriptedGame s("key Enter\nkey Y\ntext x\n");
    ShowMessage(s.game, "題", "一行目\r\n二行目\r三\n四");
    AskYesNo(s.game, "", "よろしいですか？");
    InputText(s.game, "名前", "名前は？\n(8文字まで)");
    EXPECT_EQ(s.out.str(), "MSG [題] 一行目\\n二行目\\n三\\n四\n"
                           "ASK [] よろしいですか？\n"
                           "INPUT [名前] 名前は？\\n(8文字まで)\n");
}

TEST(ScriptBoxes, YesNoAnswersAsTheKeysSay)
{
    struct Case {
        const char* key;
        bool yes;
    };
    for (Case c : {Case{"Y", true},
                   {"Enter", true},
                   {"N", false},
                   {"Escape", false},
                   {"Backspace", false}}) {
        ScriptedGame s(std::string("key ") + c.key + "\n");
        EXPECT_EQ(AskYesNo(s.game, "", "?"), c.yes) << c.key;
    }
}

TEST(ScriptBoxes, SpaceAndOtherLettersLeaveAQuestionOpen)
{
    ScriptedGame s("key Space\nkey Q\ndump\nkey N\n");
    EXPECT_FALSE(AskYesNo(s.game, "", "進みますか？"));
    EXPECT_NE(s.out.str().find("prompt ASK [] 進みますか？\n"), std::string::npos) << s.out.str();
}

TEST(ScriptBoxes, MessageBoxClosesOnSpaceEnterEscapeAndBackspaceOnly)
{
    for (const char* key : {"Space", "Enter", "Escape", "Backspace"}) {
        ScriptedGame s(std::string("key ") + key + "\ndump\n");
        ShowMessage(s.game, "", "了解");
        // The box took one line and left the next to whoever asks.
        std::optional<ScriptStep> rest = s.source.next();
        ASSERT_TRUE(rest) << key;
        EXPECT_EQ(rest->kind, ScriptStep::Kind::Dump) << key;
    }
    ScriptedGame letters("keys YN\nkey Enter\n");
    ShowMessage(letters.game, "", "了解");
    EXPECT_FALSE(letters.source.next());
}

TEST(ScriptBoxes, KeysLeftWhenABoxClosesGoToTheNextPrompt)
{
    ScriptedGame s("keys YN\n");
    EXPECT_TRUE(AskYesNo(s.game, "", "一つ目"));
    EXPECT_FALSE(AskYesNo(s.game, "", "二つ目"));
}

TEST(ScriptBoxes, TextReplacesWhatTheBoxHoldsAndEscapeEmptiesIt)
{
    ScriptedGame s("text アリス\nkey Enter\nkey Escape\ntext  二つの 空白 \ntext\n");
    EXPECT_EQ(InputText(s.game, "", "名前は？", "既定"), "アリス");
    EXPECT_EQ(InputText(s.game, "", "名前は？", "既定"), "既定");
    EXPECT_EQ(InputText(s.game, "", "名前は？", "既定"), "");
    EXPECT_EQ(InputText(s.game, "", "名前は？"), " 二つの 空白 ");
    EXPECT_EQ(InputText(s.game, "", "名前は？", "既定"), "");
}

TEST(ScriptBoxes, LinesABoxCannotTakeAreScriptErrorsNamingTheLine)
{
    struct Case {
        BoxType type;
        const char* script;
        int64_t line;
    };
    for (Case c : {Case{BoxType::Input, "# typing\nkey A\n", 2},
                   {BoxType::Input, "key Space\n", 1},
                   {BoxType::Input, "\n\nkey Backspace\n", 3},
                   {BoxType::Message, "text はい\n", 1},
                   {BoxType::YesNo, "wait 10\nclose\n", 2}}) {
        ScriptedGame s(c.script);
        try {
            if (c.type == BoxType::Input)
                InputText(s.game, "", "?");
            else if (c.type == BoxType::Message)
                ShowMessage(s.game, "", "!");
            else
                AskYesNo(s.game, "", "?");
            ADD_FAILURE() << "no script error for " << c.script;
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.line(), c.line) << c.script;
            EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(c.line) + ": ", 0), 0u)
                << e.what();
        }
    }
}

TEST(ScriptBoxes, ScriptRunningOutWhileABoxWaitsEndsTheRun)
{
    ScriptedGame s("key Space\n");
    EXPECT_THROW(AskYesNo(s.game, "", "?"), ScriptEnded);
    ScriptedGame empty("");
    EXPECT_THROW(ShowMessage(empty.game, "", "!"), ScriptEnded);
}

TEST(ScriptBoxes, CtrlInABoxSavesAndKeepsItOpen)
{
    ScriptedGame s("key Ctrl\nkey Enter\n");
    auto store = std::make_unique<MemoryStore>();
    MemoryStore& files = *store;
    s.game.store = std::move(store);
    ScriptObserver observer(s.out);
    s.game.observer = &observer;
    ShowMessage(s.game, "", "セーブ");
    EXPECT_EQ(s.out.str(), "MSG [] セーブ\nSAVE\n");
    EXPECT_EQ(files.file(kSaveFileName).value_or(std::vector<uint8_t>{}).size(), kSaveFileBytes);
}

TEST(ScriptBoxes, WaitInABoxMovesTheClockAndFiresTimersThatMayOpenMoreBoxes)
{
    ScriptedGame s("wait 1500\ndump\nkey Enter\nkey Enter\n");
    s.game.timers.define(
        "t", 1000,
        [](Game& g) {
            g.timers.enable("t", false);
            ShowMessage(g, "", "二つ目");
        },
        true);
    ShowMessage(s.game, "", "一つ目");
    EXPECT_DOUBLE_EQ(s.game.clock->secondsSinceMidnight(), 12 * 3600 + 1.5);
    EXPECT_EQ(s.game.timers.now(), 1500);
    const std::string out = s.out.str();
    EXPECT_EQ(out.rfind("MSG [] 一つ目\nMSG [] 二つ目\nDUMP\nclock 12:00:01.000 +1000ms\n", 0), 0u)
        << out;
    EXPECT_NE(out.find("prompt MSG [] 一つ目\nprompt MSG [] 二つ目\nEND\n"), std::string::npos)
        << out;
}

TEST(ScriptBoxes, PromptsOpeningInsidePromptsWithoutEndStopTheGame)
{
    std::string script;
    for (std::size_t i = 0; i <= kMaxOpenPrompts + 1; ++i)
        script += "wait 1000\n";
    ScriptedGame s(script);
    s.game.timers.define(
        "t", 1000, [](Game& g) { ShowMessage(g, "", "また"); }, true);
    EXPECT_THROW(ShowMessage(s.game, "", "最初"), GameError);
}
