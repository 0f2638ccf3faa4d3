// Preloaded into the game to make the disk fail the way real disks do, for
// the tests of saving: QVR_FAULT names the failure, and every matching call
// fails for the life of the process.
//   fsync-file  fsync of a file fails (EIO)
//   fsync-dir   fsync of a folder fails (EIO)
//   rename      renaming onto the save file fails (EIO)
//   enospc      writing a temporary file (*.tmp) finds the disk full

#include <dlfcn.h>
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool faultIs(const char* name)
{
    const char* fault = std::getenv("QVR_FAULT");
    return fault && std::strcmp(fault, name) == 0;
}

template <class Fn>
Fn real(const char* symbol)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, symbol));
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

} // namespace

extern "C" int fsync(int fd)
{
    bool folder = isFolder(fd);
    if ((faultIs("fsync-file") && !folder) || (faultIs("fsync-dir") && folder)) {
        errno = EIO;
        return -1;
    }
    static auto next = real<int (*)(int)>("fsync");
    return next(fd);
}

extern "C" int rename(const char* from, const char* to)
{
    if (faultIs("rename") && to && endsWith(to, "/QVR1.DAT")) {
        errno = EIO;
        return -1;
    }
    static auto next = real<int (*)(const char*, const char*)>("rename");
    return next(from, to);
}

extern "C" ssize_t write(int fd, const void* data, size_t size)
{
    if (faultIs("enospc") && endsWith(pathOf(fd), ".tmp")) {
        errno = ENOSPC;
        return -1;
    }
    static auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    return next(fd, data, size);
}
