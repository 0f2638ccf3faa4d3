#include "town/temple.h"

#include <cstdint>
#include <vector>

#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "rules/party_panel.h"
#include "town/castle_town.h"
#include "town/temple_care.h"
#include "town/town_panels.h"

namespace qvr {

namespace {

// The list stands on its own, with no frame around it.
constexpr const char* kPanel = kTempleList;
// Wider than the other menus: a row runs to some 46 half-width columns.
constexpr Rect kListRect{8, 55, 204, 80};

constexpr const char* kWelcome =
    "アンティノラ寺院\r誰を助けますか？ 選んで下さい\r\rＥＳＣ or ＢＳでぬける";
constexpr const char* kWelcomeBack =
    "アンティノラ寺院\r誰を助けますか？ 選んで下さい\r\rＥＳＣ　ｏｒ　ＢＳで抜ける";

void choosePatient(Game& game, int patient, int32_t price);

// Every row keeps the price of the moment the list was made, and that is
// what the payer is asked for.
bool listPatients(Game& game)
{
    std::vector<Row> rows;
    for (int r = 1; r <= kRosterSize; ++r) {
        const Character& c = game.character(r);
        if (!IsPatient(c))
            continue;
        const int32_t price = TreatmentPrice(c);
        rows.push_back({PatientRow(c), 0, r, [r, price](Game& g) { choosePatient(g, r, price); }});
    }
    Panel& panel = game.screen.panel(kPanel);
    panel.rows = std::move(rows);
    panel.selected = panel.rows.empty() ? -1 : 0;
    return !panel.rows.empty();
}

void backToCastle(Game& game)
{
    SetPrompt(game, "");
    game.screen.panel(kPanel).visible = false;
    ShowCastleTown(game);
    PlayMusic(game, kTrackCastleTown);
}

void backToPatients(Game& game)
{
    ReleasePartyList(game);
    if (listPatients(game))
        game.screen.open(kPanel, 0);
    else
        backToCastle(game);
}

void paid(Game& game, int payer, int patient, int32_t price)
{
    if (Treat(game, payer, patient, price) == Treatment::TooPoor)
        return; // the party list keeps the keyboard for another payer
    RefreshPartyPanel(game);
    Save(game);
    ReleasePartyList(game);
    // An empty list is hidden rather than left disabled on top of the
    // castle's menu.
    if (listPatients(game)) {
        game.screen.open(kPanel, 0);
        SetPrompt(game, kWelcomeBack);
    } else {
        backToCastle(game);
    }
}

void choosePatient(Game& game, int patient, int32_t price)
{
    PartyListUse use;
    use.where = InTown(Facility::Temple);
    use.chosen = [patient, price](Game& g, int payer) { paid(g, payer, patient, price); };
    use.left = backToPatients;
    AddPartyListUse(game, std::move(use));

    SetPrompt(game, "誰が助けますか？\r選んでください");
    game.screen.panel(kPanel).enabled = false;
    OpenPartyList(game);
}

bool templeKeys(Game& game, Key key)
{
    if (key != Key::Escape && key != Key::Backspace)
        return false;
    backToCastle(game);
    return true;
}

} // namespace

void BuildTemplePanel(Game& game)
{
    Panel p;
    p.name = kPanel;
    p.list = kTempleList;
    p.rect = kListRect;
    p.keyHook = templeKeys;
    game.screen.add(std::move(p));

    PartyListUse use;
    use.where = InTown(Facility::Temple);
    use.left = backToPatients;
    AddPartyListUse(game, std::move(use));
}

void OpenTemple(Game& game)
{
    if (!RequireParty(game))
        return;
    if (!listPatients(game)) {
        ShowMessage(game, "", "寺院の中にはだれもいません");
        return;
    }
    game.screen.panel(kCastleTownPanel).visible = false;
    game.screen.open(kPanel, 0);
    game.place = InTown(Facility::Temple);
    PlayMusic(game, kTrackTemple);
    SetPrompt(game, kWelcome);
}

} // namespace qvr
