#include "ui/message_box_dialog.h"

#include <algorithm>

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>

#include "core/game.h"
#include "core/prompts.h"
#include "ui/fonts.h"

namespace qvr {

namespace {

// Narrow enough for a short answer to look like a box, wide enough for the
// game's longest narration lines before they wrap.
constexpr int kMinTextWidth = 280;
constexpr int kMaxTextWidth = 640;
constexpr int kSecondBoxTopTwips = 500;

QLabel* clickableLabel(const char* text, const char* name, QWidget* parent)
{
    auto* label = new QLabel(MnemonicHtml(QString::fromUtf8(text)), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::RichText);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

bool isLeftPress(const QEvent* event)
{
    return event->type() == QEvent::MouseButtonPress &&
           static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

// The second box stands over the battle: centred across the main window,
// its top 500 twips below the main window's top.
QPoint secondBoxPosition(const QWidget* mainWindow, const QSize& boxSize)
{
    QRect frame = mainWindow->frameGeometry();
    return {frame.x() + (frame.width() - boxSize.width()) / 2,
            frame.y() + TwipsToPixels(kSecondBoxTopTwips, mainWindow)};
}

} // namespace

MessageBoxDialog::MessageBoxDialog(QWidget* parent) : PromptDialog(parent)
{
    setObjectName(QStringLiteral("dlgInpBox"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    frame_ = new QGroupBox(body());
    frame_->setObjectName(QStringLiteral("fraInpBox"));
    message_ = new QLabel(frame_);
    message_->setObjectName(QStringLiteral("lblMsg"));
    message_->setTextFormat(Qt::PlainText);
    message_->setWordWrap(true);
    input_ = new QLineEdit(frame_);
    input_->setObjectName(QStringLiteral("txtMsg"));
    // Names are typed in Japanese; the main window keeps input methods off.
    input_->setAttribute(Qt::WA_InputMethodEnabled, true);
    input_->installEventFilter(this);
    yes_ = clickableLabel(MessageBox::kYesText, "lblYes", frame_);
    no_ = clickableLabel(MessageBox::kNoText, "lblNo", frame_);

    auto* answers = new QHBoxLayout;
    answers->addWidget(yes_);
    answers->addStretch();
    answers->addWidget(no_);
    auto* inside = new QVBoxLayout(frame_);
    inside->addWidget(message_);
    inside->addWidget(input_);
    inside->addLayout(answers);
    auto* around = new QVBoxLayout(body());
    around->setContentsMargins(6, 6, 6, 6);
    around->addWidget(frame_);

    frame_->installEventFilter(this);
    yes_->installEventFilter(this);
    no_->installEventFilter(this);
}

void MessageBoxDialog::run(Game& game, MessageBox& box, const QWidget* mainWindow)
{
    if (box.closed())
        return;
    box_ = &box;
    mainWindow_ = mainWindow;
    applyScale();
    frame_->setTitle(DisplayText(box.title));
    message_->setText(DisplayText(box.text));
    input_->setVisible(box.showsInput());
    yes_->setVisible(box.showsYesNo());
    no_->setVisible(box.showsYesNo());
    if (box.showsInput()) {
        input_->setText(DisplayText(box.input));
        input_->selectAll();
        input_->setFocus();
    } else {
        input_->clear();
        setFocus();
    }
    fitToText();

    // A battle line at the player's chosen speed goes by itself, unless the
    // history is open over it: then it waits until the player is back.
    QTimer autoClose;
    autoClose.setSingleShot(true);
    autoClose.setTimerType(Qt::PreciseTimer); // never sooner than the player chose
    if (box.autoCloseMs > 0 && box.type == BoxType::Message) {
        connect(&autoClose, &QTimer::timeout, this, [this, &autoClose] {
            if (!box_ || !busy())
                return;
            if (this->game().history.showing)
                autoClose.start();
            else
                change([&] { box_->close(); });
        });
        autoClose.start(box.autoCloseMs);
    }
    auto forget = qScopeGuard([this] {
        input_->clear();
        box_ = nullptr;
    });
    runModal(game);
}

void MessageBoxDialog::place()
{
    if (box_ && box_->second && mainWindow_)
        move(secondBoxPosition(mainWindow_, size()));
    else
        CentreOnMainWindow(this);
}

void MessageBoxDialog::fitToText()
{
    QFontMetrics metrics(message_->font());
    int widest = metrics.horizontalAdvance(frame_->title()) + 2 * metrics.averageCharWidth();
    for (const QString& line : message_->text().split(QChar('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    if (yes_->isVisibleTo(this))
        widest = std::max(widest, yes_->sizeHint().width() + no_->sizeHint().width() +
                                      4 * metrics.averageCharWidth());
    // The limits grow with the text, but the box stays within the main
    // window's width where it can.
    double scale = PromptScale(font());
    int least = static_cast<int>(kMinTextWidth * scale);
    int most = static_cast<int>(kMaxTextWidth * scale);
    if (mainWindow_)
        most = std::min(most, mainWindow_->width() * 9 / 10);
    message_->setFixedWidth(std::clamp(widest + 2, least, std::max(least, most)));
    layout()->activate();
    adjustSize();
}

void MessageBoxDialog::forwardKey(Key key)
{
    box_->pressKey(game(), key);
}

bool MessageBoxDialog::modelClosed() const
{
    return !box_ || box_->closed();
}

void MessageBoxDialog::cancelModel()
{
    if (box_->showsYesNo()) {
        box_->clickNo();
        return;
    }
    box_->input.clear();
    box_->close();
}

bool MessageBoxDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (!box_ || !busy())
        return PromptDialog::eventFilter(watched, event);

    if (watched == input_ && event->type() == QEvent::KeyPress) {
        // The field edits its own text; only the keys that end the box or
        // save go to the game, with the text as typed so far.
        Key key = PromptKey(static_cast<QKeyEvent*>(event));
        if (key == kHistoryKey) {
            change([&] { ShowHistory(game()); });
            return true;
        }
        if (key != Key::Enter && key != Key::Escape && key != Key::Ctrl)
            return false;
        if (key == Key::Enter)
            recordText(input_->text().toStdString());
        else
            recordKey(key);
        change([&] {
            box_->input = input_->text().toStdString();
            box_->pressKey(game(), key);
        });
        return key != Key::Ctrl;
    }
    if (!isLeftPress(event))
        return false;
    // A script has no mouse: each click goes down as the key that does the
    // same.
    if (watched == yes_) {
        recordKey(CharKey('Y'));
        change([&] { box_->clickYes(); });
    } else if (watched == no_) {
        recordKey(CharKey('N'));
        change([&] { box_->clickNo(); });
    } else if (watched == frame_) {
        if (box_->showsInput())
            recordText(input_->text().toStdString());
        else if (!box_->showsYesNo())
            recordKey(Key::Enter);
        change([&] {
            box_->input = input_->text().toStdString();
            box_->clickFrame();
        });
    } else {
        return false;
    }
    return true;
}

} // namespace qvr
