#include "ui/main_window.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>

#include "core/row_press.h"
#include "game/engine_error.h"
#include "ui/fonts.h"
#include "ui/key_map.h"
#include "ui/maze_view.h"
#include "ui/panel_widget.h"
#include "ui/session_recorder.h"

namespace qvr {

namespace {

// Often enough that the 300 ms step arrow looks right, rarely enough to
// cost nothing.
constexpr int kTickMs = 50;
// The help line hangs this far down the drawing space.
constexpr double kMessageTop = 0.05;

QPalette GamePalette()
{
    QPalette p;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        bool disabled = group == QPalette::Disabled;
        QColor ink = disabled ? QColor(128, 128, 128) : QColor(Qt::white);
        p.setColor(group, QPalette::Window, Qt::black);
        p.setColor(group, QPalette::Base, Qt::black);
        p.setColor(group, QPalette::WindowText, ink);
        p.setColor(group, QPalette::Text, ink);
        p.setColor(group, QPalette::ButtonText, ink);
        p.setColor(group, QPalette::Button, QColor(40, 40, 40));
        // The game's own highlight, which the dialogs take over with the
        // rest of the palette: white, the row's text black.
        p.setColor(group, QPalette::Highlight, disabled ? QColor(80, 80, 80) : QColor(Qt::white));
        p.setColor(group, QPalette::HighlightedText,
                   disabled ? QColor(128, 128, 128) : QColor(Qt::black));
    }
    return p;
}

QLabel* MakeOverlayLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFocusPolicy(Qt::NoFocus);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    return label;
}

} // namespace

WindowShow ShowStateOf(Qt::WindowStates states)
{
    if (states & Qt::WindowMinimized)
        return WindowShow::Minimised;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return WindowShow::Maximised;
    return WindowShow::Normal;
}

MainWindow::MainWindow(Game& game, QWidget* parent)
    : QMainWindow(parent), game_(game), view_(new MazeView(this))
{
    reportError_ = [this](const QString& text) {
        QMessageBox::critical(this, QStringLiteral("QVR"), text);
    };
    setPalette(GamePalette());
    setCentralWidget(view_);
    message_ = MakeOverlayLabel(view_, "lblMsg");
    moveArrow_ = MakeOverlayLabel(view_, "lblMove");
    moveArrow_->setAlignment(Qt::AlignCenter);
    picture_ = MakeOverlayLabel(view_, "picMonster");
    picture_->setAlignment(Qt::AlignCenter);
    connect(view_, &MazeView::resized, this, &MainWindow::layoutAll);
    view_->setFocus();

    // The game's clock runs from here, title window or not; a modal prompt
    // keeps it running, as the music needs.
    clock_.start();
    connect(&ticker_, &QTimer::timeout, this, &MainWindow::tick);
    ticker_.start(kTickMs);
    syncFromModel();
}

MainWindow::~MainWindow() = default;

PanelWidget* MainWindow::panelWidget(const std::string& name) const
{
    for (PanelWidget* w : panels_)
        if (w->panelName() == name)
            return w;
    return nullptr;
}

void MainWindow::syncFromModel()
{
    const Screen& screen = game_.screen;
    QString title = QString::fromStdString(screen.title);
    if (windowTitle() != title)
        setWindowTitle(title);
    view_->setDrawing(screen.drawing);
    syncPanels();
    syncMessage();
    syncMoveArrow();
    syncPicture();
    if (screen.mainVisible && !exited_ && !isVisible()) {
        show();
        activateWindow();
        view_->setFocus();
    }
    closeIfTheGameEnded();
}

void MainWindow::closeIfTheGameEnded()
{
    if (!game_.screen.quit || exited_)
        return;
    // The exit sequence has run and let the folder's lock go: from here on
    // a key reaching the game could save over a second copy's work.
    exited_ = true;
    ticker_.stop();
    close();
    emit closed();
}

void MainWindow::syncPanels()
{
    const Screen& screen = game_.screen;
    bool renamed = panels_.size() > screen.panels.size();
    for (std::size_t i = 0; i < panels_.size() && !renamed; ++i)
        renamed = panels_[i]->panelName() != screen.panels[i].name;
    if (renamed) {
        // Panels are only ever added; a different list means a new screen
        // altogether, so start again. The old widgets go later, not now: a
        // press on one of them may be what led here.
        for (PanelWidget* w : panels_) {
            w->hide();
            w->deleteLater();
        }
        panels_.clear();
        panelRects_.clear();
    }
    bool added = false;
    while (panels_.size() < screen.panels.size()) {
        std::size_t index = panels_.size();
        auto* w = new PanelWidget(view_);
        w->setTextFont(GameFont(fontPixels_ ? fontPixels_ : kMinFontPixels));
        connect(w, &PanelWidget::rowPressed, this,
                [this, index](int row) { pressRow(index, row); });
        panels_.push_back(w);
        panelRects_.push_back(Rect{-1, -1, -1, -1});
        added = true;
    }
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const Panel& panel = screen.panels[i];
        panels_[i]->sync(panel, screen.keyboardOwner == panel.name);
        const Rect& r = panelRects_[i];
        if (r.x != panel.rect.x || r.y != panel.rect.y || r.w != panel.rect.w ||
            r.h != panel.rect.h) {
            panelRects_[i] = panel.rect;
            panels_[i]->place(view_->toPixels(panel.rect));
        }
    }
    // A menu widens only into room no panel to its right takes, and those
    // panels may have been shown or moved after it was placed.
    for (PanelWidget* w : panels_)
        w->refit();
    if (added) {
        // The monster picture sits in its panel, and the step arrow over
        // everything.
        picture_->raise();
        moveArrow_->raise();
    }
}

