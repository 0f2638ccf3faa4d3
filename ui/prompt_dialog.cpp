#include "ui/prompt_dialog.h"

#include <QFrame>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <utility>

#include "core/game.h"
#include "core/screen.h"
#include "ui/fonts.h"
#include "ui/key_map.h"

namespace qvr {

namespace {

// Large enough for the roster lines to read comfortably, small enough for
// the narrow picker's 261 pixels to hold a long item name.
constexpr int kPromptFontPixels = 14;

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

QFont PromptFont()
{
    return GameFont(kPromptFontPixels);
}

QListWidget* PromptList(const char* name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setFocusPolicy(Qt::NoFocus);
    list->setFont(PromptFont());
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
    setFont(PromptFont());
    body_ = new QFrame(this);
    body_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    body_->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(body_);
}

void PromptDialog::runModal(Game& game)
{
    game_ = &game;
    busy_ = true;
    failure_ = nullptr;
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
    // The history opens over any prompt; inside the history the key is the
    // window's own (it closes it).
    if (key == kHistoryKey && !game_->history.showing) {
        change([&] { ShowHistory(*game_); });
        return;
    }
    change([&] { forwardKey(key); });
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
