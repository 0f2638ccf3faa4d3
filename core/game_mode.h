#pragma once

// Where the game is: the title, the town (and which of its menus is open),
// the maze, a battle, a chest, or the ending. Rules that act differently by
// place ask this, never which panel happens to be visible: panels are what
// the player sees, and several places share them.

namespace qvr {

enum class Mode {
    Title,  // the title window, until a key or a click
    Town,   // one of the town's menus
    Maze,   // walking or camping in the maze
    Battle, // a battle, from the encounter to its last round
    Chest,  // a chest after a battle
    Ending, // the closing text waits for Enter
};

// The town menu that is open while the mode is Town; None elsewhere.
enum class Facility {
    None,
    CastleTown,
    Tavern,
    Inn,
    Shop,
    Temple,
    AstrologyOffice,
    EdgeOfTown,
    TrainingGrounds,
};

// A mode and, in town, the facility: what a party-list use or a test asks
// about.
struct Place {
    Mode mode = Mode::Town;
    Facility facility = Facility::None;

    bool operator==(const Place&) const = default;
};

inline constexpr Place InTown(Facility facility)
{
    return {Mode::Town, facility};
}

} // namespace qvr
