#pragma once

// fdlgRank: one of the astrology office's boards, a heading over a list of
// ready-made rows. The window only reads; Enter, Escape, Backspace or a press
// in the list close it, as the model says.

#include "ui/prompt_dialog.h"

class QLabel;

namespace qvr {

struct RankingWindow;

class RankingDialog : public PromptDialog {
    Q_OBJECT
public:
    explicit RankingDialog(QWidget* parent);

    void run(Game& game, RankingWindow& window);

protected:
    void forwardKey(Key key) override;
    bool modelClosed() const override;
    void cancelModel() override;
    void refresh() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Wide enough for the longest row, within the screen.
    void fitToRows();

    RankingWindow* window_ = nullptr;
    QLabel* heading_;
    QListWidget* list_;
};

} // namespace qvr
