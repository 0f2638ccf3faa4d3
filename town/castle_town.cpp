#include "town/castle_town.h"

#include "core/game.h"
#include "core/panel_names.h"
#include "core/shared_screens.h"
#include "town/astrology_office.h"
#include "town/edge_of_town.h"
#include "town/inn.h"
#include "town/shop.h"
#include "town/tavern.h"
#include "town/temple.h"
#include "town/town_panels.h"

namespace qvr {

void BuildCastleTownPanel(Game& game)
{
    Panel p;
    p.name = kCastleTownPanel;
    p.list = kCastleTownList;
    p.caption = "zedure城 城下町";
    p.rect = kTownMenuRect;
    p.rows = {
        {"K)カ イ ー ナ の 酒 場", 'K', 0, OpenTavern},
        {"J)ジ ュ デ ッ カ の 宿 屋", 'J', 0, OpenInn},
        {"T)ト ロ メ ア 商 店", 'T', 0, OpenShop},
        {"A)ア ン テ ィ ノ ラ 寺 院 ", 'A', 0, OpenTemple},
        {"I)エ リ ュ シ オ ン 星 占 所", 'I', 0, OpenAstrologyOffice},
        {"E)町 外 れ ", 'E', 0, OpenEdgeOfTown},
    };
    p.backRow = 5;
    game.screen.add(std::move(p));
}

void ShowCastleTown(Game& game)
{
    Screen& screen = game.screen;
    screen.panel(kPartyPanel).visible = true;
    ReleasePartyList(game);
    screen.open(kCastleTownPanel, 0);
    game.place = InTown(Facility::CastleTown);
}

} // namespace qvr
