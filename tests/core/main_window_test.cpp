// The main window's duties: start-up, the party panel, the return to the
// castle with the ending, key routing, the close rules and the exit.

#include <gtest/gtest.h>

#include "built_files.h"

#include "core/data_files.h"
#include "core/memory_store.h"
#include "core/messages.h"
#include "core/sjis.h"
#include "game/main_window.h"
#include "game_fixture.h"
#include "own_content.h"

using namespace qvr;
using namespace qvr::test;

namespace {

// A started game (see game_fixture.h) whose members stand wherever the party
// does.
struct Fixture : GameFixture<> {
    // A member of the party on the party's own floor, in the given state.
    Character& member(int r, const std::string& name, int position, int32_t conditions = 0)
    {
        Character& c = character(r, name);
        c.floor = game.state.floor;
        c.groupNo = game.state.groupNo;
        c.position = static_cast<int16_t>(position);
        c.conditions = conditions;
        c.maxHp = 12;
        return c;
    }
};

// A game started on a store with empty content, a save with flags 1..25 and
// 37 set, and tracks 1 and 2 given files.
struct Started {
    Game game;
    GameRecorder rec;

    // Unless `finish`, only the title is up: the files wait to be loaded.
    explicit Started(bool showTitle, bool finish = true)
    {
        auto store = std::make_unique<MemoryStore>();
        store->putFile(kContentFileName, EncodeContentImage(Content{}));
        store->putFile(kTextsFileName, test::BuiltFile(kTextsFileName));
        store->putFile(kEventsFileName, test::BuiltFile(kEventsFileName));
        SaveData save;
        for (int i = 1; i <= 25; ++i)
            save.eventFlags[i] = i;
        save.eventFlags[37] = 2;
        store->putFile(kSaveFileName, EncodeSaveImage(save));
        store->putFile(kIniFileName,
                       sjisEncode("[ＢＧＭ]\r\nタイトル=title.mid\r\n城下=town.ogg\r\n"));
        game.observer = &rec;
        game.store = std::move(store);
        if (finish)
            StartUp(game, showTitle);
        else
            BeginStartUp(game, showTitle);
    }
};

} // namespace

TEST(StartUpSequence, TitleTextsAndTheCastleTownAfterAKey)
{
    Started started(true, false);
    Game& game = started.game;
    GameRecorder& rec = started.rec;
    // The title comes up before anything is loaded, and cannot be left yet.
    EXPECT_TRUE(game.screen.titleVisible);
    EXPECT_EQ(game.screen.titleStatus, "Loading...");
    EXPECT_TRUE(game.screen.panels.empty());
    game.pressKey(CharKey('Q'));
    EXPECT_TRUE(game.screen.titleVisible);
    EXPECT_FALSE(game.screen.mainVisible);
    EXPECT_TRUE(rec.events.empty());

    FinishStartUp(game, true);
    EXPECT_EQ(game.place.mode, Mode::Title);
    EXPECT_EQ(game.music.bgmFiles[2], "town.ogg");
    Version v = ProgramVersion();
    EXPECT_TRUE(game.screen.titleVisible);
    EXPECT_EQ(game.screen.titleVersion, "Ver." + std::to_string(v.major) + "." +
                                            std::to_string(v.minor) + "." +
                                            std::to_string(v.revision));
    EXPECT_EQ(game.screen.titleStatus, "Ostraveling Start");
    EXPECT_FALSE(game.screen.mainVisible);
    // A first run stores the version and saves once.
    EXPECT_EQ(rec.events, (std::vector<std::string>{"MUSIC 1", "SAVE"}));
    EXPECT_EQ(game.settings->value("Version", "Major"), std::to_string(v.major));
    // This run's flags start cleared; the others are kept.
    EXPECT_EQ(game.save().eventFlags[20], 0);
    EXPECT_EQ(game.save().eventFlags[21], 21);
    EXPECT_EQ(game.state.floor, -1);
    EXPECT_EQ(game.item(508).name, "コスモドラグーン");
    EXPECT_EQ(game.item(508).itemNo, 508);
    for (int row = 1; row <= 7; ++row) {
        const KeyItemPlace& k = game.state.keyItemPlaces[row];
        EXPECT_TRUE(k.floor >= 1 && k.floor <= 13 && k.x >= 0 && k.x <= 19 && k.y >= 0 &&
                    k.y <= 19);
    }

    rec.events.clear();
    game.pressKey(CharKey('Q'));
    EXPECT_FALSE(game.screen.titleVisible);
    EXPECT_TRUE(game.screen.mainVisible);
    EXPECT_EQ(game.place, InTown(Facility::CastleTown));
    EXPECT_EQ(rec.events, (std::vector<std::string>{"MUSIC 0", "MUSIC 2"}));
    EXPECT_EQ(game.screen.keyboardOwner, "fraCaldrimar");
    EXPECT_EQ(game.screen.panel("fraCaldrimar").selected, 0);
    EXPECT_TRUE(game.screen.panel("fraParty").visible);
    EXPECT_FALSE(game.screen.panel("fraParty").enabled);
}

