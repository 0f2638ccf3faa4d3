#pragma once

// What the dialog tests share: finding the modal dialog that opens next,
// pressing keys the way a real keyboard delivers them, and reading lists.

#include <functional>

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

namespace qvr::test {

inline constexpr int kWatchdogMs = 5000;

// Calls `act` with the modal dialog that opens next (one that is not `over`).
inline void WhenModal(std::function<void(QWidget*)> act, QWidget* over = nullptr)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act, over] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == over || !modal->isVisible() || !modal->windowHandle())
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

// Through the window, as a real key arrives: to whatever has the focus.
inline void Press(QWidget* dialog, Qt::Key key)
{
    QTest::keyClick(dialog->windowHandle(), key, Qt::NoModifier);
}

template <class W> W* Child(QWidget* dialog, const char* name)
{
    W* w = dialog->findChild<W*>(QString::fromLatin1(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
}

inline void ClickLine(QListWidget* list, int row)
{
    QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

inline QStringList Lines(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// Closes every modal dialog still open after kWatchdogMs and remembers that
// it had to, so that a dialog that never closes fails its test, not the run.
class DialogWatchdog {
public:
    void start()
    {
        timedOut_ = false;
        timer_.disconnect();
        timer_.setInterval(kWatchdogMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            timedOut_ = true;
            while (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        timer_.start();
    }
    // Stops it; true when it had to close something.
    bool stop()
    {
        timer_.stop();
        return timedOut_;
    }

private:
    QTimer timer_;
    bool timedOut_ = false;
};

inline QString U(const char* s)
{
    return QString::fromUtf8(s);
}

} // namespace qvr::test
