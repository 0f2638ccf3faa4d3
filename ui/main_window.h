#pragma once

// The game's main window: the drawing surface with the maze, the panels of
// the town, maze and battle on top of it, the help line, the step arrow and
// the monster picture. It draws the game's screen model and hands every key,
// mouse press on a menu row, timer tick and close request to the game; what
// happens is always the game's decision.

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>

#include "game/main_window.h"
#include "ui/twips.h"

class QLabel;

namespace qvr {

class MazeView;
class PanelWidget;
class SessionRecorder;

WindowShow ShowStateOf(Qt::WindowStates states);

// The whole-number scale of the logical space a first start opens at: the
// largest that fits about two thirds of the available height (and the
// width), at least 1.
int FirstStartScale(QSize available);

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Game& game, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Brings every widget up to date with the game's screen; cheap when
    // nothing changed. Shows the window once the game says so, and closes
    // it (emitting closed) once the game has ended itself.
    void syncFromModel();
    // Places the window where the game's settings keep it; on a first start,
    // centred at FirstStartScale of the logical space.
    void applyGeometry();

    // Where the message about an error inside the game goes; a warning box
    // unless replaced (tests record them).
    void setErrorReporter(std::function<void(const QString&)> report);
    // The game met an error in play and was stopped: the window closed
    // without the exit sequence, and the program should end with a failure.
    bool stoppedByError() const { return stopped_; }

    // Every key, click, typed text and passing of time from here on goes
    // to `recorder` as well (qvr --record); null stops the recording.
    void setRecorder(SessionRecorder* recorder) { recorder_ = recorder; }
    // The recorder of the main window that `widget` belongs to, if any.
    static SessionRecorder* RecorderOf(const QWidget* widget);

    // The pixel size of the panels' text at the window's present size.
    int textPixels() const { return fontPixels_; }

    MazeView* view() const { return view_; }
    PanelWidget* panelWidget(const std::string& name) const;
    QLabel* messageLabel() const { return message_; }

signals:
    // The exit sequence has run; the program may end.
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void tick();
    void pressKey(Key key);
    void pressRow(std::size_t panel, int row);
    // What follows every change the player made: the window requests of the
    // maze's N and X keys, and the redraw.
    void afterInput();
    // Runs engine code. A failure stops the game: the player reads why,
    // the last good save stays as it is, and the window closes rather than
    // wait on a screen that no key can leave.
    void runEngine(const std::function<void()>& work);
    void stopAfterError(const std::exception& error);
    void syncPanels();
    void syncMessage();
    void syncMoveArrow();
    void syncPicture();
    void layoutAll();
    void layoutMessage();
    void layoutPicture();
    void storeGeometry();
    void followGeometry();
    void closeIfTheGameEnded();

    Game& game_;
    std::function<void(const QString&)> reportError_;
    SessionRecorder* recorder_ = nullptr;
    MazeView* view_;
    QLabel* message_;
    QLabel* moveArrow_;
    QLabel* picture_;
    std::vector<PanelWidget*> panels_;
    std::vector<Rect> panelRects_;

    QTimer ticker_;
    QElapsedTimer clock_;
    qint64 lastTickMs_ = 0;
    bool advancing_ = false;
    bool exited_ = false;
    bool stopped_ = false;
    int fontPixels_ = 0;

    std::string messageText_;
    bool messageCentred_ = false;
    bool messageVisible_ = false;
    std::string picturePath_;
    QPixmap pixmap_;
};

} // namespace qvr
