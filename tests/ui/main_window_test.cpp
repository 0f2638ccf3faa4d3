// The main and title windows over a real game folder: what the player sees
// at the castle town, keys and presses reaching the game, the clock, and
// the close that saves.

#include <fstream>
#include <memory>

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include "battle/battle.h"
#include "core/data_files.h"
#include "core/folder_store.h"
#include "core/prompts.h"
#include "game/battle_screens.h"
#include "game/main_window.h"
#include "maze/movement.h"
#include "tests/core/own_content.h"
#include "tests/core/temp_folder.h"
#include "tests/ui/dialog_test_helpers.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/maze_view.h"
#include "ui/panel_widget.h"
#include "ui/prompt_dialog.h"
#include "ui/qt_prompter.h"
#include "ui/title_window.h"

using namespace qvr;
using qvr::test::Shown;
using namespace qvr::test;

namespace {

const QStringList kCastleTownRows = {
    "K)カ イ ー ナ の 酒 場",     "J)ジ ュ デ ッ カ の 宿 屋",    "T)ト ロ メ ア 商 店",
    "A)ア ン テ ィ ノ ラ 寺 院 ", "I)エ リ ュ シ オ ン 星 占 所", "E)町 外 れ ",
};

QStringList Rows(const QListWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

void PressRow(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void castleTownShowsAndFollowsKeys();
    void ctrlSavesOncePerPress();
    void closeRunsTheExitSequence();
    void closeIsRefusedDuringBattleCommands();
    void battlePanelsShowTheFight();
    void pressOnTheKeyboardListPerformsTheRow();
    void clockRunsUnderAModalDialog();
    void failureInTheGameStopsItWithoutSaving();
    void panelsKeepTheirProportions();
    void geometryFromAnotherDesktopComesBackInSight();
    void firstStartOpensAtAWholeScaleCentred();
    void helpLineAndEndingText();
    void titleHandsOverOnAnyKeyOrClick();
    void dialogsOpenCentredInTheGamesLookAtTheWindowsScale();
};

void MainWindowTest::castleTownShowsAndFollowsKeys()
{
    Started s(false);
    Shown shown(s.game);
    MainWindow& w = shown.window;
    QVERIFY(w.isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral("zedure"));

    PanelWidget* town = w.panelWidget("fraCaldrimar");
    QVERIFY(town && town->isVisible() && town->isEnabled());
    QCOMPARE(town->caption(), QStringLiteral("zedure城 城下町"));
    QCOMPARE(town->list()->objectName(), QStringLiteral("lstCaldrimar"));
    QCOMPARE(Rows(town->list()), kCastleTownRows);
    QCOMPARE(town->list()->currentRow(), 0);
    QVERIFY(town->ownsKeyboard());
    QFont font = town->list()->font();
    QCOMPARE(QFontInfo(font).family(), QString(kGameFontFamily));
    QCOMPARE(font.pixelSize() % 2, 0);

    PanelWidget* party = w.panelWidget("fraParty");
    QVERIFY(party && party->isVisible() && !party->isEnabled());
    QVERIFY(party->label("lblState5"));

    QTest::keyClick(w.windowHandle(), Qt::Key_Down);
    QCOMPARE(s.game.screen.panel("fraCaldrimar").selected, 1);
    QCOMPARE(town->list()->currentRow(), 1);
    QTest::keyClick(w.windowHandle(), Qt::Key_End);
    QCOMPARE(town->list()->currentRow(), 5);
    QTest::keyClick(w.windowHandle(), Qt::Key_Up);
    QCOMPARE(town->list()->currentRow(), 4);
    // The lists never take keys themselves, even when clicked.
    QVERIFY(!town->list()->hasFocus());
    QCOMPARE(town->list()->focusPolicy(), Qt::NoFocus);
    QVERIFY(!w.view()->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(shown.errors.isEmpty());
}

void MainWindowTest::ctrlSavesOncePerPress()
{
    Started s(false);
    Shown shown(s.game);
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
    s.game.save().eventFlags[30] = 4;
    int before = s.counter.saves;
    QTest::keyClick(shown.window.windowHandle(), Qt::Key_Control);
    // Holding the key down is still the one save.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, QString(), true);
    QApplication::sendEvent(&shown.window, &repeat);
    QCOMPARE(s.counter.saves, before + 1);
    QCOMPARE(s.savedOnDisk().eventFlags[30], 4);
}

void MainWindowTest::closeRunsTheExitSequence()
{
    // Closing the window, or the edge of town's last row, where the game
    // ends itself.
    for (bool fromMenu : {false, true}) {
        Started s(false);
        Shown shown(s.game);
        MainWindow& w = shown.window;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Where the player has since put the window, not where it opened.
        w.move(70, 90);
        w.resize(600, 480);
        QTRY_COMPARE(w.size(), QSize(600, 480));
        s.game.save().eventFlags[25] = 7;
        QSignalSpy closed(&w, &MainWindow::closed);

        if (fromMenu) {
            QTest::keyClick(w.windowHandle(), Qt::Key_E); // the edge of town
            QTest::keyClick(w.windowHandle(), Qt::Key_E); // its last row
        } else {
            QVERIFY(w.close());
        }
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w.isVisible());
        QCOMPARE(s.savedOnDisk().eventFlags[25], 7);
        double dpi = w.screen()->logicalDotsPerInch();
        QCOMPARE(s.game.settings->number("zedure", "Width", 0), PixelsToTwips(600, dpi));
        QCOMPARE(s.game.settings->number("zedure", "Height", 0), PixelsToTwips(480, dpi));
        QCOMPARE(s.game.settings->number("zedure", "Left", 0), PixelsToTwips(w.x(), dpi));
        QCOMPARE(s.game.settings->number("zedure", "Top", 0), PixelsToTwips(w.y(), dpi));
        // The folder is free for the next run.
        FolderStore next(s.folder.path());
        next.lock();
        QVERIFY(shown.errors.isEmpty());

        // Keys, the clock and another close reach nothing any more; the
        // window stays down.
        int saves = s.counter.saves;
        QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
        QApplication::sendEvent(&w, &ctrl);
        QTest::qWait(120);
        w.close();
        w.syncFromModel();
        QCOMPARE(s.counter.saves, saves);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w.isVisible());
    }
}

// A party on floor 1 meets a monster: the monster list, the command list
// and the member summary are all on screen, none of them
// covering another or the party window. QVR_BATTLE_SHOT names a picture of
// the window to keep.
void MainWindowTest::battlePanelsShowTheFight()
{
    Started s(false);
    PartyOnFloorOneMeetsSlimes(s);
    Shown shown(s.game);
    MainWindow& w = shown.window;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    s.game.prompter = std::make_unique<ClosingPrompter>();
    for (int tries = 0; tries < 30 && !RefusesClose(BattleOf(s.game).state); ++tries)
        RunBattle(s.game, 7);
    QVERIFY(RefusesClose(BattleOf(s.game).state));
    s.game.pressKey(CharKey('F'));
    s.game.pressKey(Key::Enter);
    w.syncFromModel();
    if (const QByteArray path = qgetenv("QVR_BATTLE_SHOT"); !path.isEmpty())
        w.grab().save(QString::fromLocal8Bit(path));

    std::vector<QRect> shownRects;
    for (const char* name : {"fraMonster", "fraBattleCommand", "fraHelp", "fraParty"}) {
        PanelWidget* p = w.panelWidget(name);
        QVERIFY2(p && p->isVisible(), name);
        const QRect r = p->geometry();
        for (const QRect& other : shownRects)
            QVERIFY2(!r.intersects(other), qPrintable(QString("%1 %2,%3 %4x%5")
                                                          .arg(name)
                                                          .arg(r.x())
                                                          .arg(r.y())
                                                          .arg(r.width())
                                                          .arg(r.height())));
        shownRects.push_back(r);
    }
    QCOMPARE(w.panelWidget("fraMonster")->list()->count(), 4);
    QVERIFY(w.panelWidget("fraBattleCommand")->caption().endsWith("はどうしますか？"));
    QVERIFY(shown.errors.isEmpty());
}

void MainWindowTest::closeIsRefusedDuringBattleCommands()
{
    Started s(false);
    s.game.screen.panel("fraBattleCommand").visible = true;
    s.game.place = {Mode::Battle};
    Shown shown(s.game);
    MainWindow& w = shown.window;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    int saves = s.counter.saves;

    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(s.counter.saves, saves);
    QVERIFY(s.game.store->locked());

    s.game.screen.panel("fraBattleCommand").visible = false;
    s.game.place = {Mode::Maze};
    QVERIFY(w.close());
    QCOMPARE(s.counter.saves, saves + 1);
}

void MainWindowTest::pressOnTheKeyboardListPerformsTheRow()
{
    Started s(false);
    int performed = -1;
    s.game.screen.panel("fraCaldrimar").rows[2].action = [&](Game&) { performed = 2; };
    Panel& party = s.game.screen.panel("fraParty");
    party.rows.push_back({"１：ＡＬＡＮ", 0, 1, {}});
    party.rows.push_back({"２：ＢＥＴＨ", 0, 2, {}});
    party.enabled = true;
    party.selected = 0;
    Shown shown(s.game);
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));

    PressRow(shown.window.panelWidget("fraCaldrimar")->list(), 2);
    QCOMPARE(performed, 2);
    QCOMPARE(s.game.screen.panel("fraCaldrimar").selected, 2);
    QCOMPARE(shown.window.panelWidget("fraCaldrimar")->list()->currentRow(), 2);

    // The party list is shown and enabled but does not have the keyboard.
    PressRow(shown.window.panelWidget("fraParty")->list(), 1);
    QCOMPARE(s.game.screen.panel("fraParty").selected, 0);
    QCOMPARE(s.game.screen.keyboardOwner, std::string("fraCaldrimar"));
}

