#include <deque>

#include "core/event_file.h"
#include "core/messages.h"
#include "core/npc_talk.h"
#include "core/sjis.h"
#include "tools/content/maze_source.h"
#include "tools/content/toml_fields.h"

namespace qvr::content {

namespace {

constexpr int kLastEncounter = 1250;

bool isRock(const Content& c, int floor, int x, int y)
{
    return c.mazeWalls(floor, y, x) == 15 && c.mazeDoors(floor, y, x) == 0;
}

std::string floorFile(int floor)
{
    return (floor < 10 ? "floor0" : "floor") + std::to_string(floor) + ".txt";
}

struct Landing {
    int floor, x, y;
};

bool movesParty(OpCode code)
{
    return code == OpCode::Stairs || code == OpCode::Chute || code == OpCode::Teleport ||
           code == OpCode::Move || code == OpCode::Switch;
}

void checkWallPairs(const Content& c, const MapPlaces& places, int floor)
{
    for (int y = 0; y < kMazeSize; ++y) {
        for (int x = 0; x < kMazeSize; ++x) {
            const int ex = (x + 1) % kMazeSize, sy = (y + 1) % kMazeSize;
            auto side = [&](int cx, int cy, int bit) {
                return (c.mazeWalls(floor, cy, cx) & bit ? 1 : 0) |
                       (c.mazeDoors(floor, cy, cx) & bit ? 2 : 0);
            };
            if (side(x, y, 2) != side(ex, y, 8))
                throw SourceError(places.cellAt(floor, x, y) + ": its east side differs from the " +
                                  "west side of (" + std::to_string(ex) + ", " + std::to_string(y) +
                                  ")");
            if (side(x, y, 4) != side(x, sy, 1))
                throw SourceError(places.cellAt(floor, x, y) + ": its south side differs from " +
                                  "the north side of (" + std::to_string(x) + ", " +
                                  std::to_string(sy) + ")");
        }
    }
}

// The references an operation makes: texts, items, flags, encounters, floors
// and cells.
void checkOp(const Content& c, const MessageTable& texts, const MazeEvents& ev, std::size_t t,
             std::size_t o)
{
    const EventOp& op = ev.ops[o];
    const std::string at = ev.triggerFiles[t] + ":" + std::to_string(ev.opLines[o]) + ": ";
    auto text = [&](int n) {
        if (!texts.has(n))
            throw SourceError(at + "text " + std::to_string(n) + " is not in messages.toml");
    };
    auto item = [&](int n) {
        if (n < 1 || n > kItemCount || c.items[n].name.empty())
            throw SourceError(at + "item " + std::to_string(n) + " is not in the item catalogue");
    };
    auto encounter = [&](int n) {
        if (n < 1 || n > kLastEncounter)
            throw SourceError(at + "encounter " + std::to_string(n) + " is outside 1..1250");
        if (c.encounterTable(n, 3) < 1)
            throw SourceError(at + "encounter " + std::to_string(n) +
                              " has no monsters in encounters.toml");
    };
    auto within = [&](int v, int lo, int hi, const char* what) {
        if (v < lo || v > hi)
            throw SourceError(at + what + " " + std::to_string(v) + " is outside " +
                              std::to_string(lo) + ".." + std::to_string(hi));
    };
    if (!ev.opTexts[o].empty() && !sjisEncodable(ev.opTexts[o]))
        throw SourceError(at + "the text has characters code page 932 cannot hold");
    const OpInfo* info = FindEventOp(op.code);
    const int16_t args[3] = {op.a, op.b, op.c};
    if (info && info->flagArg >= 0)
        within(args[info->flagArg], 0, 100, "flag");
    if (info && info->itemArg >= 0)
        item(args[info->itemArg]);
    switch (op.code) {
    case OpCode::Message:
        return text(op.a);
    case OpCode::Ask:
        return ev.opTexts[o].empty() ? text(op.a) : void();
    case OpCode::Npc:
        if (op.a < 1 || op.a > kNpcCount)
            throw SourceError(at + "the dungeon characters are 1.." + std::to_string(kNpcCount));
        return;
    case OpCode::Scene:
    case OpCode::Wall:
    case OpCode::Altar:
        if (op.b < op.a)
            throw SourceError(at + "a scene runs from its first text to a later one");
        for (int n = op.a; n <= op.b; ++n)
            text(n);
        return;
    case OpCode::Give:
    case OpCode::Reward:
        if (op.b != 0 && op.b != 1)
            throw SourceError(at + "the item's second value is 1 (unidentified) or nothing");
        return;
    case OpCode::Trap:
        return within(op.a, 1, 20, "a trap's d10");
    case OpCode::Battle:
    case OpCode::Box:
        return encounter(op.a);
    case OpCode::Tips:
        encounter(op.a);
        within(op.b, 0, kMazeSize - 1, "the door's x");
        within(op.c, 0, kMazeSize - 1, "the door's y");
        // The drinker's own words and every tier's question and tips.
        for (int n : {12101, 12102, 12103, 12106, 12107, 12108, 12109})
            text(n);
        for (int n = 12111; n <= 12127; ++n)
            text(n);
        return;
    case OpCode::Strength:
        return within(op.a, 1, 99, "strength");
    case OpCode::PartyOf:
    case OpCode::FewerThan:
        return within(op.a, 1, 6, "a party's size");
    case OpCode::Riddle:
        for (int n : args)
            text(n);
        return;
    case OpCode::Seller:
        within(op.a, 0, 32767, "a price");
        for (int n = op.b; n < op.b + 6; ++n)
            text(n);
        return;
    case OpCode::Book:
        within(op.a, 1, 2, "a school");
        return within(op.b, 1, 7, "a spell level");
    case OpCode::Raise:
        within(op.a, 1, 6, "a statistic");
        return within(op.b, 1, 99, "a raise");
    default:
        break;
    }
    if (movesParty(op.code)) {
        if (op.a < 0 || op.a >= kFloorCount || op.b < 0 || op.b >= kMazeSize || op.c < 0 ||
            op.c >= kMazeSize)
            throw SourceError(at + "the floor must be 0..17 and the cell 0..19");
        const int from = ev.triggers[t].floor;
        if ((op.code == OpCode::Stairs || op.code == OpCode::Chute) &&
            (op.a == from || op.a == 0 || isRock(c, op.a, op.b, op.c)))
            throw SourceError(at + "stairs and chutes lead to an open cell of another floor");
        if (op.code == OpCode::Chute && op.a < from)
            throw SourceError(at + "a chute leads down");
    }
}

// Stairs must arrive on stairs that lead back to where they started, so that
// no party is stranded by a way that goes one way only.
void checkStairs(const MazeEvents& ev, std::size_t t, std::size_t o)
{
    const EventTrigger& from = ev.triggers[t];
    const EventOp& op = ev.ops[o];
    for (std::size_t u = 0; u < ev.triggers.size(); ++u) {
        const EventTrigger& back = ev.triggers[u];
        // Stairs back that wait for a flag or a facing could still strand the party.
        if (back.set != TriggerSet::Enter || back.floor != op.a || back.x != op.b ||
            back.y != op.c || back.condCount != 0 || back.facings != 0)
            continue;
        for (std::size_t k = back.firstOp; k < back.firstOp + back.opCount; ++k) {
            const EventOp& b = ev.ops[k];
            if (b.code == OpCode::Stairs && b.a == from.floor && b.b == from.x && b.c == from.y)
                return;
        }
    }
    throw SourceError(ev.triggerFiles[t] + ":" + std::to_string(ev.opLines[o]) +
                      ": the stairs land on (" + std::to_string(op.b) + ", " +
                      std::to_string(op.c) + ") of floor " + std::to_string(op.a) +
                      ", where no stairs lead back");
}

void checkReachable(const Content& c, const MapPlaces& places, const MazeEvents& ev, int floor)
{
    bool seen[kMazeSize][kMazeSize] = {};
    std::deque<Landing> todo;
    auto visit = [&](int x, int y) {
        if (!seen[y][x] && !isRock(c, floor, x, y)) {
            seen[y][x] = true;
            todo.push_back({floor, x, y});
        }
    };
    if (floor == 1)
        visit(0, 0);
    for (std::size_t t = 0; t < ev.triggers.size(); ++t)
        for (std::size_t o = ev.triggers[t].firstOp;
             o < ev.triggers[t].firstOp + ev.triggers[t].opCount; ++o)
            if (movesParty(ev.ops[o].code) && ev.ops[o].a == floor && ev.triggers[t].floor != floor)
                visit(ev.ops[o].b, ev.ops[o].c);
    static constexpr int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
    while (!todo.empty()) {
        Landing at = todo.front();
        todo.pop_front();
        for (int d = 0; d < 4; ++d) {
            int bit = 1 << d;
            if ((c.mazeWalls(floor, at.y, at.x) & bit) && !(c.mazeDoors(floor, at.y, at.x) & bit))
                continue;
            visit((at.x + dx[d] + kMazeSize) % kMazeSize, (at.y + dy[d] + kMazeSize) % kMazeSize);
        }
        for (const EventTrigger& t : ev.triggers) {
            if (t.floor != floor || t.x != at.x || t.y != at.y)
                continue;
            for (std::size_t o = t.firstOp; o < t.firstOp + t.opCount; ++o)
                if (movesParty(ev.ops[o].code) && ev.ops[o].a == floor)
                    visit(ev.ops[o].b, ev.ops[o].c);
        }
    }
    bool anyOpen = false;
    for (int y = 0; y < kMazeSize; ++y) {
        for (int x = 0; x < kMazeSize; ++x) {
            anyOpen |= !isRock(c, floor, x, y);
            if (!isRock(c, floor, x, y) && !seen[y][x])
                throw SourceError(places.cellAt(floor, x, y) +
                                  ": cannot be reached from the floor's way in");
        }
    }
    // Key items are hidden on a random open cell of floors 1..13.
    if (!anyOpen && floor <= 13)
        throw SourceError(places.file[floor] + ": floor " + std::to_string(floor) + " is all rock");
}

} // namespace

MazeEvents ReadMaze(const std::filesystem::path& dataDir, Content& content,
                    const MessageTable& texts)
{
    MapPlaces places;
    MazeEvents events;
    for (int floor = 0; floor < kFloorCount; ++floor) {
        std::filesystem::path map = dataDir / "floors" / floorFile(floor);
        ReadFloorMap(map, content, places);
        if (places.file[floor].empty())
            throw SourceError(map.string() + ": does not draw floor " + std::to_string(floor));
        std::filesystem::path script = dataDir / "events" / floorFile(floor);
        if (std::filesystem::exists(script))
            ReadEventScript(script, events);
    }
    CheckMaze(content, places, events, texts);
    return events;
}

void CheckEventReferences(const Content& content, const MessageTable& texts,
                          const MazeEvents& events)
{
    for (std::size_t t = 0; t < events.triggers.size(); ++t) {
        const EventTrigger& tr = events.triggers[t];
        if (isRock(content, tr.floor, tr.x, tr.y))
            throw SourceError(events.placeOf(t) + ": an event in solid rock");
        if (tr.set == TriggerSet::Use && content.items[tr.item].name.empty())
            throw SourceError(events.placeOf(t) + ": item " + std::to_string(tr.item) +
                              " is not in the item catalogue");
        for (std::size_t o = tr.firstOp; o < tr.firstOp + tr.opCount; ++o)
            checkOp(content, texts, events, t, o);
    }
}

void CheckMaze(const Content& content, const MapPlaces& places, const MazeEvents& events,
               const MessageTable& texts)
{
    for (int floor = 0; floor < kFloorCount; ++floor)
        if (!places.file[floor].empty())
            checkWallPairs(content, places, floor);
    CheckEventReferences(content, texts, events);
    for (std::size_t t = 0; t < events.triggers.size(); ++t) {
        const EventTrigger& tr = events.triggers[t];
        for (std::size_t o = tr.firstOp; o < tr.firstOp + tr.opCount; ++o)
            if (events.ops[o].code == OpCode::Stairs)
                checkStairs(events, t, o);
    }
    for (int floor = 1; floor < kFloorCount; ++floor)
        if (!places.file[floor].empty())
            checkReachable(content, places, events, floor);
}

} // namespace qvr::content
