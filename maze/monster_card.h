#pragma once

// The monster card fraMonster: what the dictionary tells of a monster, in
// place of the character sheet.

#include <string>
#include <vector>

namespace qvr {

struct MonsterDef;

// The lines of lblMonster as printed, numbers full-width.
struct MonsterCard {
    std::string name;
    std::string unknownName;                 // under "不確定名"
    std::vector<std::string> values;         // "出現数　　　１Ｄ４+０", ...
    std::vector<std::string> specialAttacks; // under "特殊攻撃"
    std::vector<std::string> defences;       // under "防御"

    bool operator==(const MonsterCard&) const = default;
};

MonsterCard MakeMonsterCard(const MonsterDef& monster);

// One defence line: "炎　　反射", "冷気　吸収", "雷撃　無効５０％", or ""
// for a value of 0, which shows no line.
std::string DefenceLine(const char* element, int value);

// The card as lines, for the script transcript, the dump and tests.
std::vector<std::string> MonsterCardLines(const MonsterCard& card);

} // namespace qvr