TEST(StartUpSequence, SkippingTheTitleSkipsItsWindowButNotItsMusic)
{
    Started started(false);
    Game& game = started.game;
    GameRecorder& rec = started.rec;
    EXPECT_FALSE(game.screen.titleVisible);
    EXPECT_TRUE(game.screen.mainVisible);
    EXPECT_EQ(rec.events, (std::vector<std::string>{"MUSIC 1", "SAVE"}));
    EXPECT_EQ(game.music.currentTrack, 1);
    EXPECT_EQ(game.place, InTown(Facility::CastleTown));
    game.pressKey(Key::Down); // the town's key, not the title's
    EXPECT_EQ(game.screen.panel("fraCaldrimar").selected, 1);
    EXPECT_EQ(rec.events.size(), 2u);
}

TEST(StartUpSequence, KeysAreHiddenOnlyOutsideRockAndNotWhenSomeoneHoldsThem)
{
    Game game;
    Content& content = OwnContent(game);
    // Floors 1..13 all rock except one cell of floor 5.
    for (int f = 1; f <= 13; ++f)
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                content.mazeWalls(f, y, x) = 15;
    content.mazeWalls(5, 7, 3) = 0;
    game.character(3).rosterNo = 3;
    game.character(3).items[4] = 97; // key row 3 is held
    game.state.keyItemPlaces[3] = {9, 9, 9};
    PlaceKeyItems(game);
    for (int row = 1; row <= 7; ++row) {
        const KeyItemPlace& k = game.state.keyItemPlaces[row];
        if (row == 3) {
            EXPECT_EQ(k.floor, 9);
            continue;
        }
        EXPECT_EQ(k.floor, 5);
        EXPECT_EQ(k.x, 3);
        EXPECT_EQ(k.y, 7);
    }
}

// Games share one content and each builds its own weapon from the variant
// its story chose; the shared item 508 stays as the content has it.
TEST(StartUpSequence, CraftedWeaponIsEachGamesOwnOverSharedContent)
{
    auto content = std::make_shared<Content>();
    content->items[508].name = "木の枝";
    content->items[507].name = "短剣";
    for (int v = 0; v <= 40; ++v)
        content->craftVariants[v].damageDice = {1, static_cast<int16_t>(v + 1), 0};
    std::shared_ptr<const Content> shared = content;

    Game first, second;
    first.setContent(shared);
    second.setContent(shared);
    EXPECT_EQ(first.item(508).name, "木の枝"); // not built yet: the content's
    first.save().eventFlags[37] = 3;
    second.save().eventFlags[37] = 41; // damaged: variant 0
    BuildCraftedWeapon(first);
    BuildCraftedWeapon(second);
    EXPECT_EQ(first.item(508).name, "コスモドラグーン");
    EXPECT_EQ(first.item(508).damageDice[1], 4);
    EXPECT_EQ(second.item(508).damageDice[1], 1);
    EXPECT_EQ(first.item(507).name, "短剣");
    EXPECT_EQ(shared->items[508].name, "木の枝");
    EXPECT_EQ(&first.content(), &second.content());
    EXPECT_THROW(first.item(641), IndexError);
}

TEST(StartUpSequence, BrokenFilesStopStartUpNamingTheFile)
{
    Game game;
    game.store = std::make_unique<MemoryStore>();
    try {
        StartUp(game, false);
        FAIL();
    } catch (const GameError& e) {
        EXPECT_NE(std::string(e.what()).find("QVR1.DAT"), std::string::npos);
    }
}

TEST(PartyPanel, DisabledMembersGoBehindInPartyOrder)
{
    Fixture f;
    f.member(3, "眠り", 1, Cond::Asleep);
    f.member(5, "Ａ", 2);
    f.member(8, "Ｂ", 3);
    f.member(9, "死", 4, Cond::Dead);
    RefreshPartyPanel(f.game);
    EXPECT_EQ(f.game.state.partyCount, 4);
    EXPECT_EQ(f.partyRows(), (std::vector<std::string>{"１：Ａ", "２：Ｂ", "３：眠り", "４：死"}));
    EXPECT_EQ(f.game.character(5).position, 1);
    EXPECT_EQ(f.game.character(3).position, 3);
    EXPECT_EQ(f.game.state.partyMember[4], 9);
    const Panel& p = f.game.screen.panel("fraParty");
    EXPECT_EQ(p.findLabel("lblState2")->text, "睡眠");
    EXPECT_EQ(p.findLabel("lblState0")->text, "12");
    EXPECT_EQ(p.findLabel("lblClass0")->text, "Ｎ－Ｆｉｇ");
}

