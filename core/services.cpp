#include "core/services.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "core/error.h"

namespace qvr {

void FixedClock::advance(double seconds)
{
    seconds_ += seconds;
    while (seconds_ >= 86400)
        seconds_ -= 86400;
}

double SystemClock::secondsSinceMidnight() const
{
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    auto sub = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + sub.count() / 1000.0;
}

Timers::Timer* Timers::find(const std::string& name)
{
    for (Timer& t : timers_)
        if (t.name == name)
            return &t;
    return nullptr;
}

const Timers::Timer* Timers::find(const std::string& name) const
{
    for (const Timer& t : timers_)
        if (t.name == name)
            return &t;
    return nullptr;
}

void Timers::define(const std::string& name, int intervalMs, Fire fire, bool enabled)
{
    if (intervalMs <= 0)
        throw GameError("timer " + name + " needs a positive interval");
    Timer t{name, intervalMs, enabled, now_ + intervalMs, std::move(fire)};
    if (Timer* old = find(name))
        *old = std::move(t);
    else
        timers_.push_back(std::move(t));
}

void Timers::enable(const std::string& name, bool on)
{
    Timer* t = find(name);
    if (!t)
        throw GameError("no timer " + name);
    if (on && !t->enabled)
        t->due = now_ + t->intervalMs;
    t->enabled = on;
}

bool Timers::running(const std::string& name) const
{
    const Timer* t = find(name);
    return t && t->enabled;
}

void Timers::advance(Game& game, int64_t ms)
{
    if (ms < 0)
        return;
    const int64_t end = now_ + ms;
    for (;;) {
        // The next timer to fall due, by due time then by definition order.
        std::size_t next = timers_.size();
        for (std::size_t i = 0; i < timers_.size(); ++i) {
            const Timer& t = timers_[i];
            if (t.enabled && t.due <= end && (next == timers_.size() || t.due < timers_[next].due))
                next = i;
        }
        if (next == timers_.size())
            break;
        Timer& t = timers_[next];
        now_ = t.due;
        t.due += t.intervalMs;
        // A firing may redefine timers, or open a prompt whose own waiting
        // moves time on through a nested advance: hold nothing across it.
        Fire fire = t.fire;
        if (fire)
            fire(game);
    }
    now_ = std::max(now_, end);
}

} // namespace qvr
