#include "ui/prompt_dialog.h"

#include <QFrame>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "core/game.h"
#include "core/screen.h"
#include "ui/fonts.h"
#include "ui/key_map.h"
#include "ui/main_window.h"
#include "ui/session_recorder.h"

namespace qvr {

namespace {

// The size the dialogs' fixed widths were drawn for.
constexpr double kLayoutFontPixels = 14.0;

const MainWindow* MainWindowOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (const auto* main = qobject_cast<const MainWindow*>(w))
            return main;
    return nullptr;
}

} // namespace

QString MnemonicHtml(const QString& text)
{
    QString html;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == QChar('&') && i + 1 < text.size()) {
            c = text[++i];
            if (c != QChar('&')) {
                html += QStringLiteral("<u>") + QString(c).toHtmlEscaped() + QStringLiteral("</u>");
                continue;
            }
        }
        html += QString(c).toHtmlEscaped();
    }
    return html;
}

QFont PromptFont(const QWidget* anchor)
{
    const MainWindow* main = MainWindowOf(anchor);
    int panels = main ? main->textPixels() : 0;
    return GameFont(std::max(kPromptFontPixels, EvenFontPixels(panels * 0.75)));
}

double PromptScale(const QFont& font)
{
    return std::max(1.0, font.pixelSize() / kLayoutFontPixels);
}

void CentreOnMainWindow(QWidget* dialog)
{
    const QWidget* main = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    if (!main)
        return;
    // The frame's centre, so that the dialog stands in the middle of what
    // the player sees of the window.
    QRect over = main->frameGeometry();
    QSize size = dialog->frameGeometry().size().expandedTo(dialog->size());
    dialog->move(over.x() + (over.width() - size.width()) / 2,
                 over.y() + (over.height() - size.height()) / 2);
}

QListWidget* PromptList(const char* name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setFocusPolicy(Qt::NoFocus);
    list->setFont(PromptFont(parent));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);
    return list;
}

void ShowLines(QListWidget* list, const std::vector<std::string>& texts, int selected)
{
    bool same = list->count() == static_cast<int>(texts.size());
    for (int i = 0; same && i < list->count(); ++i)
        same = list->item(i)->text() == DisplayText(texts[static_cast<std::size_t>(i)]);
    QSignalBlocker quiet(list);
    if (!same) {
        list->clear();
        for (const std::string& text : texts)
            list->addItem(DisplayText(text));
    }
    if (selected >= 0 && selected < list->count()) {
        list->setCurrentRow(selected);
        list->scrollToItem(list->currentItem());
    } else {
        list->setCurrentRow(-1);
    }
}

void ShowRows(QListWidget* list, const std::vector<Row>& rows, int selected)
{
    std::vector<std::string> texts;
    texts.reserve(rows.size());
    for (const Row& row : rows)
        texts.push_back(row.text);
    ShowLines(list, texts, selected);
}

int PressedLine(const QListWidget* list, const QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return -1;
    const auto* press = static_cast<const QMouseEvent*>(event);
    if (press->button() != Qt::LeftButton)
        return -1;
    QListWidgetItem* item = list->itemAt(press->position().toPoint());
    return item ? list->row(item) : -1;
}

bool IsMouseButtonEvent(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return true;
    default:
        return false;
    }
}

Key PromptKey(const QKeyEvent* event)
{
    Key key = MapQtKey(event->key());
    if (key == Key::Ctrl)
        return event->isAutoRepeat() ? Key::None : key;
    if ((IsLetterKey(key) || IsDigitKey(key)) &&
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return Key::None;
    return key;
}

PromptDialog::PromptDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    // The prompts wear the main window's colours, whatever it chose.
    setAttribute(Qt::WA_WindowPropagation);
    setFocusPolicy(Qt::StrongFocus);
    setFont(PromptFont(parent));
    body_ = new QFrame(this);
    body_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    body_->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(body_);
}

void PromptDialog::applyScale()
{
    QFont scaled = PromptFont(parentWidget());
    if (font() == scaled)
        return;
    setFont(scaled);
    for (QListWidget* list : findChildren<QListWidget*>())
        list->setFont(scaled);
    rescaled();
}

void PromptDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // After QDialog's own placement, which leaves a dialog shown before
    // where it was; and once more when the window is on the screen, since
    // a window manager may place a new window by its own rules (under the
    // pointer, in a corner) whatever the program asked.
    place();
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            place();
    });
}

void PromptDialog::runModal(Game& game)
{
    game_ = &game;
    busy_ = true;
    failure_ = nullptr;
    applyScale();
    refresh();
    if (!modelClosed())
        exec();
    busy_ = false;
    game_ = nullptr;
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void PromptDialog::reject()
{
    if (busy_ && !modelClosed())
        cancelModel();
    QDialog::reject();
}

void PromptDialog::keyPressEvent(QKeyEvent* event)
{
    Key key = PromptKey(event);
    if (key == Key::None || !game_) {
        // Not QDialog's: its Escape and Enter would close behind the model's back.
        event->ignore();
        return;
    }
    event->accept();
    recordKey(key);
    // The history opens over any prompt; inside the history the key is the
    // window's own (it closes it).
    if (key == kHistoryKey && !game_->history.showing) {
        change([&] { ShowHistory(*game_); });
        return;
    }
    change([&] { forwardKey(key); });
}

void PromptDialog::recordKey(Key key) const
{
    if (SessionRecorder* recorder = MainWindow::RecorderOf(parentWidget()))
        recorder->key(key);
}

void PromptDialog::recordText(const std::string& text) const
{
    if (SessionRecorder* recorder = MainWindow::RecorderOf(parentWidget()))
        recorder->text(text);
}

void PromptDialog::recordClick(const std::string& list, int row) const
{
    if (SessionRecorder* recorder = MainWindow::RecorderOf(parentWidget()))
        recorder->click(list, row);
}

void PromptDialog::settle()
{
    if (!busy_)
        return;
    if (modelClosed())
        done(Accepted);
    else
        refresh();
}

} // namespace qvr
