#include "game/camp_commands.h"

#include "core/game.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "game/status_window.h"
#include "maze/camp_items.h"
#include "maze/catalogues.h"
#include "maze/teleport.h"
#include "rules/party_panel.h"

namespace qvr {

namespace {

std::size_t Index(StatusCommand command)
{
    return static_cast<std::size_t>(command);
}

void Appraise(Game& game, StatusWindow& w)
{
    w.pickItem(game, kAppraiseTitle, kAppraisePrompt, [](Game& g, StatusWindow& win, int slot) {
        if (auto card = AppraiseItem(g, win.rosterNo, slot)) {
            win.card = Card{std::move(*card)};
            win.focus = StatusFocus::Card;
        }
    });
}

void Cast(Game& game, StatusWindow& w)
{
    const std::string typed = InputText(game, kCastTitle, kCastPrompt);
    FollowCampOutcome(game, w, CastCampSpell(game, w.rosterNo, typed));
}

void Use(Game& game, StatusWindow& w)
{
    w.pickItem(game, kUseTitle, "", [](Game& g, StatusWindow& win, int slot) {
        if (IsCatalogue(g.character(win.rosterNo).items[slot])) {
            win.card = ReadCatalogue(g, win.rosterNo, slot);
            win.focus = win.card ? StatusFocus::Card : StatusFocus::Commands;
            return;
        }
        FollowCampOutcome(g, win, UseItem(g, win.rosterNo, slot));
    });
}

void Identify(Game& game, StatusWindow& w)
{
    w.pickItem(game, kIdentifyTitle, "", [](Game& g, StatusWindow& win, int slot) {
        // Fear takes identifying and appraising off the list at once.
        if (IdentifyItem(g, win.rosterNo, slot) == IdentifyResult::Frightened) {
            if (g.screen.find(kPartyPanel))
                RefreshPartyPanel(g);
            win.rebuildCommands(g);
        }
    });
}

void Teleport(Game& game, StatusWindow& w)
{
    const TeleportPanel panel = *w.teleport;
    w.teleport.reset();
    w.focus = StatusFocus::Commands;
    // The camp is over whatever becomes of the party.
    w.close();
    TeleportByOffset(game, panel.value(0), panel.value(1), panel.value(2));
}

} // namespace

void InstallCampCommands(Game& game, StatusWindow& window)
{
    auto& h = window.handlers;
    h[Index(StatusCommand::CastSpell)] = Cast;
    h[Index(StatusCommand::UseItem)] = Use;
    h[Index(StatusCommand::Identify)] = Identify;
    h[Index(StatusCommand::Appraise)] = Appraise;
    window.rebuildCommands(game);
}

void FollowCampOutcome(Game& game, StatusWindow& w, CampOutcome outcome)
{
    // Spells and items change hit points, conditions and places.
    if (game.screen.find(kPartyPanel))
        RefreshPartyPanel(game);
    switch (outcome) {
    case CampOutcome::Stay:
        break;
    case CampOutcome::Close:
        w.close();
        break;
    case CampOutcome::OpenTeleport:
        w.teleport = TeleportPanel{};
        w.focus = StatusFocus::Teleport;
        break;
    case CampOutcome::Appraise:
        Appraise(game, w);
        break;
    }
}

void TeleportKey(Game& game, StatusWindow& w, Key key)
{
    TeleportPanel& panel = *w.teleport;
    switch (key) {
    case Key::Escape:
        w.teleport.reset();
        w.focus = StatusFocus::Commands;
        ShowMessage(game, "", kOopsText);
        return;
    case Key::Enter:
        Teleport(game, w);
        return;
    case Key::Up:
    case Key::Left:
        panel.focus(panel.focused - 1);
        return;
    case Key::Down:
    case Key::Right:
        panel.focus(panel.focused + 1);
        return;
    case Key::Backspace:
        panel.erase();
        return;
    case Key::Minus:
        panel.type('-');
        return;
    default:
        panel.type(KeyChar(key));
        return;
    }
}

} // namespace qvr
