// The pieces of the front end that need no game: keys, lettering, twips,
// the maze painter and the panel widget.

#include <cmath>

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include "ui/fonts.h"
#include "ui/key_map.h"
#include "ui/main_window.h"
#include "ui/maze_view.h"
#include "ui/panel_widget.h"

using namespace qvr;

namespace {

bool IsWhite(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) > 200;
}

int WhitePixels(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += IsWhite(image, x, y) ? 1 : 0;
    return n;
}

QImage Paint(const std::vector<DrawItem>& items, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red); // anything left unpainted shows
    QPainter painter(&image);
    PaintDrawing(painter, image.rect(), items, GameFont(20));
    return image;
}

Panel PartyLikePanel(const std::string& firstName = "ＡＬＡＮ")
{
    Panel p;
    p.name = "fraParty";
    p.list = "lstParty";
    p.visible = true;
    p.rows = {{"１：" + firstName, 0, 3, {}}, {"２：ＢＥＴＨ", 0, 7, {}}, {"３：ＣＡＩ", 0, 9, {}}};
    for (int i = 0; i < 3; ++i) {
        p.labels.push_back({"lblClass" + std::to_string(i), "G-FIG", true});
        p.labels.push_back({"lblHP" + std::to_string(i), "+" + std::to_string(10 * i + 5), true});
    }
    return p;
}

} // namespace

class WidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void keysMapToTheGamesKeys_data();
    void keysMapToTheGamesKeys();
    void twipsFollowTheScreensDpi();
    void windowStatesMapToTheExitsShowStates();
    void fullWidthIsTwoHalfWidthsAtEveryEvenSize();
    void fontSizesAreEvenAndReadable();
    void drawingScalesTheLogicalSpaceAndHidesWhatIsBehind();
    void drawingTextStaysAtItsPlace();
    void drawingIsOneSharpDevicePixelAtAnySizeAndDensity();
    void columnLabelsStandLevelWithTheirRows();
    void promptLineGrowsThePanelUpwardOnly();
    void pressOnRowIsReportedButNotSelected();
    void disabledPanelGreysAndHiddenPanelHides();
    void longMenuRowsShrinkToFitTheirFrame();
    void promptLineWrapsInsideTheWindow();
    void keyMarkedLabelsAreCommandsInsideTheFrame();
    void columnsKeepTheirPlaceWhenAnOrderIsWritten();
};

void WidgetsTest::keysMapToTheGamesKeys_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("key");
    QTest::newRow("A") << int(Qt::Key_A) << int('A');
    QTest::newRow("Z") << int(Qt::Key_Z) << int('Z');
    QTest::newRow("0") << int(Qt::Key_0) << int('0');
    QTest::newRow("9") << int(Qt::Key_9) << int('9');
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Key::Enter);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Key::Enter);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Key::Escape);
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << int(Key::Backspace);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Key::Space);
    QTest::newRow("Left") << int(Qt::Key_Left) << int(Key::Left);
    QTest::newRow("Right") << int(Qt::Key_Right) << int(Key::Right);
    QTest::newRow("Up") << int(Qt::Key_Up) << int(Key::Up);
    QTest::newRow("Down") << int(Qt::Key_Down) << int(Key::Down);
    QTest::newRow("Home") << int(Qt::Key_Home) << int(Key::Home);
    QTest::newRow("End") << int(Qt::Key_End) << int(Key::End);
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << int(Key::PageUp);
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << int(Key::PageDown);
    QTest::newRow("Ctrl") << int(Qt::Key_Control) << int(Key::Ctrl);
    QTest::newRow("Shift") << int(Qt::Key_Shift) << int(Key::None);
    QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Key::None);
    QTest::newRow("F1") << int(Qt::Key_F1) << int(Key::None);
    QTest::newRow("kana") << int(Qt::Key_Kana_Shift) << int(Key::None);
    QTest::newRow("Delete") << int(Qt::Key_Delete) << int(Key::None);
}

void WidgetsTest::keysMapToTheGamesKeys()
{
    QFETCH(int, qtKey);
    QFETCH(int, key);
    QCOMPARE(int(MapQtKey(qtKey)), key);
}

