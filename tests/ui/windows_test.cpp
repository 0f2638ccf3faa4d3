// The status window and the ranking boards as Qt dialogs, opened through
// the front end's prompter on the engine's models and driven by real key and
// mouse events, without a display. Each test acts on the modal dialog from a
// timer; a watchdog closes whatever is still open, so that a dialog that
// fails to close fails the test instead of hanging it.

#include <filesystem>
#include <functional>
#include <memory>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "../core/own_content.h"
#include "../core/test_items.h"
#include "core/data_files.h"
#include "core/error.h"
#include "core/folder_store.h"
#include "core/game.h"
#include "core/memory_store.h"
#include "game/game_screens.h"
#include "game/main_window.h"
#include "game/status_window.h"
#include "town/rankings.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_prompter.h"

#include "dialog_test_helpers.h"

using namespace qvr;
using namespace qvr::test;

namespace {

QString Text(QWidget* dialog, const char* label)
{
    QLabel* l = Child<QLabel>(dialog, label);
    return l ? l->text() : QStringLiteral("<none>");
}

QStringList Texts(const std::vector<Row>& rows)
{
    QStringList out;
    for (const Row& r : rows)
        out << QString::fromStdString(r.text);
    return out;
}

ItemDef Wearable(int16_t no, const char* name, int16_t kind)
{
    return qvr::test::WearableItem(no, name, kind);
}

RankingWindow Board()
{
    RankingWindow w;
    w.heading = "今までに倒したモンスターの数　12";
    w.rows = {"スライム　　　９", "ゴブリン　　　２", "オーク　　　　１"};
    return w;
}

void CheckGameFont(const QWidget* w)
{
    QCOMPARE(w->font().family(), QString::fromLatin1(kGameFontFamily));
    QVERIFY(w->font().pixelSize() > 0);
    QCOMPARE(w->font().pixelSize() % 2, 0);
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Game> game;
    MemoryStore* files = nullptr; // the game's
    DialogWatchdog watchdog;

    // A party of two with a store to save into: アリス carries a sword and a shield
    // and knows one wizard spell, ボブ carries nothing.
    void party()
    {
        Content& content = OwnContent(*game);
        content.items[5] = Wearable(5, "ロングソード", 1);
        content.items[9] = Wearable(9, "ラージシールド", 2);
        // Fifteen spells a school, four to a level: more than a page.
        for (int n = 1; n <= 30; ++n) {
            SpellDef& s = content.spells[n];
            const int i = (n - 1) % 15;
            s.school = n <= 15 ? 0 : 1;
            s.level = static_cast<int16_t>(1 + i / 4);
            s.slot = static_cast<int16_t>(i % 4 + 1);
            s.name = "SPELL" + std::to_string(n);
        }
        const char* names[] = {"アリス", "ボブ"};
        for (int r = 1; r <= 2; ++r) {
            Character& c = game->character(r);
            c.rosterNo = r;
            c.name = names[r - 1];
            c.level = 4;
            c.exp = 1500 * r;
            c.gold = 120;
            c.classCode = Class::Fighter;
            c.race = Race::Human;
            c.alignment = Align::Neutral;
            c.sex = 1;
            c.strength = 15;
            c.hp = 9;
            c.maxHp = 12;
            game->state.partyMember[r] = static_cast<int16_t>(r);
        }
        game->state.partyCount = 2;
        game->character(1).items[1] = 5;
        game->character(1).items[2] = 9;
        game->character(1).spellKnown(0, 1, 1) = 1;
    }

private slots:
    void init()
    {
        game = std::make_unique<Game>();
        InstallGameScreens(*game);
        game->prompter = std::make_unique<QtPrompter>(nullptr);
        auto store = std::make_unique<MemoryStore>();
        files = store.get();
        game->store = std::move(store);
        party();
        watchdog.start();
    }

    void cleanup()
    {
        bool timedOut = watchdog.stop();
        game.reset();
        QVERIFY2(!timedOut, "a dialog did not close by itself");
    }

    // ------------------------------------------------------------ rankings

    void rankingCloses_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
    }
    void rankingCloses()
    {
        QFETCH(int, key);
        RankingWindow board = Board();
        QString heading;
        QStringList rows;
        int afterDown = -2, afterEnd = -2;
        bool openAfterOthers = false;
        WhenModal([&](QWidget* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("fdlgRank"));
            heading = Text(dialog, "lbl");
            auto* list = Child<QListWidget>(dialog, "lstRanking");
            rows = Lines(list);
            CheckGameFont(list);
            Press(dialog, Qt::Key_Down);
            afterDown = list->currentRow();
            Press(dialog, Qt::Key_End);
            afterEnd = list->currentRow();
            // Letters, Space and Ctrl leave the board open.
            Press(dialog, Qt::Key_C);
            Press(dialog, Qt::Key_Space);
            openAfterOthers = dialog->isVisible();
            Press(dialog, Qt::Key(key));
        });
        game->prompter->run(*game, board);
        QVERIFY(board.closed());
        QCOMPARE(heading, U("今までに倒したモンスターの数　12"));
        QCOMPARE(rows, (QStringList{U("スライム　　　９"), U("ゴブリン　　　２"),
                                    U("オーク　　　　１")}));
        QCOMPARE(afterDown, 0);
        QCOMPARE(afterEnd, 2);
        QCOMPARE(board.selected, 2);
        QVERIFY(openAfterOthers);
    }

    void rankingClosesOnAPressInTheList()
    {
        RankingWindow board = Board();
        WhenModal([](QWidget* dialog) { ClickLine(Child<QListWidget>(dialog, "lstRanking"), 1); });
        game->prompter->run(*game, board);
        QVERIFY(board.closed());

        // Below the last row is still the list.
        board = Board();
        WhenModal([](QWidget* dialog) {
            auto* list = Child<QListWidget>(dialog, "lstRanking");
            QPoint below(list->viewport()->width() / 2, list->viewport()->height() - 3);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, below);
        });
        game->prompter->run(*game, board);
        QVERIFY(board.closed());

        // The heading is not the list.
        board = Board();
        bool openAfterHeading = false;
        WhenModal([&](QWidget* dialog) {
            QTest::mouseClick(Child<QLabel>(dialog, "lbl"), Qt::LeftButton);
            openAfterHeading = dialog->isVisible();
            Press(dialog, Qt::Key_Escape);
        });
        game->prompter->run(*game, board);
        QVERIFY(openAfterHeading);
    }

    void rankingFitsItsRowsAndHidesAnEmptyHeading()
    {
        // A catalogue row is 56 full-width characters.
        std::string row;
        for (int i = 0; i < 56; ++i)
            row += "＃";
        RankingWindow board;
        board.rows = {row};
        bool headingShown = true;
        int rowWidth = 0, viewWidth = 0, windowWidth = 0, screenWidth = 0;
        WhenModal([&](QWidget* dialog) {
            headingShown = Child<QLabel>(dialog, "lbl")->isVisible();
            auto* list = Child<QListWidget>(dialog, "lstRanking");
            rowWidth = QFontMetrics(list->font()).horizontalAdvance(list->item(0)->text());
            viewWidth = list->viewport()->width();
            windowWidth = dialog->width();
            screenWidth = dialog->screen()->availableGeometry().width();
            Press(dialog, Qt::Key_Return);
        });
        game->prompter->run(*game, board);
        QVERIFY(!headingShown);
        // The whole row shows, unless the screen is too narrow for it: then
        // the window takes what the screen has.
        QVERIFY2(viewWidth >= rowWidth || windowWidth >= screenWidth * 9 / 10,
                 qPrintable(QStringLiteral("row %1, list %2, window %3, screen %4")
                                .arg(rowWidth)
                                .arg(viewWidth)
                                .arg(windowWidth)
                                .arg(screenWidth)));
        QVERIFY(windowWidth <= screenWidth);
    }

    void rankingClosedByTheWindowSystemCloses()
    {
        RankingWindow board = Board();
        WhenModal([](QWidget* dialog) { dialog->close(); });
        game->prompter->run(*game, board);
        QVERIFY(board.closed());

        // A board that is closed already is not shown at all.
        game->prompter->run(*game, board);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // ------------------------------------------------------- status window

    void statusShowsTheSheetAndLeavesWithL()
    {
        StatusWindow window(*game, 1, StatusMode::Tavern);
        QString title, name, level, exp, gold, hp, strength, walk;
        QStringList commands, items;
        int current = -2;
        bool equipShown = true;
        WhenModal([&](QWidget* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("dfrmStatus"));
            title = dialog->windowTitle();
            name = Text(dialog, "lblName");
            level = Text(dialog, "lblLevel");
            exp = Text(dialog, "lblExp");
            gold = Text(dialog, "lblGold");
            hp = Text(dialog, "lblHP");
            strength = Text(dialog, "lblAttr0");
            walk = Text(dialog, "lblWalk");
            auto* list = Child<QListWidget>(dialog, "lstCommand");
            CheckGameFont(list);
            CheckGameFont(Child<QListWidget>(dialog, "lstItem"));
            commands = Lines(list);
            items = Lines(Child<QListWidget>(dialog, "lstItem"));
            Press(dialog, Qt::Key_Down);
            Press(dialog, Qt::Key_Down);
            current = list->currentRow();
            equipShown = Child<QGroupBox>(dialog, "fraEQ")->isVisible();
            Press(dialog, Qt::Key_L);
        });
        game->prompter->run(*game, window);
        QVERIFY(window.closed());
        QCOMPARE(title, U("アリス"));
        QCOMPARE(name, U("アリス"));
        QCOMPARE(level, QString::fromStdString(window.sheet.level));
        QCOMPARE(exp, U("1500"));
        QCOMPARE(gold, U("120"));
        QCOMPARE(hp, QString::fromStdString(window.sheet.hp));
        QVERIFY(hp.contains(U("／")));
        QCOMPARE(strength, U("15"));
        QCOMPARE(walk, QString::fromStdString(window.sheet.walk));
        QCOMPARE(commands, Texts(window.commands));
        QCOMPARE(commands.first(), U("E)装備"));
        QCOMPARE(items, (QStringList{U("01:  ロングソード"), U("02:  ラージシールド")}));
        QCOMPARE(current, 2);
        QVERIFY(!equipShown);
        // L saves on the way out.
        QVERIFY(files->file(kSaveFileName).has_value());
    }

    void statusEquipsKindByKindThroughItsChoices()
    {
        StatusWindow window(*game, 1, StatusMode::Tavern);
        QString firstCaption, secondCaption;
        QStringList firstChoices, itemsAfter;
        bool shownWhileEquipping = false, hiddenAfter = false;
        int commandsCurrentWhileEquipping = -2;
        WhenModal([&](QWidget* dialog) {
            auto* frame = Child<QGroupBox>(dialog, "fraEQ");
            auto* choices = Child<QListWidget>(dialog, "lstEQ");
            Press(dialog, Qt::Key_E);
            shownWhileEquipping = frame->isVisible();
            firstCaption = frame->title();
            firstChoices = Lines(choices);
            commandsCurrentWhileEquipping = Child<QListWidget>(dialog, "lstCommand")->currentRow();
            Press(dialog, Qt::Key_Return); // the sword
            secondCaption = frame->title();
            Press(dialog, Qt::Key_Escape); // nothing in the second hand
            for (int kind = 3; kind <= 7; ++kind)
                Press(dialog, Qt::Key_Return);
            hiddenAfter = !frame->isVisible();
            itemsAfter = Lines(Child<QListWidget>(dialog, "lstItem"));
            Press(dialog, Qt::Key_Escape);
        });
        game->prompter->run(*game, window);
        QVERIFY(window.closed());
        QVERIFY(shownWhileEquipping);
        QCOMPARE(firstCaption, U("利き手の装備を選んで下さい"));
        QCOMPARE(firstChoices, (QStringList{U("ロングソード"), U("なにもつけない")}));
        QCOMPARE(commandsCurrentWhileEquipping, 0);
        QCOMPARE(secondCaption, U("補助の手の装備を選んで下さい"));
        QVERIFY(hiddenAfter);
        QCOMPARE(itemsAfter, (QStringList{U("01:* ロングソード"), U("02:  ラージシールド")}));
        QCOMPARE(game->character(1).itemFlags[1] & 0x0F, 1);
        QCOMPARE(game->character(1).itemFlags[2] & 0x0F, 0);
    }

    void statusOpensABoxOverItselfAndStaysOpen()
    {
        StatusWindow window(*game, 2, StatusMode::Tavern);
        QString told;
        bool openAfterBox = false;
        WhenModal([&](QWidget* dialog) {
            WhenModal(
                [&](QWidget* box) {
                    told = Text(box, "lblMsg");
                    Press(box, Qt::Key_Return);
                },
                dialog);
            Press(dialog, Qt::Key_E);
            openAfterBox = dialog->isVisible();
            Press(dialog, Qt::Key_N);
            Press(dialog, Qt::Key_Backspace);
        });
        game->prompter->run(*game, window);
        QCOMPARE(told, U("アイテムを持ってません"));
        QVERIFY(openAfterBox);
        QVERIFY(window.closed());
        QCOMPARE(window.rosterNo, 1); // N went on to アリス
    }

    void statusNextAndPreviousRedrawTheSheet()
    {
        StatusWindow window(*game, 1, StatusMode::Tavern);
        QString titleAfterNext, expAfterNext, itemsAfterNext, titleAfterBack;
        WhenModal([&](QWidget* dialog) {
            Press(dialog, Qt::Key_N);
            titleAfterNext = dialog->windowTitle();
            expAfterNext = Text(dialog, "lblExp");
            itemsAfterNext = Lines(Child<QListWidget>(dialog, "lstItem")).join(QLatin1Char('|'));
            Press(dialog, Qt::Key_B);
            titleAfterBack = Text(dialog, "lblName");
            Press(dialog, Qt::Key_L);
        });
        game->prompter->run(*game, window);
        QCOMPARE(titleAfterNext, U("ボブ"));
        QCOMPARE(expAfterNext, U("3000"));
        QCOMPARE(itemsAfterNext, QString());
        QCOMPARE(titleAfterBack, U("アリス"));
    }

    void statusSpellBookScrollsAndAnyOtherKeyClosesIt()
    {
        StatusWindow window(*game, 1, StatusMode::Roster);
        QStringList wizard, cleric;
        bool bookShown = false, openAfterDown = false, itemsBack = false;
        int scrolled = -1;
        WhenModal([&](QWidget* dialog) {
            auto* book = Child<QGroupBox>(dialog, "fraSpell");
            auto* first = Child<QListWidget>(dialog, "lstSpell0");
            Press(dialog, Qt::Key_R);
            bookShown = book->isVisible();
            wizard = Lines(first);
            cleric = Lines(Child<QListWidget>(dialog, "lstSpell1"));
            Press(dialog, Qt::Key_PageDown);
            Press(dialog, Qt::Key_Down);
            openAfterDown = book->isVisible();
            scrolled = first->verticalScrollBar()->value();
            Press(dialog, Qt::Key_Space);
            itemsBack = !book->isVisible() && Child<QListWidget>(dialog, "lstItem")->isVisible();
            Press(dialog, Qt::Key_L);
        });
        game->prompter->run(*game, window);
        QVERIFY(bookShown);
        QCOMPARE(wizard.size(), 15);
        QCOMPARE(wizard.first(), U("1:* SPELL1"));
        QCOMPARE(cleric.first(), U("1:  SPELL16"));
        QVERIFY(openAfterDown);
        QVERIFY(scrolled > 0);
        QVERIFY(itemsBack);
        QVERIFY(window.closed());
    }

    void statusTakesClicksOnItsLists()
    {
        StatusWindow window(*game, 1, StatusMode::Tavern);
        QString title, prompt, note;
        int picked = -2;
        bool openAfterItemClick = false;
        WhenModal([&](QWidget* dialog) {
            auto* commands = Child<QListWidget>(dialog, "lstCommand");
            auto* items = Child<QListWidget>(dialog, "lstItem");
            // An item click while the commands have the keyboard does nothing.
            ClickLine(items, 0);
            openAfterItemClick = dialog->isVisible();
            ClickLine(commands, 3); // D)捨てる
            title = Child<QGroupBox>(dialog, "fraItem")->title();
            picked = items->currentRow();
            ClickLine(items, 1);
            note = Text(dialog, "lblMsg1");
            ClickLine(commands, commands->count() - 1); // L)戻る
        });
        game->prompter->run(*game, window);
        QVERIFY(openAfterItemClick);
        QCOMPARE(title, U("アイテムを捨てる"));
        QCOMPARE(picked, 0);
        QCOMPARE(note, U("  ラージシールドを捨てました"));
        QCOMPARE(game->character(1).items[2], int16_t(0));
        QCOMPARE(game->character(1).items[1], int16_t(5));
        QVERIFY(window.closed());
    }

    void statusErrorReachesTheCaller()
    {
        StatusWindow window(*game, 1, StatusMode::Roster);
        window.handlers[static_cast<std::size_t>(StatusCommand::ReadSpellBook)] =
            [](Game&, StatusWindow&) { throw GameError("the book is torn"); };
        WhenModal([](QWidget* dialog) { Press(dialog, Qt::Key_R); });
        QVERIFY_THROWS_EXCEPTION(GameError, game->prompter->run(*game, window));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void statusClosedByTheWindowSystemCloses()
    {
        StatusWindow window(*game, 1, StatusMode::Tavern);
        WhenModal([](QWidget* dialog) { dialog->close(); });
        game->prompter->run(*game, window);
        QVERIFY(window.closed());
    }

    // The camp's panels: the card takes the sheet's place until a key, the
    // teleport fields show what the keys typed.
    void statusShowsTheCardAndTheTeleportPanel()
    {
        StatusWindow window(*game, 1, StatusMode::Tavern);
        ItemDef def;
        def.name = "賢者の石";
        def.kind = 8;
        window.card = MakeItemCard(def);
        window.focus = StatusFocus::Card;
        bool cardShown = false, sheetHidden = false, cardGone = false;
        QString cardTitle, x, y;
        bool moveShown = false;
        WhenModal([&](QWidget* dialog) {
            auto* card = Child<QGroupBox>(dialog, "fraInspect");
            cardShown = card->isVisible();
            cardTitle = card->title();
            sheetHidden = !Child<QGroupBox>(dialog, "fraStatus")->isVisible();
            Press(dialog, Qt::Key_Escape);
            cardGone = !card->isVisible() && Child<QGroupBox>(dialog, "fraStatus")->isVisible();
            window.teleport = TeleportPanel{};
            window.focus = StatusFocus::Teleport;
            Press(dialog, Qt::Key_4);
            Press(dialog, Qt::Key_Down);
            Press(dialog, Qt::Key_Minus);
            Press(dialog, Qt::Key_2);
            moveShown = Child<QGroupBox>(dialog, "fraMove")->isVisible();
            x = Text(dialog, "txtXMove");
            y = Text(dialog, "txtYMove");
            dialog->close();
        });
        game->prompter->run(*game, window);
        QVERIFY(cardShown);
        QCOMPARE(cardTitle, U("賢者の石"));
        QVERIFY(sheetHidden);
        QVERIFY(cardGone);
        QVERIFY(moveShown);
        QCOMPARE(x, U("4"));
        QCOMPARE(y, U("-2"));
    }

    // The town opens the windows through the prompter's entries.
    void townEntriesShowTheWindows()
    {
        game->character(1).level = 9;
        WhenModal([](QWidget* dialog) { Press(dialog, Qt::Key_Escape); });
        ShowRanking(*game, Ranking::Level);
        QString caption;
        WhenModal([&](QWidget* dialog) {
            caption = dialog->windowTitle();
            Press(dialog, Qt::Key_L);
        });
        ShowStatus(*game, 2, StatusMode::Roster);
        QCOMPARE(caption, U("ボブ"));
    }

    // The whole way: the game started in its folder, the main window taking
    // the keys, the town's menus opening the board and the sheet modally
    // from inside a key press, and the main window taking keys again after.
    void mainWindowOpensTheBoardAndTheSheet()
    {
        game.reset();
        QTemporaryDir dir;
        const std::filesystem::path path = dir.path().toStdString();
        for (const char* name : {kContentFileName, kTextsFileName, kEventsFileName})
            std::filesystem::copy_file(std::filesystem::path(QVR_BIN_DIR) / name, path / name);
        SaveData save;
        Character& alan = save.roster[1];
        alan.rosterNo = 1;
        alan.name = "ＡＬＡＮ";
        alan.level = 7;
        alan.classCode = Class::Fighter;
        alan.race = Race::Human;
        alan.alignment = Align::Lawful;
        alan.hp = alan.maxHp = 30;
        FolderStore(path).writeFileSafely(kSaveFileName, EncodeSaveImage(save));

        Game g;
        g.store = std::make_unique<FolderStore>(path);
        g.store->lock();
        MainWindow window(g);
        g.prompter = std::make_unique<QtPrompter>(&window);
        StartUp(g, false);
        window.syncFromModel();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QStringList board;
        WhenModal([&](QWidget* dialog) {
            board = Lines(Child<QListWidget>(dialog, "lstRanking"));
            Press(dialog, Qt::Key_Return);
        });
        QTest::keyClick(window.windowHandle(), Qt::Key_I); // the astrology office
        QTest::keyClick(window.windowHandle(), Qt::Key_L); // its level ranking
        QCOMPARE(board.size(), 1);
        QVERIFY2(board.first().contains(U("ＡＬＡＮ")), qPrintable(board.first()));
        QVERIFY(!QApplication::activeModalWidget());

        // Back to the castle, out to the training grounds, and the roster.
        QString caption;
        QStringList commands;
        WhenModal([&](QWidget* chooser) {
            WhenModal(
                [&](QWidget* sheet) {
                    caption = sheet->windowTitle();
                    commands = Lines(Child<QListWidget>(sheet, "lstCommand"));
                    Press(sheet, Qt::Key_L);
                    Press(chooser, Qt::Key_Escape);
                },
                chooser);
            Press(chooser, Qt::Key_Return);
        });
        for (Qt::Key key : {Qt::Key_C, Qt::Key_E, Qt::Key_T, Qt::Key_I})
            QTest::keyClick(window.windowHandle(), key);
        QCOMPARE(caption, U("ＡＬＡＮ"));
        QCOMPARE(commands, (QStringList{U("R)呪文書を読む"), U("L)戻る")}));
        QVERIFY(!QApplication::activeModalWidget());
        g.prompter.reset();
    }
};

int main(int argc, char** argv)
{
    // Runs without a display unless told otherwise (ctest sets it as well).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "windows_test.moc"
