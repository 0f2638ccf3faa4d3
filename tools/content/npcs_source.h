#pragma once

// The dungeon characters' source (data/content/npcs.toml): each character's
// name, greeting, plain thanks, wares and buying factor, its replies by
// word in the order they are tried, its riddle and the items it wants. The
// wares go into the content's trader table (QVR2.DAT); the talk is compiled
// into the program (core/npc_talk.h). Every text number must be in the
// numbered texts, every item in the item table.

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/npc_talk.h"
#include "core/records.h"

namespace qvr::content {

// The talk with the texts it owns kept alive (the records hold views).
struct NpcSources {
    std::vector<NpcDef> npcs; // 0..kNpcCount
    std::vector<NpcReply> replies;
    std::vector<RiddleStep> riddle;
    std::vector<NpcGift> gifts;
    std::shared_ptr<std::deque<std::string>> texts; // what the views point into
    bool present = false;
};

// Reads the characters after the items and encounters; a folder without
// npcs.toml has no characters.
NpcSources ReadNpcs(const std::filesystem::path& file, Content& content,
                    const MessageTable& texts);

// The C++ source of the compiled talk table.
std::string NpcTableSource(const NpcSources& npcs);

} // namespace qvr::content
