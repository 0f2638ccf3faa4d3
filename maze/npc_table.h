#pragma once

// The dungeon characters' talk as compiled from data/content/npcs.toml into
// the program.

#include "core/npc_talk.h"

namespace qvr {

const NpcTable& CompiledNpcs();

} // namespace qvr
