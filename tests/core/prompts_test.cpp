// The message box's keys, the pickers and the character chooser's listings.

#include <gtest/gtest.h>

#include "core/game.h"
#include "core/prompts.h"
#include "own_content.h"
#include "rules/character_lists.h"
#include "scripted_prompter.h"

using namespace qvr;
using namespace qvr::test;

namespace {

Character& make(Game& game, int r, const std::string& name, int alignment, int floor = 0)
{
    Character& c = game.character(r);
    c.rosterNo = r;
    c.name = name;
    c.alignment = static_cast<int16_t>(alignment);
    c.classCode = Class::Fighter;
    c.race = Race::Human;
    c.level = 1;
    c.floor = static_cast<int16_t>(floor);
    return c;
}

} // namespace

TEST(MessageBoxKeys, YesNoAnswersOnlyToItsKeys)
{
    Game game;
    struct Case {
        Key key;
        bool closes;
        int answer;
    };
    const Case cases[] = {
        {CharKey('Y'), true, -1}, {Key::Enter, true, -1},    {CharKey('N'), true, 0},
        {Key::Escape, true, 0},   {Key::Backspace, true, 0}, {Key::Space, false, 0},
        {CharKey('A'), false, 0},
    };
    for (const Case& c : cases) {
        MessageBox box;
        box.type = BoxType::YesNo;
        box.answerYes = 5; // untouched unless answered
        box.pressKey(game, c.key);
        EXPECT_EQ(box.closed(), c.closes) << KeyName(c.key);
        if (c.closes)
            EXPECT_EQ(box.answerYes, c.answer) << KeyName(c.key);
        else
            EXPECT_EQ(box.answerYes, 5);
    }
}

TEST(MessageBoxKeys, MessageClosesOnSpaceEnterEscapeBackspaceOnly)
{
    Game game;
    for (Key k : {Key::Space, Key::Enter, Key::Escape, Key::Backspace}) {
        MessageBox box;
        box.pressKey(game, k);
        EXPECT_TRUE(box.closed()) << KeyName(k);
    }
    for (Key k : {CharKey('Y'), CharKey('N'), Key::Up}) {
        MessageBox box;
        box.pressKey(game, k);
        EXPECT_FALSE(box.closed()) << KeyName(k);
    }
    MessageBox clicked;
    clicked.clickFrame();
    EXPECT_TRUE(clicked.closed());
    MessageBox question;
    question.type = BoxType::YesNo;
    question.clickFrame();
    EXPECT_FALSE(question.closed());
}

TEST(MessageBoxKeys, TextBoxKeepsTextOnEnterAndEmptiesOnEscape)
{
    Game game;
    ScriptedPrompter& p = Script(game);
    p.answer({Key::Enter}, "ゆうしゃ");
    EXPECT_EQ(InputText(game, "名前", "名前を入力して下さい", "x"), "ゆうしゃ");
    p.answer({Key::Space, Key::Backspace, Key::Escape}, "typed");
    EXPECT_EQ(InputText(game, "名前", "?", "x"), "");
    p.answer({Key::Enter});
    EXPECT_EQ(InputText(game, "", "?", "default"), "default");
    EXPECT_EQ(p.shown[0], "INPUT 名前|名前を入力して下さい");
}

TEST(MessageBoxKeys, AskReturnsTheAnswerAndTheSecondBoxFollowsTheMonsterPicture)
{
    Game game;
    ScriptedPrompter& p = Script(game);
    p.answer({Key::Space, CharKey('Y')});
    EXPECT_TRUE(AskYesNo(game, "t", "q"));
    p.answer({Key::Backspace});
    EXPECT_FALSE(AskYesNo(game, "t", "q"));

    struct Watch : Prompter {
        bool second = false;
        void run(Game&, ModalWindow& w) override
        {
            second = WindowAs<MessageBox>(w)->second;
            w.close();
        }
        std::string chooseFile(Game&, const std::string&) override { return ""; }
    };
    auto watch = std::make_unique<Watch>();
    Watch& w = *watch;
    game.prompter = std::move(watch);
    ShowMessage(game, "", "x");
    EXPECT_FALSE(w.second);
    game.screen.monsterPictureVisible = true;
    ShowMessage(game, "", "x");
    EXPECT_TRUE(w.second);
}

