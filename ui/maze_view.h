#pragma once

// The main window's drawing surface: the first-person maze in white lines
// on black, and the odd line of text the game writes there. The engine
// describes the picture in the logical 220 x 220 space; this scales it to
// whatever size the window has.

#include <vector>

#include <QFont>
#include <QWidget>

#include "core/screen.h"

class QPainter;

namespace qvr {

// Paints `items` into `target`, which stands for the whole logical space.
// Lines are one device pixel wide and sharp at any scale and screen density;
// text keeps the given font's pixel size.
void PaintDrawing(QPainter& painter, const QRect& target, const std::vector<DrawItem>& items,
                  const QFont& textFont);

bool SameDrawing(const std::vector<DrawItem>& a, const std::vector<DrawItem>& b);

class MazeView : public QWidget {
    Q_OBJECT
public:
    explicit MazeView(QWidget* parent = nullptr);

    // Returns whether anything changed; a change repaints.
    bool setDrawing(const std::vector<DrawItem>& items);
    void setTextFont(const QFont& font);
    const std::vector<DrawItem>& drawing() const { return items_; }

    // Logical units to this widget's pixels.
    QRect toPixels(const Rect& r) const;
    double pixelsPerUnit() const;

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<DrawItem> items_;
    QFont textFont_;
};

} // namespace qvr
