// The game's entry: one copy per game folder, the title unless the command
// line asks for more, then the main window until the player closes it.

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/script_runner.h"
#include "core/folder_store.h"
#include "core/game_folder.h"
#include "game/main_window.h"
#include "game/save_backup.h"
#include "ui/main_window.h"
#include "ui/music_plugin.h"
#include "ui/qt_prompter.h"
#include "ui/qt_settings.h"
#include "ui/session_recorder.h"
#include "ui/title_window.h"

using namespace qvr;

namespace {

constexpr int kLongestTitleWaitMs = 1000;

struct CommandLine {
    std::string gameDir;
    std::string recordPath;      // --record FILE: the session as a key script
    bool otherArguments = false; // anything else skips the title window
};

// Reads what Qt left of the command line after taking its own options.
CommandLine ParseCommandLine(int argc, char** argv)
{
    CommandLine line;
    const std::string option = "--game-dir";
    const std::string record = "--record";
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == record && i + 1 < argc) {
            // Like any argument, it skips the title, as qvr-script does.
            line.recordPath = argv[++i];
            line.otherArguments = true;
        } else if (arg.rfind(record + "=", 0) == 0) {
            line.recordPath = arg.substr(record.size() + 1);
            line.otherArguments = true;
        } else if (arg == option && i + 1 < argc) {
            line.gameDir = argv[++i];
        } else if (arg.rfind(option + "=", 0) == 0) {
            line.gameDir = arg.substr(option.size() + 1);
        } else if (!arg.empty()) {
            line.otherArguments = true;
        }
    }
    return line;
}

// Tests and headless runs set QVR_NO_DIALOGS=1, where a dialog would wait
// for nobody.
bool NoDialogs()
{
    const char* quiet = std::getenv("QVR_NO_DIALOGS");
    return quiet && std::string(quiet) == "1";
}

// A start-up failure names the file and what is wrong.
int StartFailed(const std::string& message)
{
    if (NoDialogs())
        std::cerr << "qvr: " << message << "\n";
    else
        QMessageBox::critical(nullptr, QStringLiteral("QVR"), QString::fromStdString(message));
    return 1;
}

// The save file will not load but its backup does: the player decides.
bool StartFromBackup(const std::string& message)
{
    if (NoDialogs()) {
        std::cerr << "qvr: " << message << "\n";
        return false;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("QVR"),
                    QString::fromStdString(message + "\n\n" + kFromBackupQuestion));
    // Nothing is lost either way (the damaged file is kept), so the quick
    // answer is the one that gets the player playing.
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

// The slow part of start-up, with the way back to the backup of a damaged
// save (which stops it before anything of the main window is built).
bool FinishGameStartUp(Game& game, bool showTitle)
{
    try {
        try {
            FinishStartUp(game, showTitle);
        } catch (const DamagedSave& e) {
            if (!StartFromBackup(e.what()))
                return false;
            RestoreSaveFromBackup(game);
            FinishStartUp(game, showTitle);
        }
    } catch (const std::exception& e) {
        StartFailed(e.what());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CommandLine line = ParseCommandLine(argc, argv);
    bool showTitle = !line.otherArguments;

    Game game(Rng::fromClock());
    try {
        game.store = OpenGameFolder(line.gameDir);
    } catch (const AlreadyRunning&) {
        return 0; // the copy already running is the game; this one just ends
    } catch (const std::exception& e) {
        return StartFailed(e.what());
    }
    game.clock = std::make_unique<SystemClock>();
    std::unique_ptr<SessionRecorder> recorder;
    if (!line.recordPath.empty()) {
        try {
            recorder = std::make_unique<SessionRecorder>(line.recordPath);
        } catch (const std::exception& e) {
            return StartFailed(e.what());
        }
        // The recorded game draws its dice from a seed it writes down, and
        // its clock moves with the engine's time as the script runner's
        // does, so that a replay meets the same dice at the same hour.
        uint64_t seed =
            (static_cast<uint64_t>(std::random_device{}()) << 32) ^
            static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        recorder->start(seed, UseRecordedDiceAndClock(game, seed));
    }
    game.settings = std::make_unique<QtSettingsStore>();
    game.musicPlayer = std::make_unique<LazyMusicPlayer>();
    BeginStartUp(game, showTitle);

    std::unique_ptr<TitleWindow> title;
    std::unique_ptr<MainWindow> window;
    // The slow part: the sound libraries (when a track is set), both files,
    // the main window and every panel it hides. With a title it runs once the
    // title is on the screen, and the title says "Loading..." meanwhile.
    auto finishStartUp = [&]() -> bool {
        window = std::make_unique<MainWindow>(game);
        if (NoDialogs())
            window->setErrorReporter(
                [](const QString& text) { std::cerr << "qvr: " << text.toStdString() << "\n"; });
        window->setRecorder(recorder.get());
        game.prompter = std::make_unique<QtPrompter>(window.get());
        if (!FinishGameStartUp(game, showTitle))
            return false;
        window->applyGeometry();
        QObject::connect(window.get(), &MainWindow::closed, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        if (title) {
            QObject::connect(title.get(), &TitleWindow::left, window.get(),
                             &MainWindow::syncFromModel);
            title->syncFromModel();
        }
        window->syncFromModel();
        return true;
    };

    int status = 1;
    if (showTitle) {
        title = std::make_unique<TitleWindow>(game);
        bool started = false;
        auto finishOnce = [&] {
            if (started)
                return;
            started = true;
            if (!finishStartUp()) {
                title->hide();
                app.exit(1);
            }
        };
        QObject::connect(title.get(), &TitleWindow::firstPainted, &app, finishOnce);
        // A title the window system never shows must not keep the game from
        // starting.
        QTimer::singleShot(kLongestTitleWaitMs, &app, finishOnce);
        title->show();
        title->activateWindow();
        status = app.exec();
    } else if (finishStartUp()) {
        status = app.exec();
    }
    // The prompter's dialogs belong to the main window: let them go first.
    game.prompter.reset();
    // The player has been told that the last save failed, or that an error
    // stopped the game; the status says so too, to whatever started it.
    if (window && window->stoppedByError())
        return 1;
    return status == 0 && game.screen.exitUnsaved ? 1 : status;
}