TEST(Pickers, PickItemWithNothingCarriedSaysSoWithoutAPicker)
{
    Game game;
    ScriptedPrompter& p = Script(game);
    make(game, 1, "A", 2);
    p.answer({Key::Enter});
    EXPECT_EQ(PickItem(game, 1), -1);
    ASSERT_EQ(p.shown.size(), 1u);
    EXPECT_EQ(p.shown[0], "MSG |アイテムを持っていません");
}

TEST(Pickers, PickItemListsNamesByIdentificationAndReturnsTheSlot)
{
    Game game;
    ScriptedPrompter& p = Script(game);
    Character& c = make(game, 1, "A", 2);
    Content& content = OwnContent(game);
    content.items[7].name = "聖なる鎧";
    content.items[7].unknownName = "鎧";
    c.items[1] = 7;
    c.items[3] = 7;
    c.itemFlags[3] = ItemFlag::Unidentified;
    p.answer({Key::Down, Key::Enter});
    EXPECT_EQ(PickItem(game, 1), 3);
    EXPECT_EQ(p.shown[0], "PICK アイテムを選んでください|聖なる鎧|鎧");
    p.answer({Key::Escape});
    EXPECT_EQ(PickItem(game, 1), -1);
}

TEST(Pickers, WidePickMemberShowsTheItemsWithTheirMarks)
{
    Game game;
    ScriptedPrompter& p = Script(game);
    Character& c = make(game, 4, "ﾀﾛｰ", 1);
    make(game, 9, "花子", 1);
    game.state.partyCount = 2;
    game.state.partyMember[1] = 4;
    game.state.partyMember[2] = 9;
    Content& content = OwnContent(game);
    for (int i = 1; i <= 5; ++i)
        content.items[i].name = "item" + std::to_string(i);
    content.items[2].unknownName = "？";
    const int16_t flags[] = {ItemFlag::Cursed | 1, ItemFlag::Unidentified, ItemFlag::CannotEquip, 2,
                             0};
    for (int slot = 1; slot <= 5; ++slot) {
        c.items[slot + 1] = static_cast<int16_t>(slot); // slot 1 stays empty
        c.itemFlags[slot + 1] = flags[slot - 1];
    }
    p.answer({Key::Enter});
    EXPECT_EQ(PickMember(game, true), 4);
    EXPECT_EQ(p.lastSide, (std::vector<std::string>{"01:- item1", "02:? ？", "03:# item3",
                                                    "04:* item4", "05:  item5"}));
    p.answer({Key::Down, Key::Escape});
    EXPECT_EQ(PickMember(game, true), -1);
    EXPECT_TRUE(p.lastSide.empty()); // 花子 carries nothing
    EXPECT_EQ(p.shown[0], "PICK キャラクターを選んでください|ﾀﾛｰ|花子");
}

TEST(Pickers, PickFromListSkipsEmptyTextsAndReturnsZeroForNothing)
{
    Game game;
    ScriptedPrompter& p = Script(game);
    EXPECT_EQ(PickFromList(game, {"", ""}, {1, 2}, "どれ？"), 0);
    EXPECT_TRUE(p.shown.empty());
    p.answer({Key::End, Key::Enter});
    EXPECT_EQ(PickFromList(game, {"a", "", "c"}, {10, 20, 30}, "どれ？"), 30);
    EXPECT_EQ(p.shown[0], "PICK どれ？|a|c");
}

