// Key scripts: any bytes become steps or a ScriptError naming the line.

#include <cstdint>
#include <sstream>
#include <string>

#include "app/script_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    qvr::ScriptSource source(in);
    try {
        while (source.next()) {
        }
    } catch (const qvr::ScriptError&) {
    }
    return 0;
}
