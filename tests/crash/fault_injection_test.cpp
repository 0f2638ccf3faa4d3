// Saving when the disk fails: a failed sync of the file or the folder, a
// failed rename and a full disk each leave the last good save loadable and
// tell the player, and the runner reports the failure in its exit status.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/crash/game_folder.h"

namespace qvr::crash {
namespace {

struct Fault {
    const char* name;
    // Whether the save file must still hold the save from before. The
    // folder's sync comes after the rename: when only that fails, the new
    // image is in place (the failure says it may not survive a power cut),
    // and both files must load.
    bool oldSaveKept;
};

class FaultInjection : public ::testing::TestWithParam<Fault> {};

TEST_P(FaultInjection, LeavesTheOldSaveWholeAndSaysSo)
{
    const Fault& fault = GetParam();
    CrashFolder folder(fault.name);
    fs::path script = folder.writeScript(1, true);
    std::vector<std::string> env = {std::string("QVR_FAULT=") + fault.name,
                                    std::string("LD_PRELOAD=") + QVR_FAULT_SHIM,
                                    "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0"};
    int status = WaitRunner(StartRunner(folder, script, env));

    EXPECT_EQ(status, 1) << "a failed save at exit is a failed run";
    if (fault.oldSaveKept) {
        EXPECT_EQ(ReadBytes(folder.dir / kSaveFileName), folder.firstSave);
    } else {
        EXPECT_EQ(CrashFolder::nameIn(ReadBytes(folder.dir / kSaveFileName)), RenameAt(1));
        EXPECT_FALSE(CrashFolder::nameIn(ReadBytes(folder.dir / kBackupFileName)).empty());
    }
    std::vector<uint8_t> out = ReadBytes(folder.dir / "out.txt");
    std::string transcript(out.begin(), out.end());
    EXPECT_NE(transcript.find("MSG [] セーブできませんでした"), std::string::npos) << transcript;
    EXPECT_TRUE(folder.lockFree());
}

INSTANTIATE_TEST_SUITE_P(Disk, FaultInjection,
                         ::testing::Values(Fault{"fsync-file", true}, Fault{"rename", true},
                                           Fault{"enospc", true}, Fault{"fsync-dir", false}),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

// The kill loop's power-cut check: a save whose sync did nothing must be
// seen as one a power cut could lose, and a proper one must not be.
struct SyncCase {
    const char* fault;
    bool synced;
};

class PowerCutCheck : public ::testing::TestWithParam<SyncCase> {};

TEST_P(PowerCutCheck, SeesWhetherTheSaveWasSynced)
{
    const SyncCase& c = GetParam();
    CrashFolder folder(std::string("sync-") + c.fault);
    const fs::path synced = folder.dir / "synced";
    fs::create_directories(synced);
    RecordSynced(synced, folder.dir / kSaveFileName);
    EXPECT_TRUE(HoldsOnlySynced(synced, folder.dir / kSaveFileName));

    int status =
        WaitRunner(StartRunner(folder, folder.writeScript(2), ShimEnvironment(synced, 0, c.fault)));
    ASSERT_EQ(status, 0);
    ASSERT_EQ(CrashFolder::nameIn(ReadBytes(folder.dir / kSaveFileName)), RenameAt(2));
    EXPECT_EQ(HoldsOnlySynced(synced, folder.dir / kSaveFileName), c.synced);
}

INSTANTIATE_TEST_SUITE_P(Disk, PowerCutCheck,
                         ::testing::Values(SyncCase{"none", true}, SyncCase{"fsync-lies", false}),
                         [](const auto& info) {
                             std::string n = info.param.fault;
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

} // namespace
} // namespace qvr::crash
