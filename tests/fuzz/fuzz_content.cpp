// The content file, and the texts and events read beside it: any bytes load
// whole or are refused with a GameError.

#include <cstdint>
#include <span>

#include "core/data_files.h"
#include "core/error.h"
#include "core/event_file.h"
#include "core/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static auto* content = new qvr::Content; // 600 KB: not on the stack, not per input
    try {
        qvr::DecodeContentImage(std::span<const uint8_t>(data, size), *content,
                                qvr::kContentFileName);
    } catch (const qvr::GameError&) {
    }
    try {
        qvr::DecodeEventImage(std::span<const uint8_t>(data, size), qvr::kEventsFileName);
    } catch (const qvr::GameError&) {
    }
    try {
        qvr::DecodeMessageImage(std::span<const uint8_t>(data, size), qvr::kTextsFileName);
    } catch (const qvr::GameError&) {
    }
    return 0;
}