void MainWindowTest::clockRunsUnderAModalDialog()
{
    Started s(false);
    int ticks = 0;
    s.game.timers.define(
        "probe", 100, [&](Game&) { ++ticks; }, true);
    int ticksInDialog = -1;
    s.game.screen.panel("fraCaldrimar").rows[0].action = [&](Game&) {
        // What a prompt does: a modal dialog inside the key.
        QDialog dialog;
        QTimer::singleShot(600, &dialog, &QDialog::accept);
        int before = ticks;
        dialog.exec();
        ticksInDialog = ticks - before;
    };
    Shown shown(s.game);
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 2, 3000);
    QTest::keyClick(shown.window.windowHandle(), Qt::Key_K);
    QVERIFY2(ticksInDialog >= 3, qPrintable(QString::number(ticksInDialog)));
    QVERIFY(s.game.timers.now() >= 600);
}

// An error inside the game stops it: the player reads why, in Japanese,
// the window closes without the exit sequence (nothing of the state the
// error left is saved), the folder is free again, and nothing more reaches
// the game.
void MainWindowTest::failureInTheGameStopsItWithoutSaving()
{
    Started s(false);
    s.game.save().eventFlags[25] = 7; // a change the error must not save
    s.game.screen.panel("fraCaldrimar").rows[1].action = [](Game& g) {
        g.save().eventFlags[26] = 8;
        g.character(0).items[99] = 1; // past the pack's twelve slots
    };
    const std::vector<uint8_t> before = s.game.store->readFile(kSaveFileName, kSaveFileBytes);
    Shown shown(s.game);
    MainWindow& w = shown.window;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy closed(&w, &MainWindow::closed);
    const std::filesystem::path folder = s.folder.path();

    QTest::keyClick(w.windowHandle(), Qt::Key_J);
    QCOMPARE(shown.errors.size(), 1);
    QVERIFY2(shown.errors[0].contains("番号 99 が表の範囲 0..12 の外です") &&
                 shown.errors[0].contains("この状態はセーブしません"),
             qPrintable(shown.errors[0]));
    QVERIFY(w.stoppedByError());
    QVERIFY(!w.isVisible());
    QCOMPARE(closed.count(), 1);
    FolderStore next(folder);
    next.lock();
    QCOMPARE(next.readFile(kSaveFileName, kSaveFileBytes), before);

    // Neither a key, nor the clock, nor another close saves or reports.
    int saves = s.counter.saves;
    QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(&w, &ctrl);
    QTest::qWait(120);
    w.close();
    QCOMPARE(s.counter.saves, saves);
    QCOMPARE(shown.errors.size(), 1);
    QCOMPARE(closed.count(), 1);
    QCOMPARE(next.readFile(kSaveFileName, kSaveFileBytes), before);
}

