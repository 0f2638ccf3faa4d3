// Kills the headless runner with SIGKILL at random moments while it saves
// again and again, and checks after every kill what a player would find:
//   - the save file itself loads (a kill must never cost the save; the backup
//     is for a failing disk, not for this) and holds the last state saved or
//     a later one, never an earlier one;
//   - the save file's bytes are all synced: the fault shim records what each
//     file held at its last successful sync, which is what a power cut at the
//     moment of the kill would leave, and the save must be exactly that;
//   - the folder's lock went with the process.
// Each run renames on from the name the last run left, so every run has
// real work whatever moment the last one was killed at. A run the kill came
// too late for must have ended with status 0 and saved its last rename.
// The sync is slowed to a disk's pace (QVR_SYNC_DELAY_US in the shim), so
// many kills land inside a save; the report counts those that left the
// temporary file behind. The loop fails when it stops testing: too few
// kills met a running game, or the runs stopped getting anywhere.
//
//   qvr-kill-loop [KILLS] [SEED]
//
// The test suite runs a short loop; scripts/soak runs a long one.

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

#include "tests/crash/game_folder.h"

using namespace qvr;
using namespace qvr::crash;

namespace {

constexpr int kRenames = 20;
// A disk's pace for a sync, so that kills land inside saves.
constexpr int kSyncDelayUs = 3000;

class Loop {
public:
    Loop(int kills, unsigned seed)
        : kills_(kills), rng_(seed), folder_("kill"), synced_(folder_.dir / "synced")
    {
        fs::create_directories(synced_);
        // The starting save came from this program, synced as far as the
        // loop is concerned.
        RecordSynced(synced_, folder_.dir / kSaveFileName);
        env_ = ShimEnvironment(synced_, kSyncDelayUs);
    }

    int run()
    {
        // Runs to the end tell how long a run lasts (the quickest of three:
        // the first start is the slowest), and that the script does what
        // this loop relies on.
        runUs_ = 0;
        for (int i = 0; i < 3; ++i) {
            auto start = std::chrono::steady_clock::now();
            if (!runToEnd(0))
                return 1;
            long us = static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                            std::chrono::steady_clock::now() - start)
                                            .count());
            runUs_ = i == 0 ? us : std::min(runUs_, us);
        }
        for (int k = 1; k <= kills_; ++k)
            if (!killOne(k))
                return 1;
        return verdict();
    }

private:
    int savedStep() const
    {
        return StepOf(CrashFolder::nameIn(ReadBytes(folder_.dir / kSaveFileName)));
    }

    pid_t start(int from)
    {
        return StartRunner(folder_, folder_.writeScript(kRenames, false, from), env_);
    }

    bool fail(int k, const std::string& what) const
    {
        std::fprintf(stderr, "kill %d: %s\n", k, what.c_str());
        std::vector<uint8_t> err = ReadBytes(folder_.dir / "err.txt");
        if (!err.empty())
            std::fprintf(stderr, "the runner said:\n%.*s\n", static_cast<int>(err.size()),
                         reinterpret_cast<const char*>(err.data()));
        return false;
    }

    bool runToEnd(int k)
    {
        const int from = savedStep();
        int status = WaitRunner(start(from));
        if (status != 0)
            return fail(k, "a run that was not killed ended with status " + std::to_string(status));
        if (savedStep() != from + kRenames)
            return fail(k, "a run that was not killed did not save its last rename");
        return checkFolder(k);
    }

    bool killOne(int k)
    {
        std::uniform_int_distribution<long> when(0, runUs_);
        const int before = savedStep();
        pid_t pid = start(before);
        std::this_thread::sleep_for(std::chrono::microseconds(when(rng_)));
        kill(pid, SIGKILL);
        int status = WaitRunner(pid);
        if (status != -1) {
            ++late_;
            if (status != 0)
                return fail(k, "a run the kill came too late for ended with status " +
                                   std::to_string(status));
            if (savedStep() != before + kRenames)
                return fail(k, "a run the kill came too late for did not save its last rename");
            return checkFolder(k);
        }
        ++landed_;
        const fs::path temp = folder_.dir / (std::string(kSaveFileName) + ".tmp");
        if (fs::exists(temp)) {
            ++midSave_;
            // The next save truncates it anyway; gone, it cannot be counted
            // twice.
            fs::remove(temp);
        }
        const int after = savedStep();
        if (after < 0)
            return fail(k, "the save file does not load, or holds a name no run gave");
        if (after < before || after > before + kRenames)
            return fail(k, "the save went from step " + std::to_string(before) + " to " +
                               std::to_string(after));
        progress_ += after - before;
        return checkFolder(k);
    }

    bool checkFolder(int k) const
    {
        if (!HoldsOnlySynced(synced_, folder_.dir / kSaveFileName))
            return fail(k, "the save file holds bytes that were never synced: a power cut "
                           "now would lose or tear it");
        if (!folder_.lockFree())
            return fail(k, "the folder's lock outlived the process");
        return true;
    }

    int verdict() const
    {
        std::printf("%d kills (%d during a run, %d of them during a save, %d after the run "
                    "had ended; run %ld us): the save loaded and was synced after every one, "
                    "%d renames saved by killed runs\n",
                    kills_, landed_, midSave_, late_, static_cast<long>(runUs_), progress_);
        // A loop whose kills mostly miss, or whose runs stop getting anywhere,
        // is no longer testing saves.
        if (landed_ * 2 < kills_) {
            std::fprintf(stderr, "only %d of %d kills met a running game\n", landed_, kills_);
            return 1;
        }
        if (kills_ >= 10 && progress_ == 0) {
            std::fprintf(stderr, "no killed run saved anything: the loop is not testing saves\n");
            return 1;
        }
        // About one kill in ten lands while the temporary file exists; a long
        // loop without one is not aiming at saves.
        if (kills_ >= 200 && midSave_ == 0) {
            std::fprintf(stderr, "no kill landed during a save\n");
            return 1;
        }
        return 0;
    }

    int kills_;
    std::mt19937 rng_;
    CrashFolder folder_;
    fs::path synced_;
    std::vector<std::string> env_;
    long runUs_ = 0;
    int landed_ = 0, late_ = 0, midSave_ = 0, progress_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    int kills = argc > 1 ? std::atoi(argv[1]) : 50;
    unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    return Loop(kills, seed).run();
}
