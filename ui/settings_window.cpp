#include "ui/settings_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/error.h"
#include "core/game.h"
#include "core/message_speed.h"
#include "core/prompts.h"
#include "core/warning_summary.h"
#include "ui/fonts.h"
#include "ui/prompt_dialog.h"

namespace qvr {

namespace {

QLabel* buddyLabel(const char* text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    return label;
}

QPushButton* button(const char* text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

bool ShowSettingsWindow(Game& game, QWidget* parent)
{
    ConfigWindow config(game);
    RunSettingsWindow(game, config, parent);
    return config.accepted();
}

void RunSettingsWindow(Game& game, ConfigWindow& config, QWidget* parent)
{
    if (config.closed())
        return;
    SettingsWindow window(game, config, parent);
    window.exec();
}

SettingsWindow::SettingsWindow(Game& game, ConfigWindow& config, QWidget* parent)
    : QDialog(parent), game_(game), config_(config)
{
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(QString::fromUtf8(ConfigWindow::kTitle));
    setFont(PromptFont(parent));

    tracks_ = new QComboBox(this);
    tracks_->setObjectName(QStringLiteral("cboBGM"));
    for (int t = 1; t <= kTrackCount; ++t)
        tracks_->addItem(QString::fromUtf8(TrackDisplayName(t)), t);
    trackFile_ = new QLineEdit(this);
    trackFile_->setObjectName(QStringLiteral("txtFile"));
    auto* browseTrack = button(ConfigWindow::kBrowseTrackText, "cmdBGMFile", this);

    monsters_ = new QListWidget(this);
    monsters_->setObjectName(QStringLiteral("lst"));
    for (const ConfigWindow::PictureLine& line : config_.pictures())
        monsters_->addItem(DisplayText(line.name));
    pictureFile_ = new QLineEdit(this);
    pictureFile_->setObjectName(QStringLiteral("txtName"));
    browsePicture_ = button(ConfigWindow::kBrowsePictureText, "cmdFile", this);

    // The battle's narration: wait for a key, or close each box by itself.
    auto* speed = new QComboBox(this);
    speed->setObjectName(QStringLiteral("cboMsgSpeed"));
    for (int ms : BattleDelayChoices(config_.battleDelay()))
        speed->addItem(QString::fromUtf8(BattleDelayName(ms)), ms);
    speed->setCurrentIndex(speed->findData(config_.battleDelay()));

    auto* note = new QLabel(QString::fromUtf8(ConfigWindow::kNote), this);
    note->setObjectName(QStringLiteral("lblNote"));
    auto* ok = button(ConfigWindow::kOkText, "cmdOK", this);
    auto* cancel = button(ConfigWindow::kCancelText, "cmdCancel", this);

    auto* grid = new QGridLayout;
    grid->addWidget(buddyLabel(ConfigWindow::kTrackLabel, tracks_, this), 0, 0, 1, 2);
    grid->addWidget(tracks_, 1, 0, 1, 2);
    grid->addWidget(buddyLabel(ConfigWindow::kTrackFileLabel, trackFile_, this), 2, 0, 1, 2);
    grid->addWidget(trackFile_, 3, 0);
    grid->addWidget(browseTrack, 3, 1);
    grid->addWidget(buddyLabel(ConfigWindow::kPictureListLabel, monsters_, this), 4, 0, 1, 2);
    grid->addWidget(monsters_, 5, 0, 1, 2);
    grid->addWidget(buddyLabel(ConfigWindow::kPictureFileLabel, pictureFile_, this), 6, 0, 1, 2);
    grid->addWidget(pictureFile_, 7, 0);
    grid->addWidget(browsePicture_, 7, 1);
    grid->addWidget(buddyLabel(ConfigWindow::kBattleDelayLabel, speed, this), 8, 0, 1, 2);
    grid->addWidget(speed, 9, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(note, 1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    if (!config_.warnings().empty()) {
        auto* warnings = new QLabel(DisplayText(WarningSummary(config_.warnings())), this);
        warnings->setObjectName(QStringLiteral("lblWarnings"));
        warnings->setWordWrap(true);
        layout->addWidget(warnings);
    }
    layout->addLayout(buttons);
    resize(520, 540);

    connect(tracks_, &QComboBox::currentIndexChanged, this, &SettingsWindow::trackChosen);
    connect(trackFile_, &QLineEdit::textEdited, this,
            [this](const QString& text) { config_.setTrackFile(text.toStdString()); });
    connect(browseTrack, &QPushButton::clicked, this,
            [this] { browse(&ConfigWindow::browseTrackFile); });
    connect(monsters_, &QListWidget::currentRowChanged, this, &SettingsWindow::monsterChosen);
    connect(pictureFile_, &QLineEdit::textEdited, this,
            [this](const QString& text) { config_.setPictureFile(text.toStdString()); });
    connect(browsePicture_, &QPushButton::clicked, this,
            [this] { browse(&ConfigWindow::browsePictureFile); });
    connect(speed, &QComboBox::currentIndexChanged, this,
            [this, speed](int index) { config_.setBattleDelay(speed->itemData(index).toInt()); });
    connect(ok, &QPushButton::clicked, this, &SettingsWindow::confirm);
    connect(cancel, &QPushButton::clicked, this, &SettingsWindow::reject);

    tracks_->setCurrentIndex(config_.selectedTrack() - 1);
    trackChosen(tracks_->currentIndex());
    showPicture();
}

void SettingsWindow::trackChosen(int index)
{
    if (index < 0)
        return;
    config_.selectTrack(tracks_->itemData(index).toInt());
    trackFile_->setText(DisplayText(config_.trackFile()));
}

void SettingsWindow::monsterChosen(int line)
{
    config_.selectMonster(line);
    showPicture();
}

void SettingsWindow::showPicture()
{
    bool chosen = config_.selectedMonster() >= 0;
    pictureFile_->setEnabled(chosen);
    browsePicture_->setEnabled(chosen);
    pictureFile_->setText(DisplayText(config_.pictureFile()));
}

void SettingsWindow::browse(void (ConfigWindow::*chooser)(Game&))
{
    try {
        (config_.*chooser)(game_);
    } catch (const GameError& e) {
        tell(e.what());
    }
    trackFile_->setText(DisplayText(config_.trackFile()));
    showPicture();
}

void SettingsWindow::confirm()
{
    try {
        config_.ok(game_);
    } catch (const GameError& e) {
        // The window stays open with the player's edits; the file is as it was.
        tell(e.what());
        return;
    }
    accept();
}

void SettingsWindow::reject()
{
    config_.cancel();
    QDialog::reject();
}

void SettingsWindow::tell(const std::string& text)
{
    if (game_.prompter)
        ShowMessage(game_, ConfigWindow::kTitle, text);
    else
        QMessageBox::warning(this, QString::fromUtf8(ConfigWindow::kTitle), DisplayText(text));
}

} // namespace qvr
