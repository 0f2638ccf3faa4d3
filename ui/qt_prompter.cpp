#include "ui/qt_prompter.h"

#include <QFileInfo>
#include <QWidget>

#include "core/config_window.h"
#include "core/game.h"
#include "core/message_history.h"
#include "core/prompts.h"
#include "game/status_window.h"
#include "town/rankings.h"
#include "ui/character_chooser_dialog.h"
#include "ui/file_chooser_dialog.h"
#include "ui/history_dialog.h"
#include "ui/list_picker_dialog.h"
#include "ui/main_window.h"
#include "ui/message_box_dialog.h"
#include "ui/ranking_dialog.h"
#include "ui/session_recorder.h"
#include "ui/settings_window.h"
#include "ui/status_window_dialog.h"

namespace qvr {

namespace {

// The kept dialog, or, while that one is showing (a prompt raised from inside
// a prompt of the same kind), a fresh one for this call only.
template <class Dialog, class Run> void runIn(QPointer<Dialog>& kept, QWidget* parent, Run&& run)
{
    if (!kept)
        kept = new Dialog(parent);
    if (!kept->busy()) {
        run(*kept);
        return;
    }
    std::unique_ptr<Dialog> extra(new Dialog(parent));
    run(*extra);
}

} // namespace

QtPrompter::QtPrompter(QWidget* mainWindow) : mainWindow_(mainWindow) {}

QtPrompter::~QtPrompter()
{
    // Dialogs parented to the main window may already be gone with it.
    delete box_.data();
    delete secondBox_.data();
    delete picker_.data();
    delete chooser_.data();
}

void QtPrompter::run(Game& game, ModalWindow& window)
{
    switch (window.kind()) {
    case WindowKind::MessageBox:
        runBox(game, *WindowAs<MessageBox>(window));
        return;
    case WindowKind::ListPicker:
        runPicker(game, *WindowAs<ListPicker>(window));
        return;
    case WindowKind::CharacterChooser:
        runChooser(game, *WindowAs<CharacterChooser>(window));
        return;
    case WindowKind::Settings:
        if (SessionRecorder* recorder = MainWindow::RecorderOf(mainWindow_.data()))
            recorder->note("the settings window opened here; qvr-script cannot play it");
        RunSettingsWindow(game, *WindowAs<ConfigWindow>(window), mainWindow_.data());
        return;
    // These windows are made for each opening: a status window may open
    // another prompt, never another status window, and a board is built
    // afresh anyway.
    case WindowKind::Status: {
        StatusWindowDialog dialog(mainWindow_.data());
        dialog.run(game, *WindowAs<StatusWindow>(window));
        return;
    }
    case WindowKind::Ranking: {
        RankingDialog dialog(mainWindow_.data());
        dialog.run(game, *WindowAs<RankingWindow>(window));
        return;
    }
    case WindowKind::History: {
        HistoryDialog dialog(mainWindow_.data());
        dialog.run(game, *WindowAs<HistoryWindow>(window));
        return;
    }
    }
}

void QtPrompter::runBox(Game& game, MessageBox& box)
{
    QPointer<MessageBoxDialog>& kept = box.second ? secondBox_ : box_;
    runIn(kept, mainWindow_.data(),
          [&](MessageBoxDialog& dialog) { dialog.run(game, box, mainWindow_.data()); });
}

void QtPrompter::runPicker(Game& game, ListPicker& picker)
{
    runIn(picker_, mainWindow_.data(), [&](ListPickerDialog& dialog) { dialog.run(game, picker); });
}

void QtPrompter::runChooser(Game& game, CharacterChooser& chooser)
{
    runIn(chooser_, mainWindow_.data(),
          [&](CharacterChooserDialog& dialog) { dialog.run(game, chooser); });
}

std::string QtPrompter::chooseFile(Game& game, const std::string& pattern)
{
    // The chooser opens where the last file was chosen, else in the game
    // folder, where players tend to keep their tracks.
    QString folder = lastFolder_;
    if (folder.isEmpty() && game.store)
        folder = QString::fromStdString(game.store->folder().string());
    FileChooserDialog dialog(QString::fromStdString(pattern), folder, mainWindow_.data());
    if (dialog.exec() != QDialog::Accepted)
        return "";
    lastFolder_ = QFileInfo(dialog.chosenPath()).absolutePath();
    return dialog.chosenPath().toStdString();
}

} // namespace qvr
