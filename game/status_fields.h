#pragma once

// What the status window shows of one character: the sheet of fields and
// the numbered item lines. Drawing the sheet also puts the character's
// armour class in effect, as the party's protection spells stand.

#include <array>
#include <string>
#include <vector>

#include "core/screen.h"

namespace qvr {

class Game;

// Labels printed before the values, in the order of the sheet's fields; the
// attributes take the names of the distribution list.
inline constexpr const char* kLevelLabel = "ＬＶ";
inline constexpr const char* kExpLabel = "EXP";
inline constexpr const char* kGoldLabel = "Gold";
inline constexpr const char* kMarksLabel = "Marks";
inline constexpr const char* kAgeLabel = "年齢";
inline constexpr const char* kRipLabel = "Ｒｉｐ";
inline constexpr const char* kAcLabel = "Ａ・Ｃ";
inline constexpr const char* kWalkLabel = "Walk";
// The spell-point lines begin with the school's name and two blanks.
inline constexpr std::array<const char*, 2> kSchoolLineHeads = {"Ｗｉｚａｒｄ  ", "Ｃｌｅｒｉｃ  "};
inline constexpr const char* kFinishedMark = "  〈∮〉";

// Every value as the window prints it.
struct StatusSheet {
    std::string caption;    // the window's caption and title: name, and the mark of a finisher
    std::string classLabel; // "Ｌ－Ｆｉｇ"
    std::string race;       // "Ｈｕｍ"
    std::string sex;        // "男" or "女"
    std::string level;
    std::string exp;
    std::string gold;
    std::string marks;
    std::string age;
    std::string rip;
    std::string ac;                         // baseAc: the window leaves the protection out
    std::array<std::string, 6> attributes;  // strength, iq, piety, vitality, agility, luck
    std::string hp;                         // "ＨＰ      12／      20"
    std::array<std::string, 2> spellPoints; // "Ｗｉｚａｒｄ  1 / 0 / ..." for schools 0 and 1
    std::string condition;                  // "" when nothing ails the character
    std::string walk;                       // maze steps taken

    bool operator==(const StatusSheet&) const = default;
};

// Fills the sheet for a character and sets its `ac` from `baseAc` and the
// party's protection.
StatusSheet DrawStatusSheet(Game& game, int rosterNo);

// The sheet as label and value lines, in the window's order, for the script
// runner's transcript and for tests.
std::vector<std::string> SheetLines(const StatusSheet& sheet);

// One line per carried item, "01:" + mark + name, the line's value being the
// pack slot it stands for.
std::vector<Row> ItemLines(const Game& game, int rosterNo);

// A carried item as the lines show it after the number: mark and name.
std::string ItemLineBody(const Game& game, int rosterNo, int slot);

// The count of maze steps, as a decimal number without a needless fraction.
std::string StepsText(float steps);

} // namespace qvr
