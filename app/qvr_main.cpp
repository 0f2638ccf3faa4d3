// The game's entry: one copy per game folder, the title unless the command
// line asks for more, then the main window until the player closes it.

#include <cstdlib>
#include <iostream>
#include <string>

#include <QApplication>
#include <QMessageBox>

#include "core/folder_store.h"
#include "game/main_window.h"
#include "ui/main_window.h"
#include "ui/qt_prompter.h"
#include "ui/qt_settings.h"
#include "ui/sdl_music.h"
#include "ui/title_window.h"

using namespace qvr;

namespace {

struct CommandLine {
    std::string gameDir;
    bool otherArguments = false; // anything else skips the title window
};

// Reads what Qt left of the command line after taking its own options.
CommandLine ParseCommandLine(int argc, char** argv)
{
    CommandLine line;
    const std::string option = "--game-dir";
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == option && i + 1 < argc) {
            line.gameDir = argv[++i];
        } else if (arg.rfind(option + "=", 0) == 0) {
            line.gameDir = arg.substr(option.size() + 1);
        } else if (!arg.empty()) {
            line.otherArguments = true;
        }
    }
    return line;
}

// A start-up failure names the file and what is wrong. Tests and headless
// runs set QVR_NO_DIALOGS=1, where a dialog would wait for nobody.
int StartFailed(const std::string& message)
{
    const char* quiet = std::getenv("QVR_NO_DIALOGS");
    if (quiet && std::string(quiet) == "1")
        std::cerr << "qvr: " << message << "\n";
    else
        QMessageBox::critical(nullptr, QStringLiteral("QVR"), QString::fromStdString(message));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CommandLine line = ParseCommandLine(argc, argv);

    Game game(Rng::fromClock());
    try {
        game.store = std::make_unique<FolderStore>(ResolveGameFolder(line.gameDir));
        game.store->lock();
    } catch (const AlreadyRunning&) {
        return 0; // the copy already running is the game; this one just ends
    } catch (const std::exception& e) {
        return StartFailed(e.what());
    }
    game.clock = std::make_unique<SystemClock>();
    game.settings = std::make_unique<QtSettingsStore>();
    game.musicPlayer = std::make_unique<SdlMusicPlayer>();

    MainWindow window(game);
    game.prompter = std::make_unique<QtPrompter>(&window);
    try {
        StartUp(game, !line.otherArguments);
    } catch (const std::exception& e) {
        return StartFailed(e.what());
    }
    window.applyGeometry();
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit, Qt::QueuedConnection);

    std::unique_ptr<TitleWindow> title;
    if (game.screen.titleVisible) {
        title = std::make_unique<TitleWindow>(game);
        QObject::connect(title.get(), &TitleWindow::left, &window, &MainWindow::syncFromModel);
        title->show();
        title->activateWindow();
    }
    window.syncFromModel();

    int status = app.exec();
    // The prompter's dialogs belong to the main window: let them go first.
    game.prompter.reset();
    return status;
}
