// Preloaded into the game to make the disk fail the way real disks do, for
// the tests of saving: QVR_FAULT names the failure, and every matching call
// fails for the life of the process.
//   fsync-file  fsync of a file fails (EIO)
//   fsync-dir   fsync of a folder fails (EIO)
//   rename      renaming onto the save file fails (EIO)
//   enospc      writing a temporary file (*.tmp) finds the disk full
//   fsync-lies  fsync of a file reports success and does nothing, as a disk
//               that lies would, or a save that never syncs
//
// Two more settings let the kill loop judge a save as a power cut would:
//   QVR_SYNCED_DIR=DIR    after every successful sync of a file, its whole
//                         content is copied to DIR/DEV-INODE: what the disk
//                         holds for that file even if the power failed
//                         now. A file whose content differs from its copy
//                         (or has none) has bytes a power cut may take.
//   QVR_SYNC_DELAY_US=N   each sync first waits N microseconds, as a real
//                         disk does, so that kills land inside saves.

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool faultIs(const char* name)
{
    const char* fault = std::getenv("QVR_FAULT");
    return fault && std::strcmp(fault, name) == 0;
}

template <class Fn> Fn real(const char* symbol)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, symbol));
}

using WriteFn = ssize_t (*)(int, const void*, size_t);
using RenameFn = int (*)(const char*, const char*);
using SyncFn = int (*)(int);

WriteFn realWrite()
{
    static auto next = real<WriteFn>("write");
    return next;
}

RenameFn realRename()
{
    static auto next = real<RenameFn>("rename");
    return next;
}

bool isFolder(int fd)
{
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

bool endsWith(const std::string& s, const char* tail)
{
    std::size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

std::string pathOf(int fd)
{
    char buf[4096];
    std::string link = "/proc/self/fd/" + std::to_string(fd);
    ssize_t n = readlink(link.c_str(), buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

void slowDisk()
{
    const char* delay = std::getenv("QVR_SYNC_DELAY_US");
    long us = delay ? std::atol(delay) : 0;
    if (us <= 0)
        return;
    timespec t{us / 1000000, (us % 1000000) * 1000};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

// The copy goes in under a temporary name and is renamed into place, so a
// kill in the middle leaves either the old copy or the new one.
void recordSynced(int fd)
{
    const char* dir = std::getenv("QVR_SYNCED_DIR");
    struct stat st {};
    if (!dir || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return;
    // The game writes through a write-only descriptor: read the file through
    // a descriptor of our own.
    int in = open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return;
    std::vector<char> bytes;
    char buf[65536];
    for (off_t at = 0;;) {
        ssize_t n = pread(in, buf, sizeof buf, at);
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), buf, buf + n);
        at += n;
    }
    close(in);
    std::string name =
        std::string(dir) + "/" + std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino);
    std::string part = name + ".part";
    int out = open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0)
        return;
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = realWrite()(out, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    close(out);
    if (done == bytes.size())
        realRename()(part.c_str(), name.c_str());
}

int sync(int fd, const char* symbol)
{
    bool folder = isFolder(fd);
    if ((faultIs("fsync-file") && !folder) || (faultIs("fsync-dir") && folder)) {
        errno = EIO;
        return -1;
    }
    if (faultIs("fsync-lies") && !folder)
        return 0;
    slowDisk();
    int rc = real<SyncFn>(symbol)(fd);
    if (rc == 0 && !folder)
        recordSynced(fd);
    return rc;
}

} // namespace

extern "C" int fsync(int fd)
{
    return sync(fd, "fsync");
}

extern "C" int fdatasync(int fd)
{
    return sync(fd, "fdatasync");
}

extern "C" int rename(const char* from, const char* to)
{
    if (faultIs("rename") && to && endsWith(to, "/QVR1.DAT")) {
        errno = EIO;
        return -1;
    }
    return realRename()(from, to);
}

extern "C" ssize_t write(int fd, const void* data, size_t size)
{
    if (faultIs("enospc") && endsWith(pathOf(fd), ".tmp")) {
        errno = ENOSPC;
        return -1;
    }
    return realWrite()(fd, data, size);
}
