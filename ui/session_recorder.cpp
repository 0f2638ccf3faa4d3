#include "ui/session_recorder.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "core/error.h"

namespace qvr {

namespace {

// qvr-script refuses longer waits; a longer pause is written as several.
constexpr int64_t kLongestWaitMs = 24LL * 3600 * 1000;

} // namespace

std::string TimeOfDayText(double seconds)
{
    long whole = static_cast<long>(seconds) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", whole / 3600, whole / 60 % 60,
                  whole % 60);
    return text;
}

SessionRecorder::SessionRecorder(const std::string& path)
    : path_(path), out_(path, std::ios::binary | std::ios::trunc)
{
    if (!out_)
        throw GameError(path + ": 記録ファイルを作れません");
}

void SessionRecorder::start(uint64_t seed, double startSeconds)
{
    line("# qvr --record: qvr-script --game-dir DIR FILE plays this session again");
    line("# on a copy of the game folder as it was when the session began");
    line("seed " + std::to_string(seed));
    line("start " + TimeOfDayText(startSeconds));
}

void SessionRecorder::key(Key key)
{
    writeWait();
    line("key " + KeyName(key));
}

void SessionRecorder::text(const std::string& typed)
{
    writeWait();
    line("text " + typed);
}

void SessionRecorder::click(const std::string& list, int row)
{
    writeWait();
    line("click " + (list.empty() ? std::string() : list + " ") + std::to_string(row));
}

void SessionRecorder::elapsed(int64_t ms)
{
    pendingMs_ += std::max<int64_t>(0, ms);
}

void SessionRecorder::close()
{
    writeWait();
    line("close");
}

void SessionRecorder::note(const std::string& text)
{
    line("# " + text);
}

void SessionRecorder::writeWait()
{
    while (pendingMs_ > 0) {
        int64_t ms = std::min(pendingMs_, kLongestWaitMs);
        pendingMs_ -= ms;
        line("wait " + std::to_string(ms));
    }
}

void SessionRecorder::line(const std::string& text)
{
    if (failed_)
        return;
    // Flushed line by line: a session that ends in a crash is the one most
    // worth replaying.
    out_ << text << '\n';
    out_.flush();
    if (!out_) {
        failed_ = true;
        std::cerr << "qvr: " << path_ << ": 記録ファイルに書けなくなりました。記録はここまでです\n";
    }
}

} // namespace qvr
