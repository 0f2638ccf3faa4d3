// The game's prompts as Qt dialogs, driven by real key and mouse events
// through their windows, without a display. Every test that opens a modal
// dialog acts on it from a timer; a watchdog closes whatever is still open
// so that a dialog that fails to close fails the test instead of hanging it.

#include <filesystem>
#include <functional>
#include <random>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "core/config_window.h"
#include "core/error.h"
#include "core/folder_store.h"
#include "core/game.h"
#include "core/ini_file.h"
#include "core/message_speed.h"
#include "core/prompts.h"
#include "core/warning_summary.h"
#include "rules/character_lists.h"
#include "ui/file_chooser_dialog.h"
#include "ui/list_picker_dialog.h"
#include "ui/message_box_dialog.h"
#include "ui/prompt_dialog.h"
#include "ui/qt_prompter.h"
#include "ui/settings_window.h"

#include "../core/own_content.h"
#include "dialog_test_helpers.h"

using namespace qvr;
using namespace qvr::test;

namespace {

// Japanese reaches a field from the input method, as committed text.
void Commit(QWidget* field, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(field, &event);
}

void Touch(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// A prompter whose file chooser answers at once, for the settings window.
class ScriptedFiles : public QtPrompter {
public:
    using QtPrompter::QtPrompter;
    std::string answer;
    std::string chooseFile(Game&, const std::string& pattern) override
    {
        patterns.push_back(pattern);
        return answer;
    }
    std::vector<std::string> patterns;
};

} // namespace

class PromptsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Game> game;
    DialogWatchdog watchdog;

private slots:
    void init()
    {
        game = std::make_unique<Game>();
        game->prompter = std::make_unique<QtPrompter>(nullptr);
        watchdog.start();
    }

    void cleanup()
    {
        bool timedOut = watchdog.stop();
        game.reset();
        QVERIFY2(!timedOut, "a dialog did not close by itself");
    }

