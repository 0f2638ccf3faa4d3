#pragma once

// What every benchmark here shares: running a program as a fresh process and
// reading what it says, the monotonic clock, and the table that sets a
// subject against its baseline measured in the same run.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qvr::bench {

// Nanoseconds on the monotonic clock, which every process of the machine
// shares.
int64_t MonotonicNs();
double MsSince(int64_t startNs);

struct ChildRun {
    int64_t spawnedNs = 0; // the clock just before the process was started
    int64_t exitedNs = 0;  // and once it had been reaped
    std::string output;    // its standard output
    double cpuMs = 0;      // user and system time
    double peakMiB = 0;    // its largest resident size
    int exitStatus = -1;   // -1 when a signal ended it
};

// Starts `argv` (argv[0] a path) with this process's environment, waits for
// it to end and returns what it printed and what it cost.
ChildRun RunChild(const std::vector<std::string>& argv);

// The number after `tag` on the first line of `output` that starts with it;
// throws when there is none, with the whole output in the message.
int64_t NumberAfter(const std::string& output, const std::string& tag);

double Median(std::vector<double> samples);

// One figure measured for a baseline and a subject, run for run, in turns.
struct Comparison {
    std::string figure; // "first paint (ms)"
    std::vector<double> baseline;
    std::vector<double> subject;
};

// Prints the medians, the range, and the median of the run-by-run ratios
// subject / baseline (which holds when the machine's speed drifts).
void PrintComparisons(const std::string& heading, const std::vector<Comparison>& rows);

// The folder of this program: the game folder of the build.
std::filesystem::path ProgramFolder();

// A fresh working copy of the game's two data files in a new folder under
// `parent`, removed again when the object goes.
class GameFolderCopy {
public:
    GameFolderCopy(const std::filesystem::path& from, const std::filesystem::path& parent);
    ~GameFolderCopy();
    GameFolderCopy(const GameFolderCopy&) = delete;
    GameFolderCopy& operator=(const GameFolderCopy&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Reads `--runs N` (and leaves other arguments alone); `fallback` when absent.
int RunsOption(int argc, char** argv, int fallback);
// The value after `name` on the command line, or `fallback`.
std::string StringOption(int argc, char** argv, const std::string& name,
                         const std::string& fallback);

} // namespace qvr::bench