void WidgetsTest::twipsFollowTheScreensDpi()
{
    QCOMPARE(TwipsToPixels(5000, 96), 333);
    QCOMPARE(TwipsToPixels(1500, 96), 100);
    QCOMPARE(TwipsToPixels(1440, 144), 144);
    QCOMPARE(PixelsToTwips(100, 96), 1500L);
    QCOMPARE(PixelsToTwips(144, 144), 1440L);
    // A window that is saved and restored many times must not creep.
    for (int px : {1, 217, 333, 640, 1279})
        for (double dpi : {72.0, 96.0, 120.0, 144.0, 192.0})
            QCOMPARE(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px);
}

void WidgetsTest::windowStatesMapToTheExitsShowStates()
{
    QCOMPARE(ShowStateOf(Qt::WindowNoState), WindowShow::Normal);
    QCOMPARE(ShowStateOf(Qt::WindowActive), WindowShow::Normal);
    QCOMPARE(ShowStateOf(Qt::WindowMaximized), WindowShow::Maximised);
    QCOMPARE(ShowStateOf(Qt::WindowFullScreen), WindowShow::Maximised);
    // Minimised from maximised is still minimised.
    QCOMPARE(ShowStateOf(Qt::WindowMinimized | Qt::WindowMaximized), WindowShow::Minimised);
}

void WidgetsTest::fullWidthIsTwoHalfWidthsAtEveryEvenSize()
{
    QCOMPARE(QFontInfo(GameFont(16)).family(), QString(kGameFontFamily));
    for (int px = kMinFontPixels; px <= 48; px += 2) {
        QFontMetricsF fm(GameFont(px));
        qreal half = fm.horizontalAdvance(QStringLiteral("A"));
        QCOMPARE(fm.horizontalAdvance(QStringLiteral("ア")), 2 * half);
        QCOMPARE(fm.horizontalAdvance(QStringLiteral("ｱ")), half);
        QCOMPARE(fm.horizontalAdvance(QStringLiteral("K)カ イ")), 7 * half);
    }
}

void WidgetsTest::fontSizesAreEvenAndReadable()
{
    QCOMPARE(EvenFontPixels(13.9), 12);
    QCOMPARE(EvenFontPixels(14.0), 14);
    QCOMPARE(EvenFontPixels(3), kMinFontPixels);
    for (double scale = 0.5; scale < 8; scale += 0.37) {
        int px = FontPixelsForScale(scale);
        QCOMPARE(px % 2, 0);
        QVERIFY(px >= kMinFontPixels);
        QCOMPARE(GameFont(px).pixelSize(), px);
    }
    QVERIFY(FontPixelsForScale(4) > FontPixelsForScale(2));
    QCOMPARE(GameFont(15).pixelSize() % 2, 0);
}

void WidgetsTest::drawingScalesTheLogicalSpaceAndHidesWhatIsBehind()
{
    using K = DrawItem::Kind;
    // A cross through the middle, then a near face filled over its left
    // half, then that face's outline.
    std::vector<DrawItem> items = {{K::Line, 0, 110, 220, 110, ""},
                                   {K::Line, 110, 0, 110, 220, ""},
                                   {K::FilledRect, 10, 50, 100, 170, ""},
                                   {K::Line, 10, 50, 100, 50, ""}};
    QImage image = Paint(items, 440, 660); // twice as wide, three times as tall
    QCOMPARE(image.pixelColor(5, 5), QColor(Qt::black));
    QVERIFY(IsWhite(image, 300, 330));
    QVERIFY(IsWhite(image, 220, 600));
    QVERIFY(!IsWhite(image, 100, 330)); // the crossbar behind the face is hidden
    QVERIFY(IsWhite(image, 100, 150));  // the face's top edge at y = 50 * 3
    QVERIFY(!IsWhite(image, 100, 140));
    // Lines stay thin however large the window: one or two pixels.
    int thickness = 0;
    for (int y = 310; y < 350; ++y)
        thickness += IsWhite(image, 300, y) ? 1 : 0;
    QVERIFY(thickness >= 1 && thickness <= 2);
}

