// Damage the game refuses or stops at, seen through the front end: an error
// met in a battle closes the window instead of leaving the battle panel
// without commands, and the game refuses a damaged save at start-up.

#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include "battle/battle.h"
#include "game/battle_screens.h"
#include "maze/movement.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/panel_widget.h"

using namespace qvr;
using namespace qvr::test;

namespace {

std::vector<uint8_t> ImageOf(const SaveData& save)
{
    SaveData copy = save;
    return EncodeSaveImage(copy);
}

} // namespace

class StoppedGameTest : public QObject {
    Q_OBJECT
private slots:
    void errorInABattleClosesTheWindow();
    void damagedSaveIsRefusedAtStartUp();
};

// A weapon past the item table, planted in memory (the loader would refuse
// it), once stopped the round with the command panel up and left a window
// that refused to close; now the window closes and the save stays as it was.
void StoppedGameTest::errorInABattleClosesTheWindow()
{
    Started s(false);
    PartyOnFloorOneMeetsSlimes(s);
    // The battle's lines are read and closed as they come.
    s.game.prompter = std::make_unique<ClosingPrompter>();
    for (int tries = 0; tries < 30 && !RefusesClose(BattleOf(s.game).state); ++tries)
        RunBattle(s.game, 7);
    QVERIFY(RefusesClose(BattleOf(s.game).state));
    Shown shown(s.game);
    MainWindow& w = shown.window;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.panelWidget("fraBattleCommand")->isVisible());
    // QVR_STOP_SHOT names a picture of the screen with the player's message
    // up, taken under a real display.
    if (const QByteArray path = qgetenv("QVR_STOP_SHOT"); !path.isEmpty())
        w.setErrorReporter([&w, &shown, path](const QString& text) {
            shown.errors << text;
            QMessageBox box(QMessageBox::Critical, QStringLiteral("QVR"), text, QMessageBox::Ok,
                            &w);
            QTimer::singleShot(800, &box, [&box, path] {
                QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(path));
                box.accept();
            });
            box.exec();
        });
    QSignalSpy closed(&w, &MainWindow::closed);
    const std::filesystem::path folder = s.folder.path();
    const std::vector<uint8_t> onDisk = s.game.store->readFile(kSaveFileName, kSaveFileBytes);
    for (int r = 1; r <= 6; ++r) {
        s.game.character(r).items[1] = 9999;
        s.game.character(r).itemFlags[1] = 1; // wielded
    }

    const Qt::Key keys[] = {Qt::Key_F, Qt::Key_Return};
    for (int k = 0; k < 60 && !w.stoppedByError(); ++k)
        QTest::keyClick(w.windowHandle(), keys[k % 2]);
    QVERIFY2(w.stoppedByError(), "the planted weapon was never looked at");
    QCOMPARE(shown.errors.size(), 1);
    QVERIFY2(shown.errors[0].contains("番号 9999 が表の範囲 0..640 の外です"),
             qPrintable(shown.errors[0]));
    QVERIFY(!w.isVisible());
    QCOMPARE(closed.count(), 1);
    FolderStore next(folder);
    next.lock();
    QCOMPARE(next.readFile(kSaveFileName, kSaveFileBytes), onDisk);
}

// The game itself, offscreen, over a save whose pack holds item 9999 with a
// backup beside it: it says which file, entry and field are wrong, offers
// the backup, and ends with 1, the save untouched.
void StoppedGameTest::damagedSaveIsRefusedAtStartUp()
{
    TempFolder dir;
    for (const char* name : {kContentFileName, kTextsFileName, kEventsFileName})
        std::filesystem::copy_file(std::filesystem::path(QVR_BIN_DIR) / name, dir.path() / name);
    SaveData save;
    Character& c = save.roster[2];
    c.rosterNo = 2;
    c.name = "ＡＬＡ";
    c.race = Race::Human;
    c.classCode = Class::Fighter;
    c.alignment = Align::Neutral;
    FolderStore store(dir.path());
    store.writeFileSafely(kBackupFileName, ImageOf(save));
    c.items[4] = 9999;
    const std::vector<uint8_t> damaged = ImageOf(save);
    store.writeFileSafely(kSaveFileName, damaged);

    QProcess qvr;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QVR_NO_DIALOGS", "1");
    qvr.setProcessEnvironment(env);
    qvr.start(QString(QVR_BIN_DIR) + "/qvr",
              {"--game-dir", QString::fromStdString(dir.path().string()), "notitle"});
    QVERIFY(qvr.waitForFinished(30000));
    const QString err = QString::fromUtf8(qvr.readAllStandardError());
    QCOMPARE(qvr.exitCode(), 1);
    QVERIFY2(err.contains("（名簿 2 番「ＡＬＡ」）: items[4] が 9999 になっています") &&
                 err.contains("ひとつ前のセーブが QVR1.BAK に残っています"),
             qPrintable(err));
    QCOMPARE(store.readFile(kSaveFileName, kSaveFileBytes), damaged);
}

int RunStoppedGameTests(int argc, char** argv)
{
    StoppedGameTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "stopped_game_test.moc"
