#pragma once

// frmSelectBox: the list picker, with the side list of the wide form.

#include "ui/prompt_dialog.h"

class QGroupBox;
class QLabel;

namespace qvr {

struct ListPicker;

class ListPickerDialog : public PromptDialog {
    Q_OBJECT
public:
    static constexpr int kNarrowTwips = 3915;
    static constexpr int kWideTwips = 8175;

    explicit ListPickerDialog(QWidget* parent);

    void run(Game& game, ListPicker& picker);

protected:
    void forwardKey(Key key) override;
    bool modelClosed() const override;
    void cancelModel() override;
    void refresh() override;
    void rescaled() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int scaledTwips(int twips) const;

    QWidget* left_ = nullptr;
    ListPicker* picker_ = nullptr;
    QLabel* prompt_;
    QListWidget* list_;
    QGroupBox* side_;
    QLabel* sideCaption_;
    QListWidget* sideList_;
};

} // namespace qvr
