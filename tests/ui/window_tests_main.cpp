// Runs the front end's test classes in one offscreen application.

#include <QApplication>

int RunWidgetsTests(int argc, char** argv);
int RunMainWindowTests(int argc, char** argv);
int RunStoppedGameTests(int argc, char** argv);
int RunRecordingTests(int argc, char** argv);
int RunBattleWindowTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    failed += RunWidgetsTests(argc, argv);
    failed += RunMainWindowTests(argc, argv);
    failed += RunStoppedGameTests(argc, argv);
    failed += RunRecordingTests(argc, argv);
    failed += RunBattleWindowTests(argc, argv);
    return failed == 0 ? 0 : 1;
}
