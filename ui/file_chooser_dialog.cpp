#include "ui/file_chooser_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "core/config_window.h"
#include "ui/prompt_dialog.h"

namespace qvr {

namespace {

constexpr int kIndent = 2; // blanks per folder level

QListWidgetItem* folderItem(const QString& path, const QString& text, int depth)
{
    auto* item = new QListWidgetItem(QString(depth * kIndent, QChar(' ')) + text);
    item->setData(Qt::UserRole, path);
    return item;
}

// Enter on a list acts on its line instead of reaching the OK button.
class EnterActivates : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        auto* list = static_cast<QListWidget*>(watched);
        if (QListWidgetItem* item = list->currentItem())
            emit list->itemActivated(item);
        return true;
    }
};

} // namespace

FileChooserDialog::FileChooserDialog(const QString& pattern, const QString& folder, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFileOpen"));
    setWindowTitle(QString::fromUtf8(ConfigWindow::kChooserTitle));
    setFont(PromptFont(parent));
    for (const QString& part : pattern.split(QChar(';'), Qt::SkipEmptyParts))
        filters_ << part.trimmed();

    auto* prompt = new QLabel(QString::fromUtf8(ConfigWindow::kChooserPrompt), this);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("txtFile"));
    name_->setAttribute(Qt::WA_InputMethodEnabled, true);
    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("dvl"));
    // Mount points can be long; the lists, not the combo, set the width.
    drives_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    drives_->setMinimumContentsLength(12);
    folders_ = new QListWidget(this);
    folders_->setObjectName(QStringLiteral("drl"));
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("fll"));
    ok_ = new QPushButton(QString::fromUtf8(ConfigWindow::kOkText), this);
    ok_->setObjectName(QStringLiteral("cmdOK"));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QString::fromUtf8(ConfigWindow::kCancelText), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAutoDefault(false);

    auto* enter = new EnterActivates(this);
    folders_->installEventFilter(enter);
    files_->installEventFilter(enter);

    auto* grid = new QGridLayout;
    grid->addWidget(name_, 0, 0, 1, 2);
    grid->addWidget(folders_, 1, 0);
    grid->addWidget(files_, 1, 1);
    grid->addWidget(drives_, 2, 0);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    folders_->setMinimumWidth(240);
    files_->setMinimumWidth(240);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(560, 400);

    connect(drives_, &QComboBox::activated, this, &FileChooserDialog::driveChosen);
    connect(folders_, &QListWidget::itemActivated, this, &FileChooserDialog::folderActivated);
    connect(files_, &QListWidget::itemClicked, this, &FileChooserDialog::fileClicked);
    connect(files_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        fileClicked(item);
        confirm();
    });
    connect(name_, &QLineEdit::textChanged, this,
            [this](const QString& text) { ok_->setEnabled(!text.trimmed().isEmpty()); });
    connect(ok_, &QPushButton::clicked, this, &FileChooserDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    ok_->setEnabled(false);
    fillDrives();
    setFolder(QFileInfo(folder).isDir() ? folder : QDir::homePath());
    name_->setFocus();
}

void FileChooserDialog::fillDrives()
{
    QList<QStorageInfo> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            volumes << volume;
    std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
        return a.rootPath() < b.rootPath();
    });
    for (const QStorageInfo& volume : volumes) {
        QString text = volume.rootPath();
        if (!volume.name().isEmpty())
            text += QStringLiteral("  [") + volume.name() + QStringLiteral("]");
        drives_->addItem(text, volume.rootPath());
    }
    if (drives_->findData(QStringLiteral("/")) < 0)
        drives_->insertItem(0, QStringLiteral("/"), QStringLiteral("/"));
}

void FileChooserDialog::setFolder(const QString& path)
{
    QDir dir(path);
    if (!dir.exists())
        return;
    folder_ = QDir::cleanPath(dir.absolutePath());

    // The drive is the mount point the folder lies under: the longest root
    // that is a prefix of it.
    int drive = -1;
    qsizetype longest = -1;
    for (int i = 0; i < drives_->count(); ++i) {
        QString root = drives_->itemData(i).toString();
        bool under =
            root == QStringLiteral("/") || folder_ == root || folder_.startsWith(root + QChar('/'));
        if (under && root.size() > longest) {
            drive = i;
            longest = root.size();
        }
    }
    drives_->setCurrentIndex(drive);

    // As a folder list shows it: the path from the root down, then the
    // folders inside the current one.
    folders_->clear();
    QStringList parts = folder_.split(QChar('/'), Qt::SkipEmptyParts);
    folders_->addItem(folderItem(QStringLiteral("/"), QStringLiteral("/"), 0));
    QString walked;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        walked += QChar('/') + parts[i];
        folders_->addItem(folderItem(walked, parts[i], static_cast<int>(i) + 1));
    }
    folders_->setCurrentRow(folders_->count() - 1);
    int depth = static_cast<int>(parts.size()) + 1;
    const auto subfolders =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : subfolders)
        folders_->addItem(folderItem(info.absoluteFilePath(), info.fileName(), depth));

    files_->clear();
    files_->addItems(dir.entryList(filters_, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void FileChooserDialog::driveChosen(int index)
{
    setFolder(drives_->itemData(index).toString());
}

void FileChooserDialog::folderActivated(QListWidgetItem* item)
{
    setFolder(item->data(Qt::UserRole).toString());
}

void FileChooserDialog::fileClicked(QListWidgetItem* item)
{
    name_->setText(item->text());
}

void FileChooserDialog::confirm()
{
    QString name = name_->text().trimmed();
    // Without a name the path would be the folder itself, which no track or
    // picture can be.
    if (name.isEmpty())
        return;
    chosen_ = QDir::cleanPath(QDir(folder_).filePath(name));
    accept();
}

} // namespace qvr