void MainWindowTest::panelsKeepTheirProportions()
{
    Started s(false);
    Shown shown(s.game);
    MainWindow& w = shown.window;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    PanelWidget* town = w.panelWidget("fraCaldrimar");

    w.resize(440, 440);
    QTRY_COMPARE(w.view()->size(), QSize(440, 440));
    // 10 % from the left, 25 % from the top, 60 % of the width.
    QCOMPARE(town->geometry(), QRect(44, 110, 264, 160));
    int small = town->list()->font().pixelSize();

    w.resize(880, 660);
    QTRY_COMPARE(w.view()->size(), QSize(880, 660));
    QCOMPARE(town->geometry(), QRect(88, 165, 528, 240));
    int large = town->list()->font().pixelSize();
    QVERIFY(large > small);
    QCOMPARE(large % 2, 0);
    // Every row fits: no scrolling needed for the town's six.
    QListWidget* list = town->list();
    QVERIFY(list->visualItemRect(list->item(5)).bottom() <= list->viewport()->height());
}

void MainWindowTest::geometryFromAnotherDesktopComesBackInSight()
{
    Started s(false);
    s.game.screen.geometry = {400000, -90000, 9000000, 15};
    Shown shown(s.game);
    MainWindow& w = shown.window;
    QRect desk = w.screen()->availableGeometry();
    QVERIFY(desk.intersects(w.frameGeometry()));
    QVERIFY(w.width() <= desk.width());
    QVERIFY(w.view()->height() >= 220);

    // A sound geometry is taken as it is: 3000 twips are 200 pixels at 96 dpi.
    Started t(false);
    t.game.screen.geometry = {1500, 3000, 7500, 6000};
    Shown again(t.game);
    double dpi = again.window.screen()->logicalDotsPerInch();
    QCOMPARE(again.window.pos(), QPoint(TwipsToPixels(1500, dpi), TwipsToPixels(3000, dpi)));
    QCOMPARE(again.window.size(), QSize(TwipsToPixels(7500, dpi), TwipsToPixels(6000, dpi)));
}

