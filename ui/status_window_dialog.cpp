#include "ui/status_window_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "game/spell_book.h"
#include "game/status_window.h"
#include "rules/class_rules.h"
#include "ui/fonts.h"

namespace qvr {

namespace {

constexpr int kMargin = 6;
// The pack holds twelve items; the list shows them all without scrolling,
// and the spell book's pages take the same room.
constexpr int kPackLines = 12;
// "S)呪文を唱える" and "R)呪文書を読む" are the longest commands.
constexpr int kCommandChars = 9;
// An item line is "01:" and a mark before a name of up to 20 characters.
constexpr int kItemChars = 24;
// "Ｗｉｚａｒｄ  " and nine spell-point counts between " / ".
constexpr int kSheetChars = 30;

// A list without the keyboard keeps its place dimly; the one with it shows
// the selection as every other prompt does.
const QColor kIdleHighlight(80, 80, 80);

QLabel* textLabel(const char* name, QWidget* parent, const QString& text = QString())
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

int lineHeight(const QListWidget* list)
{
    return QFontMetrics(list->font()).height() + 2;
}

int charsWidth(const QWidget* widget, int fullWidthChars)
{
    return QFontMetrics(widget->font()).horizontalAdvance(QString(fullWidthChars, QChar(0x3000)));
}

// A list as tall as `lines` rows and as wide as `chars` full-width
// characters, with room for its scroll bar.
void sizeList(QListWidget* list, int chars, int lines)
{
    const int frame = 2 * list->frameWidth();
    list->setFixedSize(charsWidth(list, chars) + list->verticalScrollBar()->sizeHint().width() +
                           frame + 8,
                       lines * lineHeight(list) + frame + 4);
}

void showList(QListWidget* list, const std::vector<Row>& rows, int selected, bool keyboard)
{
    ShowRows(list, rows, selected);
    QPalette p;
    if (!keyboard) {
        for (auto group : {QPalette::Active, QPalette::Inactive}) {
            p.setColor(group, QPalette::Highlight, kIdleHighlight);
            p.setColor(group, QPalette::HighlightedText, Qt::white);
        }
    }
    list->setPalette(p);
}

} // namespace

StatusWindowDialog::StatusWindowDialog(QWidget* parent) : PromptDialog(parent)
{
    setObjectName(QStringLiteral("dfrmStatus"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    name_ = textLabel("lblName", body());
    commands_ = PromptList("lstCommand", body());
    sizeList(commands_, kCommandChars, kPackLines);
    commands_->viewport()->installEventFilter(this);
    message_ = textLabel("lblMsg1", body());
    message_->setMinimumHeight(QFontMetrics(message_->font()).height());

    auto* top = new QHBoxLayout;
    sheet_ = buildSheet();
    top->addWidget(sheet_, 1);
    top->addWidget(buildCard(), 1);
    top->addWidget(commands_, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout(body());
    column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    column->addWidget(name_);
    column->addLayout(top);
    column->addWidget(buildLowerPart());
    column->addWidget(buildTeleport());
    column->addWidget(message_);
}

QWidget* StatusWindowDialog::buildCard()
{
    card_ = new QGroupBox(body());
    card_->setObjectName(QStringLiteral("fraInspect"));
    cardText_ = textLabel("lblInspect", card_);
    cardText_->setWordWrap(true);
    auto* column = new QVBoxLayout(card_);
    column->addWidget(cardText_);
    column->addStretch();
    card_->setMinimumWidth(charsWidth(card_, kSheetChars));
    card_->hide();
    return card_;
}

QWidget* StatusWindowDialog::buildTeleport()
{
    teleport_ = new QGroupBox(QString::fromUtf8(kTeleportTitle), body());
    teleport_->setObjectName(QStringLiteral("fraMove"));
    auto* grid = new QGridLayout(teleport_);
    grid->addWidget(textLabel("lblMoveHelp", teleport_, DisplayText(kTeleportHelp)), 0, 0, 1, 6);
    static constexpr const char* kAxes[] = {"X", "Y", "Z"};
    for (std::size_t i = 0; i < moveFields_.size(); ++i) {
        grid->addWidget(textLabel("", teleport_, QString::fromLatin1(kAxes[i])), 1, int(2 * i));
        moveFields_[i] = textLabel(TeleportPanel::kFieldNames[i], teleport_);
        moveFields_[i]->setFrameShape(QFrame::Panel);
        moveFields_[i]->setFrameShadow(QFrame::Sunken);
        moveFields_[i]->setMinimumWidth(charsWidth(teleport_, 5));
        grid->addWidget(moveFields_[i], 1, int(2 * i + 1));
    }
    grid->addWidget(textLabel("", teleport_, QString::fromUtf8(kTeleportCancelHint)), 2, 0, 1, 3);
    grid->addWidget(textLabel("", teleport_, QString::fromUtf8(kTeleportGoHint)), 2, 3, 1, 3);
    teleport_->hide();
    return teleport_;
}

void StatusWindowDialog::showCampPanels()
{
    const StatusWindow& w = *window_;
    sheet_->setVisible(!w.card);
    card_->setVisible(w.card.has_value());
    if (w.card) {
        QStringList lines;
        const std::vector<std::string> all = CardLines(*w.card);
        // The caption is the item's or the monster's name.
        card_->setTitle(DisplayText(all.front()));
        for (std::size_t i = 1; i < all.size(); ++i)
            lines << DisplayText(all[i]);
        cardText_->setText(lines.join(QLatin1Char('\n')));
    }
    teleport_->setVisible(w.teleport.has_value());
    if (w.teleport) {
        for (std::size_t i = 0; i < moveFields_.size(); ++i) {
            moveFields_[i]->setText(DisplayText(w.teleport->fields[i]));
            // The field with the keyboard shows its text selected, as the
            // first character typed replaces it.
            const bool focused = static_cast<int>(i) == w.teleport->focused;
            moveFields_[i]->setBackgroundRole(focused ? QPalette::Highlight : QPalette::Base);
            moveFields_[i]->setForegroundRole(focused ? QPalette::HighlightedText : QPalette::Text);
            moveFields_[i]->setAutoFillBackground(true);
        }
    }
}

QWidget* StatusWindowDialog::buildSheet()
{
    auto* sheet = new QGroupBox(body());
    sheet->setObjectName(QStringLiteral("fraStatus"));
    auto* grid = new QGridLayout(sheet);
    grid->setHorizontalSpacing(2 * kMargin);
    int row = 0;
    classLine_ = textLabel("lblClass", sheet);
    grid->addWidget(classLine_, row++, 0, 1, 4);

    // Two columns of captioned values: the record of a life on the left,
    // the attributes on the right.
    struct Field {
        const char* caption;
        const char* name;
        QLabel** value;
    };
    const Field left[] = {{kLevelLabel, "lblLevel", &level_}, {kExpLabel, "lblExp", &exp_},
                          {kGoldLabel, "lblGold", &gold_},    {kMarksLabel, "lblMarks", &marks_},
                          {kAgeLabel, "lblAge", &age_},       {kRipLabel, "lblRip", &rip_},
                          {kAcLabel, "lblAC", &ac_}};
    int line = row;
    for (const Field& f : left) {
        grid->addWidget(textLabel("", sheet, QString::fromUtf8(f.caption)), line, 0);
        *f.value = textLabel(f.name, sheet);
        (*f.value)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(*f.value, line++, 1);
    }
    for (std::size_t i = 0; i < attributes_.size(); ++i) {
        const QByteArray name = "lblAttr" + QByteArray::number(int(i));
        grid->addWidget(textLabel("", sheet, QString::fromStdString(AttributeNames()[i])),
                        row + int(i), 2);
        attributes_[i] = textLabel(name.constData(), sheet);
        attributes_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(attributes_[i], row + int(i), 3);
    }
    grid->addWidget(textLabel("", sheet, QString::fromUtf8(kWalkLabel)), row + 6, 2);
    walk_ = textLabel("lblWalk", sheet);
    walk_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(walk_, row + 6, 3);
    row += 7;

    hp_ = textLabel("lblHP", sheet);
    grid->addWidget(hp_, row++, 0, 1, 4);
    for (std::size_t school = 0; school < spellPoints_.size(); ++school) {
        const QByteArray name = "lblMP" + QByteArray::number(int(school));
        spellPoints_[school] = textLabel(name.constData(), sheet);
        grid->addWidget(spellPoints_[school], row++, 0, 1, 4);
    }
    condition_ = textLabel("lblCondition", sheet);
    grid->addWidget(condition_, row++, 0, 1, 4);
    grid->setColumnStretch(4, 1);
    sheet->setMinimumWidth(charsWidth(sheet, kSheetChars));
    return sheet;
}

QWidget* StatusWindowDialog::buildLowerPart()
{
    auto* lower = new QWidget(body());
    pages_ = new QStackedWidget(lower);

    itemFrame_ = new QGroupBox(pages_);
    itemFrame_->setObjectName(QStringLiteral("fraItem"));
    itemPrompt_ = textLabel("lblItemPrompt", itemFrame_);
    items_ = PromptList("lstItem", itemFrame_);
    sizeList(items_, kItemChars, kPackLines);
    items_->viewport()->installEventFilter(this);
    auto* itemColumn = new QVBoxLayout(itemFrame_);
    itemColumn->addWidget(itemPrompt_);
    itemColumn->addWidget(items_);
    itemColumn->addStretch();
    pages_->addWidget(itemFrame_);

    spellFrame_ = new QGroupBox(pages_);
    spellFrame_->setObjectName(QStringLiteral("fraSpell"));
    auto* schools = new QHBoxLayout(spellFrame_);
    for (std::size_t school = 0; school < spells_.size(); ++school) {
        const QByteArray name = "lstSpell" + QByteArray::number(int(school));
        auto* page = new QVBoxLayout;
        page->addWidget(textLabel("", spellFrame_, QString::fromUtf8(kSpellBookHeadings[school])));
        spells_[school] = PromptList(name.constData(), spellFrame_);
        spells_[school]->setSelectionMode(QAbstractItemView::NoSelection);
        sizeList(spells_[school], kItemChars / 2, kPackLines);
        page->addWidget(spells_[school]);
        schools->addLayout(page);
    }
    pages_->addWidget(spellFrame_);

    equipFrame_ = new QGroupBox(lower);
    equipFrame_->setObjectName(QStringLiteral("fraEQ"));
    equip_ = PromptList("lstEQ", equipFrame_);
    sizeList(equip_, kItemChars, kPackLines);
    equip_->viewport()->installEventFilter(this);
    auto* equipColumn = new QVBoxLayout(equipFrame_);
    equipColumn->addWidget(equip_);
    // The window keeps its size whether or not the choices are shown.
    QSizePolicy keep = equipFrame_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    equipFrame_->setSizePolicy(keep);
    equipFrame_->hide();

    auto* row = new QHBoxLayout(lower);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(pages_, 1);
    row->addWidget(equipFrame_, 0, Qt::AlignTop);
    return lower;
}

void StatusWindowDialog::run(Game& game, StatusWindow& window)
{
    if (window.closed())
        return;
    window_ = &window;
    bookShown_ = false;
    setFocus();
    auto forget = qScopeGuard([this] { window_ = nullptr; });
    runModal(game);
}

void StatusWindowDialog::showSheet(const StatusSheet& s)
{
    const QString caption = DisplayText(s.caption);
    setWindowTitle(caption);
    name_->setText(caption);
    classLine_->setText(DisplayText(s.classLabel + " " + s.race + " " + s.sex));
    const std::array<std::pair<QLabel*, const std::string*>, 8> values = {{{level_, &s.level},
                                                                           {exp_, &s.exp},
                                                                           {gold_, &s.gold},
                                                                           {marks_, &s.marks},
                                                                           {age_, &s.age},
                                                                           {rip_, &s.rip},
                                                                           {ac_, &s.ac},
                                                                           {walk_, &s.walk}}};
    for (const auto& [label, text] : values)
        label->setText(DisplayText(*text));
    for (std::size_t i = 0; i < attributes_.size(); ++i)
        attributes_[i]->setText(DisplayText(s.attributes[i]));
    hp_->setText(DisplayText(s.hp));
    for (std::size_t school = 0; school < spellPoints_.size(); ++school)
        spellPoints_[school]->setText(DisplayText(s.spellPoints[school]));
    condition_->setText(DisplayText(s.condition));
}

void StatusWindowDialog::refresh()
{
    if (!window_)
        return;
    const StatusWindow& w = *window_;
    showSheet(w.sheet);

    showList(commands_, w.commands, w.commandSelected, w.focus == StatusFocus::Commands);
    const bool picking = w.focus == StatusFocus::Items;
    showList(items_, w.items, picking ? w.itemSelected : -1, picking);
    itemFrame_->setTitle(picking ? DisplayText(w.itemTitle) : QString());
    itemPrompt_->setText(picking ? DisplayText(w.itemPrompt) : QString());
    itemPrompt_->setVisible(picking && !w.itemPrompt.empty());

    const bool equipping = w.equipKind != 0;
    equipFrame_->setVisible(equipping);
    equipFrame_->setTitle(DisplayText(w.equipCaption));
    showList(equip_, equipping ? w.equipRows : std::vector<Row>{}, w.equipSelected,
             w.focus == StatusFocus::Equip);

    if (w.spellBookVisible) {
        for (std::size_t school = 0; school < spells_.size(); ++school) {
            ShowLines(spells_[school], w.spellBook[school], -1);
            // Each reading starts at the first page.
            if (!bookShown_)
                spells_[school]->scrollToTop();
        }
    }
    bookShown_ = w.spellBookVisible;
    pages_->setCurrentWidget(w.spellBookVisible ? static_cast<QWidget*>(spellFrame_) : itemFrame_);

    message_->setText(DisplayText(w.lblMsg1));
    showCampPanels();
}

void StatusWindowDialog::scrollSpellBook(Key key)
{
    for (QListWidget* list : spells_) {
        QScrollBar* bar = list->verticalScrollBar();
        switch (key) {
        case Key::Up:
            bar->setValue(bar->value() - bar->singleStep());
            break;
        case Key::Down:
            bar->setValue(bar->value() + bar->singleStep());
            break;
        case Key::PageUp:
            bar->setValue(bar->value() - bar->pageStep());
            break;
        case Key::PageDown:
            bar->setValue(bar->value() + bar->pageStep());
            break;
        case Key::Home:
            bar->setValue(bar->minimum());
            break;
        case Key::End:
            bar->setValue(bar->maximum());
            break;
        default:
            break;
        }
    }
}

void StatusWindowDialog::forwardKey(Key key)
{
    const bool reading = window_->focus == StatusFocus::SpellBook;
    window_->pressKey(game(), key);
    // The model keeps the book open for the keys that move through it; the
    // pages themselves scroll here.
    if (reading && !window_->closed() && window_->focus == StatusFocus::SpellBook)
        scrollSpellBook(key);
}

bool StatusWindowDialog::modelClosed() const
{
    return !window_ || window_->closed();
}

void StatusWindowDialog::cancelModel()
{
    window_->close();
}

bool StatusWindowDialog::eventFilter(QObject* watched, QEvent* event)
{
    using Click = void (StatusWindow::*)(Game&, int);
    QListWidget* list = nullptr;
    Click click = nullptr;
    if (watched == commands_->viewport()) {
        list = commands_;
        click = &StatusWindow::clickCommand;
    } else if (watched == items_->viewport()) {
        list = items_;
        click = &StatusWindow::clickItem;
    } else if (watched == equip_->viewport()) {
        list = equip_;
        click = &StatusWindow::clickEquip;
    } else {
        return PromptDialog::eventFilter(watched, event);
    }
    if (!IsMouseButtonEvent(event))
        return false;
    const int line = PressedLine(list, event);
    if (line >= 0 && window_ && busy()) {
        recordClick(list->objectName().toStdString(), line);
        change([&] { (window_->*click)(game(), line); });
    }
    return true;
}

} // namespace qvr
