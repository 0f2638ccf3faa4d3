#pragma once

// frmCharacterList: the roster chooser. Its rows may change while it is open
// (joining the party lists the next choices, moving re-orders the roster).

#include "ui/prompt_dialog.h"

namespace qvr {

struct CharacterChooser;

class CharacterChooserDialog : public PromptDialog {
    Q_OBJECT
public:
    explicit CharacterChooserDialog(QWidget* parent);

    void run(Game& game, CharacterChooser& chooser);

protected:
    void forwardKey(Key key) override;
    bool modelClosed() const override;
    void cancelModel() override;
    void rescaled() override;
    void refresh() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CharacterChooser* chooser_ = nullptr;
    QListWidget* list_;
};

} // namespace qvr