void MainWindowTest::firstStartOpensAtAWholeScaleCentred()
{
    struct {
        QSize available;
        int scale;
    } cases[] = {{{800, 600}, 1},  {{1920, 1080}, 3}, {{3840, 2160}, 6}, {{1280, 660}, 2},
                 {{1280, 659}, 1}, {{300, 200}, 1},   {{500, 2160}, 2}};
    for (const auto& c : cases)
        QCOMPARE(FirstStartScale(c.available), c.scale);

    // No size kept in the settings: the window opens at that scale, centred.
    Started s(false);
    QVERIFY(!s.game.screen.geometry.stored);
    Shown shown(s.game);
    MainWindow& w = shown.window;
    QRect desk = w.screen()->availableGeometry();
    int side = FirstStartScale(desk.size()) * 220;
    QCOMPARE(w.size(), QSize(side, side));
    // Centred up to the window frame, which the platform draws round it.
    QVERIFY((w.geometry().center() - desk.center()).manhattanLength() <= 8);

    // Once a size is kept, it is the one used.
    Started t(false, false);
    t.game.settings->setValue(t.game.screen.title, "Width", "6000");
    t.game.settings->setValue(t.game.screen.title, "Height", "6000");
    FinishStartUp(t.game, false);
    QVERIFY(t.game.screen.geometry.stored);
    Shown again(t.game);
    double dpi = again.window.screen()->logicalDotsPerInch();
    QCOMPARE(again.window.size(), QSize(TwipsToPixels(6000, dpi), TwipsToPixels(6000, dpi)));
}

