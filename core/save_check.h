#pragma once

// What no play can produce is damage. A saved character whose race is no
// race, whose pack holds an item past the item table, or who was left off
// the maze would load and then stop the game the first time a rule looks
// the value up; the loader refuses such a save as it refuses a torn one, so
// that the player is offered the backup at start-up instead.

#include <string>

#include "core/records.h"

namespace qvr {

// Throws GameError for the first used roster entry (1..50) that holds a
// value its field list (record_fields.h) does not allow, or whose roster
// number is not its own slot: the message names the file, the entry and the
// field. Free entries and entry 0, which a load never keeps, are not looked
// at.
void CheckSavedCharacters(const SaveData& save, const std::string& fileName);

} // namespace qvr
