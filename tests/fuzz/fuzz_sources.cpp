// The content compiler's sources: the first byte picks the source file that
// the rest of the input replaces, the others stay the real ones. Broken
// sources are refused with a SourceError or a GameError naming the file;
// anything that compiles must also encode.
//
// The numbering of the files is this program's alone: started with
// QVR_FUZZ_SEEDS=DIR it writes one seed input per source file into DIR (its
// number, then its text) and ends, so seeds always land on the file they
// were made from.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

int writeSeeds(const fs::path& dir)
{
    fs::create_directories(dir);
    const fs::path root = fs::path(QVR_SOURCE_DIR) / "data" / "content";
    for (std::size_t i = 0; i < sources().size(); ++i) {
        std::string name = sources()[i].string();
        std::replace(name.begin(), name.end(), '/', '-');
        std::ifstream in(root / sources()[i], std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
        out.put(static_cast<char>(i));
        out << text;
        if (!out) {
            std::fprintf(stderr, "fuzz_sources: cannot write %s\n", (dir / name).c_str());
            return 1;
        }
    }
    std::printf("%zu source seeds in %s\n", sources().size(), dir.c_str());
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (const char* dir = std::getenv("QVR_FUZZ_SEEDS"))
        std::exit(writeSeeds(dir));
    return 0;
}

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
