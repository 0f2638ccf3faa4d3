// qvr --record through the real front end: a session played in the window
// (keys, a mouse press, a name typed into the text box, time passing) is
// written as a key script, and qvr-script plays that script on a copy of the
// starting folder to the very same save file.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "app/script_runner.h"
#include "core/data_files.h"
#include "core/folder_store.h"
#include "core/game.h"
#include "game/main_window.h"
#include "tests/core/temp_folder.h"
#include "tests/ui/dialog_test_helpers.h"
#include "ui/main_window.h"
#include "ui/panel_widget.h"
#include "ui/qt_prompter.h"
#include "ui/session_recorder.h"

using namespace qvr;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void MakeGameFolder(const fs::path& folder)
{
    for (const char* name : {kContentFileName, kTextsFileName, kEventsFileName})
        fs::copy_file(fs::path(QVR_BIN_DIR) / name, folder / name);
    std::ofstream(folder / kSaveFileName, std::ios::binary) << std::string(kSaveFileBytes, '\0');
}

void PressKey(QWidget& w, Qt::Key key, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(w.windowHandle(), key);
}

} // namespace

class RecordingTest : public QObject {
    Q_OBJECT
private slots:
    void recordedSessionReplaysToTheSameSave();
};

void RecordingTest::recordedSessionReplaysToTheSameSave()
{
    test::TempFolder played, replayed, files;
    MakeGameFolder(played.path());
    MakeGameFolder(replayed.path());
    const fs::path script = files.path() / "session.qvrs";

    {
        Game game(Rng(99));
        game.store = std::make_unique<FolderStore>(played.path());
        game.store->lock();
        game.settings = std::make_unique<MemorySettings>();
        game.clock = std::make_unique<FixedClock>(21 * 3600 + 30 * 60 + 15.75);
        SessionRecorder recorder(script.string());
        // Seed 1 gives the six bonus points the key sequence below spends.
        recorder.start(1, UseRecordedDiceAndClock(game, 1));
        MainWindow window(game);
        game.prompter = std::make_unique<QtPrompter>(&window);
        window.setRecorder(&recorder);
        BeginStartUp(game, false);
        FinishStartUp(game, false);
        window.applyGeometry();
        window.syncFromModel();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The edge of town by a press on its row, the training grounds and
        // "C" by keys, the name typed into the box.
        PanelWidget* town = window.panelWidget("fraCaldrimar");
        QVERIFY(town);
        QTest::mouseClick(town->list()->viewport(), Qt::LeftButton, {},
                          town->list()->visualItemRect(town->list()->item(5)).center());
        QTest::qWait(120);
        bool typed = false;
        test::WhenModal([&](QWidget* box) {
            auto* input = test::Child<QLineEdit>(box, "txtMsg");
            input->setText(QStringLiteral("ＧＯＲＯ"));
            test::Press(box, Qt::Key_Enter);
            typed = true;
        });
        PressKey(window, Qt::Key_T);
        PressKey(window, Qt::Key_C);
        QVERIFY(typed);
        // Race, alignment (中立), sex; then the bonus points and the class.
        PressKey(window, Qt::Key_Enter);
        PressKey(window, Qt::Key_Down);
        PressKey(window, Qt::Key_Enter, 2);
        PressKey(window, Qt::Key_Right, 3);
        QTest::qWait(80);
        PressKey(window, Qt::Key_Left);
        PressKey(window, Qt::Key_Enter);
        PressKey(window, Qt::Key_Right);
        PressKey(window, Qt::Key_Down, 4);
        PressKey(window, Qt::Key_Right, 3);
        PressKey(window, Qt::Key_Enter, 3);
        QCOMPARE(game.save().roster[1].name, std::string("ＧＯＲＯ"));
        window.close();
        QVERIFY(game.screen.quit || !window.isVisible());
    }

    const std::string recorded = ReadAll(script);
    QVERIFY2(recorded.find("\nseed 1\nstart 21:30:15\n") != std::string::npos, recorded.c_str());
    QVERIFY2(recorded.find("\nclick 5\n") != std::string::npos, recorded.c_str());
    QVERIFY2(recorded.find("\ntext ＧＯＲＯ\n") != std::string::npos, recorded.c_str());
    QVERIFY2(recorded.find("\nwait ") != std::string::npos, recorded.c_str());
    QVERIFY2(recorded.ends_with("\nclose\n"), recorded.c_str());

    ScriptOptions options;
    options.gameDir = replayed.path().string();
    options.scriptName = script.string();
    std::ifstream in(script, std::ios::binary);
    std::ostringstream out, err;
    QCOMPARE(RunScript(in, options, out, err), 0);
    QVERIFY2(err.str().empty(), err.str().c_str());
    const std::string original = ReadAll(played.path() / kSaveFileName);
    const std::string replay = ReadAll(replayed.path() / kSaveFileName);
    QCOMPARE(original.size(), std::size_t(kSaveFileBytes));
    QVERIFY2(original == replay, "the replayed save differs from the recorded session's");
    // The replay's clock began where the recording's did: the starting time
    // goes into the save with the run.
    QVERIFY(out.str().find("SAVE") != std::string::npos);
}

int RunRecordingTests(int argc, char** argv)
{
    RecordingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recording_test.moc"
