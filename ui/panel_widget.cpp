#include "ui/panel_widget.h"

#include <algorithm>

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include "ui/fonts.h"
#include "ui/prompt_dialog.h"

namespace qvr {

namespace {

// The list that has the keyboard shows its row in white; another list keeps
// a dim mark of where it stands.
const QColor kOwnerHighlight(Qt::white);
const QColor kOtherHighlight(80, 80, 80);
const QColor kDisabled(128, 128, 128);
// What the list's own style puts around a row's text.
constexpr int kItemMargin = 4;
// The last column (the party's state, where the battle writes each order:
// a spell's name, "アイテム") keeps room for this many half-width
// characters, so that an order does not push the other columns aside.
constexpr int kLastColumnChars = 10;

bool IsNumber(const QString& text)
{
    QString t = text.trimmed();
    if (!t.isEmpty() && (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')))
        t.remove(0, 1);
    bool ok = false;
    t.toLong(&ok);
    return ok;
}

} // namespace

bool HasKeyMark(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return true;
        ++i;
    }
    return false;
}

int WrappedLineCount(const QFontMetrics& metrics, const QString& text, int width)
{
    int lines = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        int advance = metrics.horizontalAdvance(line);
        if (width <= 0 || advance <= width) {
            ++lines;
            continue;
        }
        QRect box = metrics.boundingRect(QRect(0, 0, width, 1 << 20),
                                         Qt::TextWordWrap | Qt::TextWrapAnywhere, line);
        lines += std::max(1, (box.height() + metrics.lineSpacing() / 2) / metrics.lineSpacing());
    }
    return std::max(1, lines);
}

bool SplitColumnLabel(const std::string& name, std::string& column, int& row)
{
    std::size_t end = name.size();
    std::size_t start = end;
    while (start > 0 && name[start - 1] >= '0' && name[start - 1] <= '9')
        --start;
    if (start == end || start == 0 || end - start > 3)
        return false;
    column = name.substr(0, start);
    row = std::stoi(name.substr(start));
    return true;
}

PanelWidget::PanelWidget(QWidget* parent) : QWidget(parent), list_(new QListWidget(this))
{
    setFocusPolicy(Qt::NoFocus);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setAttribute(Qt::WA_InputMethodEnabled, false);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setUniformItemSizes(true);
    list_->setTextElideMode(Qt::ElideNone);
    list_->viewport()->installEventFilter(this);
    connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { layoutChildren(); });
    applyListColours();
    hide();
}

void PanelWidget::sync(const Panel& panel, bool ownsKeyboard)
{
    bool relayout = false;
    if (name_ != panel.name) {
        name_ = panel.name;
        setObjectName(QString::fromStdString(panel.name));
        list_->setObjectName(QString::fromStdString(panel.list));
    }
    if (caption_ != panel.caption) {
        relayout = caption_.empty() != panel.caption.empty();
        caption_ = panel.caption;
        update();
    }
    list_->setVisible(!panel.list.empty());
    if (syncRows(panel))
        relayout = true;
    syncSelection(panel.selected, ownsKeyboard);
    int promptsBefore = promptLines();
    if (syncLabels(panel))
        relayout = true;
    if (isEnabled() != panel.enabled)
        setEnabled(panel.enabled);
    if (isVisibleTo(parentWidget()) != panel.visible)
        setVisible(panel.visible);
    bool rowsChanged = syncedRows_ != rows_;
    if ((promptLines() != promptsBefore || rowsChanged) && !frame_.isNull())
        place(frame_);
    else if (relayout)
        layoutChildren();
    syncedRows_ = rows_;
}

bool PanelWidget::syncRows(const Panel& panel)
{
    bool same = std::equal(rows_.begin(), rows_.end(), panel.rows.begin(), panel.rows.end(),
                           [](const std::string& a, const Row& b) { return a == b.text; });
    if (same)
        return false;
    rows_.clear();
    list_->clear();
    for (const Row& row : panel.rows) {
        rows_.push_back(row.text);
        list_->addItem(DisplayText(row.text));
    }
    selected_ = -2; // the new rows need their selection shown afresh
    return true;
}

void PanelWidget::syncSelection(int selected, bool ownsKeyboard)
{
    if (owner_ != ownsKeyboard) {
        owner_ = ownsKeyboard;
        applyListColours();
    }
    if (selected_ == selected)
        return;
    selected_ = selected;
    if (selected >= 0 && selected < list_->count()) {
        list_->setCurrentRow(selected);
        list_->scrollToItem(list_->item(selected));
    } else {
        list_->clearSelection();
        list_->setCurrentRow(-1);
    }
}

