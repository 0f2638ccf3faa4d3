#include "town/town_panels.h"

#include "core/game.h"
#include "core/panel_names.h"
#include "town/astrology_office.h"
#include "town/castle_town.h"
#include "town/edge_of_town.h"
#include "town/inn.h"
#include "town/shop.h"
#include "town/tavern.h"
#include "town/temple.h"
#include "town/training_grounds.h"

namespace qvr {

namespace {

constexpr const char* kPrompt = kPromptPanel;
// No frame of its own: its lines grow upwards from the top of the menus, and
// run on to the window's right margin, since a greeting with a long name is
// wider than the menus below it.
constexpr Rect kPromptLine{22, 55, 194, 0};

Panel promptPanel()
{
    Panel p;
    p.name = kPrompt;
    p.rect = kPromptLine;
    p.labels.push_back({kPrompt, "", true});
    return p;
}

} // namespace

void BuildPromptLine(Game& game)
{
    game.screen.add(promptPanel());
}

void BuildTownPanels(Game& game)
{
    BuildCastleTownPanel(game);
    BuildEdgeOfTownPanel(game);
    BuildTavernPanel(game);
    BuildInnPanel(game);
    BuildShopPanels(game);
    BuildTemplePanel(game);
    BuildAstrologyPanels(game);
    BuildTrainingPanels(game);
}

void SetPrompt(Game& game, std::string text)
{
    Panel& p = game.screen.panel(kPrompt);
    p.visible = !text.empty();
    p.setLabel(kPrompt, std::move(text));
}

const std::string& PromptText(const Game& game)
{
    const Label* l = game.screen.panel(kPrompt).findLabel(kPrompt);
    static const std::string none;
    return l ? l->text : none;
}

} // namespace qvr