TEST(PartyPanel, HitPointMarksAndMembersOfOtherGroupsOrPlaces)
{
    Fixture f;
    f.member(1, "a", 1).regen = 2;
    f.member(2, "b", 2, Cond::Poisoned).regen = 1;
    f.member(3, "c", 3, Cond::Poisoned);
    f.member(4, "d", 4);
    f.member(6, "other", 5).groupNo = 9;
    f.member(7, "free", 6).floor = 0;
    RefreshPartyPanel(f.game);
    const Panel& p = f.game.screen.panel("fraParty");
    ASSERT_EQ(f.game.state.partyCount, 4);
    EXPECT_EQ(p.findLabel("lblHP0")->text, "+10");
    EXPECT_EQ(p.findLabel("lblHP1")->text, " 10");
    EXPECT_EQ(p.findLabel("lblHP2")->text, "-10");
    EXPECT_EQ(p.findLabel("lblHP3")->text, " 10");
    EXPECT_EQ(p.findLabel("lblState1")->text, "毒");
}

TEST(PartyPanel, OnlyAListWithTheKeyboardShowsAHighlightAndARefreshKeepsIt)
{
    struct Case {
        bool enabled;
        int before;
        int members;
        int after;
    };
    for (Case c : {Case{false, 1, 3, -1}, Case{true, 1, 3, 1}, Case{true, 2, 2, 1},
                   Case{true, -1, 2, 0}, Case{true, 1, 0, -1}}) {
        SCOPED_TRACE(testing::Message() << c.enabled << " " << c.before << " " << c.members);
        Fixture f;
        for (int i = 1; i <= c.members; ++i)
            f.member(i, "m", i);
        Panel& p = f.game.screen.panel("fraParty");
        p.enabled = c.enabled;
        p.selected = c.before;
        RefreshPartyPanel(f.game);
        EXPECT_EQ(p.selected, c.after);
    }
}

TEST(PartyPanel, SharedOrMissingPositionsLoseNobody)
{
    Fixture f;
    f.member(1, "a", 0);
    f.member(2, "b", 2);
    f.member(3, "c", 2);
    RefreshPartyPanel(f.game);
    EXPECT_EQ(f.partyRows(), (std::vector<std::string>{"１：ａ", "２：ｂ", "３：ｃ"}));
    EXPECT_EQ(f.game.character(3).position, 3);
}

TEST(ReturnToCastleFlow, DeadLeaveTheVanishedAreErasedAndConditionsClear)
{
    Fixture f;
    f.game.state.floor = 4;
    f.game.state.groupNo = 2;
    f.game.state.partyEffects = PartyEffect::Armour5;
    f.member(1, "ok", 1, Cond::Poisoned | Cond::Blind).baseAc = 5;
    f.member(2, "dead", 2, Cond::Dead);
    f.member(3, "gone", 3, Cond::Vanished);
    f.member(4, "asleep", 4, Cond::Asleep);
    RefreshPartyPanel(f.game);
    SetTitle(f.game, "Ｏｓｔｒａｖｅｌ　－Ｑｕｏｒｖａｔｈ－");
    f.recorder.events.clear();

    ReturnToCastle(f.game);
    EXPECT_EQ(f.game.state.partyEffects, 0);
    EXPECT_EQ(f.game.character(1).conditions, 0);
    EXPECT_EQ(f.game.character(1).ac, 5);
    EXPECT_EQ(f.game.character(1).floor, -1);
    EXPECT_EQ(f.game.character(2).floor, 0);
    EXPECT_EQ(f.game.character(3).rosterNo, 0);
    EXPECT_EQ(f.game.character(3).name, "");
    EXPECT_EQ(f.partyRows(), (std::vector<std::string>{"１：ｏｋ", "２：ａｓｌｅｅｐ"}));
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"SAVE", "TITLE zedure", "MUSIC 2"}));
    EXPECT_EQ(f.game.screen.keyboardOwner, "fraCaldrimar");
}

