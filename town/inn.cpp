#include "town/inn.h"

#include <algorithm>
#include <string>

#include "core/error.h"
#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "core/textformat.h"
#include "rules/ageing.h"
#include "rules/experience.h"
#include "rules/level_up.h"
#include "rules/party_panel.h"
#include "town/castle_town.h"
#include "town/inn_rooms.h"
#include "town/town_panels.h"

namespace qvr {

namespace {

constexpr const char* kPanel = kInnPanel;
constexpr int32_t kNoLodging =
    Cond::Vanished | Cond::Ashes | Cond::Dead | Cond::Sick | Cond::Carrot;
constexpr int kDaysPerWeek = 7;

void askForGuest(Game& game, int row)
{
    Screen& screen = game.screen;
    Panel& inn = screen.panel(kPanel);
    inn.enabled = false;
    inn.selected = -1;
    SetPrompt(game, "ようこそジュデッカの宿へ\n誰が入りますか？\n番号を選んで下さい\n\nＥＳＣ or "
                    "ＢＳでぬける");
    OpenPartyList(game);
    Panel& party = screen.panel(kPartyPanel);
    party.selected = std::clamp(row, 0, std::max(0, static_cast<int>(party.rows.size()) - 1));
}

void leaveInn(Game& game)
{
    SetPrompt(game, "");
    Panel& inn = game.screen.panel(kPanel);
    inn.visible = false;
    inn.selected = -1;
    ShowCastleTown(game);
    PlayMusic(game, kTrackCastleTown);
}

// Whoever rests is chosen in the party list; the desk remembers the guest
// and the row the guest was taken from, for the next guest after.
struct InnDesk {
    int guest = 0;
    int guestRow = 0;

    void operator()(Game& game, int row);

    void stay(Game& game, int room);
    void afterStay(Game& game);
    void diedOfOldAge(Game& game);
};

InnDesk& deskOf(Game& game)
{
    auto* desk = game.screen.panel(kPanel).perform.target<InnDesk>();
    if (!desk)
        throw GameError("the inn was built without its desk");
    return *desk;
}

void InnDesk::operator()(Game& game, int row)
{
    if (row == kLeaveRow) {
        askForGuest(game, 0);
        return;
    }
    stay(game, row);
}

void InnDesk::stay(Game& game, int room)
{
    Character& g = game.character(guest);
    const InnRoom& r = InnRooms()[static_cast<std::size_t>(room)];
    if (room == kDogHouse) {
        ShowMessage(game, r.title, g.name + "は\n" + r.sleep);
        AddDays(g, 1);
    } else {
        const WeeksAnswer answer = ReadWeeks(InputText(game, r.title, "何週間宿泊しますか？"));
        if (answer.kind == WeeksAnswer::Kind::TooLong)
            ShowMessage(game, kHostTitle, r.refusal);
        if (answer.kind != WeeksAnswer::Kind::Stay) {
            askForGuest(game, 0);
            return;
        }
        const int64_t bill = static_cast<int64_t>(r.price) * answer.weeks;
        if (g.gold < bill) {
            ShowMessage(game, kHostTitle, "お金が足りませんよ");
            askForGuest(game, 0);
            return;
        }
        ShowMessage(game, r.title, g.name + "は\n" + r.sleep);
        g.hp += r.hpPerWeek * answer.weeks;
        g.gold -= static_cast<int32_t>(bill);
        AddDays(g, kDaysPerWeek * answer.weeks);
    }
    afterStay(game);
}

void InnDesk::afterStay(Game& game)
{
    Character& g = game.character(guest);
    if (DiesOfOldAge(game.rng, g)) {
        diedOfOldAge(game);
        return;
    }
    CelebrateBirthdays(game, guest);

    const int64_t need = static_cast<int64_t>(ExpForLevel(g.level, g.classCode, g.race)) - g.exp;
    const bool levelled = need <= 0;
    if (levelled)
        GainLevel(game, guest);
    else
        ShowMessage(game, "", "次のＬＶまであと" + fullWidthDigits(need) + "ポイントです");

    g.hp = std::min(g.hp, g.maxHp);
    for (int school = 0; school < 3; ++school)
        for (int level = 1; level <= 9; ++level)
            g.mp(school, level) = g.maxMp(school, level);
    RefreshPartyPanel(game);
    Save(game);
    // After a level the same guest may rest again; otherwise the next member
    // is offered, so a whole party rests with one key each.
    if (!levelled)
        askForGuest(game, game.state.partyCount > 0 ? (guestRow + 1) % game.state.partyCount : 0);
}

void InnDesk::diedOfOldAge(Game& game)
{
    DieOfOldAge(game, guest);
    RefreshPartyPanel(game);
    // The death is saved even when nobody is left to rest: quitting before
    // the next save must not bring the dead back.
    Save(game);
    if (game.state.partyCount > 0)
        askForGuest(game, 0);
    else
        leaveInn(game);
}

void guestChosen(Game& game, int rosterNo)
{
    Character& g = game.character(rosterNo);
    if (g.conditions & kNoLodging) {
        ShowMessage(game, "", "その人は泊まれませんよ");
        return;
    }
    InnDesk& desk = deskOf(game);
    desk.guest = rosterNo;
    desk.guestRow = 0;
    for (int i = 1; i <= game.state.partyCount; ++i)
        if (game.state.partyMember[i] == rosterNo)
            desk.guestRow = i - 1;
    SetPrompt(game, "いらっしゃいませ\r" + g.name + "　さん\rどの部屋に泊まりますか？");
    ReleasePartyList(game);
    game.screen.open(kPanel, 0);
}

} // namespace

void BuildInnPanel(Game& game)
{
    Panel p;
    p.name = kPanel;
    p.list = kInnList;
    p.caption = "ジュデッカの宿屋";
    p.rect = kTownMenuRect;
    const auto& rooms = InnRooms();
    for (std::size_t i = 0; i < rooms.size(); ++i)
        p.rows.push_back({rooms[i].row, static_cast<char>('1' + i), 0, {}});
    p.rows.push_back({InnLeaveRow(), '6', 0, {}});
    p.backRow = kLeaveRow;
    p.perform = InnDesk{};
    game.screen.add(std::move(p));

    PartyListUse use;
    use.where = InTown(Facility::Inn);
    use.chosen = guestChosen;
    use.left = leaveInn;
    AddPartyListUse(game, std::move(use));
}

void OpenInn(Game& game)
{
    if (!RequireParty(game))
        return;
    Screen& screen = game.screen;
    screen.panel(kCastleTownPanel).visible = false;
    Panel& inn = screen.panel(kPanel);
    inn.visible = true;
    inn.enabled = false;
    inn.selected = -1;
    game.place = InTown(Facility::Inn);
    askForGuest(game, 0);
    PlayMusic(game, kTrackInn);
}

} // namespace qvr
