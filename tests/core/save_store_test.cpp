#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/folder_store.h"
#include "core/ini_file.h"
#include "core/memory_store.h"
#include "temp_folder.h"

using namespace qvr;
using namespace qvr::test;

namespace {

// Two stores on the same files, as two copies of the game on one folder.
struct Stores {
    virtual ~Stores() = default;
    // From now on every write fails as on a full disk.
    virtual void breakWrites() = 0;
    virtual const char* kind() const = 0;
    std::unique_ptr<SaveStore> first, second;
};

struct OnDisk : Stores {
    OnDisk()
    {
        first = std::make_unique<FolderStore>(dir.path());
        second = std::make_unique<FolderStore>(dir.path());
    }
    // A folder where the temporary file should go makes its creation fail.
    void breakWrites() override
    {
        std::filesystem::create_directory(dir.path() / (std::string(kSaveFileName) + ".tmp"));
    }
    const char* kind() const override { return "folder"; }
    TempFolder dir;
};

struct InMemory : Stores {
    InMemory()
    {
        auto files = std::make_unique<MemoryStore>();
        memory = files.get();
        second = files->share();
        first = std::move(files);
    }
    void breakWrites() override { memory->failWrites(true); }
    const char* kind() const override { return "memory"; }
    MemoryStore* memory = nullptr;
};

std::vector<std::unique_ptr<Stores>> BothKinds()
{
    std::vector<std::unique_ptr<Stores>> kinds;
    kinds.push_back(std::make_unique<OnDisk>());
    kinds.push_back(std::make_unique<InMemory>());
    return kinds;
}

} // namespace

TEST(GameFolderLock, SecondHolderIsRefusedUntilTheFirstLetsGo)
{
    for (auto& s : BothKinds()) {
        s->first->lock();
        EXPECT_THROW(s->second->lock(), AlreadyRunning) << s->kind();
        EXPECT_TRUE(s->first->locked());
        EXPECT_FALSE(s->second->locked());
        s->first->unlock();
        EXPECT_NO_THROW(s->second->lock()) << s->kind();
        s->second.reset(); // its end lets go too
        EXPECT_NO_THROW(s->first->lock()) << s->kind();
    }
}

// The memory store stands in for the folder in tests and the simulator, so
// it must answer as the folder does.
TEST(SaveStores, ReadWriteBackupAndFailedWriteAlike)
{
    const std::vector<uint8_t> old(100, 1), now(120, 2), lost(90, 3);
    for (auto& s : BothKinds()) {
        SaveStore& store = *s->first;
        EXPECT_THROW(store.readFile(kSaveFileName, 1000), FileMissing) << s->kind();
        store.writeFileSafely(kSaveFileName, old, kBackupFileName);
        EXPECT_THROW(store.readFile(kBackupFileName, 1000), FileMissing) << s->kind();
        store.writeFileSafely(kSaveFileName, now, kBackupFileName);
        EXPECT_EQ(s->second->readFile(kSaveFileName, 120), now) << s->kind();
        EXPECT_EQ(s->second->readFile(kBackupFileName, 120), old) << s->kind();
        try {
            store.readFile(kSaveFileName, 119);
            ADD_FAILURE() << s->kind() << ": a file over the limit was read";
        } catch (const FileMissing&) {
            ADD_FAILURE() << s->kind() << ": a file over the limit is not missing";
        } catch (const GameError& e) {
            EXPECT_NE(std::string(e.what()).find(kSaveFileName), std::string::npos);
        }

        s->breakWrites();
        EXPECT_THROW(store.writeFileSafely(kSaveFileName, lost, kBackupFileName), SaveError)
            << s->kind();
        EXPECT_EQ(store.readFile(kSaveFileName, 1000), now) << s->kind();
        EXPECT_EQ(store.readFile(kBackupFileName, 1000), old) << s->kind();
        EXPECT_EQ(store.pathOf(kSaveFileName), store.folder() / kSaveFileName);
    }
}

TEST(GameFolderLock, KernelFreesTheLockOfAKilledProcess)
{
    TempFolder dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FolderStore store(dir.path());
        store.lock();
        char c = 'x';
        (void)!write(ready[1], &c, 1);
        pause();
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    FolderStore mine(dir.path());
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
    FolderStore store(dir.path());
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
    FolderStore store(dir.path());
    std::vector<uint8_t> image(46586, 3);
    store.writeFileSafely("A.DAT", image);
    std::vector<uint8_t> read = store.readFile("A.DAT", 16 * 1024 * 1024);
    EXPECT_EQ(read, image);
    EXPECT_LT(read.capacity(), 2 * image.size());

    FolderStore proc("/proc/self");
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
    FolderStore store(dir.path());
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