bool PanelWidget::syncLabels(const Panel& panel)
{
    bool relayout = false;
    for (const Label& model : panel.labels) {
        auto slot = std::find_if(labels_.begin(), labels_.end(),
                                 [&](const LabelSlot& s) { return s.name == model.name; });
        if (slot == labels_.end()) {
            LabelSlot added;
            added.name = model.name;
            added.widget = new QLabel(this);
            added.widget->setObjectName(QString::fromStdString(model.name));
            added.widget->setFocusPolicy(Qt::NoFocus);
            added.widget->setTextFormat(Qt::PlainText);
            std::string column;
            if (SplitColumnLabel(model.name, column, added.row)) {
                auto at = std::find(columns_.begin(), columns_.end(), column);
                added.column = static_cast<int>(at - columns_.begin());
                if (at == columns_.end())
                    columns_.push_back(column);
            }
            labels_.push_back(std::move(added));
            slot = labels_.end() - 1;
            relayout = true;
        }
        if (slot->fresh || slot->text != model.text) {
            slot->fresh = false;
            // Column widths follow their texts; a prompt line appearing,
            // going or changing its length moves the frame.
            relayout = relayout || slot->column >= 0 || slot->text.empty() != model.text.empty() ||
                       slot->text.size() != model.text.size();
            slot->text = model.text;
            slot->command = slot->column < 0 && HasKeyMark(model.text);
            if (slot->command) {
                slot->widget->setTextFormat(Qt::RichText);
                slot->widget->setText(MnemonicHtml(DisplayText(model.text)));
            } else {
                slot->widget->setTextFormat(Qt::PlainText);
                slot->widget->setText(DisplayText(model.text));
            }
            // A prompt line wraps in the frame's width rather than running
            // past the window's edge.
            slot->widget->setWordWrap(slot->column < 0 && !slot->command);
        }
        if (slot->visible != model.visible) {
            slot->visible = model.visible;
            relayout = true;
        }
    }
    if (relayout) {
        for (LabelSlot& s : labels_) {
            bool shown = s.visible && (s.column >= 0 || !s.text.empty());
            s.widget->setVisible(shown);
        }
    }
    return relayout;
}

void PanelWidget::applyListColours()
{
    QPalette p = list_->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Base, Qt::black);
        p.setColor(group, QPalette::Text, Qt::white);
        p.setColor(group, QPalette::Highlight, owner_ ? kOwnerHighlight : kOtherHighlight);
        p.setColor(group, QPalette::HighlightedText, owner_ ? Qt::black : Qt::white);
    }
    p.setColor(QPalette::Disabled, QPalette::Base, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, kDisabled);
    p.setColor(QPalette::Disabled, QPalette::Highlight, kOtherHighlight);
    p.setColor(QPalette::Disabled, QPalette::HighlightedText, kDisabled);
    list_->setPalette(p);
}

int PanelWidget::widenedRight(const QRect& frame) const
{
    // A menu whose rows are wider than its frame (the inn's rooms, the
    // astrology office's boards) takes room to its right, up to the next
    // panel or the window's edge, before it falls back on a smaller size:
    // its rows keep the size of every other menu.
    if (!columns_.empty() || rows_.empty() || !parentWidget())
        return frame.right();
    QFontMetrics fm = fontMetrics();
    int widest = 0;
    for (const std::string& row : rows_)
        widest = std::max(widest, fm.horizontalAdvance(DisplayText(row)));
    int pad = std::max(2, fm.height() / 4);
    int need = widest + 2 * kItemMargin + 2 * pad + 4;
    if (static_cast<int>(rows_.size()) * lineHeight() > frame.height())
        need += list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list_);
    if (need <= frame.width())
        return frame.right();
    int limit = parentWidget()->width() - 1 - std::max(2, parentWidget()->width() / 55);
    for (const QObject* child : parentWidget()->children()) {
        const auto* other = qobject_cast<const PanelWidget*>(child);
        if (!other || other == this || !other->isVisibleTo(parentWidget()))
            continue;
        QRect g = other->geometry();
        if (g.left() > frame.right() && g.top() <= frame.bottom() && g.bottom() >= frame.top())
            limit = std::min(limit, g.left() - 2);
    }
    return std::max(frame.right(), std::min(frame.left() + need - 1, limit));
}

void PanelWidget::refit()
{
    if (!frame_.isNull() && widenedRight(frame_) != geometry().right())
        place(frame_);
}

void PanelWidget::place(const QRect& frame)
{
    frame_ = frame;
    int head = promptLines() * lineHeight();
    QRect whole = frame.adjusted(0, -head, 0, 0);
    whole.setRight(widenedRight(frame));
    if (geometry() == whole)
        layoutChildren();
    else
        setGeometry(whole);
}

