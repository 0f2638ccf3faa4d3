// QVR.ini as players edit it by hand: parsing never fails, and what it
// writes back parses to the same values.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/error.h"
#include "core/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qvr::IniFile ini = qvr::IniFile::parse(bytes);
    auto track = ini.value("BGM", "1");
    try {
        ini.setValue("BGM", "1", "track.mid");
    } catch (const qvr::GameError&) {
        return 0;
    }
    qvr::IniFile again = qvr::IniFile::parse(ini.serialise());
    if (again.value("BGM", "1") != std::optional<std::string>("track.mid"))
        std::abort(); // a value written is a value read back
    (void)track;
    return 0;
}
