// The content file: any bytes load whole or are refused with a GameError.

#include <cstdint>
#include <span>

#include "core/data_files.h"
#include "core/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static auto* content = new qvr::Content; // 600 KB: not on the stack, not per input
    try {
        qvr::DecodeContentImage(std::span<const uint8_t>(data, size), *content,
                                qvr::kContentFileName);
    } catch (const qvr::GameError&) {
    }
    return 0;
}
