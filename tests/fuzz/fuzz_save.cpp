// The save file as it comes from the disk: any bytes must either load whole
// or be refused with a GameError, and a loaded save must write back.

#include <cstdint>
#include <span>

#include "core/data_files.h"
#include "core/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    qvr::SaveData save;
    try {
        qvr::DecodeSaveImage(std::span<const uint8_t>(data, size), save, qvr::kSaveFileName);
    } catch (const qvr::GameError&) {
        return 0;
    }
    try {
        qvr::EncodeSaveImage(save);
    } catch (const qvr::GameError&) {
        // A name the save held as codes may have no text to write back:
        // refused before anything is written, which is what saving needs.
    }
    return 0;
}
