#include "game/status_fields.h"

#include <charconv>
#include <cmath>

#include "core/codes.h"
#include "core/game.h"
#include "core/prompts.h"
#include "core/textformat.h"
#include "rules/class_rules.h"
#include "rules/equipment.h"

namespace qvr {

namespace {

constexpr int kItemSlots = 12;
constexpr int kHpWidth = 8;

std::string SpellPointLine(const Character& c, int school)
{
    std::string line = kSchoolLineHeads[static_cast<std::size_t>(school)];
    for (int level = 1; level <= 9; ++level) {
        if (level > 1)
            line += " / ";
        line += std::to_string(c.mp(school, level));
    }
    return line;
}

} // namespace

StatusSheet DrawStatusSheet(Game& game, int rosterNo)
{
    Character& c = game.character(rosterNo);
    c.ac = ProtectedAc(game, c.baseAc);

    StatusSheet s;
    s.caption = c.name;
    if (c.specialFlags & Special::Finished)
        s.caption += kFinishedMark;
    s.classLabel = ClassLabel(c.alignment, c.classCode);
    s.race = RaceAbbrev(c.race);
    s.sex = SexText(c.sex);
    s.level = std::to_string(c.level);
    s.exp = std::to_string(c.exp);
    s.gold = std::to_string(c.gold);
    s.marks = std::to_string(c.marks);
    s.age = std::to_string(c.age);
    s.rip = std::to_string(c.rip);
    s.ac = std::to_string(c.baseAc);
    const Attributes attributes = AttributesOf(c);
    for (std::size_t i = 0; i < attributes.size(); ++i)
        s.attributes[i] = std::to_string(attributes[i]);
    s.hp = "ＨＰ" + padRightAligned(std::to_string(c.hp), kHpWidth, Overflow::Keep) + "／" +
           padRightAligned(std::to_string(c.maxHp), kHpWidth, Overflow::Keep);
    for (int school = 0; school < 2; ++school)
        s.spellPoints[static_cast<std::size_t>(school)] = SpellPointLine(c, school);
    s.condition = ConditionText(c.conditions);
    s.walk = StepsText(c.steps);
    return s;
}

std::vector<std::string> SheetLines(const StatusSheet& s)
{
    std::vector<std::string> lines = {
        s.caption,
        s.classLabel + " " + s.race + " " + s.sex,
        std::string(kLevelLabel) + " " + s.level,
        std::string(kExpLabel) + " " + s.exp,
        std::string(kGoldLabel) + " " + s.gold,
        std::string(kMarksLabel) + " " + s.marks,
        std::string(kAgeLabel) + " " + s.age,
        std::string(kRipLabel) + " " + s.rip,
        std::string(kAcLabel) + " " + s.ac,
    };
    for (std::size_t i = 0; i < s.attributes.size(); ++i)
        lines.push_back(AttributeNames()[i] + " " + s.attributes[i]);
    lines.push_back(s.hp);
    lines.push_back(s.spellPoints[0]);
    lines.push_back(s.spellPoints[1]);
    lines.push_back(s.condition);
    lines.push_back(std::string(kWalkLabel) + " " + s.walk);
    return lines;
}

std::string ItemLineBody(const Game& game, int rosterNo, int slot)
{
    const Character& c = game.character(rosterNo);
    return ItemMark(c.itemFlags[slot]) + CarriedItemName(game, rosterNo, slot);
}

std::vector<Row> ItemLines(const Game& game, int rosterNo)
{
    const Character& c = game.character(rosterNo);
    std::vector<Row> rows;
    for (int slot = 1; slot <= kItemSlots; ++slot) {
        if (c.items[slot] == 0)
            continue;
        const int line = static_cast<int>(rows.size()) + 1;
        rows.push_back(
            {formatTwoDigits(line) + ":" + ItemLineBody(game, rosterNo, slot), 0, slot, {}});
    }
    return rows;
}

std::string StepsText(float steps)
{
    if (std::isfinite(steps) && std::fabs(steps) < 1e9f && steps == std::trunc(steps))
        return std::to_string(static_cast<long long>(steps));
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, steps).ptr;
    return std::string(text, end);
}

} // namespace qvr
