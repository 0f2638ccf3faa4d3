#include "town/town_panels.h"

#include "core/game.h"
#include "town/astrology_office.h"
#include "town/training_grounds.h"

namespace qvr {

namespace {

// Every town menu sits at 10 % of the width from the left and 25 % of the
// height from the top, 60 % of the width wide.
constexpr Rect kTownMenu{22, 55, 132, 80};
constexpr Rect kPartyPanel{4, 150, 212, 66};

Panel castleTown()
{
    Panel p;
    p.name = "fraCaldrimar";
    p.list = "lstCaldrimar";
    p.caption = "zedure城 城下町";
    p.rect = kTownMenu;
    p.rows = {
        {"K)カ イ ー ナ の 酒 場", 'K', 0, {}},
        {"J)ジ ュ デ ッ カ の 宿 屋", 'J', 0, {}},
        {"T)ト ロ メ ア 商 店", 'T', 0, {}},
        {"A)ア ン テ ィ ノ ラ 寺 院 ", 'A', 0, {}},
        {"I)エ リ ュ シ オ ン 星 占 所", 'I', 0, {}},
        {"E)町 外 れ ", 'E', 0, {}},
    };
    p.backRow = 5;
    p.labels.push_back({"lbl", "", true}); // the facility's question above the menus
    return p;
}

Panel partyPanel()
{
    Panel p;
    p.name = "fraParty";
    p.list = "lstParty";
    p.caption = "";
    p.rect = kPartyPanel;
    p.enabled = false;
    for (const char* column : {"lblClass", "lblAC", "lblHP", "lblState"})
        for (int i = 0; i < 6; ++i)
            p.labels.push_back({column + std::to_string(i), "", true});
    return p;
}

} // namespace

void BuildTownPanels(Game& game)
{
    game.screen.add(castleTown());
    BuildAstrologyPanels(game);
    BuildTrainingPanels(game);
    game.screen.add(partyPanel());
}

} // namespace qvr