void WidgetsTest::drawingTextStaysAtItsPlace()
{
    using K = DrawItem::Kind;
    QImage image = Paint({{K::Text, 0, 0, 0, 0, "しかし・・・"}}, 440, 440);
    QVERIFY(WhitePixels(image, QRect(0, 0, 140, 30)) > 20);
    QCOMPARE(WhitePixels(image, QRect(0, 40, 440, 400)), 0);

    image = Paint({{K::Text, 110, 110, 0, 0, "≪まっくらやみだ≫\r\n二行目"}}, 440, 440);
    QCOMPARE(WhitePixels(image, QRect(0, 0, 440, 215)), 0);
    QVERIFY(WhitePixels(image, QRect(220, 220, 220, 24)) > 20);
    QVERIFY(WhitePixels(image, QRect(220, 246, 220, 24)) > 20); // the second line

    // A centred text stands over the middle, its top two lines above y.
    DrawItem dark{K::Text, 110, 110, 0, 0, "≪まっくらやみだ≫"};
    dark.centred = true;
    image = Paint({dark}, 440, 440);
    int first = 440, last = -1;
    for (int x = 0; x < 440; ++x)
        if (WhitePixels(image, QRect(x, 0, 1, 440)) > 0) {
            first = std::min(first, x);
            last = std::max(last, x);
        }
    QVERIFY(last > first);
    QVERIFY(std::abs(first + last - 439) <= 6);
    QCOMPARE(WhitePixels(image, QRect(0, 200, 440, 240)), 0);
    QVERIFY(WhitePixels(image, QRect(0, 160, 440, 40)) > 20);
}

void WidgetsTest::drawingIsOneSharpDevicePixelAtAnySizeAndDensity()
{
    using K = DrawItem::Kind;
    // A face with its outline, a line along the space's far edges, and a
    // second face whose fill covers the first one's right edge.
    std::vector<DrawItem> items = {
        {K::FilledRect, 40, 40, 180, 180, ""},  {K::Line, 40, 40, 180, 40, ""},
        {K::Line, 180, 40, 180, 180, ""},       {K::Line, 40, 180, 40, 40, ""},
        {K::Line, 220, 0, 220, 220, ""},        {K::Line, 0, 220, 220, 220, ""},
        {K::FilledRect, 150, 100, 200, 120, ""}};
    for (double ratio : {1.0, 1.5, 2.0}) {
        for (int side : {220, 333, 880, 1080}) {
            QString at = QStringLiteral("ratio %1 side %2").arg(ratio).arg(side);
            int pixels = static_cast<int>(std::lround(side * ratio));
            QImage image(pixels, pixels, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::red);
            {
                QPainter painter(&image);
                PaintDrawing(painter, QRect(0, 0, side, side), items, GameFont(20));
            }
            for (int y = 0; y < pixels; ++y)
                for (int x = 0; x < pixels; ++x) {
                    QRgb p = image.pixel(x, y);
                    if (p != qRgb(0, 0, 0) && p != qRgb(255, 255, 255))
                        QFAIL(qPrintable(at + QStringLiteral(": blurred or unpainted pixel")));
                }
            // Across each line exactly one device pixel is lit.
            int column = pixels / 3, row = pixels / 3;
            QVERIFY2(WhitePixels(image, QRect(column, 0, 1, pixels / 2)) == 1, qPrintable(at));
            auto units = [&](int v) { return v * pixels / 220; };
            QVERIFY2(WhitePixels(image, QRect(units(165), units(60), units(35), 1)) == 1,
                     qPrintable(at));
            // The space's far edges land on the last pixels, not past them.
            QVERIFY2(WhitePixels(image, QRect(0, pixels - 1, pixels, 1)) == pixels, qPrintable(at));
            QVERIFY2(WhitePixels(image, QRect(pixels - 1, 0, 1, pixels)) == pixels, qPrintable(at));
            QVERIFY2(WhitePixels(image, QRect(0, row, pixels * 3 / 5, 1)) == 1, qPrintable(at));
            // The nearer fill hides the farther face's edge where it lies over it.
            int middle = static_cast<int>(std::lround(110 * pixels / 220.0));
            QVERIFY2(WhitePixels(image, QRect(pixels * 3 / 5, middle, pixels / 4, 1)) == 0,
                     qPrintable(at));
        }
    }
}

