#include "rules/spell_outcomes.h"

#include <algorithm>

namespace qvr {

namespace {

void Revived(Character& c)
{
    if (c.rip < INT32_MAX)
        c.rip += 1;
    if (c.vitality > 1)
        c.vitality -= 1;
}

} // namespace

Healing HealingRefusal(const Character& c)
{
    if (c.conditions & Cond::BeyondCare)
        return Healing::BeyondCare;
    if (c.conditions & Cond::Sick)
        return Healing::Sick;
    return Healing::Healed;
}

Healing Heal(Character& c, int64_t amount, bool full)
{
    const Healing refusal = HealingRefusal(c);
    if (refusal != Healing::Healed)
        return refusal;
    if (full || int64_t{c.hp} + std::max<int64_t>(amount, 0) >= c.maxHp) {
        c.hp = std::max(c.hp, c.maxHp);
        return Healing::Full;
    }
    c.hp = static_cast<int32_t>(c.hp + std::max<int64_t>(amount, 0));
    return Healing::Healed;
}

bool Cure(Character& c, int32_t ailments)
{
    const bool had = (c.conditions & ailments) != 0;
    c.conditions &= ~ailments;
    return had;
}

Raising RaiseDead(Character& c, int32_t vitalityRoll, int32_t failBelow)
{
    if ((c.conditions & (Cond::Ashes | Cond::Vanished)) || !(c.conditions & Cond::Dead))
        return Raising::Nothing;
    if (vitalityRoll < failBelow) {
        c.conditions = Cond::Ashes;
        return Raising::ToAshes;
    }
    c.conditions &= ~Cond::Dead;
    c.hp = 1;
    Revived(c);
    return Raising::Raised;
}

Raising RaiseFully(Character& c, int32_t vitalityRoll, int32_t failBelow)
{
    if ((c.conditions & Cond::Vanished) || !(c.conditions & (Cond::Dead | Cond::Ashes)))
        return Raising::Nothing;
    if (vitalityRoll < failBelow) {
        if (c.conditions & Cond::Ashes) {
            c.conditions = Cond::Dead | Cond::Vanished;
            return Raising::Vanished;
        }
        c.conditions = Cond::Ashes;
        return Raising::ToAshes;
    }
    c.conditions &= Cond::CurseBound;
    c.hp = c.maxHp;
    Revived(c);
    return Raising::Raised;
}

} // namespace qvr
