#include "ui/list_picker_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>
#include <QVBoxLayout>

#include "core/prompts.h"
#include "ui/fonts.h"

namespace qvr {

namespace {

constexpr int kVisibleLines = 12;
constexpr int kMargin = 6;

int listHeight(const QListWidget* list, int lines)
{
    QFontMetrics metrics(list->font());
    return lines * (metrics.height() + 2) + 2 * list->frameWidth() + 4;
}

} // namespace

ListPickerDialog::ListPickerDialog(QWidget* parent) : PromptDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectBox"));

    auto* left = new QWidget(body());
    prompt_ = new QLabel(left);
    prompt_->setObjectName(QStringLiteral("lblMsg"));
    prompt_->setTextFormat(Qt::PlainText);
    prompt_->setWordWrap(true);
    list_ = PromptList("lst", left);
    list_->viewport()->installEventFilter(this);
    auto* hint = new QLabel(QString::fromUtf8(ListPicker::kHint), left);
    hint->setObjectName(QStringLiteral("lbl"));
    hint->setTextFormat(Qt::PlainText);
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    leftColumn->addWidget(prompt_);
    leftColumn->addWidget(list_);
    leftColumn->addWidget(hint);
    left_ = left;

    side_ = new QGroupBox(body());
    side_->setObjectName(QStringLiteral("Frame1"));
    sideCaption_ = new QLabel(side_);
    sideCaption_->setObjectName(QStringLiteral("lblmsgItem"));
    sideCaption_->setTextFormat(Qt::PlainText);
    sideList_ = PromptList("lstItem", side_);
    sideList_->setSelectionMode(QAbstractItemView::NoSelection);
    sideList_->viewport()->installEventFilter(this);
    auto* sideColumn = new QVBoxLayout(side_);
    sideColumn->addWidget(sideCaption_);
    sideColumn->addWidget(sideList_, 1);

    auto* columns = new QHBoxLayout(body());
    columns->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    columns->addWidget(left);
    columns->addWidget(side_, 1);
    rescaled();
}

void ListPickerDialog::rescaled()
{
    list_->setFixedHeight(listHeight(list_, kVisibleLines));
    // The left part is the narrow form; the wide form only adds the side
    // list beside it.
    left_->setFixedWidth(scaledTwips(kNarrowTwips) - 2 * kMargin);
}

int ListPickerDialog::scaledTwips(int twips) const
{
    return static_cast<int>(TwipsToPixels(twips, this) * PromptScale(font()));
}

void ListPickerDialog::run(Game& game, ListPicker& picker)
{
    if (picker.closed())
        return;
    picker_ = &picker;
    prompt_->setText(DisplayText(picker.prompt));
    side_->setVisible(picker.wide);
    applyScale();
    setFixedWidth(scaledTwips(picker.wide ? kWideTwips : kNarrowTwips));
    setFixedHeight(sizeHint().height());
    setFocus();
    auto forget = qScopeGuard([this] { picker_ = nullptr; });
    runModal(game);
}

void ListPickerDialog::refresh()
{
    if (!picker_)
        return;
    ShowRows(list_, picker_->rows, picker_->selected);
    if (picker_->wide) {
        sideCaption_->setText(DisplayText(picker_->sideCaption));
        ShowLines(sideList_, picker_->sideRows, -1);
    }
}

void ListPickerDialog::forwardKey(Key key)
{
    picker_->pressKey(game(), key);
}

bool ListPickerDialog::modelClosed() const
{
    return !picker_ || picker_->closed();
}

void ListPickerDialog::cancelModel()
{
    picker_->result = -1;
    picker_->close();
}

bool ListPickerDialog::eventFilter(QObject* watched, QEvent* event)
{
    bool onList = watched == list_->viewport();
    if (!onList && watched != sideList_->viewport())
        return PromptDialog::eventFilter(watched, event);
    if (!IsMouseButtonEvent(event))
        return false;
    int line = onList ? PressedLine(list_, event) : -1;
    if (line >= 0 && picker_ && busy()) {
        recordClick({}, line);
        change([&] { picker_->click(game(), line); });
    }
    return true;
}

} // namespace qvr
