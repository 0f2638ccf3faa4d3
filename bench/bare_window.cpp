// The baseline of the start-up benchmark: the least a Qt program must do to
// put Japanese text on the screen, a window with one label in the game's
// font.

#include <QApplication>
#include <QFont>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QString::fromUtf8("オストラベル　－クオルヴァス－"));
    label.setObjectName(QStringLiteral("bare"));
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(14);
    label.setFont(font);
    label.resize(640, 480);
    label.show();
    return app.exec();
}
