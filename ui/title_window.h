#pragma once

// The title window: the game's name over a corridor drawn in the maze's own
// wireframe, the version and the loading status. Any key or click hands
// over to the main window.

#include <QWidget>

class QLabel;
class QPainter;

namespace qvr {

class Game;

// Paints the title picture into `area`; the picture is drawn, not loaded.
void PaintTitlePicture(QPainter& painter, const QRect& area);

class TitleWindow : public QWidget {
    Q_OBJECT
public:
    explicit TitleWindow(Game& game, QWidget* parent = nullptr);

    // Shows the version and status the game has for the title.
    void syncFromModel();
    QLabel* versionLabel() const { return version_; }
    QLabel* statusLabel() const { return status_; }

signals:
    // The player has left the title; the main window takes over.
    void left();
    // The title is on the screen (emitted once, after its first paint): the
    // slow part of start-up may begin.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void leave();

    Game& game_;
    QLabel* version_;
    QLabel* status_;
    bool left_ = false;
    bool painted_ = false;
};

} // namespace qvr