TEST(EndingFlow, CarryingTheItemHomeShowsTheEndingAndWaitsForEnter)
{
    Fixture f;
    f.game.state.floor = 2;
    f.game.state.groupNo = 1;
    Character& hero = f.member(1, "hero", 1);
    hero.items[2] = 103;
    hero.items[3] = 7;
    f.member(2, "friend", 2);
    RefreshPartyPanel(f.game);
    for (int i = 0; i < 4; ++i)
        f.prompter->answer({Key::Enter});

    ReturnToCastle(f.game);
    ASSERT_EQ(f.prompter->shown.size(), 4u);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(f.prompter->shown[n], "MSG |" + std::string(MessageText(f.game, 200 + n)));
    EXPECT_EQ(hero.items[1], 7); // the item is gone and the pack closed up
    EXPECT_EQ(hero.items[2], 0);
    EXPECT_TRUE(hero.specialFlags & Special::Finished);
    EXPECT_TRUE(f.game.character(2).specialFlags & Special::Finished);
    EXPECT_EQ(f.game.screen.message.text, std::string(MessageText(f.game, 204)));
    EXPECT_TRUE(f.game.screen.message.visible);
    EXPECT_EQ(f.game.state.endingShown, -1);
    EXPECT_EQ(f.game.place.mode, Mode::Ending);

    f.game.pressKey(CharKey('K')); // only Enter goes on
    EXPECT_EQ(f.game.state.endingShown, -1);
    f.game.timers.advance(f.game, 59999);
    EXPECT_TRUE(f.game.screen.drawing.empty());
    f.game.timers.advance(f.game, 1);
    ASSERT_EQ(f.game.screen.drawing.size(), 1u);
    EXPECT_EQ(f.game.screen.drawing[0].text, "しかし・・・");
    EXPECT_EQ(f.game.screen.drawing[0].x1, 0);

    int epilogue = 0;
    for (int n = 11063; n <= 11079; ++n)
        if (HasMessageText(f.game, n)) {
            f.prompter->answer({Key::Enter});
            ++epilogue;
        }
    EXPECT_EQ(epilogue, 17);
    f.recorder.events.clear();
    f.game.pressKey(Key::Enter);
    EXPECT_EQ(f.game.state.endingShown, 0);
    EXPECT_EQ(f.game.place, InTown(Facility::CastleTown));
    EXPECT_EQ(f.prompter->shown.size(), 4u + 17u);
    EXPECT_TRUE(f.game.screen.drawing.empty());
    EXPECT_EQ(f.game.screen.keyboardOwner, "fraCaldrimar");
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 2"}));
}

TEST(EndingFlow, EnterBeforeTheMinuteSkipsTheEpilogueAndStopsTheTimer)
{
    Fixture f;
    f.game.state.floor = 2;
    f.member(1, "hero", 1).items[1] = 103;
    RefreshPartyPanel(f.game);
    for (int i = 0; i < 4; ++i)
        f.prompter->answer({Key::Enter});
    ReturnToCastle(f.game);
    f.game.timers.advance(f.game, 30000);
    f.game.pressKey(Key::Enter);
    EXPECT_EQ(f.prompter->shown.size(), 4u);
    f.game.timers.advance(f.game, 60000);
    EXPECT_TRUE(f.game.screen.drawing.empty());
}

TEST(KeyRouting, NavigationLettersBackRowAndCtrl)
{
    Fixture f;
    Panel& town = f.game.screen.panel("fraCaldrimar");
    std::vector<int> performed;
    for (std::size_t i = 0; i < town.rows.size(); ++i)
        town.rows[i].action = [&performed, i](Game&) { performed.push_back(static_cast<int>(i)); };
    f.game.pressKey(Key::Down);
    f.game.pressKey(Key::Down);
    EXPECT_EQ(town.selected, 2);
    f.game.pressKey(Key::End);
    EXPECT_EQ(town.selected, 5);
    f.game.pressKey(Key::Down);
    EXPECT_EQ(town.selected, 5);
    f.game.pressKey(Key::Home);
    f.game.pressKey(Key::Up);
    EXPECT_EQ(town.selected, 0);
    f.game.pressKey(Key::PageDown);
    EXPECT_EQ(town.selected, 5);
    f.game.pressKey(Key::PageUp);
    EXPECT_EQ(town.selected, 0);
    EXPECT_TRUE(performed.empty());

    f.game.pressKey(CharKey('t'));
    EXPECT_EQ(town.selected, 2);
    f.game.pressKey(Key::Enter);
    f.game.pressKey(Key::Escape);
    f.game.pressKey(Key::Backspace);
    f.game.pressKey(CharKey('Z'));
    EXPECT_EQ(performed, (std::vector<int>{2, 2, 5, 5}));

    f.recorder.events.clear();
    f.game.pressKey(Key::Ctrl);
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"SAVE"}));

    town.enabled = false; // a disabled list takes no keys
    f.game.pressKey(CharKey('K'));
    EXPECT_EQ(performed.size(), 4u);
}

