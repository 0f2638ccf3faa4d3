#include "ui/character_chooser_dialog.h"

#include <QListWidget>
#include <QScopeGuard>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/prompts.h"

namespace qvr {

namespace {

constexpr int kVisibleLines = 16;
// A summary line with its "Ａｓｈｅｓ．Ｏｕｔ" is some 45 full-width characters;
// sizing for that keeps the window from jumping as the rows change.
constexpr int kLineChars = 46;

} // namespace

CharacterChooserDialog::CharacterChooserDialog(QWidget* parent) : PromptDialog(parent)
{
    setObjectName(QStringLiteral("frmCharacterList"));
    list_ = PromptList("lstCharacter", body());
    list_->viewport()->installEventFilter(this);
    rescaled();
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(list_);
}

void CharacterChooserDialog::rescaled()
{
    QFontMetrics metrics(list_->font());
    int width = metrics.horizontalAdvance(QString(kLineChars, QChar(0x3000))) +
                list_->verticalScrollBar()->sizeHint().width() + 2 * list_->frameWidth() + 8;
    int height = kVisibleLines * (metrics.height() + 2) + 2 * list_->frameWidth() + 4;
    list_->setMinimumSize(width, height);
    adjustSize();
}

void CharacterChooserDialog::run(Game& game, CharacterChooser& chooser)
{
    if (chooser.closed())
        return;
    chooser_ = &chooser;
    setFocus();
    auto forget = qScopeGuard([this] { chooser_ = nullptr; });
    runModal(game);
}

void CharacterChooserDialog::refresh()
{
    if (!chooser_)
        return;
    ShowRows(list_, chooser_->rows, chooser_->selected);
    // A long name in a summary line may overrun the columns; never cut it.
    int widest = list_->sizeHintForColumn(0) + list_->verticalScrollBar()->sizeHint().width() +
                 2 * list_->frameWidth() + 8;
    if (widest > list_->minimumWidth()) {
        list_->setMinimumWidth(widest);
        adjustSize();
        if (isVisible())
            place();
    }
}

void CharacterChooserDialog::forwardKey(Key key)
{
    chooser_->pressKey(game(), key);
}

bool CharacterChooserDialog::modelClosed() const
{
    return !chooser_ || chooser_->closed();
}

void CharacterChooserDialog::cancelModel()
{
    chooser_->cancel();
}

bool CharacterChooserDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != list_->viewport())
        return PromptDialog::eventFilter(watched, event);
    if (!IsMouseButtonEvent(event))
        return false;
    int line = PressedLine(list_, event);
    if (line >= 0 && chooser_ && busy()) {
        recordClick({}, line);
        change([&] { chooser_->click(game(), line); });
    }
    return true;
}

} // namespace qvr
