#include "bench_support.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/data_files.h"
#include "core/save_store.h"

extern char** environ;

namespace qvr::bench {

int64_t MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

double MsSince(int64_t startNs)
{
    return static_cast<double>(MonotonicNs() - startNs) / 1e6;
}

ChildRun RunChild(const std::vector<std::string>& argv)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // What it says on standard error (the sound library is talkative) goes
    // with the rest, to be shown only when something fails.
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    ChildRun run;
    pid_t pid = 0;
    run.spawnedNs = MonotonicNs();
    int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        throw std::runtime_error(argv[0] + ": cannot start: " + std::strerror(rc));
    }
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        run.output.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.exitedNs = MonotonicNs();
    auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

int64_t NumberAfter(const std::string& output, const std::string& tag)
{
    std::size_t at = 0;
    while (at < output.size()) {
        std::size_t end = output.find('\n', at);
        std::string line = output.substr(at, end == std::string::npos ? end : end - at);
        if (line.rfind(tag, 0) == 0)
            return std::stoll(line.substr(tag.size()));
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    throw std::runtime_error("no \"" + tag + "\" line in the output:\n" + output);
}

double Median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    std::size_t mid = samples.size() / 2;
    return samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}

void PrintComparisons(const std::string& heading, const std::vector<Comparison>& rows)
{
    std::printf("%s\n", heading.c_str());
    std::printf("  %-26s %22s %22s %8s\n", "figure (median, min-max)", "baseline", "subject",
                "ratio");
    for (const Comparison& row : rows) {
        std::vector<double> ratios;
        for (std::size_t i = 0; i < row.baseline.size() && i < row.subject.size(); ++i)
            if (row.baseline[i] > 0)
                ratios.push_back(row.subject[i] / row.baseline[i]);
        auto cell = [](const std::vector<double>& v) {
            char text[64];
            auto [lo, hi] = std::minmax_element(v.begin(), v.end());
            std::snprintf(text, sizeof text, "%.2f (%.2f-%.2f)", Median(v), *lo, *hi);
            return std::string(text);
        };
        std::printf("  %-26s %22s %22s %7.2fx\n", row.figure.c_str(), cell(row.baseline).c_str(),
                    cell(row.subject).c_str(), Median(ratios));
    }
    std::fflush(stdout);
}

std::filesystem::path ProgramFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

GameFolderCopy::GameFolderCopy(const std::filesystem::path& from,
                               const std::filesystem::path& parent)
{
    std::string pattern = (parent / "qvr-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error(parent.string() +
                                 ": cannot make a folder: " + std::strerror(errno));
    path_ = pattern;
    for (const char* name : {kSaveFileName, kContentFileName, kTextsFileName, kEventsFileName})
        std::filesystem::copy_file(from / name, path_ / name);
}

GameFolderCopy::~GameFolderCopy()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string StringOption(int argc, char** argv, const std::string& name,
                         const std::string& fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] == name)
            return argv[i + 1];
    return fallback;
}

int RunsOption(int argc, char** argv, int fallback)
{
    int runs = std::atoi(StringOption(argc, argv, "--runs", std::to_string(fallback)).c_str());
    return std::clamp(runs, 1, 1000);
}

} // namespace qvr::bench
