#pragma once

// A game folder for the crash tests: the build's content and a save whose
// first character is renamed by the runner again and again, so that every
// save the runner makes is a different image.

#include <sys/file.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
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
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline const std::string kFirstName = "ＡＬＡＮ";

// The name the script gives the character at its step `i` (1, 2, ...).
inline std::string RenameAt(int i)
{
    return toFullWidth("N" + std::to_string(i));
}

struct CrashFolder {
    fs::path dir;
    std::vector<uint8_t> firstSave;

    explicit CrashFolder(const std::string& tag)
    {
        dir = fs::temp_directory_path() / ("qvr-crash-" + tag + "-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy_file(fs::path(QVR_BIN_DIR) / kContentFileName, dir / kContentFileName);
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

    // Training grounds, then `renames` renames of the first character, each
    // saved, then the main window closed (one more save). Where saving fails,
    // Enter takes each message that says so away.
    fs::path writeScript(int renames, bool savesFail = false) const
    {
        // A rename saves twice, so a failing disk says so twice.
        std::string text = "key E\nkey T\n";
        for (int i = 1; i <= renames; ++i)
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
