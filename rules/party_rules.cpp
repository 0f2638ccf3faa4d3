#include "rules/party_rules.h"

#include <string>

#include "core/error.h"

namespace qvr {
namespace {

constexpr int kLastEncounter = 1250;

} // namespace

int16_t PartyAlignments(const Game& game)
{
    int16_t mix = Align::Neutral;
    for (int i = 1; i <= game.state.partyCount; ++i)
        mix = static_cast<int16_t>(mix | game.character(game.state.partyMember[i]).alignment);
    return mix;
}

bool IsWiped(const Game& game, int groupNo)
{
    for (int rosterNo = 1; rosterNo <= kRosterSize; ++rosterNo) {
        const Character& c = game.character(rosterNo);
        if (c.groupNo == groupNo && (c.conditions & Cond::OutOfAction) == 0)
            return false;
    }
    return true;
}

void EnterFloor(Game& game)
{
    GameState& s = game.state;
    const Content& content = game.content();
    if (s.floor < 0 || s.floor >= kFloorCount)
        throw GameError("EnterFloor: floor " + std::to_string(s.floor) + " is not a maze floor");

    // The maze keeps rows before columns; movement asks by column first.
    for (int y = 0; y < kMazeSize; ++y) {
        for (int x = 0; x < kMazeSize; ++x) {
            s.curWalls(x, y) = content.mazeWalls(s.floor, y, x);
            s.curDoors(x, y) = content.mazeDoors(s.floor, y, x);
        }
    }

    s.floorMusic = s.floor <= 13 ? 10 : 11;

    s.floorEncounters.fill(0);
    int16_t count = 0;
    for (int entry = 1; entry <= kLastEncounter && count < kMaxFloorEncounters; ++entry) {
        if (content.encounterTable(entry, 2) == s.floor)
            s.floorEncounters[++count] = content.encounterTable(entry, 1);
    }
    s.floorEncounterCount = count;
}

void EraseCharacter(Game& game, Character& c)
{
    c = game.character(0);
    c.rosterNo = 0;
}

int FreeGroupNumber(const Game& game)
{
    auto taken = [&](int g, bool countMembers) {
        for (int r = 1; r <= kRosterSize; ++r) {
            const Character& c = game.character(r);
            if (c.rosterNo >= 1 && c.groupNo == g && (countMembers || c.floor != -1))
                return true;
        }
        return false;
    };
    for (int g = 1; g <= kRosterSize; ++g)
        if (!taken(g, true))
            return g;
    // Every number is taken only when the party's own members hold some of
    // them; those are theirs to take along.
    for (int g = 1; g <= kRosterSize; ++g)
        if (!taken(g, false))
            return g;
    return kRosterSize;
}

void EraseFromParty(Game& game, int rosterNo)
{
    GameState& st = game.state;
    int kept = 0;
    for (int i = 1; i <= st.partyCount; ++i) {
        const int16_t r = st.partyMember[i];
        if (r == rosterNo)
            continue;
        st.partyMember[++kept] = r;
        game.character(r).position = static_cast<int16_t>(kept);
    }
    for (int i = kept + 1; i <= st.partyCount; ++i)
        st.partyMember[i] = 0;
    st.partyCount = static_cast<int16_t>(kept);
    EraseCharacter(game, game.character(rosterNo));
}

} // namespace qvr
