// Every key script under cases/ runs in a fresh game folder and must write
// exactly the transcript beside it. QVR_UPDATE_EXPECTED=1 rewrites the
// transcripts instead (read the changes before committing them).

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

#include "app/script_runner.h"
#include "core/data_files.h"
#include "core/folder_store.h"
#include "tests/script/case_folder.h"
#include "tests/script/transcript_diff.h"

using namespace qvr;
using namespace qvr::test;

namespace {

const std::filesystem::path kCases = QVR_SCRIPT_CASES_DIR;

std::vector<std::string> caseNames()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kCases))
        if (entry.path().extension() == ".qvrs")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool updating()
{
    const char* v = std::getenv("QVR_UPDATE_EXPECTED");
    return v && std::string(v) == "1";
}

class KeyScript : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(KeyScript, WritesItsTranscript)
{
    const std::filesystem::path script = kCases / (GetParam() + ".qvrs");
    const std::filesystem::path expectedPath = kCases / (GetParam() + ".expected");
    const std::string text = ReadWholeFile(script);
    CaseSetup setup = ReadCaseSetup(text);
    CaseFolder folder(setup);

    ScriptOptions options;
    options.gameDir = folder.path().string();
    options.seed = setup.seed;
    options.timeOfDay = 12 * 3600;
    options.scriptName = script.filename().string();
    std::istringstream in(text);
    std::ostringstream out, err;
    int status = RunScript(in, options, out, err);

    EXPECT_EQ(status, setup.exitStatus) << "standard error:\n" << err.str();
    for (const std::string& part : setup.stderrHolds) {
        EXPECT_NE(err.str().find(part), std::string::npos)
            << "standard error lacks \"" << part << "\":\n"
            << err.str();
    }
    if (setup.stderrHolds.empty() && status == 0) {
        EXPECT_EQ(err.str(), "");
    }
    if (setup.saved) {
        EXPECT_EQ(folder.saveRewritten(), *setup.saved);
    }
    // What the game saved, play made: the loader must take it back.
    if (folder.saveRewritten()) {
        SaveData saved;
        const std::string image = ReadWholeFile(folder.path() / kSaveFileName);
        EXPECT_NO_THROW(DecodeSaveImage(std::vector<uint8_t>(image.begin(), image.end()), saved,
                                        kSaveFileName));
    }

    // Whatever way the run ended, it must not keep the folder.
    folder.release();
    FolderStore after(folder.path());
    EXPECT_NO_THROW(after.lock());

    if (updating()) {
        WriteWholeFile(expectedPath, out.str());
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(expectedPath))
        << expectedPath << " is missing; QVR_UPDATE_EXPECTED=1 writes it";
    std::string expected = ReadWholeFile(expectedPath);
    EXPECT_TRUE(expected == out.str()) << "transcript differs (- expected, + written):\n"
                                       << TranscriptDiff(expected, out.str());
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyScript, ::testing::ValuesIn(caseNames()),
                         [](const auto& info) { return info.param; });
