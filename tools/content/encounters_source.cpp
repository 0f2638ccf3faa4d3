// The encounter table: which monsters make up each encounter, and on which
// floor it is met. A floor's list is every encounter that names the floor;
// scripted battles (the maze's own, the idle ones) name none.

#include <set>
#include <string>
#include <vector>

#include "tools/content/compile.h"

namespace qvr::content {

namespace {

constexpr int kLastEncounter = 1250;

// Waiting too long in one place calls one of these, on any floor; their
// ranks stay far below 35, above which no party could run from them.
constexpr int kFirstIdle = 1209;
constexpr int kLastIdle = 1220;
constexpr int kIdleLowRank = 5;
constexpr int kIdleHighRank = 16;

// Encounters numbered 60f-59..60f belong to floor f.
int floorOfEncounter(int no)
{
    return no <= 60 * kLastFloor ? (no + 59) / 60 : 0;
}

void checkGroup(FieldReader& f, const Content& content, int no, int floor, int monsterNo)
{
    const std::string who = "monster " + std::to_string(monsterNo);
    if (monsterNo > kMonsterCount || content.monsters[monsterNo].present < 1)
        f.fail("groups", "name " + who + ", which is not in monsters.toml");
    const int rank = content.monsters[monsterNo].rank;
    if (floor > 0) {
        const RankBand band = FloorRankBand(floor);
        if (rank < band.low - 1 || rank > band.high + 1)
            f.fail("groups", "name " + who + " of rank " + std::to_string(rank) +
                                 ", far from floor " + std::to_string(floor) + "'s ranks " +
                                 std::to_string(band.low) + ".." + std::to_string(band.high));
    }
    if (no >= kFirstIdle && no <= kLastIdle &&
        (rank < kIdleLowRank || rank > kIdleHighRank))
        f.fail("groups", "name " + who + " of rank " + std::to_string(rank) +
                             "; an idle encounter meets ranks " + std::to_string(kIdleLowRank) +
                             ".." + std::to_string(kIdleHighRank) + ", and the party can flee it");
}

} // namespace

void ReadEncounters(const std::filesystem::path& path, Content& content)
{
    const std::string file = path.string();
    toml::table root = ParseSource(path);
    std::set<int> seen;
    for (const toml::table* table : TablesOf(file, root, "encounter")) {
        FieldReader f(file, *table, "encounter");
        const int no = f.integer("no", 1, kLastEncounter);
        if (!seen.insert(no).second)
            f.fail("no", "is given twice: encounter " + std::to_string(no));
        const int floor =
            static_cast<int>(f.integer("floor", 1, kLastFloor, Need::Optional).value_or(0));
        const std::vector<int64_t> groups =
            *f.integers("groups", 4, 0, kMonsterCount, Need::Required, 1);
        f.finish();
        if (groups[0] == 0)
            f.fail("groups", "must name a monster in group 1: the friendly meeting and the list "
                             "start there");
        if (floor > 0 && floorOfEncounter(no) != floor)
            f.fail("floor", std::to_string(floor) + " is not this number's floor: encounters " +
                                std::to_string(60 * floor - 59) + ".." +
                                std::to_string(60 * floor) + " are floor " + std::to_string(floor) +
                                "'s");
        if (floor == 0 && floorOfEncounter(no) > 0)
            f.fail("floor", "is missing: encounter " + std::to_string(no) + " is floor " +
                                std::to_string(floorOfEncounter(no)) + "'s");
        for (std::size_t g = 0; g < groups.size(); ++g) {
            if (groups[g] != 0)
                checkGroup(f, content, no, floor, static_cast<int>(groups[g]));
            content.encounterTable(no, static_cast<int>(g) + 3) = static_cast<int16_t>(groups[g]);
        }
        if (floor > 0) {
            content.encounterTable(no, 1) = static_cast<int16_t>(no);
            content.encounterTable(no, 2) = static_cast<int16_t>(floor);
        }
    }
    for (int idle = kFirstIdle; idle <= kLastIdle; ++idle)
        if (!seen.count(idle))
            throw SourceError(file + ": idle encounter " + std::to_string(idle) +
                              " is missing (encounters " + std::to_string(kFirstIdle) + ".." +
                              std::to_string(kLastIdle) + " are called on any floor)");
}

} // namespace qvr::content
