#include "maze/wish.h"

#include <algorithm>
#include <array>

#include "core/dice.h"
#include "core/game.h"
#include "core/item_numbers.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saturating.h"
#include "core/shared_screens.h"
#include "maze/party_items.h"
#include "rules/class_rules.h"
#include "rules/equipment.h"
#include "rules/experience.h"
#include "rules/party_panel.h"

namespace qvr {

namespace {

constexpr Rect kWishRect{50, 40, 120, 120};
constexpr int kFirstMemberWish = 10;

constexpr std::array<const char*, 16> kWishes{
    "全員の最大ＨＰを上げる", "全員の最大ＭＰを上げる", "経験値をもらう",
    "お金をもらう",           "全員の力を上げる",       "全員の知恵を上げる",
    "全員の信仰心を上げる",   "全員の生命力を上げる",   "全員の素早さを上げる",
    "全員の運を上げる",       "種族をフェアリーにする", "種族をドラゴンにする",
    "種族を悪魔にする",       "種族を天使にする",       "性別を女にする",
    "性別を男にする",
};

bool carries(const Character& c, int item)
{
    return std::find(c.items.begin() + 1, c.items.end(), item) != c.items.end();
}

bool anyoneHolds(const Game& game, int item)
{
    for (int r = 1; r <= kRosterSize; ++r)
        if (game.character(r).rosterNo != 0 && carries(game.character(r), item))
            return true;
    return false;
}

void closeWish(Game& game)
{
    ShowMessage(game, "", "では・・・さらばだ・・・");
    if (Panel* p = game.screen.find(kWishPanel))
        p->visible = false;
    if (game.screen.keyboardOwner == kWishPanel)
        game.screen.keyboardOwner.clear();
    RefreshPartyPanel(game);
}

void payWithTheKeys(Game& game)
{
    for (int row = 1; row <= 7; ++row) {
        const int item = ItemNo::FirstKey + row - 1;
        TakeItem(game, item);
        if (!anyoneHolds(game, item))
            HideKeyItem(game, row);
    }
}

template <typename Change> void forEachMember(Game& game, Change change)
{
    for (int i = 1; i <= game.state.partyCount; ++i)
        change(game.character(game.state.partyMember[i]));
}

void raiseAttribute(Game& game, int index)
{
    forEachMember(game, [&](Character& c) {
        Attributes values = AttributesOf(c);
        // The extended maximum of the male column, whatever the member's sex.
        const Attributes maxima = AttributeMaxima(c.race, 1, true);
        if (values[static_cast<std::size_t>(index)] < maxima[static_cast<std::size_t>(index)])
            ++values[static_cast<std::size_t>(index)];
        SetAttributes(c, values);
    });
}

void partyWish(Game& game, int row)
{
    switch (row) {
    case 0:
        forEachMember(game, [&](Character& c) {
            if (c.vitality > 0)
                c.maxHp = SaturatingAdd(c.maxHp, int64_t{Dice(game.rng, 1, c.vitality, 0)});
        });
        return;
    case 1:
        forEachMember(game, [](Character& c) {
            for (int school = 0; school <= 1; ++school)
                for (int level = 1; level <= 9; ++level)
                    if (c.maxMp(school, level) >= 1 && c.maxMp(school, level) <= 8)
                        ++c.maxMp(school, level);
        });
        return;
    case 2:
        forEachMember(game, [](Character& c) {
            c.exp = SaturatingAdd(c.exp, std::min<int64_t>(int64_t{c.level} * 10000, 1000000));
        });
        return;
    case 3:
        forEachMember(game, [](Character& c) {
            c.gold = SaturatingAdd(c.gold, std::min<int64_t>(int64_t{c.level} * 10000, 3000000));
        });
        return;
    default:
        raiseAttribute(game, row - 4);
    }
}

void clearRes(Character& c, std::initializer_list<int> indexes)
{
    for (int i : indexes)
        c.res[i] = 0;
}

void memberWish(Game& game, Character& c, int row)
{
    switch (row) {
    case 10:
    case 11:
        c.race = row == 10 ? Race::Fairy : Race::Dragon;
        clearRes(c, {12, 13, 15, 17, 18});
        c.res[2] = row == 10 ? 5 : 1;
        break;
    case 12:
        c.race = Race::Demon;
        c.res[12] = 0;
        c.res[2] = 0;
        c.res[13] = 100;
        break;
    case 13:
        c.race = Race::Angel;
        c.baseAc = 9;
        c.res[2] = 100;
        c.res[12] = 100;
        c.res[13] = 0;
        break;
    case 14:
        c.sex = 2;
        break;
    default:
        c.sex = 1;
    }
    c.exp = ExpForLevel(c.level - 1, c.classCode, c.race);
    RefreshWearability(game, c.rosterNo);
    ShowMessage(game, "", "種族、属性が変わりました\nもう一度装備をやり直してください");
}

} // namespace

bool PartyHasEveryKey(const Game& game)
{
    for (int item = ItemNo::FirstKey; item <= ItemNo::LastKey; ++item)
        if (NobodyHolds(game, item, false))
            return false;
    return true;
}

void HideKeyItem(Game& game, int row)
{
    const Content& content = game.content();
    KeyItemPlace place;
    // A floor of nothing but rock would never let the draw end: give up
    // after many tries and keep the last cell drawn.
    for (int attempt = 0; attempt < 10000; ++attempt) {
        place.floor = static_cast<int16_t>(Dice(game.rng, 1, 13, 0));
        place.x = static_cast<int16_t>(Dice(game.rng, 1, 20, -1));
        place.y = static_cast<int16_t>(Dice(game.rng, 1, 20, -1));
        const bool rock = content.mazeWalls(place.floor, place.y, place.x) == 15 &&
                          content.mazeDoors(place.floor, place.y, place.x) == 0;
        if (!rock)
            break;
    }
    game.state.keyItemPlaces[row] = place;
}

void OpenWish(Game& game)
{
    if (!game.screen.find(kWishPanel)) {
        Panel p;
        p.name = kWishPanel;
        p.list = kWishList;
        p.caption = "願いはなに？";
        p.rect = kWishRect;
        for (const char* text : kWishes)
            p.rows.push_back({text, 0, 0, {}});
        p.perform = GrantWish;
        // Escape closes the panel with nothing granted; Backspace does not.
        p.keyHook = [](Game& g, Key key) {
            if (key != Key::Escape)
                return false;
            closeWish(g);
            return true;
        };
        game.screen.add(std::move(p));
    }
    OpenToldPanel(game, kWishPanel, 0);
}

void GrantWish(Game& game, int row)
{
    if (row < 0 || row >= static_cast<int>(kWishes.size()))
        return;
    int chosen = 0;
    if (row >= kFirstMemberWish) {
        chosen = PickMember(game, false);
        if (chosen <= 0)
            return;
    }
    payWithTheKeys(game);
    if (row < kFirstMemberWish)
        partyWish(game, row);
    else
        memberWish(game, game.character(chosen), row);
    closeWish(game);
}

} // namespace qvr
