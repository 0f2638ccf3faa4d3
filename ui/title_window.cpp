#include "ui/title_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include "game/main_window.h"
#include "ui/fonts.h"

namespace qvr {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

const char* const kGameName = "Ｏｓｔｒａｖｅｌ";
const char* const kSubtitle = "－Ｑｕｏｒｖａｔｈ－";

// The corridor's frames from near to far, as the maze view places its
// depth rows (in its 220-unit space).
constexpr int kDepths[] = {0, 40, 70, 90, 100};

// Letters drawn as outlines, filled black so the corridor passes behind
// them.
void DrawOutlinedText(QPainter& painter, const QString& text, const QFont& font, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    QRectF box = path.boundingRect();
    path.translate(centre - box.center());
    painter.fillPath(path, Qt::black);
    painter.drawPath(path);
}

} // namespace

void PaintTitlePicture(QPainter& painter, const QRect& area)
{
    painter.save();
    painter.fillRect(area, Qt::black);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::white);
    pen.setCosmetic(true);
    painter.setPen(pen);

    // A corridor running straight ahead, a door at its far end.
    auto at = [&](double ux, double uy) {
        return QPointF(area.left() + ux * area.width() / 220.0,
                       area.top() + uy * area.height() / 220.0);
    };
    for (int d : kDepths)
        painter.drawRect(QRectF(at(d, d), at(220 - d, 220 - d)));
    int far = kDepths[std::size(kDepths) - 1];
    for (auto [x, y] : {std::pair{0, 0}, {220, 0}, {0, 220}, {220, 220}})
        painter.drawLine(at(x, y), at(x == 0 ? far : 220 - far, y == 0 ? far : 220 - far));
    painter.drawRect(QRectF(at(far + 4, far + 4), at(220 - far - 4, 220 - far)));
    // Side doors one cell ahead, one on each hand.
    painter.drawPolygon(QPolygonF({at(10, 52), at(30, 60), at(30, 165), at(10, 172)}));
    painter.drawPolygon(QPolygonF({at(210, 52), at(190, 60), at(190, 165), at(210, 172)}));

    QFont name(kGameFontFamily);
    name.setPixelSize(EvenFontPixels(area.width() / 9.0));
    name.setBold(true);
    pen.setWidth(2);
    painter.setPen(pen);
    DrawOutlinedText(painter, QString::fromUtf8(kGameName), name, at(110, 62));
    QFont subtitle(kGameFontFamily);
    subtitle.setPixelSize(EvenFontPixels(area.width() / 22.0));
    pen.setWidth(1);
    painter.setPen(pen);
    DrawOutlinedText(painter, QString::fromUtf8(kSubtitle), subtitle, at(110, 160));
    painter.restore();
}

TitleWindow::TitleWindow(Game& game, QWidget* parent)
    : QWidget(parent), game_(game), version_(new QLabel(this)), status_(new QLabel(this))
{
    setObjectName(QStringLiteral("frmTitle"));
    setWindowTitle(QString::fromUtf8(kGameName));
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(kWidth, kHeight);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);

    version_->setObjectName(QStringLiteral("Label1"));
    status_->setObjectName(QStringLiteral("lbl"));
    for (QLabel* label : {version_, status_}) {
        label->setFont(GameFont(14));
        label->setTextFormat(Qt::PlainText);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    status_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    syncFromModel();
}

void TitleWindow::syncFromModel()
{
    version_->setText(QString::fromStdString(game_.screen.titleVersion));
    status_->setText(QString::fromStdString(game_.screen.titleStatus));
}

void TitleWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintTitlePicture(painter, rect());
    if (!painted_) {
        painted_ = true;
        // Queued, so that it comes once the picture has reached the screen.
        QTimer::singleShot(0, this, &TitleWindow::firstPainted);
    }
}

void TitleWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    int line = 24;
    version_->setGeometry(12, height() - line - 8, width() / 2 - 12, line);
    status_->setGeometry(width() / 2, height() - line - 8, width() / 2 - 12, line);
}

void TitleWindow::keyPressEvent(QKeyEvent*)
{
    leave();
}

void TitleWindow::mousePressEvent(QMouseEvent*)
{
    leave();
}

void TitleWindow::leave()
{
    if (left_)
        return;
    LeaveTitle(game_);
    if (game_.screen.titleVisible)
        return; // still loading: the game keeps the title
    left_ = true;
    emit left();
    close();
}

} // namespace qvr