void MainWindowTest::helpLineAndEndingText()
{
    Started s(false);
    Shown shown(s.game);
    MainWindow& w = shown.window;
    w.resize(440, 440);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QLabel* message = w.messageLabel();
    QVERIFY(!message->isVisible());

    Screen& screen = s.game.screen;
    screen.message.visible = true;
    screen.message.text = "Ｅ)再編成　Ｉ）調べる\r\nＷ）ウィンドウ";
    SetTitle(s.game, "Ｏｓｔｒａｖｅｌ　－Ｑｕｏｒｖａｔｈ－");
    w.syncFromModel();
    QVERIFY(message->isVisible());
    QCOMPARE(message->text(), QStringLiteral("Ｅ)再編成　Ｉ）調べる\nＷ）ウィンドウ"));
    QCOMPARE(message->geometry().top(), 22); // 5 % of the height
    QVERIFY(message->alignment() & Qt::AlignHCenter);
    QCOMPARE(w.windowTitle(), QStringLiteral("Ｏｓｔｒａｖｅｌ　－Ｑｕｏｒｖａｔｈ－"));

    screen.message.text = "\n\nＯｓｔｒａｖｅｌ\n\n\n－Ｑｕｏｒｖａｔｈ－\n\nＴｈｅ　Ｅｎｄ";
    screen.messageCentred = true;
    w.syncFromModel();
    QCOMPARE(message->geometry(), w.view()->rect());
    QCOMPARE(message->alignment(), Qt::AlignCenter);

    // The ending's late line is drawn where the game puts it.
    screen.drawing.push_back({DrawItem::Kind::Text, 0, 0, 0, 0, "しかし・・・"});
    w.syncFromModel();
    QCOMPARE(w.view()->drawing().size(), std::size_t(1));
    screen.message.visible = false;
    w.syncFromModel();
    QVERIFY(!message->isVisible());
}

void MainWindowTest::titleHandsOverOnAnyKeyOrClick()
{
    for (bool byKey : {true, false}) {
        auto press = [&](TitleWindow& title) {
            if (byKey)
                QTest::keyClick(&title, Qt::Key_F5); // not a game key, still any key
            else
                QTest::mouseClick(&title, Qt::LeftButton, {}, QPoint(30, 30));
        };
        // The game shows its title first and loads once it is on the screen.
        Started s(true, /*finished*/ false);
        TitleWindow title(s.game);
        QSignalSpy painted(&title, &TitleWindow::firstPainted);
        QSignalSpy left(&title, &TitleWindow::left);
        title.show();
        QVERIFY(QTest::qWaitForWindowExposed(&title));
        QTRY_COMPARE(painted.count(), 1);
        QCOMPARE(title.versionLabel()->objectName(), QStringLiteral("Label1"));
        QVERIFY(title.versionLabel()->text().startsWith(QStringLiteral("Ver.")));
        QCOMPARE(title.statusLabel()->text(), QStringLiteral("Loading..."));
        press(title);
        QVERIFY(title.isVisible());
        QVERIFY(s.game.screen.titleVisible);
        QCOMPARE(left.count(), 0);

        FinishStartUp(s.game, true);
        Shown shown(s.game);
        QVERIFY(!shown.window.isVisible());
        QObject::connect(&title, &TitleWindow::left, &shown.window, &MainWindow::syncFromModel);
        title.syncFromModel();
        QCOMPARE(title.statusLabel()->text(), QStringLiteral("Ostraveling Start"));
        title.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(painted.count(), 1); // once, however often it paints

        press(title);
        QCOMPARE(left.count(), 1);
        QVERIFY(!title.isVisible());
        QVERIFY(!s.game.screen.titleVisible);
        QVERIFY(shown.window.isVisible());
        QVERIFY(shown.window.panelWidget("fraCaldrimar")->isVisible());
        QVERIFY(shown.errors.isEmpty());
    }
}

