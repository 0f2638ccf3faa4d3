#pragma once

// The floors' events as compiled from data/content/events into the program.

#include "core/event_ops.h"

namespace qvr {

const EventTable& CompiledEvents();

} // namespace qvr