void WidgetsTest::columnLabelsStandLevelWithTheirRows()
{
    // Names of every length a character may have: 4, 10 and 50 characters,
    // full and half width.
    const std::string ten = "ＡＢＣＤＥＦＧＨＩＪ";
    std::string fifty;
    for (int i = 0; i < 5; ++i)
        fifty += i % 2 ? ten : "abcdefghij";
    for (const std::string& name : {std::string("ＡＬＡＮ"), ten, fifty}) {
        QWidget host;
        host.resize(600, 400);
        PanelWidget panel(&host);
        panel.setTextFont(GameFont(16));
        panel.sync(PartyLikePanel(name), false);
        panel.place(QRect(10, 200, 560, 150));
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));

        QListWidget* list = panel.list();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(1)->text(), QStringLiteral("２：ＢＥＴＨ"));
        // One size for every column of a row; a name too long for its room
        // ends in an ellipsis rather than running under the columns.
        QCOMPARE(list->font().pixelSize(), 16);
        QString first = list->item(0)->text();
        QVERIFY2(QFontMetrics(list->font()).horizontalAdvance(first) <= list->viewport()->width(),
                 qPrintable(first));
        if (name == fifty) {
            QVERIFY(first.endsWith(QChar(0x2026)));
            QVERIFY(first.startsWith(QStringLiteral("１：abcdefghijＡＢＣ")));
        } else {
            QCOMPARE(first, QString::fromStdString("１：" + name));
        }
        for (int row = 0; row < 3; ++row) {
            QRect item = list->visualItemRect(list->item(row));
            int rowCentre = list->viewport()->mapTo(&panel, item.center()).y();
            for (const char* column : {"lblClass", "lblHP"}) {
                QLabel* label = panel.label(column + std::to_string(row));
                QVERIFY(label);
                QVERIFY(label->isVisible());
                QCOMPARE(label->font().pixelSize(), 16);
                QVERIFY2(qAbs(label->geometry().center().y() - rowCentre) <= 2,
                         qPrintable(QStringLiteral("%1 %2")
                                        .arg(label->geometry().center().y())
                                        .arg(rowCentre)));
                QVERIFY(label->geometry().left() >= list->geometry().right());
            }
        }
        // Columns stand side by side, not over each other, and numbers are
        // set to the right.
        QVERIFY(panel.label("lblHP0")->geometry().left() >
                panel.label("lblClass0")->geometry().right());
        QVERIFY(panel.label("lblHP2")->alignment() & Qt::AlignRight);
        QVERIFY(panel.label("lblClass2")->alignment() & Qt::AlignLeft);
        QVERIFY(panel.geometry().right() <= 570);
    }
}

void WidgetsTest::promptLineGrowsThePanelUpwardOnly()
{
    QWidget host;
    host.resize(400, 400);
    PanelWidget panel(&host);
    panel.setTextFont(GameFont(14));
    Panel model;
    model.name = "fraCaldrimar";
    model.list = "lstCaldrimar";
    model.caption = "zedure城 城下町";
    model.visible = true;
    model.rows = {{"K)カ イ ー ナ の 酒 場", 'K', 0, {}}};
    model.labels.push_back({"lbl", "", true});
    panel.sync(model, true);
    QRect frame(40, 100, 260, 160);
    panel.place(frame);
    QCOMPARE(panel.geometry(), frame);
    QVERIFY(!panel.label("lbl")->isVisibleTo(&panel));

    model.labels[0].text = "誰を仲間にしますか？";
    panel.sync(model, true);
    QCOMPARE(panel.geometry().bottom(), frame.bottom());
    QVERIFY(panel.geometry().top() < frame.top());
    QVERIFY(panel.label("lbl")->isVisibleTo(&panel));
    QCOMPARE(panel.label("lbl")->text(), QStringLiteral("誰を仲間にしますか？"));
    QVERIFY(panel.list()->geometry().top() >= frame.top() - panel.geometry().top());

    // Four lines take four lines' room, whichever break the game used.
    const int oneLine = frame.top() - panel.geometry().top();
    for (const char* text : {"a\nb\n\nc", "a\rb\r\rc", "a\r\nb\r\n\r\nc"}) {
        model.labels[0].text = text;
        panel.sync(model, true);
        QCOMPARE(frame.top() - panel.geometry().top(), 4 * oneLine);
    }

    model.labels[0].text.clear();
    panel.sync(model, true);
    QCOMPARE(panel.geometry(), frame);
    QCOMPARE(panel.caption(), QStringLiteral("zedure城 城下町"));
}