// Every dialog opens in the middle of the main window wherever it stands,
// with the game's white highlight and a text size that follows the window;
// the second message box stands over the battle instead.
void MainWindowTest::dialogsOpenCentredInTheGamesLookAtTheWindowsScale()
{
    Started s(false);
    Shown shown(s.game);
    MainWindow& w = shown.window;
    s.game.prompter = std::make_unique<QtPrompter>(&w);
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    struct Seen {
        QPoint centre;
        QColor highlight;
        int pixels = 0;
        QPoint topLeft;
        int width = 0;
    };
    auto openChooser = [&] {
        CharacterChooser chooser;
        chooser.rows = {{"ＡＬＡＮ", 0, 3, {}}, {CharacterChooser::kBackRow, 0, 0, {}}};
        chooser.onChoose = [](Game&, CharacterChooser&, int) { return false; };
        Seen seen;
        test::WhenModal([&](QWidget* dialog) {
            auto* list = test::Child<QListWidget>(dialog, "lstCharacter");
            seen = {dialog->frameGeometry().center(), list->palette().color(QPalette::Highlight),
                    list->font().pixelSize(), dialog->pos(), dialog->width()};
            test::Press(dialog, Qt::Key_Escape);
        });
        s.game.prompter->run(s.game, chooser);
        return seen;
    };
    auto openBox = [&](bool second) {
        MessageBox box;
        box.type = BoxType::Message;
        box.text = "ご用件で？";
        box.second = second;
        Seen seen;
        test::WhenModal([&](QWidget* dialog) {
            seen = {dialog->frameGeometry().center(),
                    {},
                    test::Child<QLabel>(dialog, "lblMsg")->font().pixelSize(),
                    dialog->pos(),
                    dialog->width()};
            test::Press(dialog, Qt::Key_Space);
        });
        s.game.prompter->run(s.game, box);
        return seen;
    };
    auto near = [](QPoint a, QPoint b) { return (a - b).manhattanLength() <= 3; };

    const struct {
        QPoint at;
        int side;
    } places[] = {{{300, 120}, 660}, {{40, 500}, 330}, {{500, 60}, 660}};
    for (const auto& place : places) {
        w.move(place.at);
        w.resize(place.side, place.side);
        QTest::qWait(20);
        const QString where = QStringLiteral("window at %1,%2 size %3")
                                  .arg(place.at.x())
                                  .arg(place.at.y())
                                  .arg(place.side);
        const int expected = std::max(kPromptFontPixels, EvenFontPixels(w.textPixels() * 0.75));

        Seen chooser = openChooser();
        QVERIFY2(near(chooser.centre, w.frameGeometry().center()), qPrintable(where));
        QCOMPARE(chooser.highlight, QColor(Qt::white));
        QCOMPARE(chooser.pixels, expected);

        Seen box = openBox(false);
        QVERIFY2(near(box.centre, w.frameGeometry().center()), qPrintable(where));
        QCOMPARE(box.pixels, expected);
        QVERIFY2(box.width <= w.width(), qPrintable(where));

        Seen over = openBox(true);
        QVERIFY2(qAbs(over.centre.x() - w.frameGeometry().center().x()) <= 3, qPrintable(where));
        QCOMPARE(over.topLeft.y(), w.frameGeometry().y() + TwipsToPixels(500, &w));
    }
}

int RunMainWindowTests(int argc, char** argv)
{
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
