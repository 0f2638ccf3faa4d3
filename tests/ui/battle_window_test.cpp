// A battle in the real main window: its narration comes one message box a
// line, the second box over the battle, a death's two lines whole, and the
// message history opens from the window with what went by.

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "battle/battle.h"
#include "core/ini_file.h"
#include "core/music.h"
#include "game/battle_screens.h"
#include "tests/core/own_content.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_prompter.h"

using namespace qvr;
using namespace qvr::test;

namespace {

struct NarrationRecorder : GameObserver {
    QStringList lines;
    void narrated(const std::string& line) override { lines << DisplayText(line); }
};

// What a box showed when it was read.
struct SeenBox {
    QString text;
    int textHeight = 0;
    int lineHeight = 0;
    QRect frame;
    bool question = false;
};

// Reads every box and history window that opens, as a player would, and
// closes it; with QVR_NARRATION_SHOTS set, keeps a picture of the screen at
// a death's box and at the history (for the README, under a real display).
class Reader : public QObject {
public:
    std::vector<SeenBox> boxes;
    QStringList history;

    explicit Reader(const QWidget& window) : window_(window)
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] { look(); });
        timer_.start();
    }

private:
    void look()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !modal->windowHandle())
            return;
        if (auto* list = modal->findChild<QListWidget*>(QStringLiteral("lstHistory"))) {
            for (int i = 0; i < list->count(); ++i)
                history << list->item(i)->text();
            shoot("history.png");
            QTest::keyClick(modal->windowHandle(), Qt::Key_Escape);
            return;
        }
        auto* label = modal->findChild<QLabel*>(QStringLiteral("lblMsg"));
        if (!label)
            return;
        auto* yes = modal->findChild<QLabel*>(QStringLiteral("lblYes"));
        boxes.push_back({label->text(), label->height(), QFontMetrics(label->font()).lineSpacing(),
                         modal->frameGeometry(), yes && yes->isVisible()});
        if (label->text().contains(QStringLiteral("死んだ")))
            shoot("battle-box.png");
        QTest::keyClick(modal->windowHandle(), Qt::Key_Return);
    }

    // The main window's part of the screen, with the box over it.
    void shoot(const char* name) const
    {
        const QByteArray dir = qgetenv("QVR_NARRATION_SHOTS");
        if (dir.isEmpty())
            return;
        QTest::qWait(300); // let the box paint
        const QRect r = window_.frameGeometry();
        QGuiApplication::primaryScreen()
            ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
            .save(QString::fromLocal8Bit(dir) + "/" + QString::fromLatin1(name));
    }

    const QWidget& window_;
    QTimer timer_;
};

} // namespace

class BattleWindowTest : public QObject {
    Q_OBJECT
private slots:
    void narrationComesOneBoxALine();
};

void BattleWindowTest::narrationComesOneBoxALine()
{
    Started s(false);
    Content& content = test::OwnContent(s.game);
    MonsterDef& m = TestSlime(content, {0, 0, 1}, 1);
    m.ac = m.ac2 = 10;
    for (int g = 3; g <= 6; ++g)
        content.encounterTable(7, g) = g == 3 ? 3 : 0;
    for (int r = 1; r <= 2; ++r) {
        Character& c = s.game.character(r);
        c.rosterNo = r;
        c.name = r == 1 ? "ＡＬＡ" : "ＢＯＢ";
        c.race = Race::Human;
        c.classCode = Class::Fighter;
        c.alignment = Align::Neutral;
        c.level = 10;
        c.strength = 18;
        c.agility = 15;
        c.hp = c.maxHp = 500;
        c.floor = -1;
        c.position = static_cast<int16_t>(r);
    }
    // The slime has a picture: while it shows, the boxes are the second box.
    QImage picture(48, 40, QImage::Format_RGB32);
    picture.fill(Qt::black);
    {
        QPainter paint(&picture);
        paint.setRenderHint(QPainter::Antialiasing);
        paint.setBrush(QColor(40, 170, 70));
        paint.setPen(Qt::NoPen);
        paint.drawEllipse(QRectF(4, 10, 40, 30));
        paint.setBrush(Qt::white);
        paint.drawEllipse(QRectF(15, 18, 6, 8));
        paint.drawEllipse(QRectF(27, 18, 6, 8));
    }
    QVERIFY(picture.save(QString::fromStdString((s.folder.path() / "slime.bmp").string())));
    IniFile ini = IniFile::load(*s.game.store);
    ini.setValue(kPictureSection, "ＳＬＩＭＥ", "slime.bmp");
    ini.save(*s.game.store);

    RefreshPartyPanel(s.game);
    s.game.pressKey(CharKey('E')); // the edge of town, and down
    s.game.pressKey(CharKey('D'));
    Shown shown(s.game);
    MainWindow& w = shown.window;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    s.game.prompter = std::make_unique<QtPrompter>(&w);
    NarrationRecorder said;
    s.game.observer = &said;
    Reader reader(w);

    for (int tries = 0; tries < 30 && !RefusesClose(BattleOf(s.game).state); ++tries)
        RunBattle(s.game, 7);
    QVERIFY(RefusesClose(BattleOf(s.game).state));
    const std::size_t opening = reader.boxes.size();
    QVERIFY(opening >= 1);
    w.syncFromModel();
    QTest::keyClick(w.windowHandle(), Qt::Key_O); // the leader's automatic orders
    QVERIFY(BattleOf(s.game).state.end == BattleEnd::Victory);

    // One box a line, in the order said; a friendly question is the only
    // other box a battle may open.
    QStringList boxTexts;
    bool death = false;
    for (std::size_t i = 0; i < reader.boxes.size(); ++i) {
        const SeenBox& b = reader.boxes[i];
        if (b.question)
            continue;
        boxTexts << b.text;
        if (b.text == QStringLiteral("ＳＬＩＭＥは\n死んだ・・・")) {
            death = true;
            QVERIFY2(b.textHeight >= 2 * b.lineHeight, "both lines of the death show");
        }
        // The round's boxes stand over the battle, centred on the window.
        if (i >= opening) {
            const QRect frame = w.frameGeometry();
            QVERIFY(qAbs(b.frame.center().x() - frame.center().x()) <= 1);
            QCOMPARE(b.frame.top(), frame.top() + TwipsToPixels(500, &w));
        }
    }
    QCOMPARE(boxTexts, said.lines);
    QVERIFY(death);

    // Back in the maze, the history holds what the boxes showed.
    const std::string owner = s.game.screen.keyboardOwner;
    QTest::keyClick(w.windowHandle(), Qt::Key_F2);
    QVERIFY(reader.history.contains(QStringLiteral("ＳＬＩＭＥは")));
    QVERIFY(reader.history.contains(QStringLiteral("　死んだ・・・")));
    for (const QString& line : said.lines)
        QVERIFY2(reader.history.contains(line.section('\n', 0, 0)), qPrintable(line));
    QVERIFY(s.game.screen.keyboardOwner == owner);
    QVERIFY(shown.errors.isEmpty());
}

int RunBattleWindowTests(int argc, char** argv)
{
    BattleWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "battle_window_test.moc"
