#pragma once

// The maze's sources: each floor drawn as a text map (floors/floorNN.txt)
// and each floor's events written as a script (events/floorNN.txt). The
// formats are described in data/content/floors/README.md. Both are read into
// the content and a table of triggers, then checked together: the walls must
// agree on both sides, stairs must lead to stairs that lead back, no event
// may sit in rock, and every open cell must be reachable.

#include <filesystem>
#include <string>
#include <vector>

#include "core/event_ops.h"
#include "core/messages.h"
#include "core/records.h"

namespace qvr::content {

// Where each floor was drawn, for messages that name a cell's line.
struct MapPlaces {
    std::string file[kFloorCount];
    int firstLine[kFloorCount] = {}; // the line of the floor's first row of walls
    std::string cellAt(int floor, int x, int y) const
    {
        return file[floor] + ":" + std::to_string(firstLine[floor] + 2 * y + 1) + ": cell (" +
               std::to_string(x) + ", " + std::to_string(y) + ")";
    }
};

// A floor map into the content's three layers; the floor number is the
// file's own ("floor N").
void ReadFloorMap(const std::filesystem::path& path, Content& content, MapPlaces& places);

// Every trigger, condition and operation of the scripts read so far, with
// the texts the operations own and where each trigger and operation was
// written.
struct MazeEvents {
    std::vector<EventTrigger> triggers;
    std::vector<EventCond> conds;
    std::vector<EventOp> ops; // text left empty: see opTexts
    std::vector<std::string> opTexts;
    std::vector<std::string> triggerFiles;
    std::vector<int> opLines;
    std::string placeOf(std::size_t trigger) const
    {
        return triggerFiles[trigger] + ":" + std::to_string(triggers[trigger].line);
    }
};

void ReadEventScript(const std::filesystem::path& path, MazeEvents& events);

// Reads data/content/floors and data/content/events (every floor 0..17 must
// have a map; an event script is optional) and checks them together, the
// texts the events show against `texts`.
MazeEvents ReadMaze(const std::filesystem::path& dataDir, Content& content,
                    const MessageTable& texts);
void CheckMaze(const Content& content, const MapPlaces& places, const MazeEvents& events,
               const MessageTable& texts);
// What the operations name (texts, items, flags, encounters, target cells)
// and where the triggers sit, without the checks of whole floors: for events
// written over maps that are not the data's own.
void CheckEventReferences(const Content& content, const MessageTable& texts,
                          const MazeEvents& events);

// The image of EVENTS.DAT.
std::vector<uint8_t> EventImage(const MazeEvents& events);

// Reads a table of numbered texts (data/messages.toml): every problem of the
// file in one SourceError, each on its own line as "file:line:column: error: ...".
MessageTable ReadMessageSource(const std::filesystem::path& path);

} // namespace qvr::content
