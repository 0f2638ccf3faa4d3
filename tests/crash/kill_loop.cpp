// Kills the headless runner with SIGKILL at random moments while it saves
// again and again, and checks after every kill that the save (or, failing
// that, its backup) loads and holds a state the runner really saved, and that
// the folder's lock went with the process.
//
//   qvr-kill-loop [KILLS] [SEED]
//
// The test suite runs a short loop; scripts/soak runs a long one.

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

#include "tests/crash/game_folder.h"

using namespace qvr;
using namespace qvr::crash;

int main(int argc, char** argv)
{
    int kills = argc > 1 ? std::atoi(argv[1]) : 50;
    unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    constexpr int kRenames = 40;

    CrashFolder folder("kill");
    fs::path script = folder.writeScript(kRenames);
    std::set<std::string> saved{kFirstName};
    for (int i = 1; i <= kRenames; ++i)
        saved.insert(RenameAt(i));

    // One run to the end tells how long a run lasts, and that the script
    // does what this loop relies on.
    auto start = std::chrono::steady_clock::now();
    int status = WaitRunner(StartRunner(folder, script));
    auto runTime = std::chrono::steady_clock::now() - start;
    std::string last = CrashFolder::nameIn(ReadBytes(folder.dir / kSaveFileName));
    if (status != 0 || last != RenameAt(kRenames)) {
        std::fprintf(stderr, "the runner did not play the renames (status %d, name '%s')\n",
                     status, last.c_str());
        return 1;
    }
    auto runUs = std::chrono::duration_cast<std::chrono::microseconds>(runTime).count();

    std::mt19937 rng(seed);
    std::uniform_int_distribution<long> when(0, runUs);
    int fromBackup = 0, interrupted = 0;
    for (int k = 1; k <= kills; ++k) {
        pid_t pid = StartRunner(folder, script);
        std::this_thread::sleep_for(std::chrono::microseconds(when(rng)));
        kill(pid, SIGKILL);
        if (WaitRunner(pid) == -1)
            ++interrupted;

        std::string name = CrashFolder::nameIn(ReadBytes(folder.dir / kSaveFileName));
        if (name.empty()) {
            name = CrashFolder::nameIn(ReadBytes(folder.dir / kBackupFileName));
            ++fromBackup;
        }
        if (!saved.count(name)) {
            std::fprintf(stderr, "kill %d: neither the save nor its backup holds a saved state\n",
                         k);
            return 1;
        }
        if (!folder.lockFree()) {
            std::fprintf(stderr, "kill %d: the folder's lock outlived the process\n", k);
            return 1;
        }
    }
    std::printf("%d kills (%d mid-run, run %ld us): every save loaded, %d from the backup\n",
                kills, interrupted, static_cast<long>(runUs), fromBackup);
    return 0;
}
