// Start-up to first paint: the game's real start-up up to the title's first
// paint, against a bare Qt window with a Japanese label, each a fresh process,
// in turns, in the same run.
//
//   qvr-bench-startup [--runs N] [--platform offscreen|xcb] [--work-dir DIR]
//
// Both programs carry the first-paint probe (first_paint_probe.cpp); the game
// runs on a copy of this folder's data files, with settings of its own, so
// the player's game and settings are left alone.

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "bench_support.h"

using namespace qvr::bench;

namespace {

struct Sample {
    double paintMs = 0;
    double cpuMs = 0;
    double peakMiB = 0;
};

Sample FirstPaint(const std::vector<std::string>& argv, const std::string& window)
{
    ChildRun run = RunChild(argv);
    if (run.exitStatus != 0)
        throw std::runtime_error(argv[0] + " ended with status " + std::to_string(run.exitStatus) +
                                 " before painting:\n" + run.output);
    int64_t paintedNs = NumberAfter(run.output, "painted " + window + " ");
    return {static_cast<double>(paintedNs - run.spawnedNs) / 1e6, run.cpuMs, run.peakMiB};
}

} // namespace

int main(int argc, char** argv)
{
    try {
        int runs = RunsOption(argc, argv, 11);
        std::string platform = StringOption(argc, argv, "--platform", "offscreen");
        std::filesystem::path bin = ProgramFolder();
        GameFolderCopy folder(bin, StringOption(argc, argv, "--work-dir", bin.string()));
        std::filesystem::create_directory(folder.path() / "config");
        setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder.path() / "config").c_str(), 1);
        setenv("QVR_NO_DIALOGS", "1", 1);

        std::vector<std::string> bare = {(bin / "qvr-bench-bare-window").string()};
        std::vector<std::string> title = {(bin / "qvr-bench-title").string(), "--game-dir",
                                          folder.path().string()};
        // Warms the font cache and stores the version, as a player's second
        // start finds them.
        FirstPaint(bare, "bare");
        FirstPaint(title, "frmTitle");

        Comparison paint{"first paint (ms)", {}, {}};
        Comparison cpu{"CPU to first paint (ms)", {}, {}};
        Comparison memory{"peak memory (MiB)", {}, {}};
        for (int i = 0; i < runs; ++i) {
            Sample b = FirstPaint(bare, "bare");
            Sample t = FirstPaint(title, "frmTitle");
            paint.baseline.push_back(b.paintMs);
            paint.subject.push_back(t.paintMs);
            cpu.baseline.push_back(b.cpuMs);
            cpu.subject.push_back(t.cpuMs);
            memory.baseline.push_back(b.peakMiB);
            memory.subject.push_back(t.peakMiB);
        }
        PrintComparisons("start-up to first paint, " + platform + ", " + std::to_string(runs) +
                             " runs each: bare Qt window with a Japanese label vs the title",
                         {paint, cpu, memory});
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qvr-bench-startup: %s\n", e.what());
        return 1;
    }
}
