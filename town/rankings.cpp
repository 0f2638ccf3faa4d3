#include "town/rankings.h"

#include <cstdint>
#include <vector>

#include "core/codes.h"
#include "core/game.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/textformat.h"
#include "rules/ranking_sort.h"

namespace qvr {

void RankingWindow::pressKey(Game& game, Key key)
{
    if (closed())
        return;
    if (key == Key::Ctrl) {
        SaveFromKey(game);
        return;
    }
    if (MoveSelection(selected, static_cast<int>(rows.size()), key))
        return;
    if (key == Key::Enter || key == Key::Escape || key == Key::Backspace)
        close();
}

namespace {

// A name never met keeps its secret, in whichever column it would stand.
constexpr const char* kUnknownName = "？？？？？？？？？？？？？？？？？ ";
constexpr int kHiddenKind = 11; // event items stay off the item list

std::string left(std::string_view text, int width)
{
    return formatField("!" + std::string(static_cast<std::size_t>(width), '@'), text);
}

std::string right(std::string_view text, int width)
{
    return formatField(std::string(static_cast<std::size_t>(width), '@'), text);
}

// Counts and levels are padded like text but never cut: a board that drops
// digits would rank a character wrongly in the player's eyes.
std::string right(long long n, int width)
{
    return padRightAligned(std::to_string(n), width, Overflow::Keep);
}

int32_t rankedValue(const Character& c, Ranking ranking)
{
    switch (ranking) {
    case Ranking::MaxHp:
        return c.maxHp;
    case Ranking::Marks:
        return c.marks;
    case Ranking::Rip:
        return c.rip;
    case Ranking::CriticalHits:
        return c.meleeCount;
    default:
        return c.level;
    }
}

RankingWindow rosterRanking(const Game& game, Ranking ranking)
{
    // The whole roster is sorted, free slots too: they take part in the
    // quicksort's swaps, and so decide where equal characters end.
    std::vector<const Character*> copy(kRosterSize + 1, nullptr);
    for (int slot = 1; slot <= kRosterSize; ++slot)
        copy[static_cast<std::size_t>(slot)] = &game.character(slot);
    SortByKeyDescending(copy, 1, kRosterSize,
                        [ranking](const Character* c) { return rankedValue(*c, ranking); });

    RankingWindow window;
    for (int slot = 1; slot <= kRosterSize; ++slot) {
        const Character& c = *copy[static_cast<std::size_t>(slot)];
        if (c.rosterNo <= 0)
            continue;
        std::string row = right(c.level, 4) + ":" + left(c.name, 16) + "  " +
                          right(ClassLabel(c.alignment, c.classCode), 9) + " ";
        if (ranking != Ranking::Level)
            row += right(rankedValue(c, ranking), 6);
        window.rows.push_back(toFullWidth(row));
    }
    return window;
}

struct Tally {
    int number = 0;
    int32_t count = 0;
};

// Entries 1..n of the tallies that were counted at least once, ranked.
template <int Hi>
std::vector<Tally> rankedTallies(const Bounded<int32_t, 0, Hi>& tally, long long& total)
{
    std::vector<Tally> pairs(1);
    total = 0;
    for (int n = 1; n <= Hi; ++n) {
        if (tally[n] < 1)
            continue;
        pairs.push_back({n, tally[n]});
        total += tally[n];
    }
    SortByKeyDescending(pairs, 1, static_cast<long>(pairs.size()) - 1,
                        [](const Tally& t) { return t.count; });
    pairs.erase(pairs.begin());
    return pairs;
}

RankingWindow itemsObtained(const Game& game)
{
    RankingWindow window;
    long long total = 0;
    for (const Tally& t : rankedTallies(game.save().itemTally, total)) {
        const ItemDef& item = game.item(t.number);
        window.rows.push_back(toFullWidth(left(item.name, 18) + " " +
                                          left(ItemKindText(item.kind), 10) + " " +
                                          right(t.count, 6)));
    }
    window.heading = "今までに獲得したアイテムの数　" + std::to_string(total);
    return window;
}

RankingWindow monstersDefeated(const Game& game)
{
    RankingWindow window;
    long long total = 0;
    for (const Tally& t : rankedTallies(game.save().monsterTally, total)) {
        const MonsterDef& monster = game.content().monsters[t.number];
        window.rows.push_back(toFullWidth(left(monster.name, 18) + " " + right(t.count, 6)));
    }
    window.heading = "今までに倒したモンスターの数　" + std::to_string(total);
    return window;
}

// The number and both names of a catalogue row; a name stays hidden until
// the tally shows the thing was met.
std::string catalogueEntry(int number, int32_t count, const std::string& name,
                           const std::string& unknownName)
{
    const bool met = count >= 1;
    return right(number, 3) + " " + left(met ? name : kUnknownName, 18) + " " +
           left(met ? unknownName : kUnknownName, 18) + " ";
}

RankingWindow itemList(const Game& game)
{
    RankingWindow window;
    int listed = 0;
    int found = 0;
    for (int n = 1; n <= kItemCount; ++n) {
        const ItemDef& item = game.item(n);
        if (item.itemNo == 0 || item.kind == kHiddenKind)
            continue;
        const int32_t count = game.save().itemTally[n];
        ++listed;
        if (count >= 1)
            ++found;
        window.rows.push_back(toFullWidth(catalogueEntry(n, count, item.name, item.unknownName) +
                                          left(ItemKindText(item.kind), 7) + " " +
                                          right(count, 6)));
    }
    window.heading = "全" + std::to_string(listed) + "種中 " + std::to_string(found) +
                     "種ＧＥＴ   　　　残り" + std::to_string(listed - found);
    return window;
}

RankingWindow monsterList(const Game& game)
{
    RankingWindow window;
    int listed = 0;
    int defeated = 0;
    for (int n = 1; n <= kMonsterCount; ++n) {
        const MonsterDef& monster = game.content().monsters[n];
        if (monster.present <= 0)
            continue;
        const int32_t count = game.save().monsterTally[n];
        ++listed;
        if (count >= 1)
            ++defeated;
        window.rows.push_back(toFullWidth(
            catalogueEntry(n, count, monster.name, monster.unknownName) + right(count, 6)));
    }
    window.heading = "全" + std::to_string(listed) + "種中" + std::to_string(defeated) +
                     "種倒打 　　　  残り" + std::to_string(listed - defeated);
    return window;
}

} // namespace

RankingWindow BuildRanking(const Game& game, Ranking ranking)
{
    switch (ranking) {
    case Ranking::ItemsObtained:
        return itemsObtained(game);
    case Ranking::ItemList:
        return itemList(game);
    case Ranking::MonstersDefeated:
        return monstersDefeated(game);
    case Ranking::MonsterList:
        return monsterList(game);
    default:
        return rosterRanking(game, ranking);
    }
}

void ShowRanking(Game& game, Ranking ranking)
{
    RankingWindow window = BuildRanking(game, ranking);
    PrompterOf(game).run(game, window);
}

} // namespace qvr