void PanelWidget::setTextFont(const QFont& font)
{
    if (this->font() == font)
        return;
    setFont(font);
    columnWidths_.clear();
    if (!frame_.isNull())
        place(frame_);
}

QString PanelWidget::caption() const
{
    return QString::fromStdString(caption_);
}

QLabel* PanelWidget::label(const std::string& name) const
{
    for (const LabelSlot& s : labels_)
        if (s.name == name)
            return s.widget;
    return nullptr;
}

int PanelWidget::promptLines() const
{
    int width = frame_.isNull() ? this->width() : widenedRight(frame_) - frame_.left() + 1;
    int lines = 0;
    for (const LabelSlot& s : labels_)
        if (s.column < 0 && !s.command && s.visible && !s.text.empty())
            lines += WrappedLineCount(fontMetrics(), DisplayText(s.text), width);
    return lines;
}

int PanelWidget::commandsHeight() const
{
    for (const LabelSlot& s : labels_)
        if (s.command && s.visible && !s.text.empty())
            return lineHeight();
    return 0;
}

void PanelWidget::layoutCommands(const QRect& inner)
{
    // One row along the foot of the frame, spread evenly; a row too wide
    // for the frame gets a smaller (still even) size.
    std::vector<const LabelSlot*> shown;
    for (const LabelSlot& s : labels_)
        if (s.command && s.widget->isVisibleTo(this))
            shown.push_back(&s);
    if (shown.empty())
        return;
    QFont commandFont = font();
    auto widthsAt = [&](const QFont& f) {
        std::vector<int> widths;
        for (const LabelSlot* s : shown) {
            QString plain = DisplayText(s->text);
            plain.remove(QLatin1Char('&'));
            widths.push_back(QFontMetrics(f).horizontalAdvance(plain));
        }
        return widths;
    };
    std::vector<int> widths = widthsAt(commandFont);
    int total = 0;
    for (int w : widths)
        total += w;
    if (total > inner.width() && total > 0) {
        commandFont.setPixelSize(
            EvenFontPixels(font().pixelSize() * static_cast<double>(inner.width()) / total));
        widths = widthsAt(commandFont);
        total = 0;
        for (int w : widths)
            total += w;
    }
    // Each command its own width, and an equal share of what is left.
    int spare = std::max(0, inner.width() - total) / static_cast<int>(shown.size());
    int x = inner.left();
    int top = inner.bottom() + 1;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        QLabel* label = shown[i]->widget;
        label->setFont(commandFont);
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(x, top, widths[i] + spare, lineHeight());
        x += widths[i] + spare;
    }
}

int PanelWidget::lineHeight() const
{
    return fontMetrics().height() + 2;
}

QRect PanelWidget::frameRect() const
{
    return rect().adjusted(0, promptLines() * lineHeight(), 0, 0);
}

void PanelWidget::layoutChildren()
{
    QFontMetrics fm = fontMetrics();
    int line = lineHeight();
    QRect frame = frameRect();
    int pad = std::max(2, fm.height() / 4);

    int y = 0;
    for (const LabelSlot& s : labels_) {
        if (s.column >= 0 || s.command || !s.widget->isVisibleTo(this))
            continue;
        int lines = WrappedLineCount(fm, DisplayText(s.text), width());
        s.widget->setGeometry(0, y, width(), lines * line);
        y += lines * line;
    }

    int top = frame.top() + (caption_.empty() ? pad : line) + 1;
    QRect inner(frame.left() + pad, top, frame.width() - 2 * pad,
                frame.bottom() - pad - top - commandsHeight());
    layoutCommands(inner);

    // Columns take what their longest text needs (at least four half-width
    // characters); the list takes the rest.
    std::vector<int> widths(columns_.size(), fm.horizontalAdvance(QLatin1String("0000")));
    columnWidths_.resize(columns_.size(), 0);
    for (std::size_t c = 0; c < widths.size(); ++c)
        widths[c] = std::max(widths[c], columnWidths_[c]);
    std::vector<bool> numeric(columns_.size(), true);
    for (const LabelSlot& s : labels_) {
        if (s.column < 0)
            continue;
        QString text = DisplayText(s.text);
        widths[s.column] = std::max(widths[s.column], fm.horizontalAdvance(text));
        if (!text.trimmed().isEmpty() && !IsNumber(text))
            numeric[s.column] = false;
    }
    columnWidths_ = widths; // the reserve below is the room's, not the texts'
    int gap = fm.horizontalAdvance(QLatin1String("  "));
    int columnsWidth = 0;
    for (int w : widths)
        columnsWidth += w + gap;
    if (!widths.empty()) {
        // The last column's reserve comes out of the list's share, never
        // past the frame.
        int reserve = fm.horizontalAdvance(QString(kLastColumnChars, QLatin1Char('0')));
        int room = inner.width() - inner.width() / 3 - (columnsWidth - widths.back());
        int grown = std::max(widths.back(), std::min(reserve, room));
        columnsWidth += grown - widths.back();
        widths.back() = grown;
    }
    int listWidth = std::max(inner.width() / 3, inner.width() - columnsWidth);
    list_->setGeometry(inner.left(), inner.top(), listWidth, inner.height());
    if (columns_.empty())
        fitListFont(listWidth, inner.height());
    else
        elideRows(listWidth, inner.height());

    int x = inner.left() + listWidth;
    std::vector<int> columnX;
    for (int w : widths) {
        columnX.push_back(x + gap);
        x += w + gap;
    }
    // Rows beyond the list's last line still have their place, so that a
    // label written before its row stays level with it.
    int rowHeight = list_->count() > 0 ? list_->sizeHintForRow(0) : line;
    int firstRowTop = inner.top();
    if (list_->count() > 0)
        firstRowTop = list_->y() + list_->visualItemRect(list_->item(0)).top();
    for (const LabelSlot& s : labels_) {
        if (s.column < 0)
            continue;
        // Numbers line up on their last digit, like a ledger.
        Qt::Alignment align = numeric[s.column] ? Qt::AlignRight : Qt::AlignLeft;
        s.widget->setAlignment(align | Qt::AlignVCenter);
        int centre = firstRowTop + s.row * rowHeight + rowHeight / 2;
        s.widget->setGeometry(columnX[s.column], centre - line / 2, widths[s.column], line);
    }
}

