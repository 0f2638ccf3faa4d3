#pragma once

// EVENTS.DAT: the floors' compiled triggers, their conditions and their
// operations, as qvr-content writes them and the game reads them at start-up.
// Everything the runner will index (flags, items, floors, operation codes)
// is checked as the file is read, so a damaged file stops start-up with its
// name instead of misleading the runner.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/event_ops.h"

namespace qvr {

// A table that owns what it points at: each operation's text views the
// string beside it, so the whole is built in place and never copied.
struct EventData {
    std::vector<EventTrigger> triggers;
    std::vector<EventCond> conds;
    std::vector<EventOp> ops;
    std::vector<std::string> texts; // texts[i] is ops[i]'s
    EventTable table;

    EventData() = default;
    EventData(const EventData&) = delete;
    EventData& operator=(const EventData&) = delete;
};

std::vector<uint8_t> EncodeEventImage(const EventTable& table);
std::shared_ptr<const EventData> DecodeEventImage(std::span<const uint8_t> image,
                                                  const std::string& fileName);

// Checks one trigger, condition or operation against the tables it names;
// an empty text when it is sound, else what is wrong (in Japanese).
std::string EventTriggerProblem(const EventTrigger& t, std::size_t conds, std::size_t ops);
std::string EventCondProblem(const EventCond& c);
std::string EventOpProblem(const EventOp& op);

} // namespace qvr
