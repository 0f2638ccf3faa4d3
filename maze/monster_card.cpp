#include "maze/monster_card.h"

#include <array>
#include <utility>

#include "core/records.h"
#include "core/textformat.h"

namespace qvr {

namespace {

// The effect chances the card speaks of, by their index in `chance`.
constexpr std::array<std::pair<int, const char*>, 15> kSpecialAttacks{{
    {15, "追加攻撃：睡眠"},
    {16, "追加攻撃：麻痺"},
    {17, "追加攻撃：恐怖"},
    {18, "追加攻撃：混乱"},
    {19, "追加攻撃：氷結"},
    {20, "追加攻撃：感電"},
    {21, "追加攻撃：誘惑"},
    {22, "追加攻撃：毒"},
    {23, "追加攻撃：沈黙"},
    {24, "追加攻撃：盲目"},
    {27, "追加攻撃：病気"},
    {28, "追加攻撃：ＨＰドレイン"},
    {29, "追加攻撃：石化"},
    {30, "エナジードレイン"},
    {31, "クリティカルヒット"},
}};

// The defences by their index in `res`; the magic value is res[2] and
// res[3] is not shown.
constexpr std::array<std::pair<int, const char*>, 12> kDefences{{
    {1, "物理"},
    {4, "炎　"},
    {5, "水　"},
    {6, "風　"},
    {7, "土　"},
    {8, "冷気"},
    {9, "雷撃"},
    {10, "毒　"},
    {11, "精神"},
    {12, "光　"},
    {13, "闇　"},
    {2, "魔法"},
}};

std::string fw(long long n)
{
    return fullWidthDigits(n);
}

std::string dice(const Dice3& d, const char* letter)
{
    return fw(d[0]) + letter + fw(d[1]) + "+" + fw(d[2]);
}

} // namespace

std::string DefenceLine(const char* element, int value)
{
    if (value < 0)
        return std::string(element) + "　反射";
    if (value > 100)
        return std::string(element) + "　吸収";
    if (value > 0)
        return std::string(element) + "　無効" + fw(value) + "％";
    return "";
}

MonsterCard MakeMonsterCard(const MonsterDef& m)
{
    MonsterCard card;
    card.name = m.name;
    card.unknownName = m.unknownName;
    card.values = {
        "出現数　　　" + dice(m.groupDice, "Ｄ"),
        "経験値 　　　" + fw(m.expValue),
        "ＨＰ　　　　" + dice(m.hpDice, "D"),
        "ダメージ　　" + dice(m.damageDice, "D"),
        "攻撃回数　　" + fw(m.attacks),
        "ＡＣ　　　　" + fw(m.ac),
        "力　　　　　" + fw(m.strength),
        "素早さ　　　" + fw(m.agility),
        "運　　　　　" + fw(m.luck),
    };
    for (const auto& [index, text] : kSpecialAttacks)
        if (m.chance[index] != 0)
            card.specialAttacks.push_back(text);
    for (const auto& [index, element] : kDefences)
        if (std::string line = DefenceLine(element, m.res[index]); !line.empty())
            card.defences.push_back(line);
    return card;
}

std::vector<std::string> MonsterCardLines(const MonsterCard& card)
{
    std::vector<std::string> lines{card.name, "不確定名: " + card.unknownName};
    lines.insert(lines.end(), card.values.begin(), card.values.end());
    std::string special = "特殊攻撃:";
    for (const std::string& s : card.specialAttacks)
        special += " " + s;
    std::string defence = "防御:";
    for (const std::string& d : card.defences)
        defence += " " + d;
    lines.push_back(special);
    lines.push_back(defence);
    return lines;
}

} // namespace qvr
