#pragma once

// dfrmStatus: one character's status window, drawn as a character sheet
// beside the command list, with the pack below it, the equipment choices
// while equipping, the spell book while it is read and the message label.
// An appraised item's card takes the sheet's place, and the camp's teleport
// panel shows its three fields below the pack. Every key goes to the model; commands change the
// character and open prompts of their own, so the whole window is drawn again after each one.

#include <array>

#include "ui/prompt_dialog.h"

class QGroupBox;
class QLabel;
class QStackedWidget;

namespace qvr {

struct StatusSheet;
struct StatusWindow;

class StatusWindowDialog : public PromptDialog {
    Q_OBJECT
public:
    explicit StatusWindowDialog(QWidget* parent);

    void run(Game& game, StatusWindow& window);

protected:
    void forwardKey(Key key) override;
    bool modelClosed() const override;
    void cancelModel() override;
    void refresh() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSheet();
    QWidget* buildCard();
    QWidget* buildTeleport();
    QWidget* buildLowerPart();
    void showCampPanels();
    void showSheet(const StatusSheet& sheet);
    void scrollSpellBook(Key key);

    StatusWindow* window_ = nullptr;
    bool bookShown_ = false;

    QLabel* name_;
    QLabel* classLine_;
    QLabel* level_;
    QLabel* exp_;
    QLabel* gold_;
    QLabel* marks_;
    QLabel* age_;
    QLabel* rip_;
    QLabel* ac_;
    QLabel* walk_;
    std::array<QLabel*, 6> attributes_{};
    QLabel* hp_;
    std::array<QLabel*, 2> spellPoints_{};
    QLabel* condition_;

    QWidget* sheet_;
    QGroupBox* card_; // fraInspect, in place of the sheet
    QLabel* cardText_;
    QGroupBox* teleport_; // fraMove
    std::array<QLabel*, 3> moveFields_{};

    QListWidget* commands_;
    QStackedWidget* pages_;
    QGroupBox* itemFrame_;
    QLabel* itemPrompt_;
    QListWidget* items_;
    QGroupBox* spellFrame_;
    std::array<QListWidget*, 2> spells_{};
    QGroupBox* equipFrame_;
    QListWidget* equip_;
    QLabel* message_;
};

} // namespace qvr
