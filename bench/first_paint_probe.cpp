// Linked into a window program, this ends the program as soon as its first
// window has been painted, and prints when that was on the monotonic clock
// ("painted NAME NANOSECONDS"), so that a parent that noted the clock before
// starting it knows the time to first paint. The program's own code is left
// as it is: the probe watches every event from outside it.

#include <cstdio>
#include <ctime>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (seen_ || event->type() != QEvent::Paint)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !widget->isWindow())
            return false;
        seen_ = true;
        QByteArray name = widget->objectName().toUtf8();
        // Queued, so that it runs once the paint has finished and the
        // picture has gone out to the window system.
        QMetaObject::invokeMethod(
            this,
            [name] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("painted %s %lld\n", name.isEmpty() ? "-" : name.constData(),
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                // Tearing down is not part of starting up.
                _exit(0);
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    bool seen_ = false;
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new FirstPaint);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
