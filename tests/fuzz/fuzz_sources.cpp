// The content compiler's sources: the first byte picks the source file that
// the rest of the input replaces, the others stay the real ones. Broken
// sources are refused with a SourceError or a GameError naming the file;
// anything that compiles must also encode.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/data_files.h"
#include "tools/content/compile.h"

namespace {

namespace fs = std::filesystem;

const fs::path& folder()
{
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("qvr-fuzz-sources-" + std::to_string(getpid()));
        fs::create_directories(d);
        fs::copy(fs::path(QVR_SOURCE_DIR) / "data" / "content", d,
                 fs::copy_options::overwrite_existing | fs::copy_options::recursive);
        return d;
    }();
    return dir;
}

const std::vector<fs::path>& sources()
{
    static const std::vector<fs::path> files = [] {
        std::vector<fs::path> names;
        const fs::path root = fs::path(QVR_SOURCE_DIR) / "data" / "content";
        for (const auto& e : fs::recursive_directory_iterator(root))
            if (e.path().extension() == ".toml" || e.path().extension() == ".txt")
                names.push_back(e.path().lexically_relative(root));
        std::sort(names.begin(), names.end());
        return names;
    }();
    return files;
}

void write(const fs::path& path, const uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0 || sources().empty())
        return 0;
    const fs::path& dir = folder();
    const fs::path& replaced = sources()[data[0] % sources().size()];
    const fs::path original = fs::path(QVR_SOURCE_DIR) / "data" / "content" / replaced;
    write(dir / replaced, data + 1, size - 1);
    try {
        qvr::Content content = qvr::content::CompileContent(dir);
        qvr::EncodeContentImage(content);
    } catch (const qvr::GameError&) {
    }
    fs::copy_file(original, dir / replaced, fs::copy_options::overwrite_existing);
    return 0;
}
