#pragma once

// frmFileOpen: the file chooser both browse buttons of the settings window
// use. A drive list (the mounted file systems), the folders of the chosen
// one, the files of the chosen folder that match the pattern, and the name
// field.

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qvr {

class FileChooserDialog : public QDialog {
    Q_OBJECT
  public:
    // `pattern` is the file list's filter: "*.mid;*.wav". The chooser opens
    // on `folder` (the home folder when that is not there).
    FileChooserDialog(const QString& pattern, const QString& folder, QWidget* parent);

    QString folder() const { return folder_; }
    // The path confirmed with OK; empty when cancelled.
    QString chosenPath() const { return chosen_; }

    void setFolder(const QString& path);

  private:
    void fillDrives();
    void driveChosen(int index);
    void folderActivated(QListWidgetItem* item);
    void fileClicked(QListWidgetItem* item);
    void confirm();

    QStringList filters_;
    QString folder_;
    QString chosen_;
    QComboBox* drives_;
    QListWidget* folders_;
    QListWidget* files_;
    QLineEdit* name_;
    QPushButton* ok_;
};

} // namespace qvr