// The shop's greeting with a long name, at the size of a 330-pixel window
// and of the first start: every character is drawn, on as many lines as it
// takes, and the frame keeps its place.
void WidgetsTest::promptLineWrapsInsideTheWindow()
{
    const std::string greeting =
        "ようこそ　ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰさん、トロメア商店へ。ご用件で？";
    for (int scale : {1, 3}) {
        const int side = 220 * scale + 110;
        QWidget host;
        host.resize(side, side);
        PanelWidget panel(&host);
        panel.setTextFont(GameFont(FontPixelsForScale(side / 220.0)));
        Panel model;
        model.name = "fraShopPrompt";
        model.visible = true;
        model.labels.push_back({"lblPrompt", greeting, true});
        panel.sync(model, false);
        // A prompt line's panel: 194 of the 220 units, no height.
        const QRect frame(side * 22 / 220, side / 4, side * 194 / 220, 0);
        panel.place(frame);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));

        QLabel* label = panel.label("lblPrompt");
        QVERIFY(label && label->isVisible());
        QCOMPARE(label->text(), QString::fromStdString(greeting));
        QVERIFY(panel.geometry().right() < side);
        QFontMetrics fm(label->font());
        QVERIFY2(fm.horizontalAdvance(label->text()) > label->width(), "the case must not fit");
        QVERIFY(label->wordWrap());
        QRect needed = fm.boundingRect(QRect(0, 0, label->width(), 1 << 20),
                                       Qt::TextWordWrap | Qt::TextWrapAnywhere, label->text());
        QVERIFY2(needed.height() <= label->height(),
                 qPrintable(QStringLiteral("%1 > %2").arg(needed.height()).arg(label->height())));
        QCOMPARE(panel.geometry().bottom(), frame.bottom());
        QVERIFY(WrappedLineCount(fm, label->text(), label->width()) >= 2);
    }
}

// The marching order's "↑&F)前へ", "↓&B)後ろへ" and " &O)K": commands along
// the foot of the frame with their letters underlined, never raw "&" over
// the help line above the panel.
void WidgetsTest::keyMarkedLabelsAreCommandsInsideTheFrame()
{
    for (int side : {330, 660}) {
        QWidget host;
        host.resize(side, side);
        PanelWidget panel(&host);
        panel.setTextFont(GameFont(FontPixelsForScale(side / 220.0)));
        Panel model;
        model.name = "fraReorder";
        model.list = "lstReorder";
        model.caption = "再　編　成";
        model.visible = true;
        for (const char* name : {"１：ＡＬＡＮ", "２：ＢＥＴＨ", "３：ＣＡＩ"})
            model.rows.push_back({name, 0, 0, {}});
        model.labels = {
            {"lblUp", "↑&F)前へ", true}, {"lblDown", "↓&B)後ろへ", true}, {"lblOk", " &O)K", true}};
        panel.sync(model, true);
        const QRect frame(side * 60 / 220, side * 40 / 220, side * 100 / 220, side * 90 / 220);
        panel.place(frame);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));

        QCOMPARE(panel.geometry(), frame);
        int right = 0;
        for (const char* name : {"lblUp", "lblDown", "lblOk"}) {
            QLabel* label = panel.label(name);
            QVERIFY(label && label->isVisible());
            QVERIFY2(!label->text().contains(QStringLiteral("&F")) &&
                         !label->text().contains(QStringLiteral("&B")),
                     qPrintable(label->text()));
            QVERIFY(label->text().contains(QStringLiteral("<u>")));
            QRect g = label->geometry();
            QVERIFY2(panel.rect().contains(g), qPrintable(QStringLiteral("%1").arg(name)));
            QVERIFY(g.top() >= panel.list()->geometry().bottom());
            QVERIFY(g.left() >= right);
            right = g.right();
        }
    }
}

