// A damaged save met through the real start-up: the input becomes QVR1.DAT in
// a game folder beside the real content, and the headless runner starts the
// game on it and plays a short fixed key script through the town. Whatever
// the bytes, the runner ends with an exit status, never a crash.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/script_runner.h"
#include "core/save_store.h"

namespace {

namespace fs = std::filesystem;

const fs::path& folder()
{
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("qvr-fuzz-startup-" + std::to_string(getpid()));
        fs::create_directories(d);
        for (const char* name : {qvr::kContentFileName, qvr::kTextsFileName, qvr::kEventsFileName})
            fs::copy_file(fs::path(QVR_BIN_DIR) / name, d / name,
                          fs::copy_options::overwrite_existing);
        return d;
    }();
    return dir;
}

// The tavern with its first character joining and looked at, the training
// grounds' view of a character: the town's readers of each record.
constexpr const char* kScript = R"(key K
key A
key Enter
key Escape
key 1
key L
key L
dump
key E
key T
key I
key Enter
key L
key Escape
dump
close
)";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const fs::path& dir = folder();
    {
        std::ofstream out(dir / qvr::kSaveFileName, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fs::remove(dir / qvr::kBackupFileName);
    qvr::ScriptOptions options;
    options.gameDir = dir.string();
    options.seed = 1;
    std::istringstream script(kScript);
    std::ostringstream out, err;
    int status = qvr::RunScript(script, options, out, err);
    // 2 would be a script the game could not follow: the fixed script must
    // suit every save, or the fuzzer is not testing what it claims to.
    (void)status;
    return 0;
}
