#pragma once

// dlgInpBox and dlgInpBox2: the game's message, question and text box, a
// titled frame with the message, the text field and the yes and no labels.

#include <QPoint>

#include "ui/prompt_dialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace qvr {

struct MessageBox;

class MessageBoxDialog : public PromptDialog {
    Q_OBJECT
public:
    explicit MessageBoxDialog(QWidget* parent);

    // Shows the box until it closes: the second box over the battle in
    // `mainWindow`, the first centred on it.
    void run(Game& game, MessageBox& box, const QWidget* mainWindow);

protected:
    void forwardKey(Key key) override;
    bool modelClosed() const override;
    void cancelModel() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void place() override;

private:
    void fitToText();

    MessageBox* box_ = nullptr;
    QGroupBox* frame_;
    QLabel* message_;
    QLineEdit* input_;
    QLabel* yes_;
    QLabel* no_;
    const QWidget* mainWindow_ = nullptr;
};

} // namespace qvr
