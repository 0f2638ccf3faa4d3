#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/ini_file.h"
#include "core/save_store.h"
#include "temp_folder.h"

using namespace qvr;
using namespace qvr::test;

TEST(GameFolderLock, SecondHolderIsRefusedUntilTheFirstLetsGo)
{
    TempFolder dir;
    SaveStore first(dir.path());
    first.lock();
    SaveStore second(dir.path());
    EXPECT_THROW(second.lock(), AlreadyRunning);
    first.unlock();
    EXPECT_NO_THROW(second.lock());
}

TEST(GameFolderLock, KernelFreesTheLockOfAKilledProcess)
{
    TempFolder dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SaveStore store(dir.path());
        store.lock();
        char c = 'x';
        (void)!write(ready[1], &c, 1);
        pause();
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    SaveStore mine(dir.path());
    EXPECT_THROW(mine.lock(), AlreadyRunning);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_NO_THROW(mine.lock());
    close(ready[0]);
    close(ready[1]);
}

TEST(GameFolderFiles, ReadRefusesMissingOversizedAndNonFiles)
{
    TempFolder dir;
    SaveStore store(dir.path());
    EXPECT_THROW(store.readFile("NONE.DAT", 10), GameError);
    std::vector<uint8_t> image(20, 1);
    store.writeFileSafely("A.DAT", image);
    EXPECT_EQ(store.readFile("A.DAT", 20), image);
    EXPECT_THROW(store.readFile("A.DAT", 19), GameError);
    std::filesystem::create_directory(dir.path() / "D.DAT");
    EXPECT_THROW(store.readFile("D.DAT", 100), GameError);
}

// The buffer follows the file, not the limit: a save read against the content
// file's 16 MiB limit must not hold 16 MiB. Files of /proc report no size, so
// they stand for a file that grew after its size was taken.
TEST(GameFolderFiles, ReadSizesItsBufferFromTheFileNotTheLimit)
{
    TempFolder dir;
    SaveStore store(dir.path());
    std::vector<uint8_t> image(46586, 3);
    store.writeFileSafely("A.DAT", image);
    std::vector<uint8_t> read = store.readFile("A.DAT", 16 * 1024 * 1024);
    EXPECT_EQ(read, image);
    EXPECT_LT(read.capacity(), 2 * image.size());

    SaveStore proc("/proc/self");
    std::vector<uint8_t> status = proc.readFile("status", 1 << 20);
    EXPECT_NE(std::string(status.begin(), status.end()).find("Name:"), std::string::npos);
    EXPECT_THROW(proc.readFile("status", 16), GameError);
}

// A FIFO under a data file's name is refused at once, naming the file; an
// open that waited for a writer would hang start-up, so each read runs in a
// child that an alarm ends.
TEST(GameFolderFiles, FifoUnderADataFileNameIsRefusedWithoutWaiting)
{
    TempFolder dir;
    SaveStore store(dir.path());
    const std::vector<std::pair<std::string, std::function<void()>>> reads = {
        {kSaveFileName, [&] { store.readFile(kSaveFileName, 100); }},
        {kIniFileName, [&] { IniFile::load(store); }},
    };
    for (const auto& [name, read] : reads) {
        ASSERT_EQ(mkfifo((dir.path() / name).c_str(), 0644), 0) << name;
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            alarm(5);
            try {
                read();
            } catch (const GameError& e) {
                std::string what = e.what();
                _exit(what.find(name) != std::string::npos &&
                              what.find("普通のファイルではない") != std::string::npos
                          ? 0
                          : 2);
            }
            _exit(3);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << name << (WIFSIGNALED(status) ? ": the read waited for a writer" : ": wrong outcome");
    }
}

TEST(GameFolderFiles, GameFolderComesFromTheCommandLineThenTheEnvironment)
{
    EXPECT_EQ(ResolveGameFolder("/tmp/x"), std::filesystem::path("/tmp/x"));
    setenv("QVR_HOME", "/tmp/qvr-home", 1);
    EXPECT_EQ(ResolveGameFolder(), std::filesystem::path("/tmp/qvr-home"));
    unsetenv("QVR_HOME");
    EXPECT_FALSE(ResolveGameFolder().empty());
}