void MainWindow::syncMessage()
{
    const Screen& screen = game_.screen;
    bool changed = messageText_ != screen.message.text ||
                   messageCentred_ != screen.messageCentred ||
                   messageVisible_ != screen.message.visible;
    if (!changed)
        return;
    messageText_ = screen.message.text;
    messageCentred_ = screen.messageCentred;
    messageVisible_ = screen.message.visible;
    message_->setText(DisplayText(messageText_));
    layoutMessage();
    message_->setVisible(messageVisible_);
}

void MainWindow::syncMoveArrow()
{
    const Label& arrow = game_.screen.moveArrow;
    QString text = DisplayText(arrow.text);
    if (moveArrow_->text() != text)
        moveArrow_->setText(text);
    if (moveArrow_->isVisibleTo(view_) != arrow.visible)
        moveArrow_->setVisible(arrow.visible);
}

void MainWindow::syncPicture()
{
    const Screen& screen = game_.screen;
    if (picturePath_ != screen.monsterPicturePath) {
        picturePath_ = screen.monsterPicturePath;
        // A picture that will not load leaves an empty space, never an
        // error: the player chose the file, the battle goes on.
        pixmap_ = picturePath_.empty() ? QPixmap() : QPixmap(QString::fromStdString(picturePath_));
        layoutPicture();
    }
    bool shown = screen.monsterPictureVisible && !pixmap_.isNull();
    if (picture_->isVisibleTo(view_) != shown)
        picture_->setVisible(shown);
}

void MainWindow::layoutAll()
{
    int pixels = FontPixelsForScale(view_->pixelsPerUnit());
    fontPixels_ = pixels;
    QFont font = GameFont(pixels);
    view_->setTextFont(font);
    message_->setFont(font);
    moveArrow_->setFont(GameFont(pixels * 2));
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i]->setTextFont(font);
        panels_[i]->place(view_->toPixels(panelRects_[i]));
    }
    layoutMessage();
    QSize arrow = moveArrow_->sizeHint();
    moveArrow_->setGeometry(
        QRect(QPoint((view_->width() - arrow.width()) / 2, (view_->height() - arrow.height()) / 2),
              arrow));
    layoutPicture();
}

void MainWindow::layoutMessage()
{
    QFont font = GameFont(fontPixels_ ? fontPixels_ : kMinFontPixels);
    if (messageCentred_) {
        message_->setFont(font);
        message_->setAlignment(Qt::AlignCenter);
        message_->setGeometry(view_->rect());
        return;
    }
    // The help line keeps to one width of the window: a long line gets a
    // smaller (still even) size rather than running off the edge.
    QString text = message_->text();
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(line));
    int room = view_->width() - 4;
    if (widest > room && widest > 0)
        font = GameFont(EvenFontPixels(font.pixelSize() * static_cast<double>(room) / widest));
    message_->setFont(font);
    message_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    int top = static_cast<int>(view_->height() * kMessageTop);
    message_->setGeometry(0, top, view_->width(), lines * QFontMetrics(font).height() + 2);
}

