// The dungeon characters' rules that need no meeting: the custom weapon's
// variant by combination code, the riddle's comparison, the traders' price.

#include <gtest/gtest.h>

#include "maze/npc.h"

using namespace qvr;

namespace {

TEST(CustomWeapon, VariantFollowsTheCombinationCode)
{
    // The edges of the runs, the codes that keep the forged variant (0), and
    // codes outside the four choices.
    const struct {
        int code;
        int variant;
    } cases[] = {
        {0, 1},    {1, 2},    {3, 2},    {4, 3},    {9, 3},   {10, 4},  {42, 11},
        {44, 12},  {52, 2},   {53, 2},   {62, 15},  {63, 15}, {64, 1},  {71, 1},
        {72, 16},  {119, 27}, {129, 28}, {174, 31}, {175, 0}, {184, 0}, {185, 33},
        {190, 0},  {195, 0},  {200, 20}, {209, 34}, {210, 0}, {215, 0}, {220, 0},
        {243, 30}, {250, 37}, {253, 37}, {255, 37}, {-1, 0},  {256, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CraftVariantFor(c.code), c.variant) << "code " << c.code;
}

TEST(Riddle, AnswersAreComparedInUpperCaseFullWidth)
{
    const struct {
        const char* typed;
        const char* accepted;
        bool ok;
    } cases[] = {
        {"シ", "シ", true},
        {"ｼ", "シ", true}, // half-width katakana
        {"くすり", "薬|くすり|クスリ", true},
        {"クスリ", "薬|くすり|クスリ", true},
        {"ｸｽﾘ", "薬|くすり|クスリ", true},
        {"ﾊﾟﾄｶｰ", "パトカー|ぱとかー", true},
        {"human", "人間|ＨＵＭＡＮ", true},
        {"HuMaN", "人間|ＨＵＭＡＮ", true},
        {"パトカーだ", "パトカー|ぱとかー", false}, // something added fails
        {"", "シ", false},
        {"ト", "シ", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnswerAccepted(c.typed, c.accepted), c.ok) << c.typed;
}

TEST(NpcTrade, SalePriceRoundsHalvesToEven)
{
    EXPECT_EQ(SalePrice(5, 0.5f), 2); // 2.5 goes down to the even 2
    EXPECT_EQ(SalePrice(7, 0.5f), 4); // 3.5 goes up to the even 4
    EXPECT_EQ(SalePrice(100, 0.3f), 30);
    EXPECT_EQ(SalePrice(1, 0.4f), 0);
    EXPECT_EQ(SalePrice(1500, 0.8f), 1200);
}

} // namespace
