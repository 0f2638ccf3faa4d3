#pragma once

// frmConfig: the settings window, where the player gives each music track a
// sound file and each defeated monster a picture. The window only shows the
// ConfigWindow model and passes edits and buttons to it.

#include <QDialog>

#include "core/config_window.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qvr {

class Game;

// Runs the settings window modally; true when the player pressed OK and the
// settings were written.
bool ShowSettingsWindow(Game& game, QWidget* parent);
// The same on a model the caller opened (the town's menu does).
void RunSettingsWindow(Game& game, ConfigWindow& config, QWidget* parent);

class SettingsWindow : public QDialog {
    Q_OBJECT
  public:
    SettingsWindow(Game& game, ConfigWindow& config, QWidget* parent);

    void reject() override;

  private:
    void trackChosen(int index);
    void monsterChosen(int line);
    // Runs one of the model's file choosers, then shows what it changed.
    void browse(void (ConfigWindow::*chooser)(Game&));
    void confirm();
    void showPicture();
    void tell(const std::string& text);

    Game& game_;
    ConfigWindow& config_;
    QComboBox* tracks_;
    QLineEdit* trackFile_;
    QListWidget* monsters_;
    QLineEdit* pictureFile_;
    QPushButton* browsePicture_;
};

} // namespace qvr
