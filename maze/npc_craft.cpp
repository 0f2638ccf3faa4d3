#include "core/bounded.h"
#include "core/game.h"
#include "maze/npc.h"

namespace qvr {

namespace {

// The variant of each combination code, as runs of codes: a run starts at
// `from` and lasts until the next run. 0 keeps the variant already forged.
struct VariantRun {
    uint8_t from;
    uint8_t variant;
};

constexpr VariantRun kVariantRuns[] = {
    {0, 1},    {1, 2},    {4, 3},    {10, 4},   {11, 5},   {15, 6},   {21, 7},   {22, 8},
    {25, 9},   {32, 10},  {40, 11},  {41, 12},  {42, 11},  {43, 12},  {45, 11},  {47, 13},
    {50, 12},  {51, 14},  {52, 2},   {54, 13},  {55, 3},   {56, 4},   {57, 7},   {58, 8},
    {59, 9},   {60, 2},   {61, 12},  {62, 15},  {64, 1},   {65, 15},  {69, 1},   {72, 16},
    {73, 17},  {74, 18},  {75, 17},  {76, 16},  {78, 17},  {79, 18},  {81, 19},  {87, 21},
    {92, 22},  {93, 23},  {98, 24},  {100, 21}, {101, 22}, {102, 24}, {105, 25}, {106, 6},
    {107, 9},  {108, 25}, {109, 10}, {110, 22}, {111, 25}, {112, 26}, {115, 27}, {116, 17},
    {117, 15}, {118, 14}, {119, 27}, {120, 28}, {130, 29}, {140, 31}, {141, 28}, {144, 29},
    {145, 31}, {150, 28}, {153, 29}, {154, 31}, {160, 29}, {161, 31}, {162, 29}, {163, 31},
    {175, 0},  {185, 33}, {190, 0},  {191, 33}, {195, 0},  {196, 33}, {200, 20}, {201, 34},
    {210, 0},  {211, 35}, {212, 36}, {215, 0},  {216, 36}, {220, 0},  {221, 34}, {222, 33},
    {223, 35}, {224, 38}, {230, 33}, {231, 34}, {232, 39}, {236, 35}, {237, 39}, {240, 40},
    {243, 30}, {244, 40}, {247, 35}, {248, 40}, {250, 37}, {251, 33}, {252, 35}, {253, 37},
    {255, 37},
};

} // namespace

int CraftVariantFor(int code)
{
    if (code < 0 || code > 255)
        return 0;
    int variant = 0;
    for (const VariantRun& run : kVariantRuns) {
        if (run.from > code)
            break;
        variant = run.variant;
    }
    return variant;
}

void BuildCraftedWeaponFrom(Game& game, int variant)
{
    if (!Bounded<ItemDef, 0, 40>::contains(variant))
        variant = 0; // a damaged flag must not reach outside the table
    ItemDef weapon = game.content().craftVariants[variant];
    weapon.name = "コスモドラグーン";
    weapon.unknownName = "コスモドラグーン";
    weapon.kind = 1;
    weapon.itemNo = kCraftedWeapon;
    game.state.craftedWeapon = std::move(weapon);
}

} // namespace qvr
