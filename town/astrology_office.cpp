#include "town/astrology_office.h"

#include <cstddef>

#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "rules/party_pack.h"
#include "rules/party_panel.h"
#include "town/artificial_human.h"
#include "town/castle_town.h"
#include "town/fusion.h"
#include "town/rankings.h"
#include "town/town_panels.h"

namespace qvr {

namespace {

constexpr int kBackRow = 10;
constexpr std::size_t kRowsWithoutArtificialHuman = 11;

Row rankingRow(const char* text, Ranking ranking)
{
    return {text, text[0], 0, [ranking](Game& game) { ShowRanking(game, ranking); }};
}

void backToCastle(Game& game)
{
    SetPrompt(game, "");
    game.screen.panel(kAstrologyPanel).visible = false;
    ShowCastleTown(game);
    PlayMusic(game, kTrackCastleTown);
}

// Stands over the office's menu, wide enough for the longest names.
constexpr Rect kItemListRect{8, 55, 204, 90};

} // namespace

void FixArtificialHumanRow(Game& game)
{
    Panel& menu = game.screen.panel(kAstrologyPanel);
    const bool carried = !NobodyHolds(game, kArtificialHumanItem, false);
    const bool shown = menu.rows.size() > kRowsWithoutArtificialHuman &&
                       menu.rows[kRowsWithoutArtificialHuman].text == kArtificialHumanRow;
    if (carried && !shown) {
        menu.rows.resize(kRowsWithoutArtificialHuman);
        menu.rows.push_back({kArtificialHumanRow, 'A', 0, OpenArtificialHuman});
    } else if (!carried && menu.rows.size() > kRowsWithoutArtificialHuman) {
        menu.rows.resize(kRowsWithoutArtificialHuman);
    }
}

void CloseFusionItemList(Game& game)
{
    Screen& screen = game.screen;
    Panel& list = screen.panel(kFusionItemList);
    list.visible = false;
    list.rows.clear();
    ReleasePartyList(game);
    SetPrompt(game, "");
    const Panel& menu = screen.panel(kAstrologyPanel);
    const int row = menu.selected;
    screen.open(kAstrologyPanel, row < 0 || row >= static_cast<int>(menu.rows.size()) ? 0 : row);
}

void BuildAstrologyPanels(Game& game)
{
    Panel p;
    p.name = kAstrologyPanel;
    p.list = kAstrologyList;
    p.caption = "エリュシオン 星占所";
    p.rect = kTownMenuRect;
    p.rows = {
        rankingRow("L)Ｌ Ｖ ラ ン キ ン グ", Ranking::Level),
        rankingRow("H)Ｍ Ａ Ｘ 　Ｈ ・ Ｐ ラ ン ク", Ranking::MaxHp),
        rankingRow("M)Ｍ ａ ｒ ｋ ｓ ラ ン ク", Ranking::Marks),
        rankingRow("R)Ｒ ｉ ｐ ラ ン ク", Ranking::Rip),
        rankingRow("K)ク リ テ ィ カ ル ヒ ッ ト ラ ン ク", Ranking::CriticalHits),
        rankingRow("I)獲 得 ア イ テ ム ラ ン ク", Ranking::ItemsObtained),
        rankingRow("G)獲 得 ア イ テ ム リ ス ト", Ranking::ItemList),
        rankingRow("D)倒 打 モ ン ス タ ー ラ ン ク", Ranking::MonstersDefeated),
        rankingRow("E)倒 打 モ ン ス タ ー リ ス ト", Ranking::MonsterList),
        {"U)武 具 合 体", 'U', 0, OpenFusion},
        {"C)城 に 戻 る", 'C', 0, backToCastle},
    };
    p.backRow = kBackRow;
    game.screen.add(std::move(p));

    Panel list;
    list.name = kFusionItemList;
    list.list = kFusionItemList;
    list.rect = kItemListRect;
    game.screen.add(std::move(list));
}

void OpenAstrologyOffice(Game& game)
{
    Screen& screen = game.screen;
    screen.panel(kCastleTownPanel).visible = false;
    FixArtificialHumanRow(game);
    PlayMusic(game, kTrackAstrology);
    screen.open(kAstrologyPanel, 0);
    game.place = InTown(Facility::AstrologyOffice);
}

} // namespace qvr