int PanelWidget::rowRoom(int width, int height) const
{
    int room = width - 2 * kItemMargin;
    if (list_->count() * lineHeight() > height)
        room -= list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list_);
    return room;
}

void PanelWidget::fitListFont(int width, int height)
{
    // A menu wider than its frame gets a smaller (still even) size rather
    // than losing the ends of its rows; the frame's other text keeps the
    // window's size.
    QFontMetrics fm = fontMetrics();
    int widest = 0;
    for (int i = 0; i < list_->count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(list_->item(i)->text()));
    int room = rowRoom(width, height);
    QFont fitted = font();
    if (widest > room && room > 0)
        fitted.setPixelSize(
            EvenFontPixels(font().pixelSize() * static_cast<double>(room) / widest));
    if (list_->font() != fitted)
        list_->setFont(fitted);
}

void PanelWidget::elideRows(int width, int height)
{
    // Beside columns a row keeps their size, or a long name would shrink its
    // row out of line with them: what does not fit ends in "…" instead.
    if (list_->font() != font())
        list_->setFont(font());
    QFontMetrics fm = fontMetrics();
    int room = std::max(0, rowRoom(width, height));
    for (int i = 0; i < list_->count() && i < static_cast<int>(rows_.size()); ++i) {
        QString full = DisplayText(rows_[static_cast<std::size_t>(i)]);
        QString shown = fm.elidedText(full, Qt::ElideRight, room);
        QListWidgetItem* item = list_->item(i);
        if (item->text() != shown) {
            item->setText(shown);
            // The whole row is still there for a pointer that rests on it.
            item->setToolTip(shown == full ? QString() : full);
        }
    }
}

void PanelWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect frame = frameRect();
    painter.fillRect(frame, Qt::black);
    QColor ink = isEnabled() ? QColor(Qt::white) : kDisabled;
    int line = lineHeight();
    int borderTop = caption_.empty() ? frame.top() : frame.top() + line / 2;
    painter.setPen(ink);
    painter.drawRect(QRect(frame.left(), borderTop, frame.width() - 1, frame.bottom() - borderTop));
    if (!caption_.empty()) {
        QString text = QString::fromStdString(caption_);
        int pad = std::max(2, fontMetrics().height() / 4);
        QRect box(frame.left() + 2 * pad, frame.top(),
                  fontMetrics().horizontalAdvance(text) + 2 * pad, line);
        painter.fillRect(box, Qt::black);
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

void PanelWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // New room, new shares: the columns' widths start again from their texts.
    columnWidths_.clear();
    layoutChildren();
}

bool PanelWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != list_->viewport() || !IsMouseButtonEvent(event))
        return QWidget::eventFilter(watched, event);
    // The list moves its selection only when the game says so: a press is
    // reported, and nothing else of the mouse reaches the list.
    int row = PressedLine(list_, event);
    if (row >= 0)
        emit rowPressed(row);
    return true;
}

} // namespace qvr
