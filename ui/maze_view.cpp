#include "ui/maze_view.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include "ui/fonts.h"

namespace qvr {

namespace {

// Logical units to whole device pixels along one axis of the target. The
// far edge of the space lands on the last pixel, not just past it, so a wall
// at the picture's edge stays in sight.
struct Axis {
    int origin, size;
    double scale;
    int operator()(double v) const
    {
        long d = std::lround(v * scale);
        if (d == size)
            d = size - 1;
        // Points far outside are only ever clipped; keep them where the
        // rasteriser's arithmetic stays safe.
        return origin + static_cast<int>(std::clamp<long>(d, -4 * size, 5 * size));
    }
};

void PaintText(QPainter& painter, const QRect& target, const DrawItem& item, const QFont& font)
{
    QPointF at(target.x() + item.x1 * target.width() / kLogicalSize,
               target.y() + item.y1 * target.height() / kLogicalSize);
    QString text = DisplayText(item.text);
    painter.setFont(font);
    if (item.centred) {
        QFontMetricsF metrics(font);
        at -= QPointF(metrics.horizontalAdvance(text) / 2, 2 * metrics.height());
    }
    QRectF box(at, QSizeF(target.right() - at.x() + 1, target.bottom() - at.y() + 1));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
}

} // namespace

void PaintDrawing(QPainter& painter, const QRect& target, const std::vector<DrawItem>& items,
                  const QFont& textFont)
{
    painter.save();
    painter.fillRect(target, Qt::black);
    painter.setClipRect(target);

    // The wireframe is laid out in device pixels, so that on a high-density
    // screen its lines are one real pixel wide and fall on whole pixels
    // rather than being smeared over two by the scaling.
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int left = static_cast<int>(std::lround(target.x() * ratio));
    const int top = static_cast<int>(std::lround(target.y() * ratio));
    const int width = static_cast<int>(std::lround(target.width() * ratio));
    const int height = static_cast<int>(std::lround(target.height() * ratio));
    const Axis ax{left, width, width / kLogicalSize};
    const Axis ay{top, height, height / kLogicalSize};

    const QTransform base = painter.worldTransform();
    const QTransform devicePixels = QTransform::fromScale(1 / ratio, 1 / ratio) * base;
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Under that transform a one-unit pen is one device pixel wide at any
    // window size and density.
    QPen pen(Qt::white);
    pen.setWidthF(1.0);
    painter.setPen(pen);
    painter.setWorldTransform(devicePixels);
    for (const DrawItem& item : items) {
        switch (item.kind) {
        case DrawItem::Kind::Line:
            painter.drawLine(ax(item.x1), ay(item.y1), ax(item.x2), ay(item.y2));
            break;
        case DrawItem::Kind::FilledRect: {
            // Filled black so that nearer faces hide farther ones; the
            // corners are included, so a face also hides lines along its edge.
            QRect face(QPoint(ax(item.x1), ay(item.y1)), QPoint(ax(item.x2), ay(item.y2)));
            painter.fillRect(face.normalized(), Qt::black);
            break;
        }
        case DrawItem::Kind::Text:
            painter.setWorldTransform(base);
            PaintText(painter, target, item, textFont);
            painter.setWorldTransform(devicePixels);
            painter.setPen(pen);
            break;
        }
    }
    painter.restore();
}

bool SameDrawing(const std::vector<DrawItem>& a, const std::vector<DrawItem>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const DrawItem& x, const DrawItem& y) {
                          return x.kind == y.kind && x.x1 == y.x1 && x.y1 == y.y1 && x.x2 == y.x2 &&
                                 x.y2 == y.y2 && x.text == y.text && x.centred == y.centred;
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
