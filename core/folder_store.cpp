#include "core/folder_store.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/os_error_text.h"

namespace qvr {

namespace {

std::string errnoText(int err)
{
    return OsErrorText(err);
}

// Closes a descriptor on every path out of a function.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the result: a failed close can mean lost data.
    int close()
    {
        int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

bool writeAll(int fd, const uint8_t* data, std::size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

FolderStore::FolderStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

FolderStore::~FolderStore()
{
    unlock();
}

void FolderStore::lock()
{
    if (lockFd_ >= 0)
        return;
    std::filesystem::path path = pathOf(kLockFileName);
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        throw GameError(path.string() + ": ロックファイルを開けません（" + errnoText(errno) + "）");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK)
            throw AlreadyRunning(folder_.string() +
                                 ": このゲームフォルダでは、ほかの QVR がもう動いています");
        throw GameError(path.string() + ": ロックできません（" + errnoText(err) + "）");
    }
    lockFd_ = fd;
}

void FolderStore::unlock()
{
    if (lockFd_ < 0)
        return;
    ::flock(lockFd_, LOCK_UN);
    ::close(lockFd_);
    lockFd_ = -1;
}

std::vector<uint8_t> FolderStore::read(const std::string& name, std::size_t maxBytes) const
{
    std::filesystem::path path = pathOf(name);
    if (!contentFolder_.empty() &&
        (name == kContentFileName || name == kTextsFileName || name == kEventsFileName))
        path = contentFolder_ / name;
    // Without O_NONBLOCK a FIFO under a data file's name would hold the open,
    // and start-up with it, until some writer came along; the check for a
    // regular file below needs the file open first.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        int err = errno;
        if (err == ENOENT)
            throw FileMissing(path.string() + ": ファイルがありません");
        throw GameError(path.string() + ": ファイルを開けません（" + errnoText(err) + "）");
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw GameError(path.string() + ": ファイルを読めません（" + errnoText(errno) + "）");
    if (!S_ISREG(st.st_mode))
        throw GameError(path.string() + ": 普通のファイルではないので読めません");
    if (int flags = ::fcntl(fd.get(), F_GETFL);
        flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw GameError(path.string() + ": ファイルを読めません（" + errnoText(errno) + "）");
    if (static_cast<std::size_t>(st.st_size) > maxBytes)
        throw GameError(path.string() + ": ファイルが大きすぎます（" + std::to_string(st.st_size) +
                        " バイト。" + std::to_string(maxBytes) + " バイトまでのはずです）");

    // Size the buffer from the file, one byte over so that growth shows, but
    // read until end of file rather than trusting the size: a file may grow
    // or shrink while we read, and files of /proc report no size at all.
    std::vector<uint8_t> bytes(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxBytes)
                break;
            bytes.resize(std::min(maxBytes + 1, 2 * got));
        }
        ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw GameError(path.string() + ": ファイルを読めません（" + errnoText(errno) + "）");
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got > maxBytes)
        throw GameError(path.string() + ": ファイルが大きすぎます（" + std::to_string(maxBytes) +
                        " バイトを超えています）");
    bytes.resize(got);
    return bytes;
}

void FolderStore::write(const std::string& name, std::span<const uint8_t> image,
                        const std::string& backupName) const
{
    std::filesystem::path target = pathOf(name);
    std::filesystem::path temp = pathOf(name + ".tmp");
    auto fail = [&](const std::string& what, int err) {
        ::unlink(temp.c_str());
        throw SaveError(target.string() + ": 書き込めませんでした。" + what +
                        (err ? "（" + errnoText(err) + "）" : std::string()));
    };

    {
        Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (fd.get() < 0)
            fail("一時ファイル " + temp.filename().string() + " を作れません", errno);
        if (!writeAll(fd.get(), image.data(), image.size()))
            fail("一時ファイル " + temp.filename().string() + " に書けません", errno);
        if (::fsync(fd.get()) != 0)
            fail("一時ファイル " + temp.filename().string() + " をディスクに書き出せません", errno);
        if (fd.close() != 0)
            fail("一時ファイル " + temp.filename().string() + " を閉じられません", errno);
    }

    // Keep the previous image as the backup. A hard link costs nothing and
    // never leaves a moment without a whole save file; a folder that cannot
    // hold links simply goes without the backup.
    if (!backupName.empty() && ::access(target.c_str(), F_OK) == 0) {
        std::filesystem::path backup = pathOf(backupName);
        std::filesystem::path backupTemp = pathOf(backupName + ".tmp");
        ::unlink(backupTemp.c_str());
        if (::link(target.c_str(), backupTemp.c_str()) == 0 &&
            ::rename(backupTemp.c_str(), backup.c_str()) != 0)
            ::unlink(backupTemp.c_str());
    }

    if (::rename(temp.c_str(), target.c_str()) != 0)
        fail("ファイルを置き換えられません", errno);

    Fd dir(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // The new image is in place; a folder that cannot be synced still reports
    // failure, since the rename may not survive a crash.
    if (dir.get() < 0 || ::fsync(dir.get()) != 0)
        throw SaveError(target.string() +
                        ": 書き込みましたが、フォルダをディスクに書き出せないので、停電や故障で"
                        "失われるおそれがあります（" +
                        errnoText(errno) + "）");
}
} // namespace qvr
