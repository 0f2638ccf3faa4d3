#include "core/message_speed.h"

#include <algorithm>
#include <charconv>

#include "core/error.h"
#include "core/game.h"
#include "core/ini_file.h"

namespace qvr {

int ParseBattleDelay(std::string_view text)
{
    text = TrimBlanks(text);
    long ms = 0;
    const char* end = text.data() + text.size();
    auto [stop, err] = std::from_chars(text.data(), end, ms);
    if (text.empty() || err == std::errc::invalid_argument || stop != end || ms < 0)
        return 0;
    if (err == std::errc::result_out_of_range || ms > kMaxBattleDelayMs)
        return kMaxBattleDelayMs;
    return static_cast<int>(ms);
}

std::string BattleDelayName(int ms)
{
    if (ms <= 0)
        return "キー入力を待つ";
    std::string seconds = std::to_string(ms / 1000);
    if (int rest = ms % 1000) {
        std::string part = std::to_string(rest);
        part.insert(0, 3 - part.size(), '0');
        while (part.back() == '0')
            part.pop_back();
        seconds += "." + part;
    }
    return seconds + "秒で閉じる";
}

std::vector<int> BattleDelayChoices(int current)
{
    std::vector<int> choices(kBattleDelays.begin(), kBattleDelays.end());
    if (std::find(choices.begin(), choices.end(), current) == choices.end()) {
        choices.push_back(current);
        std::sort(choices.begin(), choices.end());
    }
    return choices;
}

void LoadMessageSpeed(Game& game)
{
    game.battleMessageMs = 0;
    if (!game.store)
        return;
    try {
        IniFile ini = IniFile::load(*game.store);
        game.battleMessageMs = ParseBattleDelay(ini.valueOr(kMessageSection, kBattleDelayKey));
    } catch (const GameError&) {
        // A file that cannot be read leaves the narration waiting for keys.
    }
}

} // namespace qvr
