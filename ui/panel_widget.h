#pragma once

// One panel of the main window as the player sees it: a white frame with its
// caption, the menu list, and the panel's labels. Labels named with a row
// number (lblClass0, lblHP3) stand in columns beside the list, level with
// their rows and in their size (a row too long for its room ends in "…");
// a label with a key mark ("↑&F)前へ") is a command shown along the foot of
// the frame, its key letter underlined; any other label is a prompt line
// just above the frame, wrapped to the frame's width.
//
// The widget never takes the keyboard: the main window forwards every key
// to the game, which moves the selection. A mouse press on a row is only
// reported.

#include <string>
#include <vector>

#include <QFontMetrics>
#include <QWidget>

#include "core/screen.h"

class QLabel;
class QListWidget;

namespace qvr {

// "lblHP3" -> ("lblHP", 3); false for a name without a trailing number.
bool SplitColumnLabel(const std::string& name, std::string& column, int& row);
// Whether a label's text marks its key letter with "&" ("&&" is a plain
// "&").
bool HasKeyMark(const std::string& text);
// How many lines `text` takes in `width` pixels once wrapped, each line
// break of the text counted.
int WrappedLineCount(const QFontMetrics& metrics, const QString& text, int width);

class PanelWidget : public QWidget {
    Q_OBJECT
public:
    explicit PanelWidget(QWidget* parent = nullptr);

    // Brings the widget up to date with the panel; cheap when nothing
    // changed.
    void sync(const Panel& panel, bool ownsKeyboard);
    // `frame` is the panel's rectangle in the parent's pixels.
    void place(const QRect& frame);
    // Places the panel again where the room it widened into has changed
    // since (a panel to its right shown, moved or hidden, its rows new).
    void refit();
    void setTextFont(const QFont& font);

    const std::string& panelName() const { return name_; }
    QString caption() const;
    QListWidget* list() const { return list_; }
    QLabel* label(const std::string& name) const;
    bool ownsKeyboard() const { return owner_; }

signals:
    void rowPressed(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct LabelSlot {
        std::string name;
        QLabel* widget = nullptr;
        std::string text;
        bool visible = true;
        bool fresh = true; // not shown yet
        int column = -1;   // index into columns_, or -1 for a prompt line
        int row = -1;
        bool command = false; // a key-marked label along the frame's foot
    };

    bool syncRows(const Panel& panel);
    void syncSelection(int selected, bool ownsKeyboard);
    bool syncLabels(const Panel& panel);
    void applyListColours();
    int rowRoom(int width, int height) const;
    void fitListFont(int width, int height);
    void elideRows(int width, int height);
    int promptLines() const;
    int widenedRight(const QRect& frame) const;
    int commandsHeight() const;
    void layoutCommands(const QRect& inner);
    int lineHeight() const;
    QRect frameRect() const;
    void layoutChildren();

    std::string name_;
    std::string caption_;
    std::vector<std::string> rows_;
    std::vector<std::string> syncedRows_; // the rows the frame was last placed for
    int selected_ = -1;
    bool owner_ = false;
    QListWidget* list_;
    std::vector<LabelSlot> labels_;
    std::vector<std::string> columns_;
    // The widest each column has been at this font and size: a column never gives
    // room back, so an order written in battle does not shift its
    // neighbours, then shift them back.
    std::vector<int> columnWidths_;
    QRect frame_;
};

} // namespace qvr