    void mnemonicsAreUnderlined_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("html");
        QTest::newRow("yes") << U(MessageBox::kYesText) << "<u>Y</u>)ES [Enter]";
        QTest::newRow("no") << U(MessageBox::kNoText) << "<u>N</u>)O [ESC or BS]";
        QTest::newRow("escaped ampersand") << "A&&B <x>"
                                           << "A&amp;B &lt;x&gt;";
        QTest::newRow("trailing ampersand") << "AB&"
                                            << "AB&amp;";
    }
    void mnemonicsAreUnderlined()
    {
        QFETCH(QString, text);
        QFETCH(QString, html);
        QCOMPARE(MnemonicHtml(text), html);
    }

    void questionAnswers_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Y") << int(Qt::Key_Y) << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("N") << int(Qt::Key_N) << false;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << false;
    }
    void questionAnswers()
    {
        QFETCH(int, key);
        QFETCH(bool, yes);
        WhenModal([key](QWidget* box) { Press(box, Qt::Key(key)); });
        QCOMPARE(AskYesNo(*game, "確認", "よろしいですか？"), yes);
    }

    void questionIgnoresSpaceAndOtherKeys()
    {
        bool stillOpen = false;
        WhenModal([&](QWidget* box) {
            Press(box, Qt::Key_Space);
            Press(box, Qt::Key_A);
            Press(box, Qt::Key_Delete);
            stillOpen = box->isVisible();
            Press(box, Qt::Key_N);
        });
        QCOMPARE(AskYesNo(*game, "", "よろしいですか？"), false);
        QVERIFY(stillOpen);
    }

    void messageCloses_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
    }
    void messageCloses()
    {
        QFETCH(int, key);
        bool openAfterLetter = false;
        WhenModal([&](QWidget* box) {
            Press(box, Qt::Key_Y);
            openAfterLetter = box->isVisible();
            Press(box, Qt::Key(key));
        });
        ShowMessage(*game, "", "宝箱を見つけた");
        QVERIFY(openAfterLetter);
    }

    void boxShowsTitleTextAndOnlyItsMode()
    {
        QString title, text;
        bool fieldShown = true, yesShown = false, noShown = false;
        QString yesText;
        WhenModal([&](QWidget* box) {
            title = Child<QGroupBox>(box, "fraInpBox")->title();
            text = Child<QLabel>(box, "lblMsg")->text();
            fieldShown = Child<QLineEdit>(box, "txtMsg")->isVisible();
            yesShown = Child<QLabel>(box, "lblYes")->isVisible();
            noShown = Child<QLabel>(box, "lblNo")->isVisible();
            yesText = Child<QLabel>(box, "lblYes")->text();
            Press(box, Qt::Key_Y);
        });
        AskYesNo(*game, "", "一行目\r\n二行目\r三行目\n四行目");
        QCOMPARE(title, QString());
        QCOMPARE(text, U("一行目\n二行目\n三行目\n四行目"));
        QVERIFY(!fieldShown);
        QVERIFY(yesShown && noShown);
        QVERIFY(yesText.contains(U("<u>Y</u>)ES")));

        WhenModal([&](QWidget* box) {
            title = Child<QGroupBox>(box, "fraInpBox")->title();
            yesShown = Child<QLabel>(box, "lblYes")->isVisible();
            fieldShown = Child<QLineEdit>(box, "txtMsg")->isVisible();
            Press(box, Qt::Key_Space);
        });
        ShowMessage(*game, "戦闘", "勝った");
        QCOMPARE(title, U("戦闘"));
        QVERIFY(!yesShown);
        QVERIFY(!fieldShown);
    }

    void textBoxReturnsTypedText()
    {
        QString shown, selected;
        bool inputMethod = false, openAfterBackspace = false;
        WhenModal([&](QWidget* box) {
            auto* field = Child<QLineEdit>(box, "txtMsg");
            shown = field->text();
            selected = field->selectedText();
            inputMethod = field->testAttribute(Qt::WA_InputMethodEnabled);
            // The default is selected, so typing replaces it.
            Commit(field, U("アリスZ"));
            Press(box, Qt::Key_Backspace);
            openAfterBackspace = box->isVisible();
            Press(box, Qt::Key_Return);
        });
        QCOMPARE(InputText(*game, "名前", "名前を入力して下さい", "ＡＬＡＮ"),
                 std::string("アリス"));
        QCOMPARE(shown, U("ＡＬＡＮ"));
        QCOMPARE(selected, U("ＡＬＡＮ"));
        QVERIFY(inputMethod);
        QVERIFY(openAfterBackspace);
    }

    void textBoxEscapeGivesNothing()
    {
        QString shownNextTime = U("?");
        WhenModal([](QWidget* box) {
            QTest::keyClicks(Child<QLineEdit>(box, "txtMsg"), "BOB");
            Press(box, Qt::Key_Escape);
        });
        QCOMPARE(InputText(*game, "", "名前", ""), std::string());

        // The box is used again: what was typed before must not come back.
        WhenModal([&](QWidget* box) {
            shownNextTime = Child<QLineEdit>(box, "txtMsg")->text();
            Press(box, Qt::Key_Return);
        });
        QCOMPARE(InputText(*game, "", "名前", ""), std::string());
        QCOMPARE(shownNextTime, QString());
    }

    void clicksAnswerAndClose()
    {
        WhenModal(
            [](QWidget* box) { QTest::mouseClick(Child<QLabel>(box, "lblYes"), Qt::LeftButton); });
        QVERIFY(AskYesNo(*game, "", "はい？"));

        bool openAfterFrameClick = false;
        WhenModal([&](QWidget* box) {
            QTest::mouseClick(Child<QLabel>(box, "lblMsg"), Qt::LeftButton);
            openAfterFrameClick = box->isVisible();
            QTest::mouseClick(Child<QLabel>(box, "lblNo"), Qt::LeftButton);
        });
        QVERIFY(!AskYesNo(*game, "", "いいえ？"));
        QVERIFY(openAfterFrameClick);

        // A click on the message (inside the frame) closes a message box...
        WhenModal(
            [](QWidget* box) { QTest::mouseClick(Child<QLabel>(box, "lblMsg"), Qt::LeftButton); });
        ShowMessage(*game, "", "クリックで閉じる");

        // ...and a text box, keeping what was typed.
        WhenModal([](QWidget* box) {
            QTest::keyClicks(Child<QLineEdit>(box, "txtMsg"), "KEPT");
            QTest::mouseClick(Child<QLabel>(box, "lblMsg"), Qt::LeftButton);
        });
        QCOMPARE(InputText(*game, "", "名前", ""), std::string("KEPT"));
    }

    void closingTheWindowCancels()
    {
        WhenModal([](QWidget* box) { box->close(); });
        QVERIFY(!AskYesNo(*game, "", "はい？"));
        WhenModal([](QWidget* box) {
            QTest::keyClicks(Child<QLineEdit>(box, "txtMsg"), "X");
            box->close();
        });
        QCOMPARE(InputText(*game, "", "名前", "ＡＬＡＮ"), std::string());
        WhenModal([](QWidget* picker) { picker->close(); });
        QCOMPARE(PickFromList(*game, {"いち"}, {5}, "選んで"), -1);
    }

    // Ctrl saves from inside the box; without a game folder the save fails
    // and says so in a second message box on top of the first.
    void failedSaveShowsABoxOverTheBox()
    {
        QString nested;
        bool outerOpenAfter = false;
        WhenModal([&](QWidget* outer) {
            WhenModal(
                [&](QWidget* inner) {
                    nested = Child<QLabel>(inner, "lblMsg")->text();
                    Press(inner, Qt::Key_Return);
                },
                outer);
            Press(outer, Qt::Key_Control);
            outerOpenAfter = outer->isVisible();
            Press(outer, Qt::Key_Y);
        });
        QVERIFY(AskYesNo(*game, "", "セーブしますか"));
        QVERIFY2(nested.startsWith(U("セーブできませんでした")), qPrintable(nested));
        QVERIFY(outerOpenAfter);
    }

    // Every box opens centred on the main window, wherever that has moved
    // (a box that kept its old place opened at the screen's corner for
    // players); the second box stands over the battle instead.
    void secondBoxFollowsTheMainWindowFirstIsCentred()
    {
        QWidget main;
        main.setGeometry(200, 150, 800, 600);
        main.show();
        game->prompter = std::make_unique<QtPrompter>(&main);
        auto centred = [&](const QRect& box) {
            return (box.center() - main.frameGeometry().center()).manhattanLength() <= 2;
        };

        QRect first;
        WhenModal([&](QWidget* box) {
            first = box->frameGeometry();
            Press(box, Qt::Key_Space);
        });
        ShowMessage(*game, "", "一つ目");
        QVERIFY(centred(first));

        main.move(20, 30);
        QRect again;
        WhenModal([&](QWidget* box) {
            again = box->frameGeometry();
            Press(box, Qt::Key_Space);
        });
        ShowMessage(*game, "", "一つ目の箱をもう一度、文の長さを変えて");
        QVERIFY(centred(again));
        QVERIFY(again.topLeft() != first.topLeft());

        game->screen.monsterPictureVisible = true;
        QRect box2;
        WhenModal([&](QWidget* box) {
            box2 = box->frameGeometry();
            Press(box, Qt::Key_Space);
        });
        ShowMessage(*game, "", "戦闘中の箱");
        QRect frame = main.frameGeometry();
        QCOMPARE(box2.left(), frame.left() + (frame.width() - box2.width()) / 2);
        QCOMPARE(box2.top(), frame.top() + TwipsToPixels(500, &main));
        if (main.logicalDpiY() == 96)
            QCOMPARE(box2.top() - frame.top(), 33);
    }

    // A battle line at a chosen speed closes by itself, shown whole; a key
    // still closes it sooner. Other boxes wait.
    void narrationClosesByItselfAtTheChosenSpeed()
    {
        game->battleMessageMs = 300;
        QString text;
        int height = 0, line = 0;
        WhenModal([&](QWidget* box) {
            auto* label = Child<QLabel>(box, "lblMsg");
            text = label->text();
            height = label->height();
            line = QFontMetrics(label->font()).lineSpacing();
        });
        QElapsedTimer clock;
        clock.start();
        ShowNarration(*game, "ＢＬＯＢは\n死んだ・・・");
        QVERIFY(clock.elapsed() >= 300);
        QCOMPARE(text, U("ＢＬＯＢは\n死んだ・・・"));
        QVERIFY(height >= 2 * line);

        game->battleMessageMs = 3000;
        clock.restart();
        WhenModal([&](QWidget* box) { Press(box, Qt::Key_Space); });
        ShowNarration(*game, "早く");
        QVERIFY(clock.elapsed() < 3000);

        bool stillOpen = false;
        WhenModal([&](QWidget* box) {
            QTest::qWait(400);
            stillOpen = box->isVisible();
            Press(box, Qt::Key_Return);
        });
        game->battleMessageMs = 100;
        ShowMessage(*game, "", "宿屋の箱は待つ");
        QVERIFY(stillOpen);
    }

    // F2 in a box opens the history over it; Escape there returns to the
    // box, which is still waiting, and its own time does not run meanwhile.
    void historyOpensOverABoxAndReturnsToIt()
    {
        game->history.add("前の行\n続き");
        game->battleMessageMs = 200;
        QStringList lines;
        bool boxOpenAfter = false;
        WhenModal([&](QWidget* box) {
            WhenModal(
                [&](QWidget* history) {
                    lines = Lines(Child<QListWidget>(history, "lstHistory"));
                    QTest::qWait(400); // longer than the box's own delay
                    Press(history, Qt::Key_Escape);
                },
                box);
            Press(box, Qt::Key_F2);
            boxOpenAfter = box->isVisible();
            Press(box, Qt::Key_Return);
        });
        ShowNarration(*game, "今の行");
        QCOMPARE(lines, (QStringList{U("前の行"), U("　続き"), U("今の行")}));
        QVERIFY(boxOpenAfter);
        QVERIFY(!game->history.showing);
    }

    void pickerReturnsTheChosenValue_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter") << QList<int>{Qt::Key_Return} << 10;
        QTest::newRow("Down, Enter") << QList<int>{Qt::Key_Down, Qt::Key_Return} << 30;
        QTest::newRow("End, Up, Enter")
            << QList<int>{Qt::Key_End, Qt::Key_Up, Qt::Key_Return} << 30;
        QTest::newRow("Escape") << QList<int>{Qt::Key_Down, Qt::Key_Escape} << -1;
        QTest::newRow("Backspace") << QList<int>{Qt::Key_Backspace} << -1;
    }
    void pickerReturnsTheChosenValue()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, result);
        QStringList shown;
        WhenModal([&](QWidget* picker) {
            shown = Lines(Child<QListWidget>(picker, "lst"));
            for (int key : keys)
                Press(picker, Qt::Key(key));
        });
        // The empty text is left out, so the second line carries 30.
        QCOMPARE(PickFromList(*game, {"いち", "", "さん", "よん"}, {10, 20, 30, 40}, "選んで"),
                 result);
        QCOMPARE(shown, (QStringList{U("いち"), U("さん"), U("よん")}));
    }

    void pickerListFollowsTheModelAndTakesClicks()
    {
        int current = -1;
        WhenModal([&](QWidget* picker) {
            auto* list = Child<QListWidget>(picker, "lst");
            Press(picker, Qt::Key_Down);
            Press(picker, Qt::Key_Down);
            current = list->currentRow();
            ClickLine(list, 0);
        });
        QCOMPARE(PickFromList(*game, {"いち", "に", "さん"}, {10, 20, 30}, "選んで"), 10);
        QCOMPARE(current, 2);
    }

    void wideFormShowsTheCarriedItems()
    {
        Content& content = OwnContent(*game);
        content.items[5].name = "ロングソード";
        content.items[6].name = "ダガー";
        game->character(3).name = "ＡＬＡＮ";
        game->character(3).items[1] = 5;
        game->character(7).name = "ＢＥＴＨ";
        game->character(7).items[2] = 6;
        game->state.partyCount = 2;
        game->state.partyMember[1] = 3;
        game->state.partyMember[2] = 7;

        QStringList first, second;
        QString caption;
        int width = 0, narrowWidth = 0, wideTwips = 0, narrowTwips = 0;
        bool sideShown = false;
        WhenModal([&](QWidget* picker) {
            sideShown = Child<QGroupBox>(picker, "Frame1")->isVisible();
            width = picker->width();
            wideTwips = TwipsToPixels(ListPickerDialog::kWideTwips, picker);
            auto* side = Child<QListWidget>(picker, "lstItem");
            first = Lines(side);
            Press(picker, Qt::Key_Down);
            second = Lines(side);
            caption = Child<QLabel>(picker, "lblmsgItem")->text();
            Press(picker, Qt::Key_Return);
        });
        QCOMPARE(PickMember(*game, true), 7);
        QVERIFY(sideShown);
        QCOMPARE(first, QStringList{U("01:  ロングソード")});
        QCOMPARE(second, QStringList{U("01:  ダガー")});
        QCOMPARE(caption, U("ＢＥＴＨの\n持ち物"));

        WhenModal([&](QWidget* picker) {
            sideShown = Child<QGroupBox>(picker, "Frame1")->isVisible();
            narrowWidth = picker->width();
            narrowTwips = TwipsToPixels(ListPickerDialog::kNarrowTwips, picker);
            Press(picker, Qt::Key_Escape);
        });
        QCOMPARE(PickMember(*game, false), -1);
        QVERIFY(!sideShown);
        QCOMPARE(width, wideTwips);
        QCOMPARE(narrowWidth, narrowTwips);
    }

    void chooserCancels_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("R") << int(Qt::Key_R);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
    }
    void chooserCancels()
    {
        QFETCH(int, key);
        for (int r : {2, 4}) {
            game->character(r).rosterNo = r;
            game->character(r).name = "ＣＡＩ";
        }
        int lines = 0;
        WhenModal([&](QWidget* chooser) {
            lines = Child<QListWidget>(chooser, "lstCharacter")->count();
            Press(chooser, Qt::Key_Down);
            Press(chooser, Qt::Key(key));
        });
        QCOMPARE(ChooseCharacter(*game, 3), 0);
        QCOMPARE(lines, 3); // two characters and the back row
    }

    // Joining lists the remaining characters again after each choice: the
    // window must show the new rows and stay open.
    void chooserShowsRowsChangedWhileOpen()
    {
        CharacterChooser chooser;
        chooser.rows = {
            {"ＡＬＡＮ", 0, 3, {}}, {"ＢＥＴＨ", 0, 7, {}}, {CharacterChooser::kBackRow, 0, 0, {}}};
        std::vector<int> joined;
        chooser.onChoose = [&](Game&, CharacterChooser& c, int value) {
            joined.push_back(value);
            c.rows.erase(c.rows.begin() + c.selected);
            c.selected = 0;
            return c.rows.size() > 1;
        };
        QStringList afterFirst;
        WhenModal([&](QWidget* dialog) {
            auto* list = Child<QListWidget>(dialog, "lstCharacter");
            Press(dialog, Qt::Key_Return);
            afterFirst = Lines(list);
            ClickLine(list, 0);
        });
        game->prompter->run(*game, chooser);
        QCOMPARE(afterFirst, (QStringList{U("ＢＥＴＨ"), U("Ｒ）戻る")}));
        QCOMPARE(joined, (std::vector<int>{3, 7}));
        QVERIFY(chooser.closed());
    }

    void errorInsideAChooserReachesTheCaller()
    {
        CharacterChooser chooser;
        chooser.rows = {{"ＡＬＡＮ", 0, 3, {}}, {CharacterChooser::kBackRow, 0, 0, {}}};
        chooser.onChoose = [](Game&, CharacterChooser&, int) -> bool {
            throw GameError("broken roster");
        };
        WhenModal([](QWidget* dialog) { Press(dialog, Qt::Key_Return); });
        QVERIFY_THROWS_EXCEPTION(GameError, game->prompter->run(*game, chooser));
        QVERIFY(!QApplication::activeModalWidget());

        // The kept dialog still works afterwards.
        CharacterChooser again;
        again.rows = chooser.rows;
        WhenModal([](QWidget* dialog) { Press(dialog, Qt::Key_Return); });
        game->prompter->run(*game, again);
        QCOMPARE(again.result, 3);
    }

    void fileChooserListsAndJoins()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const char* name : {"b.WAV", "a.mid", "notes.txt", "song.ogg"})
            Touch(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(QDir(dir.path()).mkdir(U("曲")));
        Touch(dir.filePath(U("曲/戦闘.mp3")));

        FileChooserDialog chooser(QStringLiteral("*.mid;*.wav;*.mp3"), dir.path(), nullptr);
        auto* files = Child<QListWidget>(&chooser, "fll");
        auto* folders = Child<QListWidget>(&chooser, "drl");
        auto* name = Child<QLineEdit>(&chooser, "txtFile");
        auto* ok = Child<QPushButton>(&chooser, "cmdOK");
        QCOMPARE(Lines(files), (QStringList{"a.mid", "b.WAV"}));
        QVERIFY(Child<QComboBox>(&chooser, "dvl")->findData(QStringLiteral("/")) >= 0);
        QVERIFY(!ok->isEnabled());

        // The folder list shows the path down to here, then what is inside.
        QStringList lines = Lines(folders);
        QCOMPARE(lines.first(), QStringLiteral("/"));
        QCOMPARE(lines.last().trimmed(), U("曲"));
        QCOMPARE(folders->currentRow(), lines.size() - 2);

        emit folders->itemActivated(folders->item(folders->count() - 1));
        QCOMPARE(Lines(files), QStringList{U("戦闘.mp3")});
        files->setCurrentRow(0);
        emit files->itemClicked(files->item(0));
        QCOMPARE(name->text(), U("戦闘.mp3"));
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(chooser.chosenPath(), dir.filePath(U("曲/戦闘.mp3")));
    }

    void fileChooserCancelAfterAChoiceGivesNothing()
    {
        QTemporaryDir dir;
        Touch(dir.filePath(QStringLiteral("a.mid")));
        game->store = std::make_unique<FolderStore>(dir.path().toStdString());

        WhenModal([](QWidget* chooser) {
            auto* files = Child<QListWidget>(chooser, "fll");
            emit files->itemClicked(files->item(0));
            QTest::mouseClick(Child<QPushButton>(chooser, "cmdOK"), Qt::LeftButton);
        });
        QCOMPARE(game->prompter->chooseFile(*game, "*.mid"),
                 dir.filePath(QStringLiteral("a.mid")).toStdString());

        WhenModal([](QWidget* chooser) {
            QTest::mouseClick(Child<QPushButton>(chooser, "cmdCancel"), Qt::LeftButton);
        });
        QCOMPARE(game->prompter->chooseFile(*game, "*.mid"), std::string());
    }

    void settingsWindowEditsAndWrites()
    {
        QTemporaryDir dir;
        game->store = std::make_unique<FolderStore>(dir.path().toStdString());
        auto prompter = std::make_unique<ScriptedFiles>(nullptr);
        ScriptedFiles& files = *prompter;
        files.answer = "/music/battle.mid";
        game->prompter = std::move(prompter);
        OwnContent(*game).monsters[12].name = "スライム";
        game->save().monsterTally[12] = 3;
        game->music.bgmFiles[3] = "old.mid";

        QString shownForTrack3;
        bool pictureEnabledBefore = true, pictureEnabledAfter = false;
        QStringList monsters;
        QString speedShown;
        int speedChoices = 0;
        WhenModal([&](QWidget* window) {
            auto* tracks = Child<QComboBox>(window, "cboBGM");
            auto* trackFile = Child<QLineEdit>(window, "txtFile");
            auto* list = Child<QListWidget>(window, "lst");
            auto* picture = Child<QLineEdit>(window, "txtName");
            QCOMPARE(tracks->count(), kTrackCount);
            tracks->setCurrentIndex(2);
            shownForTrack3 = trackFile->text();
            trackFile->selectAll();
            QTest::keyClicks(trackFile, "town.ogg");
            tracks->setCurrentIndex(11);
            QTest::mouseClick(Child<QPushButton>(window, "cmdBGMFile"), Qt::LeftButton);

            monsters = Lines(list);
            pictureEnabledBefore = picture->isEnabled();
            list->setCurrentRow(0);
            pictureEnabledAfter = picture->isEnabled();
            QTest::keyClicks(picture, "slime.bmp");
            // The battle message speed: a key by default, a second chosen.
            auto* speed = Child<QComboBox>(window, "cboMsgSpeed");
            speedShown = speed->currentText();
            speedChoices = speed->count();
            speed->setCurrentIndex(speed->findData(1000));
            QTest::mouseClick(Child<QPushButton>(window, "cmdOK"), Qt::LeftButton);
        });
        QVERIFY(ShowSettingsWindow(*game, nullptr));
        QCOMPARE(speedShown, U("キー入力を待つ"));
        QCOMPARE(speedChoices, static_cast<int>(kBattleDelays.size()));
        QCOMPARE(game->battleMessageMs, 1000);
        QCOMPARE(shownForTrack3, U("old.mid"));
        QCOMPARE(game->music.bgmFiles[3], std::string("town.ogg"));
        QCOMPARE(game->music.bgmFiles[12], files.answer);
        QCOMPARE(files.patterns, std::vector<std::string>{ConfigWindow::kMusicPattern});
        QCOMPARE(monsters, QStringList{U("スライム")});
        QVERIFY(!pictureEnabledBefore);
        QVERIFY(pictureEnabledAfter);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("QVR.ini"))));

        // The town opens the window through the prompter; Cancel keeps the
        // game as it was.
        ConfigWindow config(*game);
        WhenModal([](QWidget* window) {
            QTest::keyClicks(Child<QLineEdit>(window, "txtFile"), "X");
            QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
        });
        game->prompter->run(*game, config);
        QVERIFY(config.closed());
        QVERIFY(!config.accepted());
        QCOMPARE(game->music.bgmFiles[1], std::string());
    }

    // A megabyte of garbage in QVR.ini: a few warning lines and a count, the
    // window as large as it always is, its buttons on it.
    void settingsWindowSummarisesAGarbageIni()
    {
        QTemporaryDir dir;
        std::string garbage;
        std::mt19937 bytes(15);
        while (garbage.size() < kIniMaxBytes)
            garbage += static_cast<char>(bytes() % 256);
        QFile ini(dir.filePath(QStringLiteral("QVR.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(garbage.data(), static_cast<qint64>(garbage.size()));
        ini.close();
        game->store = std::make_unique<FolderStore>(dir.path().toStdString());

        QString warnings;
        QSize size;
        bool buttonsOnTheWindow = false;
        WhenModal([&](QWidget* window) {
            warnings = Child<QLabel>(window, "lblWarnings")->text();
            size = window->size();
            auto* ok = Child<QPushButton>(window, "cmdOK");
            auto* cancel = Child<QPushButton>(window, "cmdCancel");
            buttonsOnTheWindow = ok->isVisible() && cancel->isVisible() &&
                                 window->rect().contains(ok->geometry()) &&
                                 window->rect().contains(cancel->geometry());
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        QVERIFY(!ShowSettingsWindow(*game, nullptr));
        QCOMPARE(warnings.count(QChar('\n')), int(kShownWarnings));
        QVERIFY2(warnings.contains(
                     QRegularExpression(QString::fromUtf8("ほかに [0-9]{3,} 件の警告があります$"))),
                 qPrintable(warnings));
        QVERIFY2(size.height() <= 600 && size.width() <= 800,
                 qPrintable(QString("%1x%2").arg(size.width()).arg(size.height())));
        QVERIFY(buttonsOnTheWindow);
    }

    void settingsWindowThatCannotWriteStaysOpen()
    {
        // No game folder: OK fails, says why in the game's box and keeps the
        // window open with the edits.
        bool openAfterOk = false;
        QString told;
        WhenModal([&](QWidget* window) {
            QTest::keyClicks(Child<QLineEdit>(window, "txtFile"), "title.mid");
            WhenModal(
                [&](QWidget* box) {
                    told = Child<QLabel>(box, "lblMsg")->text();
                    Press(box, Qt::Key_Return);
                },
                window);
            QTest::mouseClick(Child<QPushButton>(window, "cmdOK"), Qt::LeftButton);
            openAfterOk = window->isVisible();
            QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
        });
        QVERIFY(!ShowSettingsWindow(*game, nullptr));
        QVERIFY(openAfterOk);
        QVERIFY(told.contains(QStringLiteral("QVR.ini")));
        QCOMPARE(game->music.bgmFiles[1], std::string());
    }
};

int main(int argc, char** argv)
{
    // Runs without a display unless told otherwise (ctest sets it as well).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PromptsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "prompts_test.moc"
