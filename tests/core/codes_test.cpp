#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/codes.h"
#include "core/records.h"

namespace qvr {
namespace {

struct CodeCase {
    int32_t code;
    std::string text;
};

TEST(ConditionTextTest, BitsWithoutTextShowNothing)
{
    for (int32_t bits : {0, 131072, Cond::CurseBound, Cond::BattleMarkA, Cond::BattleMarkB,
                         131072 | Cond::CurseBound | Cond::BattleMarkA | Cond::BattleMarkB})
        EXPECT_EQ(ConditionText(bits), "") << "bits " << bits;
}

TEST(ConditionTextTest, GravestConditionWins)
{
    // Each row pairs a condition with the next in rank, so every text shows once.
    const CodeCase cases[] = {
        {Cond::Poisoned | Cond::Dead, "死"},
        {Cond::Vanished | Cond::Ashes | Cond::Dead, "消滅"},
        {Cond::Ashes | Cond::Dead, "灰燼"},
        {Cond::Dead | Cond::Stoned, "死"},
        {Cond::Stoned | Cond::Fly, "石化"},
        {Cond::Fly | Cond::Carrot, "蝿"}, // 1024 outranks 2048
        {Cond::Carrot | Cond::Sick, "ニンジン"},
        {Cond::Sick | Cond::Paralysed, "病気"},
        {Cond::Paralysed | Cond::Confused, "麻痺"},
        {Cond::Confused | Cond::Charmed, "混乱"},
        {Cond::Charmed | Cond::Asleep, "誘惑"}, // 64 outranks 1
        {Cond::Asleep | Cond::Blind, "睡眠"},
        {Cond::Blind | Cond::Frozen, "盲目"},
        {Cond::Frozen | Cond::Shocked, "氷結"},
        {Cond::Shocked | Cond::Afraid, "感電"},
        {Cond::Afraid | Cond::Poisoned, "恐怖"},
        {Cond::Poisoned | Cond::Silenced, "毒"},
        {Cond::Silenced | Cond::Hidden, "沈黙"},
        {Cond::Hidden | Cond::CurseBound, "隠れている"},
        {Cond::Hidden, "隠れている"},
        {-1, "消滅"},
    };
    for (const CodeCase& c : cases)
        EXPECT_EQ(ConditionText(c.code), c.text) << "bits " << c.code;
}

TEST(RaceTextTest, AbbreviationsAndCreationNames)
{
    struct RaceCase {
        int32_t race;
        std::string abbrev;
        std::string name;
    };
    const RaceCase cases[] = {
        {Race::Human, "Ｈｕｍ", "人間"},
        {Race::Elf, "Ｅｌｆ", "エルフ"},
        {Race::Dwarf, "Ｄｗａ", "ドワーフ"},
        {Race::Gnome, "Ｇｎｏ", "ノーム"},
        {Race::Hobbit, "Ｈｏｂ", "ホビット"},
        {Race::Fairy, "Ｆａｉ", "フェアリー"},
        {Race::Dragon, "Ｄｒａ", "ドラゴン"},
        {Race::Demon, "Ｄｅｍ", "悪魔"},
        {Race::Angel, "Ａｎｇ", "天使"},
        {Race::Mutant, "Ｍｕｔ", ""},
        {0, "", ""},
        {3, "", ""},
        {1024, "", ""},
        {-1, "", ""},
    };
    for (const RaceCase& c : cases) {
        EXPECT_EQ(RaceAbbrev(c.race), c.abbrev) << "race " << c.race;
        EXPECT_EQ(RaceName(c.race), c.name) << "race " << c.race;
    }
}

TEST(ClassTextTest, AbbreviationsAndNames)
{
    struct ClassCase {
        int32_t classCode;
        std::string abbrev;
        std::string name;
    };
    const ClassCase cases[] = {
        {Class::Fighter, "Ｆｉｇ", "戦士"},
        {Class::Wizard, "Ｗｉｚ", "魔導士"},
        {Class::Cleric, "Ｃｌｅ", "僧侶"},
        {Class::Thief, "Ｔｈｉ", "盗賊"},
        {Class::Sage, "Ｓａｇ", "賢者"},
        {Class::Bard, "Ｂａｒ", "バード"},
        {Class::Valkyrie, "Ｖａｌ", "ワルキュリア"},
        {Class::Samurai, "Ｓａｍ", "侍"},
        {Class::Lord, "Ｌｏｒ", "ロード"},
        {Class::Ninja, "Ｎｉｎ", "忍者"},
        {Class::MagicSwordsman, "Ｗａｒ", "魔剣士"},
        {Class::Onmyoji, "Ｙｉｎ", "陰陽師"},
        {Class::MartialArtist, "Ｋｕｎ", "武闘家"},
        {64, "", ""},
        {4096, "", ""},
        {0, "", ""},
        {3, "", ""},
    };
    for (const ClassCase& c : cases) {
        EXPECT_EQ(ClassAbbrev(c.classCode), c.abbrev) << "class " << c.classCode;
        EXPECT_EQ(ClassName(c.classCode), c.name) << "class " << c.classCode;
    }
}

TEST(ClassLabelTest, AlignmentPrefixThenAbbreviation)
{
    struct LabelCase {
        int32_t alignment;
        int32_t classCode;
        std::string label;
    };
    const LabelCase cases[] = {
        {Align::Lawful, Class::Fighter, "Ｌ－Ｆｉｇ"},
        {Align::Neutral, Class::Thief, "Ｎ－Ｔｈｉ"},
        {Align::Chaotic, Class::MartialArtist, "Ｃ－Ｋｕｎ"},
        {Align::Neutral, 64, "Ｎ－"},
        {Align::Chaotic, 4096, "Ｃ－"},
        {0, Class::Wizard, "Ｗｉｚ"},
        {3, Class::Lord, "Ｌｏｒ"}, // a mixed value is no alignment
        {8, 0, ""},
    };
    for (const LabelCase& c : cases)
        EXPECT_EQ(ClassLabel(c.alignment, c.classCode), c.label)
            << "alignment " << c.alignment << " class " << c.classCode;
}

TEST(AlignmentTextTest, PrefixesAndNames)
{
    EXPECT_EQ(AlignmentName(Align::Lawful), "秩序");
    EXPECT_EQ(AlignmentName(Align::Neutral), "中立");
    EXPECT_EQ(AlignmentName(Align::Chaotic), "混沌");
    EXPECT_EQ(AlignmentName(0), "");
    EXPECT_EQ(AlignmentPrefix(Align::Chaotic), "Ｃ－");
    EXPECT_EQ(AlignmentPrefix(6), "");
}

TEST(SexTextTest, OnlyOneIsMale)
{
    EXPECT_EQ(SexText(1), "男");
    EXPECT_EQ(SexText(2), "女");
    EXPECT_EQ(SexText(0), "女");
    EXPECT_EQ(SexText(3), "女");
}

TEST(ItemKindTextTest, KindsAndTheCatchAll)
{
    const CodeCase cases[] = {
        {1, "武器"},       {2, "盾"},          {3, "鎧"},     {4, "小手"},    {5, "靴"},
        {6, "兜"},         {7, "アクセサリ"},  {8, "その他"}, {9, "楽器"},    {10, "マテリアル"},
        {11, "その他"},    {12, "護符・宝珠"}, {0, "その他"}, {13, "その他"}, {-1, "その他"},
        {65537, "その他"}, // a Long beyond any Integer kind
    };
    for (const CodeCase& c : cases)
        EXPECT_EQ(ItemKindText(c.code), c.text) << "kind " << c.code;
}

} // namespace
} // namespace qvr
