#include "core/codes.h"

#include <array>
#include <string_view>

#include "core/records.h"

namespace qvr {
namespace {

struct CodeText {
    int32_t code;
    std::string_view text;
};

template <std::size_t N> std::string Lookup(const std::array<CodeText, N>& table, int32_t code)
{
    for (const CodeText& row : table)
        if (row.code == code)
            return std::string(row.text);
    return {};
}

// Only one condition fits in a list column, so the gravest one present wins:
// the first match in this order is shown.
constexpr std::array<CodeText, 18> kConditions{{
    {Cond::Vanished, "消滅"},
    {Cond::Ashes, "灰燼"},
    {Cond::Dead, "死"},
    {Cond::Stoned, "石化"},
    {Cond::Fly, "蝿"},
    {Cond::Carrot, "ニンジン"},
    {Cond::Sick, "病気"},
    {Cond::Paralysed, "麻痺"},
    {Cond::Confused, "混乱"},
    {Cond::Charmed, "誘惑"},
    {Cond::Asleep, "睡眠"},
    {Cond::Blind, "盲目"},
    {Cond::Frozen, "氷結"},
    {Cond::Shocked, "感電"},
    {Cond::Afraid, "恐怖"},
    {Cond::Poisoned, "毒"},
    {Cond::Silenced, "沈黙"},
    {Cond::Hidden, "隠れている"},
}};

constexpr std::array<CodeText, 10> kRaceAbbrevs{{
    {Race::Human, "Ｈｕｍ"},
    {Race::Elf, "Ｅｌｆ"},
    {Race::Dwarf, "Ｄｗａ"},
    {Race::Gnome, "Ｇｎｏ"},
    {Race::Hobbit, "Ｈｏｂ"},
    {Race::Fairy, "Ｆａｉ"},
    {Race::Dragon, "Ｄｒａ"},
    {Race::Demon, "Ｄｅｍ"},
    {Race::Angel, "Ａｎｇ"},
    {Race::Mutant, "Ｍｕｔ"},
}};

// Mutants come only from fusion, never from the creation screen.
constexpr std::array<CodeText, 9> kRaceNames{{
    {Race::Human, "人間"},
    {Race::Elf, "エルフ"},
    {Race::Dwarf, "ドワーフ"},
    {Race::Gnome, "ノーム"},
    {Race::Hobbit, "ホビット"},
    {Race::Fairy, "フェアリー"},
    {Race::Dragon, "ドラゴン"},
    {Race::Demon, "悪魔"},
    {Race::Angel, "天使"},
}};

constexpr std::array<CodeText, 13> kClassAbbrevs{{
    {Class::Fighter, "Ｆｉｇ"},
    {Class::Wizard, "Ｗｉｚ"},
    {Class::Cleric, "Ｃｌｅ"},
    {Class::Thief, "Ｔｈｉ"},
    {Class::Sage, "Ｓａｇ"},
    {Class::Bard, "Ｂａｒ"},
    {Class::Valkyrie, "Ｖａｌ"},
    {Class::Samurai, "Ｓａｍ"},
    {Class::Lord, "Ｌｏｒ"},
    {Class::Ninja, "Ｎｉｎ"},
    {Class::MagicSwordsman, "Ｗａｒ"},
    {Class::Onmyoji, "Ｙｉｎ"},
    {Class::MartialArtist, "Ｋｕｎ"},
}};

constexpr std::array<CodeText, 13> kClassNames{{
    {Class::Fighter, "戦士"},
    {Class::Wizard, "魔導士"},
    {Class::Cleric, "僧侶"},
    {Class::Thief, "盗賊"},
    {Class::Sage, "賢者"},
    {Class::Bard, "バード"},
    {Class::Valkyrie, "ワルキュリア"},
    {Class::Samurai, "侍"},
    {Class::Lord, "ロード"},
    {Class::Ninja, "忍者"},
    {Class::MagicSwordsman, "魔剣士"},
    {Class::Onmyoji, "陰陽師"},
    {Class::MartialArtist, "武闘家"},
}};

constexpr std::array<CodeText, 3> kAlignmentPrefixes{{
    {Align::Lawful, "Ｌ－"},
    {Align::Neutral, "Ｎ－"},
    {Align::Chaotic, "Ｃ－"},
}};

constexpr std::array<CodeText, 3> kAlignmentNames{{
    {Align::Lawful, "秩序"},
    {Align::Neutral, "中立"},
    {Align::Chaotic, "混沌"},
}};

constexpr std::array<CodeText, 10> kItemKinds{{
    {1, "武器"},
    {2, "盾"},
    {3, "鎧"},
    {4, "小手"},
    {5, "靴"},
    {6, "兜"},
    {7, "アクセサリ"},
    {9, "楽器"},
    {10, "マテリアル"},
    {12, "護符・宝珠"},
}};

} // namespace

std::string ConditionText(int32_t bits)
{
    for (const CodeText& row : kConditions)
        if ((bits & row.code) != 0)
            return std::string(row.text);
    return {};
}

std::string RaceAbbrev(int32_t race)
{
    return Lookup(kRaceAbbrevs, race);
}
std::string RaceName(int32_t race)
{
    return Lookup(kRaceNames, race);
}
std::string ClassAbbrev(int32_t classCode)
{
    return Lookup(kClassAbbrevs, classCode);
}
std::string ClassName(int32_t classCode)
{
    return Lookup(kClassNames, classCode);
}
std::string AlignmentPrefix(int32_t alignment)
{
    return Lookup(kAlignmentPrefixes, alignment);
}
std::string AlignmentName(int32_t alignment)
{
    return Lookup(kAlignmentNames, alignment);
}

std::string ClassLabel(int32_t alignment, int32_t classCode)
{
    return AlignmentPrefix(alignment) + ClassAbbrev(classCode);
}

std::string SexText(int32_t sex)
{
    return sex == 1 ? "男" : "女";
}

std::string ItemKindText(int32_t kind)
{
    std::string text = Lookup(kItemKinds, kind);
    return text.empty() ? "その他" : text;
}

} // namespace qvr