TEST(CharacterChooserListing, EachModeListsItsCharacters)
{
    Game game;
    make(game, 1, "Law", Align::Lawful);
    make(game, 2, "Neu", Align::Neutral);
    make(game, 3, "Cha", Align::Chaotic);
    make(game, 4, "Away", Align::Neutral, 3);
    make(game, 5, "Member", Align::Lawful, -1);
    auto listed = [&](int mode) {
        std::vector<Row> rows;
        ListCharacters(game, mode, rows);
        std::vector<int> values;
        for (const Row& r : rows)
            values.push_back(r.value);
        return values;
    };
    EXPECT_EQ(listed(3), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(listed(4), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(listed(2), (std::vector<int>{4}));
    EXPECT_TRUE(listed(8).empty());

    // Join: the party's alignments decide who may come.
    game.state.partyCount = 1;
    game.state.partyMember[1] = 5; // lawful
    EXPECT_EQ(listed(1), (std::vector<int>{1, 2}));
    game.character(5).alignment = Align::Chaotic;
    EXPECT_EQ(listed(1), (std::vector<int>{2, 3}));
    game.state.partyCount = 2;
    game.state.partyMember[2] = 1; // lawful and chaotic together: neutral only
    EXPECT_EQ(listed(1), (std::vector<int>{2}));
}

TEST(CharacterChooserListing, EmptyJoinAndResumeListsSaySoAndReturnZero)
{
    Game game;
    ScriptedPrompter& p = Script(game);
    p.answer({Key::Enter});
    p.answer({Key::Enter});
    EXPECT_EQ(ChooseCharacter(game, 1), 0);
    EXPECT_EQ(ChooseCharacter(game, 2), 0);
    EXPECT_EQ(p.shown, (std::vector<std::string>{"MSG |パーティーを組めるキャラクターがいません",
                                                 "MSG |洞窟の中には誰もいません"}));
    EXPECT_TRUE(p.chooserModes.empty()); // nobody to choose: no chooser
}

TEST(CharacterChooserListing, ChoosingReturnsTheRosterNumberAndREscapeBackCancel)
{
    Game game;
    ScriptedPrompter& p = Script(game);
    make(game, 2, "A", 2);
    make(game, 7, "B", 2);
    p.answer({Key::Down, Key::Enter});
    EXPECT_EQ(ChooseCharacter(game, 3), 7);
    for (Key cancel : {CharKey('r'), CharKey('R'), Key::Escape, Key::Backspace}) {
        p.answer({cancel});
        EXPECT_EQ(ChooseCharacter(game, 3), 0) << KeyName(cancel);
    }
    p.answer({Key::End, Key::Enter}); // the back row
    EXPECT_EQ(ChooseCharacter(game, 3), 0);
    EXPECT_NE(p.shown[0].find("|Ｒ）戻る"), std::string::npos);

    // A mode's action may keep the chooser open and re-list.
    int picks = 0;
    p.answer({Key::Enter});
    p.answer({Key::Enter});
    int result = ChooseCharacter(game, 3, [&](Game&, CharacterChooser& ch, int value) {
        ++picks;
        ch.rows.erase(ch.rows.begin());
        return value == 2;
    });
    EXPECT_EQ(picks, 2);
    EXPECT_EQ(result, 7);
}

TEST(SummaryLines, FieldsAreCountedInCharactersThenWidened)
{
    Game game;
    Character& c = make(game, 1, "ｱﾙﾌｧ", Align::Lawful);
    c.level = 12;
    c.race = Race::Elf;
    EXPECT_EQ(SummaryLine(game, 1, 1),
              "１　）アルファ　　　　　　　　　ＬＶ　　　１２　Ｌ－Ｆｉｇ　Ｅｌｆ　");
    c.classCode = 64; // no abbreviation: only the prefix
    c.alignment = Align::Neutral;
    c.name = "勇者";
    EXPECT_EQ(SummaryLine(game, 1, 10),
              "１０）勇者　　　　　　　　　　　ＬＶ　　　１２　Ｎ－　　　　Ｅｌｆ　");
}

TEST(SummaryLines, AshesOutranksDeadAndOutFollows)
{
    Game game;
    Character& c = make(game, 1, "A", Align::Neutral, 2);
    c.conditions = Cond::Dead | Cond::Ashes;
    std::string line = SummaryLine(game, 1, 1);
    EXPECT_NE(line.find("Ａｓｈｅｓ．Ｏｕｔ"), std::string::npos) << line;
    EXPECT_EQ(line.find("Ｄｅａｄ"), std::string::npos);
    c.conditions = Cond::Dead;
    c.floor = 0;
    line = SummaryLine(game, 1, 1);
    EXPECT_EQ(line.substr(line.size() - std::string("Ｄｅａｄ．").size()), "Ｄｅａｄ．");
}
