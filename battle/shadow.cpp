#include "battle/shadow.h"

#include "battle/battle_rules.h"
#include "battle/melee.h"
#include "core/game.h"
#include "rules/equipment.h"

namespace qvr {

int SignatureMove(int classCode)
{
    switch (classCode) {
    case Class::Fighter:
        return 47;
    case Class::Wizard:
        return 56;
    case Class::Cleric:
        return 69;
    case Class::Thief:
        return 78;
    case Class::Sage:
        return 64;
    case Class::Bard:
        return 31;
    case Class::Valkyrie:
        return 68;
    case Class::Samurai:
        return 67;
    case Class::Lord:
        return 66;
    case Class::Ninja:
        return 45;
    case Class::MagicSwordsman:
        return 53;
    case Class::Onmyoji:
        return 50;
    case Class::MartialArtist:
        return 52;
    default:
        return 0;
    }
}

void MakeShadow(Game& game, MonsterDef& m, const Character& c)
{
    m.hp = c.maxHp;
    m.maxHp = c.maxHp;
    m.name = c.name;
    m.unknownName = c.name;
    m.ac = static_cast<int16_t>(c.ac);
    m.ac2 = static_cast<int16_t>(c.baseAc);
    m.agility = c.agility;
    m.luck = c.luck;
    m.regen = c.regen;
    m.attacks = static_cast<int16_t>(ClassAttacks(c.classCode, c.level));

    m.actions[1] = static_cast<int16_t>(SignatureMove(c.classCode));
    if (c.race == Race::Dragon)
        m.actions[2] = static_cast<int16_t>(Roll(game, 4) + 26);
    else if (c.sex == 2)
        m.actions[2] = 70;
    for (int k = 3; k <= 20; ++k) {
        const int school = k <= 11 ? 0 : 1;
        const int level = k <= 11 ? k - 2 : k - 11;
        if (c.mp(school, level) > 0 && Roll(game, 2) == 1)
            m.actions[k] = static_cast<int16_t>(k - 1);
    }

    const int slot = WornSlot(c, kMainHand);
    if (slot != 0) {
        const ItemDef& w = game.item(c.items[slot]);
        m.damageDice = w.damageDice;
        for (int i = 15; i <= 33; ++i)
            m.chance[i] = w.chance[i];
    } else {
        int16_t sides = 4;
        if (c.classCode == Class::Ninja)
            sides = 8;
        else if (c.classCode == Class::MartialArtist)
            sides = static_cast<int16_t>(c.level + 3);
        m.damageDice = {1, sides, 0};
        m.chance.fill(0);
    }
    m.res = c.res;
}

} // namespace qvr
