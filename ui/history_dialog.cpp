#include "ui/history_dialog.h"

#include <algorithm>

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/message_history.h"
#include "ui/fonts.h"

namespace qvr {

namespace {

// About a battle's round and a half at once; the narration's longest lines
// are some 30 full-width characters.
constexpr int kVisibleLines = 18;
constexpr int kLineChars = 32;
constexpr int kMargin = 6;

} // namespace

HistoryDialog::HistoryDialog(QWidget* parent) : PromptDialog(parent)
{
    setObjectName(QStringLiteral("frmHistory"));
    frame_ = new QGroupBox(QString::fromUtf8(HistoryWindow::kTitle), body());
    frame_->setObjectName(QStringLiteral("fraHistory"));
    list_ = PromptList("lstHistory", frame_);
    list_->viewport()->installEventFilter(this);
    hint_ = new QLabel(QString::fromUtf8(HistoryWindow::kHint), frame_);
    hint_->setObjectName(QStringLiteral("lbl"));
    auto* inside = new QVBoxLayout(frame_);
    inside->addWidget(list_, 1);
    inside->addWidget(hint_);
    auto* around = new QVBoxLayout(body());
    around->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    around->addWidget(frame_);
}

void HistoryDialog::run(Game& game, HistoryWindow& window)
{
    if (window.closed())
        return;
    window_ = &window;
    list_->clear();
    refresh();
    fitAndCentre();
    setFocus();
    auto forget = qScopeGuard([this] { window_ = nullptr; });
    runModal(game);
}

void HistoryDialog::fitAndCentre()
{
    QFontMetrics metrics(list_->font());
    const int chrome = list_->verticalScrollBar()->sizeHint().width() + 2 * list_->frameWidth() + 8;
    const int width = std::max(metrics.horizontalAdvance(QString(kLineChars, QChar(0x3000))),
                               list_->sizeHintForColumn(0)) +
                      chrome;
    const int height = kVisibleLines * (metrics.height() + 2) + 2 * list_->frameWidth() + 4;
    list_->setMinimumSize(width, height);
    adjustSize();
    // Over the middle of the window the player was looking at.
    if (const QWidget* owner = parentWidget()) {
        const QRect area = owner->frameGeometry();
        move(area.x() + (area.width() - this->width()) / 2,
             area.y() + (area.height() - this->height()) / 2);
    }
}

void HistoryDialog::refresh()
{
    if (!window_)
        return;
    if (window_->lines.empty()) {
        ShowLines(list_, {HistoryWindow::kEmptyText}, -1);
        return;
    }
    ShowLines(list_, window_->lines, window_->selected);
}

void HistoryDialog::forwardKey(Key key)
{
    window_->pressKey(game(), key);
}

bool HistoryDialog::modelClosed() const
{
    return !window_ || window_->closed();
}

void HistoryDialog::cancelModel()
{
    window_->close();
}

bool HistoryDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != list_->viewport())
        return PromptDialog::eventFilter(watched, event);
    if (!IsMouseButtonEvent(event))
        return false;
    // A press picks the line to read from, as the keys would move to it.
    if (const int line = PressedLine(list_, event);
        line >= 0 && window_ && busy() && !window_->lines.empty())
        change([&] { window_->selected = line; });
    return true;
}

} // namespace qvr
