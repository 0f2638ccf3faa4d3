#pragma once

// The game's prompts as Qt dialogs: each call shows its dialog modally over
// the main window and returns when the engine's model has closed. The main
// window's timers keep running meanwhile, so the music upkeep goes on.

#include <memory>

#include <QPointer>
#include <QString>

#include "core/services.h"

class QWidget;

namespace qvr {

class MessageBoxDialog;
class ListPickerDialog;
class CharacterChooserDialog;

class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* mainWindow);
    ~QtPrompter() override;
    QtPrompter(const QtPrompter&) = delete;
    QtPrompter& operator=(const QtPrompter&) = delete;

    using Prompter::run;
    void run(Game& game, MessageBox& box) override;
    void run(Game& game, ListPicker& picker) override;
    void run(Game& game, CharacterChooser& chooser) override;
    std::string chooseFile(Game& game, const std::string& pattern) override;
    void run(Game& game, ConfigWindow& window) override;
    void run(Game& game, StatusWindow& window) override;
    void run(Game& game, RankingWindow& window) override;

  private:
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
