#include "ui/ranking_dialog.h"

#include <algorithm>

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include "town/rankings.h"
#include "ui/fonts.h"

namespace qvr {

namespace {

constexpr int kVisibleLines = 20;
// The roster boards are some 40 full-width characters wide; the catalogues
// of items and monsters reach 56.
constexpr int kMinLineChars = 40;
constexpr int kMargin = 6;

} // namespace

RankingDialog::RankingDialog(QWidget* parent) : PromptDialog(parent)
{
    setObjectName(QStringLiteral("fdlgRank"));
    heading_ = new QLabel(body());
    heading_->setObjectName(QStringLiteral("lbl"));
    heading_->setTextFormat(Qt::PlainText);
    list_ = PromptList("lstRanking", body());
    list_->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(heading_);
    layout->addWidget(list_, 1);
}

void RankingDialog::run(Game& game, RankingWindow& window)
{
    if (window.closed())
        return;
    window_ = &window;
    heading_->setText(DisplayText(window.heading));
    heading_->setVisible(!window.heading.empty());
    // A board is built afresh for every opening: a new list, from the top.
    list_->clear();
    fitToRows();
    setFocus();
    auto forget = qScopeGuard([this] { window_ = nullptr; });
    runModal(game);
}

void RankingDialog::fitToRows()
{
    ShowLines(list_, window_->rows, window_->selected);
    QFontMetrics metrics(list_->font());
    const int chrome = list_->verticalScrollBar()->sizeHint().width() + 2 * list_->frameWidth() + 8;
    int width = metrics.horizontalAdvance(QString(kMinLineChars, QChar(0x3000)));
    width = std::max(width, list_->sizeHintForColumn(0)) + chrome;
    const int height = kVisibleLines * (metrics.height() + 2) + 2 * list_->frameWidth() + 4;
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        width = std::min(width, screen->availableGeometry().width() - 4 * kMargin);
    list_->setMinimumSize(width, height);
    adjustSize();
}

void RankingDialog::refresh()
{
    if (window_)
        ShowLines(list_, window_->rows, window_->selected);
}

void RankingDialog::forwardKey(Key key)
{
    window_->pressKey(game(), key);
}

bool RankingDialog::modelClosed() const
{
    return !window_ || window_->closed();
}

void RankingDialog::cancelModel()
{
    window_->close();
}

bool RankingDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != list_->viewport())
        return PromptDialog::eventFilter(watched, event);
    if (!IsMouseButtonEvent(event))
        return false;
    // A press anywhere in the list closes the board, between rows as well.
    if (event->type() == QEvent::MouseButtonPress && window_ && busy()) {
        recordClick({}, 0);
        change([&] { window_->click(); });
    }
    return true;
}

} // namespace qvr
