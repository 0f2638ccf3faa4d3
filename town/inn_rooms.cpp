#include "town/inn_rooms.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/textformat.h"

namespace qvr {

namespace {

// Full-width digits, point and minus as a Japanese keyboard types them.
std::string halfWidthNumber(std::string_view typed)
{
    static constexpr std::string_view kWide[] = {"０", "１", "２", "３", "４", "５", "６",
                                                 "７", "８", "９", "．", "－", "＋"};
    static constexpr char kNarrow[] = "0123456789.-+";
    std::string out;
    for (std::size_t i = 0; i < typed.size();) {
        bool wide = false;
        for (std::size_t k = 0; k < std::size(kWide); ++k) {
            if (typed.substr(i).starts_with(kWide[k])) {
                out += kNarrow[k];
                i += kWide[k].size();
                wide = true;
                break;
            }
        }
        if (!wide)
            out += typed[i++];
    }
    return out;
}

} // namespace

const std::array<InnRoom, 5>& InnRooms()
{
    static const std::array<InnRoom, 5> rooms{{
        {"1)い ぬ ご や            タダ！", 0, 0, "いぬごや", "寝苦しそうに眠っている・・・", ""},
        {"2)簡 易 寝 台            １Ｗ／１０   ＨＰ＋１", 10, 1, "簡易寝台", "眠っている・・・",
         "そんな長く寝ると体をこわしますよ"},
        {"3)シ ン グ ル ル ー ム   １Ｗ／５０　 ＨＰ＋３", 50, 3, "シングルルーム",
         "健やかに眠っている・・・", "最近睡眠不足なのかい？"},
        {"4)ス イ ー ト ル ー ム   １Ｗ／１００ ＨＰ＋５", 100, 5, "スイートルーム",
         "気持ちよく眠っている・・・", "君の人生に悲しい事でもあったのかい？"},
        {"5)Ｖ Ｉ Ｐ ル ー ム      １Ｗ／１５０ ＨＰ＋１０", 150, 10, "ＶＩＰルーム",
         "リッチな気分で眠っている・・・",
         "お客様，申し訳ありませんが\rそのような長居は困りますm(_ _)m"},
    }};
    return rooms;
}

const char* InnLeaveRow()
{
    return "6)宿　か  ら  出 る";
}

WeeksAnswer ReadWeeks(std::string_view typed)
{
    std::string text = halfWidthNumber(TrimBlanks(typed));
    std::string_view digits = text;
    if (digits.starts_with('+'))
        digits.remove_prefix(1);
    double weeks = 0;
    const char* end = digits.data() + digits.size();
    auto [stop, error] = std::from_chars(digits.data(), end, weeks, std::chars_format::fixed);
    if (digits.empty() || error != std::errc{} || stop != end || !std::isfinite(weeks))
        return {};
    if (weeks > kLongestStay)
        return {WeeksAnswer::Kind::TooLong, 0};
    if (weeks < 1)
        return {};
    // rint rounds in the default mode: to the nearest, halves to the even.
    return {WeeksAnswer::Kind::Stay, static_cast<int32_t>(std::rint(weeks))};
}

} // namespace qvr