TEST(KeyRouting, CtrlInsideABoxSavesAndAFailedSaveIsShown)
{
    Fixture f;
    f.prompter->answer({Key::Ctrl, Key::Enter});
    ShowMessage(f.game, "", "x");
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"SAVE"}));

    f.store().failWrites(true);
    f.prompter->answer({Key::Enter});
    EXPECT_FALSE(Save(f.game));
    ASSERT_EQ(f.prompter->shown.size(), 2u);
    EXPECT_NE(f.prompter->shown[1].find("セーブできませんでした"), std::string::npos);
}

TEST(ClosingTheWindow, RefusedDuringABattleOnly)
{
    Fixture f;
    for (Mode mode :
         {Mode::Title, Mode::Town, Mode::Maze, Mode::Battle, Mode::Chest, Mode::Ending}) {
        f.game.place = {mode};
        EXPECT_EQ(CloseRequested(f.game), mode != Mode::Battle) << static_cast<int>(mode);
    }
}

TEST(ClosingTheWindow, InTownMembersReturnToTheRosterAndGeometryIsKept)
{
    Fixture f;
    f.game.state.groupNo = 3;
    f.member(1, "a", 1);
    f.game.character(2) = f.game.character(1);
    f.game.character(2).rosterNo = 2;
    f.game.character(2).groupNo = 7; // a stray member of no party in town
    RefreshPartyPanel(f.game);
    f.game.screen.geometry = {10, 20, 3000, 4000};
    EXPECT_TRUE(ExitSequence(f.game, WindowShow::Normal));
    EXPECT_EQ(f.game.character(1).floor, 0);
    EXPECT_EQ(f.game.character(1).groupNo, 0);
    EXPECT_EQ(f.game.character(2).floor, 0);
    EXPECT_EQ(f.game.character(2).groupNo, 0);
    EXPECT_EQ(f.game.settings->value("zedure", "Width"), "3000");
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"SAVE", "MUSIC 0"}));
    EXPECT_FALSE(f.game.store->locked());

    Game again;
    again.store = f.store().share();
    LoadGame(again);
    EXPECT_EQ(again.character(1).floor, 0);
}

TEST(ClosingTheWindow, InTheMazeMembersStayWhereThePartyStands)
{
    Fixture f;
    f.game.state.floor = 6;
    f.game.state.groupNo = 2;
    f.game.state.posX = 4;
    f.game.state.posY = 11;
    f.member(1, "a", 1).baseAc = 3;
    RefreshPartyPanel(f.game);
    SetTitle(f.game, "Ｏｓｔｒａｖｅｌ　－Ｑｕｏｒｖａｔｈ－");
    f.game.settings->setValue("Ｏｓｔｒａｖｅｌ　－Ｑｕｏｒｖａｔｈ－", "Left", "77");
    f.game.screen.geometry = {1, 2, 3, 4};
    ExitSequence(f.game, WindowShow::Maximised);
    const Character& c = f.game.character(1);
    EXPECT_EQ(c.floor, 6);
    EXPECT_EQ(c.posX, 4);
    EXPECT_EQ(c.posY, 11);
    EXPECT_EQ(c.groupNo, 2);
    EXPECT_EQ(c.ac, 3);
    EXPECT_EQ(f.game.settings->value("Ｏｓｔｒａｖｅｌ　－Ｑｕｏｒｖａｔｈ－", "Left"), "77");
}

TEST(Timers, FireInOrderAndRestartWhenSwitchedOn)
{
    Game game;
    std::vector<std::string> fired;
    game.timers.define(
        "a", 300, [&](Game&) { fired.push_back("a"); }, true);
    game.timers.define(
        "b", 1000, [&](Game&) { fired.push_back("b"); }, true);
    game.timers.advance(game, 1000);
    EXPECT_EQ(fired, (std::vector<std::string>{"a", "a", "a", "b"}));
    game.timers.enable("a", false);
    game.timers.advance(game, 500);
    game.timers.enable("a", true);
    fired.clear();
    game.timers.advance(game, 299);
    EXPECT_TRUE(fired.empty());
    game.timers.advance(game, 1);
    EXPECT_EQ(fired, (std::vector<std::string>{"a"}));
    game.timers.advance(game, 200);
    EXPECT_EQ(fired, (std::vector<std::string>{"a", "b"}));
    EXPECT_THROW(game.timers.enable("none", true), GameError);
}