void MainWindow::layoutPicture()
{
    QRect box;
    const Panel* monsters = nullptr;
    for (const Panel& p : game_.screen.panels)
        if (p.name == "fraMonster")
            monsters = &p;
    if (monsters) {
        // The right-hand end of the monster panel, as tall as the panel.
        QRect frame = view_->toPixels(monsters->rect);
        int side = frame.height() - 8;
        box = QRect(frame.right() - side - 4, frame.top() + 4, side, side);
    } else {
        box = view_->toPixels(Rect{80, 8, 60, 60});
    }
    picture_->setGeometry(box);
    if (!pixmap_.isNull() && box.width() > 0 && box.height() > 0)
        picture_->setPixmap(
            pixmap_.scaled(box.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

int FirstStartScale(QSize available)
{
    // A whole number keeps the wireframe's lines evenly spaced.
    int room = std::min(available.height() * 2 / 3, available.width());
    return std::max(1, room / static_cast<int>(kLogicalSize));
}

void MainWindow::applyGeometry()
{
    const WindowGeometry& g = game_.screen.geometry;
    QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!g.stored && where) {
        QRect desk = where->availableGeometry();
        int side = FirstStartScale(desk.size()) * static_cast<int>(kLogicalSize);
        QRect wanted(0, 0, side, side);
        wanted.moveCenter(desk.center());
        move(wanted.topLeft());
        resize(wanted.size());
        return;
    }
    double dpi = where ? where->logicalDotsPerInch() : 96.0;
    QRect wanted(TwipsToPixels(g.left, dpi), TwipsToPixels(g.top, dpi), TwipsToPixels(g.width, dpi),
                 TwipsToPixels(g.height, dpi));
    if (where) {
        // Settings written on another desktop (a larger monitor, one since
        // unplugged) must not leave the window out of sight or out of size.
        QRect desk = where->availableGeometry();
        QSize least = minimumSizeHint();
        wanted.setWidth(std::max(least.width(), std::min(wanted.width(), desk.width())));
        wanted.setHeight(std::max(least.height(), std::min(wanted.height(), desk.height())));
        bool seen = false;
        for (QScreen* s : QGuiApplication::screens())
            seen = seen || s->availableGeometry().intersects(
                               QRect(wanted.topLeft(), QSize(wanted.width(), 32)));
        if (!seen)
            wanted.moveCenter(desk.center());
    }
    move(wanted.topLeft());
    resize(wanted.size());
}

void MainWindow::storeGeometry()
{
    double dpi = screen() ? screen()->logicalDotsPerInch() : 96.0;
    WindowGeometry& g = game_.screen.geometry;
    g.left = PixelsToTwips(x(), dpi);
    g.top = PixelsToTwips(y(), dpi);
    g.width = PixelsToTwips(width(), dpi);
    g.height = PixelsToTwips(height(), dpi);
}

void MainWindow::runEngine(const std::function<void()>& work)
{
    if (stopped_)
        return;
    try {
        work();
    } catch (const std::exception& e) {
        stopAfterError(e);
    }
}

void MainWindow::stopAfterError(const std::exception& error)
{
    bool closing = exited_; // the exit sequence itself failed
    stopped_ = true;
    exited_ = true;
    ticker_.stop();
    reportError_(QString::fromStdString(StopAfterEngineError(game_, error)));
    if (closing)
        return; // the close under way ends the program
    close();
    emit closed();
}

void MainWindow::setErrorReporter(std::function<void(const QString&)> report)
{
    reportError_ = std::move(report);
}

SessionRecorder* MainWindow::RecorderOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (const auto* main = qobject_cast<const MainWindow*>(w))
            return main->recorder_;
    return nullptr;
}

void MainWindow::pressKey(Key key)
{
    if (exited_)
        return;
    if (recorder_)
        recorder_->key(key);
    runEngine([&] { game_.pressKey(key); });
    afterInput();
}

void MainWindow::afterInput()
{
    // The maze's N and X keys ask for the window itself.
    WindowRequest request = std::exchange(game_.screen.windowRequest, WindowRequest::None);
    if (request == WindowRequest::Minimise)
        showMinimized();
    else if (request == WindowRequest::ToggleMaximise)
        isMaximized() ? showNormal() : showMaximized();
    syncFromModel();
}

void MainWindow::pressRow(std::size_t panel, int row)
{
    if (exited_ || panel >= game_.screen.panels.size())
        return;
    // A press on a row of the menu that has the keyboard performs that row,
    // as its key letter would; other lists are not listening.
    const Panel& target = game_.screen.panels[panel];
    if (game_.screen.keyboardOwner != target.name || row < 0 ||
        row >= static_cast<int>(target.rows.size()))
        return;
    if (recorder_)
        recorder_->click({}, row);
    runEngine([&] { PressKeyboardRow(game_, row); });
    afterInput();
}

void MainWindow::tick()
{
    qint64 now = clock_.elapsed();
    // A timer that opened a prompt is still running underneath it; its
    // time is counted when it returns.
    if (advancing_ || exited_)
        return;
    advancing_ = true;
    qint64 elapsed = now - lastTickMs_;
    lastTickMs_ = now;
    if (recorder_)
        recorder_->elapsed(elapsed);
    runEngine([&] { game_.timers.advance(game_, elapsed); });
    advancing_ = false;
    syncFromModel();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    Key key = MapQtKey(event->key());
    if (key == Key::None) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    // Holding Ctrl down means one save, not twenty a second.
    if (key == Key::Ctrl && event->isAutoRepeat())
        return;
    pressKey(key);
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    followGeometry();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    followGeometry();
}

// The game stores the geometry of a normally shown window, also when it
// ends itself from a menu: keep that current while the window is shown
// normally, so that a maximised or minimised one leaves its last normal
// place behind.
void MainWindow::followGeometry()
{
    if (isVisible() && !exited_ && ShowStateOf(windowState()) == WindowShow::Normal)
        storeGeometry();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (exited_) {
        event->accept();
        return;
    }
    if (!CloseRequested(game_)) {
        event->ignore();
        return;
    }
    storeGeometry();
    if (recorder_)
        recorder_->close();
    WindowShow show = ShowStateOf(windowState());
    exited_ = true;
    ticker_.stop();
    runEngine([&] { ExitSequence(game_, show); });
    event->accept();
    emit closed();
}

} // namespace qvr
