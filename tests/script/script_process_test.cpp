// The built qvr-script as a process: its exit statuses and where its words go.

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "core/save_store.h"
#include "tests/script/case_folder.h"

using namespace qvr;
using namespace qvr::test;

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

// Runs qvr-script with `args` (already quoted for the shell) in `dir`.
Outcome runProcess(const std::filesystem::path& dir, const std::string& args,
                   const std::string& stdinText = "")
{
    WriteWholeFile(dir / "stdin.txt", stdinText);
    // A runner that never ends is a failure, not a test that never ends.
    std::string command = "timeout 60 '" + std::string(QVR_SCRIPT_EXE) + "' " + args + " <'" +
                          (dir / "stdin.txt").string() + "' >'" + (dir / "out.txt").string() +
                          "' 2>'" + (dir / "err.txt").string() + "'";
    int raw = std::system(command.c_str());
    Outcome o;
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    o.out = ReadWholeFile(dir / "out.txt");
    o.err = ReadWholeFile(dir / "err.txt");
    return o;
}

std::string gameDir(const CaseFolder& folder)
{
    return "--game-dir '" + folder.path().string() + "' --seed 3";
}

} // namespace

TEST(ScriptProcess, CloseEndsWithZeroAndTheSaveOnDisk)
{
    CaseFolder folder(CaseSetup{});
    TempFolder work;
    WriteWholeFile(work.path() / "close.qvrs", "key Down\nclose\n");
    Outcome o = runProcess(work.path(),
                           gameDir(folder) + " '" + (work.path() / "close.qvrs").string() + "'");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "MUSIC 0\nSAVE\nMUSIC 0\n");
    EXPECT_EQ(o.err, "");
    EXPECT_TRUE(folder.saveRewritten());
}

TEST(ScriptProcess, ScriptFromStandardInputAndScriptErrorsGiveTwo)
{
    CaseFolder folder(CaseSetup{});
    TempFolder work;
    Outcome fine = runProcess(work.path(), gameDir(folder) + " -", "dump\n");
    EXPECT_EQ(fine.status, 0) << fine.err;
    EXPECT_NE(fine.out.find("keyboard lstCaldrimar"), std::string::npos);

    Outcome bad = runProcess(work.path(), gameDir(folder) + " -", "dump\n\nkey F13\n");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("standard input line 3: bad key name \"F13\""), std::string::npos)
        << bad.err;

    Outcome noFile = runProcess(work.path(), gameDir(folder) + " /nonexistent/x.qvrs");
    EXPECT_EQ(noFile.status, 2);
    EXPECT_NE(noFile.err.find("/nonexistent/x.qvrs"), std::string::npos);

    // A line with no end is refused once it passes the limit.
    Outcome endless = runProcess(work.path(), gameDir(folder) + " /dev/zero");
    EXPECT_EQ(endless.status, 2);
    EXPECT_NE(endless.err.find("/dev/zero line 1: the line is longer than"), std::string::npos)
        << endless.err;

    Outcome badArgs = runProcess(work.path(), "--time noon -");
    EXPECT_EQ(badArgs.status, 2);
    EXPECT_NE(badArgs.err.find("usage:"), std::string::npos);
}

TEST(ScriptProcess, AMissingContentFileAHeldFolderOrADamagedSaveGiveOne)
{
    CaseSetup without;
    without.without = {kContentFileName};
    CaseFolder bare(without);
    TempFolder work;
    Outcome missing = runProcess(work.path(), gameDir(bare) + " -", "dump\n");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find(kContentFileName), std::string::npos) << missing.err;

    CaseSetup held;
    held.locked = true;
    CaseFolder locked(held);
    Outcome second = runProcess(work.path(), gameDir(locked) + " -", "close\n");
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.err.find("ほかの QVR がもう動いています"), std::string::npos) << second.err;
    EXPECT_FALSE(locked.saveRewritten());

    // A save no play can produce: the runner names the entry and the field.
    CaseSetup damaged;
    damaged.characters = {"4 ＤＡＮ items=1,9999"};
    CaseFolder refused(damaged);
    Outcome item = runProcess(work.path(), gameDir(refused) + " -", "close\n");
    EXPECT_EQ(item.status, 1);
    EXPECT_NE(item.err.find("（名簿 4 番「ＤＡＮ」）: items[2] が 9999 になっています"),
              std::string::npos)
        << item.err;
    EXPECT_FALSE(refused.saveRewritten());
}

TEST(ScriptProcess, TheGameFolderMayComeFromTheEnvironment)
{
    CaseFolder folder(CaseSetup{});
    TempFolder work;
    std::string withHome = "QVR_HOME='" + folder.path().string() + "' ";
    WriteWholeFile(work.path() / "stdin.txt", "key Ctrl\n");
    std::string command = withHome + "'" + std::string(QVR_SCRIPT_EXE) + "' --seed 1 - <'" +
                          (work.path() / "stdin.txt").string() + "' >/dev/null 2>&1";
    int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
    EXPECT_TRUE(folder.saveRewritten());
}
