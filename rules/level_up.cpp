#include "rules/level_up.h"

#include <algorithm>

#include "core/dice.h"
#include "core/game.h"
#include "core/prompts.h"
#include "core/textformat.h"
#include "rules/class_rules.h"
#include "rules/equipment.h"
#include "rules/spell_learning.h"

namespace qvr {

namespace {

constexpr int kItemSlots = 12;
constexpr int32_t kLowestAc = -255;
constexpr const char* kTitle = "ＬＶＵＰ";

std::string raiseHitPoints(Game& game, Character& c)
{
    const int32_t formula = HpRoll(game.rng, c.level, c.classCode, c.vitality);
    // A poor roll still brings one point: a level never leaves the body as it was.
    const int32_t gain = formula > c.maxHp ? formula - c.maxHp : 1;
    c.maxHp += gain;
    c.hp += gain;
    return "最大ＨＰが" + fullWidthDigits(gain) + "ポイントあがった";
}

std::string driftAttributes(Game& game, Character& c)
{
    Attributes values = AttributesOf(c);
    const Attributes maxima = AttributeMaxima(c.race, c.sex);
    const auto& names = AttributeNames();
    std::string text;
    for (int i = 0; i < kAttributeCount; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const int drift = AttributeDrift(game.rng.uniform(), values[n], maxima[n], c.age);
        values[n] += drift;
        if (drift < 0)
            text += names[n] + "が１ポイント下がった\r";
        else if (drift > 0)
            text += names[n] + "が１ポイント上がった\r";
    }
    SetAttributes(c, values);
    return text;
}

int learnSpells(Game& game, Character& c)
{
    int learnt = 0;
    for (const SpellStudy& study : SpellStudies(c.classCode, c.level))
        learnt += StudySchool(game.rng, c, study);
    return learnt;
}

bool wearsNothing(const Character& c)
{
    for (int slot = 1; slot <= kItemSlots; ++slot)
        if (c.itemFlags[slot] & ItemFlag::SlotMask)
            return false;
    return true;
}

} // namespace

int AttributeDrift(float r, int value, int maximum, int age)
{
    const float loss = age > 50 ? 0.4f : 0.1f;
    if (r < loss && value >= 1)
        return -1;
    if (r > 0.65f && value < maximum)
        return 1;
    return 0;
}

int32_t BareNinjaAc(int32_t level)
{
    return std::max(8 - level / 3, kLowestAc);
}

void GainLevel(Game& game, int rosterNo)
{
    Character& c = game.character(rosterNo);
    ++c.level;
    c.maxLevel = std::max(c.maxLevel, c.level);

    const std::string hpText = raiseHitPoints(game, c);
    ShowMessage(game, kTitle, c.name + "はＬＶが上がった\r" + hpText);

    const std::string drift = driftAttributes(game, c);
    if (!drift.empty())
        ShowMessage(game, "", drift);

    const int learnt = learnSpells(game, c);
    if (learnt > 0)
        ShowMessage(game, "", fullWidthDigits(learnt) + "個の呪文を憶えた");

    if (c.classCode == Class::Ninja && wearsNothing(c)) {
        c.baseAc = BareNinjaAc(c.level);
        c.ac = ProtectedAc(game, c.baseAc);
    }
}

} // namespace qvr
