#include "game/main_window.h"

#include "game/game_screens.h"

#include <algorithm>

#include "battle/battle.h"
#include "core/codes.h"
#include "core/data_files.h"
#include "core/dice.h"
#include "core/item_numbers.h"
#include "core/message_speed.h"
#include "core/messages.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/textformat.h"
#include "game/battle_screens.h"
#include "game/party_list.h"
#include "game/reorder_panel.h"
#include "game/save_backup.h"
#include "maze/command_text.h"
#include "maze/npc.h"
#include "maze/wish.h"
#include "rules/character_rules.h"
#include "town/castle_town.h"
#include "town/town_panels.h"

namespace qvr {

namespace {

constexpr int kEndingItem = ItemNo::AngelBox;
constexpr int kFirstKeyItem = ItemNo::FirstKey;

bool carries(const Character& c, int item)
{
    for (int slot = 1; slot <= 12; ++slot)
        if (c.items[slot] == item)
            return true;
    return false;
}

void hideIfPresent(Screen& screen, const char* name)
{
    if (Panel* p = screen.find(name))
        p->visible = false;
}

} // namespace

void SetTitle(Game& game, const std::string& title)
{
    if (game.screen.title == title)
        return;
    game.screen.title = title;
    if (game.observer)
        game.observer->titleChanged(title);
}

void StartUp(Game& game, bool showTitle)
{
    BeginStartUp(game, showTitle);
    FinishStartUp(game, showTitle);
}

void BeginStartUp(Game& game, bool showTitle)
{
    InstallGameScreens(game);
    Screen& screen = game.screen;
    if (showTitle) {
        Version version = ProgramVersion();
        screen.titleVersion = "Ver." + std::to_string(version.major) + "." +
                              std::to_string(version.minor) + "." +
                              std::to_string(version.revision);
        screen.titleStatus = kTitleLoading;
        screen.titleVisible = true;
    }
}

void FinishStartUp(Game& game, bool showTitle)
{
    Screen& screen = game.screen;
    LoadMusicSettings(game);
    LoadMessageSpeed(game);
    PlayMusic(game, 1);
    LoadGameOrNameTheBackup(game);
    CheckVersion(game, ProgramVersion());
    LoadMainWindow(game);
    game.state.floor = -1;
    PlaceKeyItems(game);
    BuildCraftedWeapon(game);
    game.state.runStartTime = static_cast<float>(game.clock->secondsSinceMidnight());
    screen.titleStatus = kTitleReady;
    // Skipping the title skips only the window: its music plays on in the
    // town until something there changes it.
    if (showTitle)
        game.place = {Mode::Title};
    else
        screen.mainVisible = true;
}

void GameScreens::leaveTitle(Game& game)
{
    // Until the files are in there is no town to go to: the title stays.
    if (game.place.mode != Mode::Title || game.screen.titleStatus == kTitleLoading)
        return;
    game.place = InTown(Facility::CastleTown); // opened by the main window's load
    game.screen.mainVisible = true;
    game.screen.titleVisible = false;
    PlayMusic(game, 0);
    PlayMusic(game, 2);
}

void LoadMainWindow(Game& game)
{
    Screen& screen = game.screen;
    InstallGameScreens(game);
    BuildPromptLine(game);
    BuildPartyList(game);
    BuildTownPanels(game);
    BuildReorderPanel(game);
    BuildBattlePanels(game);
    ConnectMaze(game);
    screen.message.text = CommandText(game);
    screen.message.visible = false;
    screen.moveArrow = {"lblMove", "", false};
    screen.geometry.left = game.settings->number(screen.title, "Left", 100);
    screen.geometry.top = game.settings->number(screen.title, "Top", 100);
    screen.geometry.width = game.settings->number(screen.title, "Width", 5000);
    screen.geometry.height = game.settings->number(screen.title, "Height", 5000);
    screen.geometry.stored = game.settings->value(screen.title, "Width").has_value() &&
                             game.settings->value(screen.title, "Height").has_value();
    for (int i = 1; i <= 20; ++i)
        game.save().eventFlags[i] = 0;

    game.timers.define(
        "tmr", kUpkeepMs, [](Game& g) { MusicUpkeep(g); }, true);
    game.timers.define("tmrEnding", kEndingMs, [](Game& g) {
        g.timers.enable("tmrEnding", false);
        g.screen.drawing.push_back({DrawItem::Kind::Text, 0, 0, 0, 0, "しかし・・・"});
    });
    ShowCastleTown(game);
}

void PlaceKeyItems(Game& game)
{
    for (int row = 1; row <= 7; ++row) {
        int item = kFirstKeyItem + row - 1;
        bool held = false;
        for (int r = 1; r <= kRosterSize && !held; ++r)
            held = game.character(r).rosterNo != 0 && carries(game.character(r), item);
        if (held)
            continue;
        HideKeyItem(game, row);
    }
}

void BuildCraftedWeapon(Game& game)
{
    BuildCraftedWeaponFrom(game, game.save().eventFlags[37]);
}

void GameScreens::returnToCastle(Game& game)
{
    GameState& st = game.state;
    Screen& screen = game.screen;
    st.partyEffects = 0;
    for (int i = 1; i <= st.partyCount; ++i) {
        Character& c = game.character(st.partyMember[i]);
        c.floor = -1;
        c.posX = c.posY = 0;
    }
    for (int i = 1; i <= st.partyCount; ++i) {
        int r = st.partyMember[i];
        Character& c = game.character(r);
        if (c.conditions & Cond::Vanished) {
            c = game.character(0); // gone for good
            c.rosterNo = 0;        // and its slot free, whatever the blank entry says
            continue;
        }
        c.conditions &= ~(Cond::Poisoned | Cond::Afraid | Cond::Frozen | Cond::Shocked |
                          Cond::Blind | Cond::Charmed);
        if (c.conditions & 0x1FC02)
            c.floor = 0; // stays in town, out of the party
        c.ac = c.baseAc;
    }
    Save(game);
    screen.drawing.clear();
    hideIfPresent(screen, kMonsterPanel);
    hideIfPresent(screen, kBattleCommandPanel);
    screen.message.visible = false;
    screen.moveArrow.visible = false; // the last step's arrow does not follow into town
    st.floor = -1;
    RefreshPartyPanel(game);
    SetTitle(game, kTownTitle);

    int bearer = 0;
    for (int i = 1; i <= st.partyCount && !bearer; ++i)
        if (carries(game.character(st.partyMember[i]), kEndingItem))
            bearer = st.partyMember[i];
    if (!bearer) {
        ShowCastleTown(game);
        PlayMusic(game, 2);
        return;
    }

    // The game is won.
    Character& c = game.character(bearer);
    for (int slot = 1; slot <= 12; ++slot)
        if (c.items[slot] == kEndingItem) {
            c.items[slot] = 0;
            c.itemFlags[slot] = 0;
            break;
        }
    CompactItems(game, bearer);
    for (int n = 200; n <= 203; ++n)
        ShowMessage(game, "", std::string(MessageText(game, n)));
    for (int i = 1; i <= st.partyCount; ++i)
        game.character(st.partyMember[i]).specialFlags |= Special::Finished;
    for (Panel& p : screen.panels)
        p.visible = false;
    screen.keyboardOwner.clear();
    screen.message.text = std::string(MessageText(game, 204));
    screen.messageCentred = true;
    screen.message.visible = true;
    game.timers.enable("tmrEnding", true);
    st.endingShown = -1;
    game.place = {Mode::Ending};
}

void GameScreens::continueAfterEnding(Game& game)
{
    GameState& st = game.state;
    if (game.place.mode != Mode::Ending)
        return;
    Screen& screen = game.screen;
    screen.message.text.clear();
    screen.message.visible = false;
    screen.messageCentred = false;
    screen.drawing.clear();
    if (!game.timers.running("tmrEnding")) {
        for (int n = 11063; n <= 11079; ++n)
            if (HasMessageText(game, n))
                ShowMessage(game, "", std::string(MessageText(game, n)));
    }
    // Left running, the timer would write its line over the town later.
    game.timers.enable("tmrEnding", false);
    st.endingShown = 0;
    screen.message.text = CommandText(game);
    ShowCastleTown(game);
    PlayMusic(game, 2);
}

bool CloseRequested(const Game& game)
{
    // Only while orders are taken: a round runs to its end inside one call.
    if (game.place.mode != Mode::Battle)
        return true;
    const BattleSession* battle = CurrentBattle(game);
    return battle && !RefusesClose(battle->state);
}

bool ExitSequence(Game& game, WindowShow show)
{
    GameState& st = game.state;
    Screen& screen = game.screen;
    screen.exitUnsaved = true;
    if (show == WindowShow::Normal) {
        SettingsStore& s = *game.settings;
        s.setValue(screen.title, "Left", std::to_string(screen.geometry.left));
        s.setValue(screen.title, "Top", std::to_string(screen.geometry.top));
        s.setValue(screen.title, "Width", std::to_string(screen.geometry.width));
        s.setValue(screen.title, "Height", std::to_string(screen.geometry.height));
    }
    for (int i = 1; i <= st.partyCount; ++i) {
        Character& c = game.character(st.partyMember[i]);
        if (st.floor < 1) {
            c.posX = c.posY = c.floor = 0;
            c.groupNo = 0;
        } else {
            c.posX = st.posX;
            c.posY = st.posY;
            c.floor = st.floor;
            c.ac = c.baseAc;
            st.partyMember[i] = 0;
        }
    }
    for (int r = 1; r <= kRosterSize; ++r) {
        Character& c = game.character(r);
        if (c.floor == -1) {
            c.floor = 0;
            c.groupNo = 0;
        }
    }
    bool saved = Save(game);
    screen.exitUnsaved = !saved;
    if (game.store)
        game.store->unlock();
    PlayMusic(game, 0);
    return saved;
}

bool GameScreens::endGame(Game& game)
{
    return ExitSequence(game, WindowShow::Normal);
}

void InstallGameScreens(Game& game)
{
    if (!game.sharedScreens)
        game.sharedScreens = std::make_unique<GameScreens>();
}

GameScreens::GameScreens() = default;
GameScreens::~GameScreens() = default;

void GameScreens::startBattle(Game& game, int encounterNo)
{
    RunBattle(game, encounterNo);
}

const BattleSession* CurrentBattle(const Game& game)
{
    auto* screens = dynamic_cast<const GameScreens*>(game.sharedScreens.get());
    return screens ? screens->battle.get() : nullptr;
}

BattleSession& BattleOf(Game& game)
{
    InstallGameScreens(game);
    auto& screens = dynamic_cast<GameScreens&>(*game.sharedScreens);
    if (!screens.battle)
        screens.battle = std::make_unique<BattleSession>(game);
    return *screens.battle;
}

} // namespace qvr
