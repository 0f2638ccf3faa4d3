#pragma once

// A game folder for the crash tests: the build's content and a save whose
// first character is renamed by the runner again and again, so that every
// save the runner makes is a different image. The renames count up (Ｎ1,
// Ｎ2, ...), so the name in a save tells how far the runs have come.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "core/data_files.h"
#include "core/textformat.h"

namespace qvr::crash {

namespace fs = std::filesystem;

inline std::vector<uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline const std::string kFirstName = "ＡＬＡＮ";

// The name the script gives the character at its step `i` (1, 2, ...).
inline std::string RenameAt(int i)
{
    return toFullWidth("N" + std::to_string(i));
}

// The step a name was given at: 0 for the first name, -1 for a name no
// script gives.
inline int StepOf(const std::string& name)
{
    if (name == kFirstName)
        return 0;
    const std::string n = toFullWidth("N");
    if (name.rfind(n, 0) != 0)
        return -1;
    // Full-width digits are three bytes each, the last one the digit's own.
    std::string digits;
    for (std::size_t i = n.size(); i + 3 <= name.size(); i += 3)
        digits += static_cast<char>('0' + (static_cast<uint8_t>(name[i + 2]) - 0x90));
    int step = -1;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), step);
    if (ec != std::errc() || end != digits.data() + digits.size() || RenameAt(step) != name)
        return -1;
    return step;
}

struct CrashFolder {
    fs::path dir;
    std::vector<uint8_t> firstSave;

    explicit CrashFolder(const std::string& tag)
    {
        // What reaches the disk is judged from the shim's record of syncs,
        // not by the disk itself: a folder in memory keeps the loop quick.
        std::error_code ec;
        const fs::path base =
            fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        dir = base / ("qvr-crash-" + tag + "-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const char* name : {kContentFileName, kTextsFileName, kEventsFileName})
            fs::copy_file(fs::path(QVR_BIN_DIR) / name, dir / name);
        SaveData save;
        Character& c = save.roster[1];
        c.rosterNo = 1;
        c.name = kFirstName;
        c.race = Race::Human;
        c.classCode = Class::Fighter;
        c.alignment = Align::Lawful;
        c.sex = 1;
        c.level = 1;
        c.hp = c.maxHp = 10;
        firstSave = EncodeSaveImage(save);
        WriteBytes(dir / kSaveFileName, firstSave);
    }
    ~CrashFolder()
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // Training grounds, then `renames` renames of the first character (to the
    // names of steps after `from`), each saved, then the main window closed
    // (one more save). Where saving fails, Enter takes each message that says
    // so away.
    fs::path writeScript(int renames, bool savesFail = false, int from = 0) const
    {
        // A rename saves twice, so a failing disk says so twice.
        std::string text = "key E\nkey T\n";
        for (int i = from + 1; i <= from + renames; ++i)
            text += "key N\nkey Enter\ntext " + RenameAt(i) +
                    (savesFail ? "\nkey Enter\nkey Enter\n" : "\n");
        text += savesFail ? "close\n" : "key L\nclose\n";
        fs::path path = dir / "renames.qvrs";
        std::ofstream(path) << text;
        return path;
    }

    // The first character's name in a save image, or "" when the image does
    // not load.
    static std::string nameIn(const std::vector<uint8_t>& image)
    {
        SaveData save;
        try {
            DecodeSaveImage(image, save, kSaveFileName);
        } catch (const GameError&) {
            return "";
        }
        return save.roster[1].name;
    }

    // Whether another process could take the folder's lock now.
    bool lockFree() const
    {
        int fd = ::open((dir / kLockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        return free;
    }
};

// What the fault shim keeps in QVR_SYNCED_DIR: each file's content at its
// last successful sync, under the file's device and inode numbers. That is
// what a power cut would leave of the file.
inline fs::path SyncedCopy(const fs::path& syncedDir, const fs::path& file)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return {};
    return syncedDir / (std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino));
}

// A file this program wrote and stands behind as synced.
inline void RecordSynced(const fs::path& syncedDir, const fs::path& file)
{
    WriteBytes(SyncedCopy(syncedDir, file), ReadBytes(file));
}

// Whether a power cut now would leave `file` exactly as it reads now.
inline bool HoldsOnlySynced(const fs::path& syncedDir, const fs::path& file)
{
    const fs::path copy = SyncedCopy(syncedDir, file);
    return !copy.empty() && fs::exists(copy) && ReadBytes(copy) == ReadBytes(file);
}

// The environment that preloads the fault shim into the runner, recording
// syncs into `syncedDir` and making each take `syncDelayUs`; `fault` is one
// of the shim's QVR_FAULT names, or empty.
inline std::vector<std::string> ShimEnvironment(const fs::path& syncedDir, int syncDelayUs,
                                                const std::string& fault = {})
{
    // The shim goes in ahead of the sanitizer's runtime, which must be told
    // to allow that; the sanitizer's other options stay as they are.
    std::string asan = "ASAN_OPTIONS=verify_asan_link_order=0";
    if (const char* own = std::getenv("ASAN_OPTIONS"))
        asan += std::string(":") + own;
    std::vector<std::string> env = {std::string("LD_PRELOAD=") + QVR_FAULT_SHIM,
                                    "QVR_SYNCED_DIR=" + syncedDir.string(),
                                    "QVR_SYNC_DELAY_US=" + std::to_string(syncDelayUs), asan};
    if (!fault.empty())
        env.push_back("QVR_FAULT=" + fault);
    return env;
}

// Starts the runner on the folder; standard output and error go to files of
// the folder. Returns the child's pid.
inline pid_t StartRunner(const CrashFolder& folder, const fs::path& script,
                         const std::vector<std::string>& env = {})
{
    pid_t pid = fork();
    if (pid == 0) {
        int out = ::open((folder.dir / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = ::open((folder.dir / "err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        for (const std::string& e : env)
            putenv(const_cast<char*>(e.c_str()));
        execl(QVR_SCRIPT_EXE, QVR_SCRIPT_EXE, "--game-dir", folder.dir.c_str(), "--seed", "1",
              script.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// The exit status of a runner that ended by itself, -1 for a signal.
inline int WaitRunner(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace qvr::crash
