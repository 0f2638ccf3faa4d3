#pragma once

// The game's modal windows as Qt dialogs: each call shows the dialog made for
// the window's kind modally over the main window and returns when the
// engine's model has closed. The main window's timers keep running
// meanwhile, so the music upkeep goes on.

#include <memory>

#include <QPointer>
#include <QString>

#include "core/services.h"

class QWidget;

namespace qvr {

class MessageBoxDialog;
class ListPickerDialog;
class CharacterChooserDialog;
struct MessageBox;
struct ListPicker;
struct CharacterChooser;

class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* mainWindow);
    ~QtPrompter() override;
    QtPrompter(const QtPrompter&) = delete;
    QtPrompter& operator=(const QtPrompter&) = delete;

    void run(Game& game, ModalWindow& window) override;
    std::string chooseFile(Game& game, const std::string& pattern) override;

  private:
    void runBox(Game& game, MessageBox& box);
    void runPicker(Game& game, ListPicker& picker);
    void runChooser(Game& game, CharacterChooser& chooser);

    QPointer<QWidget> mainWindow_;
    // Made on first use and kept, so that a box stays where it was; the
    // second box is the one shown over the battle.
    QPointer<MessageBoxDialog> box_;
    QPointer<MessageBoxDialog> secondBox_;
    QPointer<ListPickerDialog> picker_;
    QPointer<CharacterChooserDialog> chooser_;
    QString lastFolder_;
};

} // namespace qvr
