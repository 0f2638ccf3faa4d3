#include "town/astrology_office.h"

#include <cstddef>

#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "rules/party_panel.h"
#include "town/castle_town.h"
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

bool partyCarries(const Game& game, int item)
{
    for (int i = 1; i <= game.state.partyCount; ++i) {
        const Character& c = game.character(game.state.partyMember[i]);
        for (int slot = 1; slot <= 12; ++slot)
            if (c.items[slot] == item)
                return true;
    }
    return false;
}

// The last row is offered only while someone in the party carries what it
// needs; entering again after the item is gone takes it away.
void fixArtificialHumanRow(Game& game, Panel& menu)
{
    const bool carried = partyCarries(game, kArtificialHumanItem);
    const bool shown = menu.rows.size() > kRowsWithoutArtificialHuman &&
                       menu.rows[kRowsWithoutArtificialHuman].text == kArtificialHumanRow;
    if (carried && !shown) {
        menu.rows.resize(kRowsWithoutArtificialHuman);
        // Making one comes with fusion; until then the row only shows.
        menu.rows.push_back({kArtificialHumanRow, 'A', 0, {}});
    } else if (!carried && menu.rows.size() > kRowsWithoutArtificialHuman) {
        menu.rows.resize(kRowsWithoutArtificialHuman);
    }
}

} // namespace

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
        {"U)武 具 合 体", 'U', 0, {}}, // fusion opens here once its counter is ready
        {"C)城 に 戻 る", 'C', 0, backToCastle},
    };
    p.backRow = kBackRow;
    game.screen.add(std::move(p));
}

void OpenAstrologyOffice(Game& game)
{
    Screen& screen = game.screen;
    screen.panel(kCastleTownPanel).visible = false;
    fixArtificialHumanRow(game, screen.panel(kAstrologyPanel));
    PlayMusic(game, kTrackAstrology);
    screen.open(kAstrologyPanel, 0);
    game.place = InTown(Facility::AstrologyOffice);
}

} // namespace qvr
