// Loading and saving against the bare file operations, in the same run.
//
//   qvr-bench-files [--runs N] [--work-dir DIR]
//
// Load: a first LoadGame in a fresh process against a fresh process that
// reads the same two files with open, fstat and read; each process times its
// own work. Save: SaveGame against writing the same bytes to a temporary
// file, fsync and rename, in turns in one process. The work folder (by
// default a new folder beside this program, on the disk the game uses) holds
// a copy of the game's data files and is removed afterwards.

#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "bench_support.h"
#include "core/data_files.h"
#include "core/folder_store.h"
#include "core/game.h"

using namespace qvr;
using namespace qvr::bench;

namespace {

void check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what + ": " + std::strerror(errno));
}

// What a loader cannot do with less: each file read whole into a buffer of
// its size.
void BareRead(const std::filesystem::path& folder)
{
    for (const char* name : {kSaveFileName, kContentFileName, kTextsFileName, kEventsFileName}) {
        std::string path = (folder / name).string();
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        check(fd >= 0, path);
        struct stat st {};
        check(::fstat(fd, &st) == 0, path);
        std::vector<uint8_t> bytes(static_cast<std::size_t>(st.st_size));
        std::size_t got = 0;
        while (got < bytes.size()) {
            ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            check(n > 0, path);
            got += static_cast<std::size_t>(n);
        }
        ::close(fd);
    }
}

// What a save cannot do with less: the bytes to a temporary file, synced,
// renamed over the old one.
void BareWrite(const std::filesystem::path& folder, const std::vector<uint8_t>& image)
{
    std::string temp = (folder / "BARE.DAT.tmp").string();
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    check(fd >= 0, temp);
    check(::write(fd, image.data(), image.size()) == static_cast<ssize_t>(image.size()), temp);
    check(::fsync(fd) == 0, temp);
    check(::close(fd) == 0, temp);
    check(::rename(temp.c_str(), (folder / "BARE.DAT").c_str()) == 0, temp);
}

// The child's side: one operation in a fresh process, its time printed.
int Child(const std::string& what, const std::filesystem::path& folder)
{
    if (what == "read") {
        int64_t start = MonotonicNs();
        BareRead(folder);
        std::printf("took %lld\n", static_cast<long long>(MonotonicNs() - start));
        return 0;
    }
    Game game;
    game.store = std::make_unique<FolderStore>(folder);
    int64_t start = MonotonicNs();
    LoadGame(game);
    std::printf("took %lld\n", static_cast<long long>(MonotonicNs() - start));
    return 0;
}

struct Timed {
    double ms = 0;
    double peakMiB = 0;
};

Timed InChild(const std::string& what, const std::filesystem::path& folder)
{
    ChildRun run = RunChild(
        {(ProgramFolder() / "qvr-bench-files").string(), "--child", what, folder.string()});
    if (run.exitStatus != 0)
        throw std::runtime_error("the " + what + " process ended with status " +
                                 std::to_string(run.exitStatus) + ":\n" + run.output);
    return {static_cast<double>(NumberAfter(run.output, "took ")) / 1e6, run.peakMiB};
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 4 && std::string(argv[1]) == "--child")
            return Child(argv[2], argv[3]);
        int runs = RunsOption(argc, argv, 11);
        std::filesystem::path bin = ProgramFolder();
        GameFolderCopy folder(bin, StringOption(argc, argv, "--work-dir", bin.string()));

        InChild("read", folder.path()); // brings both files into the page cache
        Comparison load{"load (ms)", {}, {}};
        Comparison loadMemory{"load peak memory (MiB)", {}, {}};
        for (int i = 0; i < runs; ++i) {
            Timed bare = InChild("read", folder.path());
            Timed game = InChild("load", folder.path());
            load.baseline.push_back(bare.ms);
            load.subject.push_back(game.ms);
            loadMemory.baseline.push_back(bare.peakMiB);
            loadMemory.subject.push_back(game.peakMiB);
        }

        Game game;
        game.store = std::make_unique<FolderStore>(folder.path());
        LoadGame(game);
        std::vector<uint8_t> image = EncodeSaveImage(game.save());
        Comparison save{"save (ms)", {}, {}};
        for (int i = 0; i < runs; ++i) {
            int64_t start = MonotonicNs();
            BareWrite(folder.path(), image);
            save.baseline.push_back(MsSince(start));
            start = MonotonicNs();
            SaveGame(game);
            save.subject.push_back(MsSince(start));
        }
        PrintComparisons("loading and saving, " + std::to_string(runs) +
                             " runs each: bare read / bare write+fsync+rename vs the game",
                         {load, loadMemory, save});
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qvr-bench-files: %s\n", e.what());
        return 1;
    }
}