// In battle the party panel's last column shows each member's order; a
// spell's name or "アイテム" must not move the columns or the names.
void WidgetsTest::columnsKeepTheirPlaceWhenAnOrderIsWritten()
{
    QWidget host;
    host.resize(660, 660);
    PanelWidget panel(&host);
    panel.setTextFont(GameFont(24));
    Panel model = PartyLikePanel();
    for (int i = 0; i < 3; ++i) {
        model.labels.push_back({"lblAC" + std::to_string(i), "10", true});
        model.labels.push_back({"lblState" + std::to_string(i), "15", true});
    }
    // The game fills the labels after the panel is placed: the room the
    // empty columns left must not stay promised to the last one.
    Panel empty = model;
    for (Label& label : empty.labels)
        label.text.clear();
    panel.sync(empty, false);
    panel.place(QRect(12, 450, 636, 198));
    panel.sync(model, false);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    auto places = [&] {
        QList<int> xs{panel.list()->geometry().width()};
        for (const char* name : {"lblClass0", "lblAC0", "lblHP0", "lblState0"})
            if (QLabel* label = panel.label(name))
                xs << label->geometry().left();
        return xs;
    };
    const QList<int> before = places();
    auto insideTheFrame = [&] {
        for (const char* name : {"lblClass0", "lblAC0", "lblHP0", "lblState0"})
            if (panel.label(name)->geometry().right() > panel.rect().right())
                return false;
        return true;
    };
    QVERIFY(insideTheFrame());
    for (const char* order : {"アイテム", "NIVAGRAN", "たたかう", "ぼうぎょ"}) {
        for (Label& label : model.labels)
            if (label.name == "lblState0")
                label.text = order;
        panel.sync(model, false);
        QCOMPARE(places(), before);
        QVERIFY(insideTheFrame());
    }
}

void WidgetsTest::pressOnRowIsReportedButNotSelected()
{
    QWidget host;
    host.resize(400, 400);
    PanelWidget panel(&host);
    panel.setTextFont(GameFont(14));
    Panel model = PartyLikePanel();
    model.selected = 0;
    panel.sync(model, true);
    panel.place(QRect(0, 0, 400, 200));
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));

    QSignalSpy pressed(&panel, &PanelWidget::rowPressed);
    QListWidget* list = panel.list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(2)).center());
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.at(0).at(0).toInt(), 2);
    // Only the game moves the selection.
    QCOMPARE(list->currentRow(), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->height() - 3));
    QCOMPARE(pressed.count(), 1); // below the last row: nothing

    model.selected = 2;
    panel.sync(model, true);
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(list->item(2)->isSelected());
    model.selected = -1;
    panel.sync(model, true);
    QVERIFY(list->selectedItems().isEmpty());
}

void WidgetsTest::disabledPanelGreysAndHiddenPanelHides()
{
    QWidget host;
    PanelWidget panel(&host);
    Panel model = PartyLikePanel();
    model.enabled = false;
    panel.sync(model, false);
    host.show();
    QVERIFY(panel.isVisible());
    QVERIFY(!panel.list()->isEnabled());
    QVERIFY(!panel.label("lblHP1")->isEnabled());
    model.enabled = true;
    model.visible = false;
    panel.sync(model, false);
    QVERIFY(!panel.isVisible());
    QVERIFY(panel.isEnabled());
    // Rows changing behind a hidden panel are there when it shows again.
    model.rows.pop_back();
    model.visible = true;
    panel.sync(model, false);
    QCOMPARE(panel.list()->count(), 2);
}

void WidgetsTest::longMenuRowsShrinkToFitTheirFrame()
{
    QWidget host;
    host.resize(400, 400);
    PanelWidget panel(&host);
    panel.setTextFont(GameFont(24));
    Panel model;
    model.name = "fraAstrology";
    model.list = "lstAstrology";
    model.caption = "星占所";
    model.visible = true;
    model.rows = {{"L)Ｌ Ｖ ラ ン キ ン グ", 'L', 0, {}},
                  {"K)ク リ テ ィ カ ル ヒ ッ ト ラ ン ク", 'K', 0, {}}};
    panel.sync(model, true);
    panel.place(QRect(20, 20, 300, 200));
    host.show();
    QListWidget* list = panel.list();
    int px = list->font().pixelSize();
    QVERIFY(px < 24);
    QCOMPARE(px % 2, 0);
    QVERIFY(QFontMetrics(list->font()).horizontalAdvance(list->item(1)->text()) <
            list->viewport()->width());
    // The caption and a wider frame keep the window's size.
    QCOMPARE(panel.font().pixelSize(), 24);
    panel.place(QRect(20, 20, 700, 200));
    QCOMPARE(list->font().pixelSize(), 24);
}

int RunWidgetsTests(int argc, char** argv)
{
    WidgetsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "widgets_test.moc"
