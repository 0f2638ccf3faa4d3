#include "ui/maze_view.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPen>

#include "ui/fonts.h"

namespace qvr {

void PaintDrawing(QPainter& painter, const QRect& target, const std::vector<DrawItem>& items,
                  const QFont& textFont)
{
    painter.save();
    painter.fillRect(target, Qt::black);
    painter.setClipRect(target);
    painter.setViewport(target);
    painter.setWindow(0, 0, static_cast<int>(kLogicalSize), static_cast<int>(kLogicalSize));

    // A cosmetic pen keeps the wireframe's lines thin however large the
    // window grows; very large windows get a little more weight so the maze
    // does not fade away.
    double scale = std::min(target.width(), target.height()) / kLogicalSize;
    QPen pen(Qt::white);
    pen.setCosmetic(true);
    pen.setWidth(std::max(1, static_cast<int>(scale / 3.0)));
    painter.setPen(pen);

    for (const DrawItem& item : items) {
        switch (item.kind) {
        case DrawItem::Kind::Line:
            painter.drawLine(QPointF(item.x1, item.y1), QPointF(item.x2, item.y2));
            break;
        case DrawItem::Kind::FilledRect:
            // Faces are filled black so that nearer walls hide farther ones.
            painter.fillRect(
                QRectF(QPointF(item.x1, item.y1), QPointF(item.x2, item.y2)).normalized(),
                Qt::black);
            break;
        case DrawItem::Kind::Text: {
            QPointF at(target.x() + item.x1 * target.width() / kLogicalSize,
                       target.y() + item.y1 * target.height() / kLogicalSize);
            painter.save();
            painter.setViewTransformEnabled(false);
            painter.setFont(textFont);
            QRectF box(at, QSizeF(target.right() - at.x() + 1, target.bottom() - at.y() + 1));
            painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, DisplayText(item.text));
            painter.restore();
            break;
        }
        }
    }
    painter.restore();
}

bool SameDrawing(const std::vector<DrawItem>& a, const std::vector<DrawItem>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const DrawItem& x, const DrawItem& y) {
                          return x.kind == y.kind && x.x1 == y.x1 && x.y1 == y.y1 && x.x2 == y.x2 &&
                                 x.y2 == y.y2 && x.text == y.text;
                      });
}

MazeView::MazeView(QWidget* parent) : QWidget(parent), textFont_(GameFont(kMinFontPixels))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(static_cast<int>(kLogicalSize), static_cast<int>(kLogicalSize));
}

bool MazeView::setDrawing(const std::vector<DrawItem>& items)
{
    if (SameDrawing(items, items_))
        return false;
    items_ = items;
    update();
    return true;
}

void MazeView::setTextFont(const QFont& font)
{
    if (font == textFont_)
        return;
    textFont_ = font;
    update();
}

QRect MazeView::toPixels(const Rect& r) const
{
    double sx = width() / kLogicalSize;
    double sy = height() / kLogicalSize;
    int left = static_cast<int>(std::lround(r.x * sx));
    int top = static_cast<int>(std::lround(r.y * sy));
    int right = static_cast<int>(std::lround((r.x + r.w) * sx));
    int bottom = static_cast<int>(std::lround((r.y + r.h) * sy));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

double MazeView::pixelsPerUnit() const
{
    return std::min(width(), height()) / kLogicalSize;
}

void MazeView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintDrawing(painter, rect(), items_, textFont_);
}

void MazeView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

} // namespace qvr
