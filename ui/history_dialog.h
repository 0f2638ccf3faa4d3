#pragma once

// The message history: the lines message boxes have shown, newest at the
// bottom, in a list the keys scroll. It opens over whatever the player was
// doing and leaves it as it was.

#include "ui/prompt_dialog.h"

class QGroupBox;
class QLabel;

namespace qvr {

struct HistoryWindow;

class HistoryDialog : public PromptDialog {
    Q_OBJECT
public:
    explicit HistoryDialog(QWidget* parent);

    void run(Game& game, HistoryWindow& window);

protected:
    void forwardKey(Key key) override;
    bool modelClosed() const override;
    void cancelModel() override;
    void refresh() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitAndCentre();

    HistoryWindow* window_ = nullptr;
    QGroupBox* frame_;
    QListWidget* list_;
    QLabel* hint_;
};

} // namespace qvr
