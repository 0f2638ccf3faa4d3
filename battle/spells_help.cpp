// The spells that help the caster's side: healing, raising, curing, armour,
// wards, shields, knowledge of the monsters, the blessing and the escape.

#include <algorithm>

#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "battle/spell_rules.h"
#include "core/game.h"
#include "core/music.h"
#include "rules/spell_outcomes.h"

namespace qvr {

namespace {

constexpr const char* kNothingText = "しかし何もおこらなかった";
constexpr const char* kNoEffectText = "しかし効果がなかった";
// A raising in the heat of battle fails more often than in camp.
constexpr int32_t kRaiseDeadFailsBelow = 6;
constexpr int32_t kRaiseFullyFailsBelow = 5;

// The member a helpful spell of the party is aimed at; nullptr when there
// is none, or when an angel turns it away (said).
Character* Helped(SpellCast& cast)
{
    if (cast.target < 1 || cast.target > kRosterSize || PositionOf(cast.game, cast.target) == 0)
        return nullptr;
    Character& c = cast.game.character(cast.target);
    if (c.race == Race::Angel) {
        cast.say({c.name, "は\n呪文を無効化した"});
        return nullptr;
    }
    return &c;
}

// The monsters a monster's helpful spell reaches: its own group.
Targets OwnGroup(SpellCast& cast)
{
    return MonstersOf(cast, cast.caster.group, false);
}

void SayHealed(SpellCast& cast, const std::string& name, Healing outcome, int32_t amount)
{
    if (outcome == Healing::Full)
        cast.say({name, "は\n全快した"});
    else
        cast.say({name, "は\n", Digits(amount), "ポイント回復した"});
}

} // namespace

void SpellHeal(SpellCast& cast)
{
    const bool full = cast.spell.effect == 53;
    if (!cast.byParty()) {
        for (Combatant& m : OwnGroup(cast)) {
            const int32_t amount = full ? m.maxHp : cast.roll();
            const int32_t before = *m.hp;
            Mend(m, amount);
            SayHealed(cast, *m.name, *m.hp >= m.maxHp ? Healing::Full : Healing::Healed,
                      *m.hp - before);
        }
        return;
    }
    Character* c = Helped(cast);
    if (!c)
        return;
    switch (HealingRefusal(*c)) {
    case Healing::BeyondCare:
        cast.say(kNothingText);
        return;
    case Healing::Sick:
        cast.say({c->name, "は\n病気なので回復できない"});
        return;
    default:
        break;
    }
    if (full)
        Cure(*c, kAllAilments);
    const int32_t before = c->hp;
    const Healing outcome = Heal(*c, full ? 0 : cast.roll(), full);
    SayHealed(cast, c->name, outcome, c->hp - before);
}

namespace {

// Both raisings tell their outcome alike; only the greater one can lose the
// ashes altogether.
void SayRaising(SpellCast& cast, const std::string& name, Raising outcome)
{
    switch (outcome) {
    case Raising::Raised:
        cast.say({name, "は\n生き返った"});
        return;
    case Raising::ToAshes:
        cast.say({name, "は\n灰燼と化した！！"});
        return;
    case Raising::Vanished: // erased from the roster when the battle ends
        cast.say({name, "は\n消滅した！！"});
        return;
    default:
        cast.say(kNothingText);
        return;
    }
}

} // namespace

void SpellRaise(SpellCast& cast)
{
    Character* c = Helped(cast);
    if (!c)
        return;
    const int32_t roll = Roll(cast.game, std::max<int32_t>(1, c->vitality));
    SayRaising(cast, c->name, RaiseDead(*c, roll, kRaiseDeadFailsBelow));
}

void SpellRaiseFully(SpellCast& cast)
{
    Character* c = Helped(cast);
    if (!c)
        return;
    const int32_t roll = Roll(cast.game, std::max<int32_t>(1, c->vitality));
    SayRaising(cast, c->name, RaiseFully(*c, roll, kRaiseFullyFailsBelow));
}

void SpellCure(SpellCast& cast)
{
    Character* c = Helped(cast);
    if (!c)
        return;
    const int code = cast.spell.effect;
    Cure(*c, code == 10 ? Cond::Paralysed : code == 43 ? Cond::Poisoned : kMindAilments);
    cast.say({c->name, "は\n回復した"});
}

void SpellArmourDown(SpellCast& cast)
{
    const int32_t amount = cast.spell.dice[0];
    if (!cast.byParty()) {
        for (Combatant& m : OwnGroup(cast)) {
            int16_t& ac = cast.state.monsters[m.group][m.slot].ac;
            ac = static_cast<int16_t>(std::clamp(ac - amount, -32768, 32767));
            cast.say({*m.name, "は\nＡＣが下がった"});
        }
        return;
    }
    Character* c = Helped(cast);
    if (!c)
        return;
    const Combatant side = MemberSide(cast.game, cast.target);
    // The member's own defences may turn even a friendly spell; it cannot
    // dodge one it is waiting for.
    if (SpellCheck(cast, side, 0, 0, side.resist(2)) != SpellOutcome::Affected)
        return;
    c->ac = SaturatingAdd(c->ac, -int64_t{amount});
    cast.say({c->name, "は\nＡＣが下がった"});
}

void SpellWard(SpellCast& cast)
{
    Character* c = Helped(cast);
    if (!c)
        return;
    c->conditions |= cast.spell.effect == 61 ? kBeheadingWard : kDrainWard;
    cast.say({c->name, "は\n守られた"});
}

void SpellIdentify(SpellCast& cast)
{
    const int g = cast.target;
    cast.say("");
    if (g >= 1 && g <= kGroupCount)
        for (int s = 0; s <= kGroupSlots; ++s)
            cast.state.monsters[g][s].identified = -1;
    cast.game.state.partyEffects |= PartyEffect::Identify;
}

void SpellShieldUp(SpellCast& cast)
{
    const bool magic = cast.spell.effect == 46;
    Shield& shield = ShieldOf(cast.state, cast.caster);
    int32_t& level = magic ? shield.magic : shield.breath;
    if (level >= kMaxShieldLevel) {
        cast.say(kNoEffectText);
        return;
    }
    ++level;
    const char* side = cast.byParty() ? "パーティーに" : "モンスターに";
    cast.say({side, magic ? "魔法のシールドが張られた" : "ブレスのシールドが張られた"});
}

void SpellShieldsDown(SpellCast& cast)
{
    if (cast.byParty()) {
        cast.state.monsterShield = {};
        cast.say("モンスターのシールドを打ち消した");
    } else {
        cast.state.partyShield = {};
        cast.say("パーティーの魔法のシールドを打ち消した");
    }
}

void SpellBlessing(SpellCast& cast)
{
    Game& game = cast.game;
    BattleState& state = cast.state;
    constexpr int32_t kNoFullHealth =
        Cond::Carrot | Cond::Sick | Cond::Dead | Cond::Ashes | Cond::Vanished;
    // The monsters that stand, for the blessings that fall on them.
    auto living = [&] { return MonstersOf(cast, 0, false); };
    switch (Roll(game, 10)) {
    case 1:
        for (int p = 1; p <= PartySize(game); ++p)
            if (Character& c = MemberAt(game, p); !(c.conditions & kNoFullHealth))
                c.hp = std::max(c.hp, c.maxHp);
        cast.say("パーティーは全快した");
        return;
    case 2:
        for (int p = 1; p <= PartySize(game); ++p) {
            Character& c = MemberAt(game, p);
            for (int school = 0; school <= 1; ++school)
                for (int level = 1; level <= 9; ++level)
                    c.mp(school, level) = std::max(c.mp(school, level), c.maxMp(school, level));
        }
        cast.say("パーティーの魔力が復活した");
        return;
    case 3:
        for (int p = 1; p <= PartySize(game); ++p)
            Cure(MemberAt(game, p), kAllAilments);
        cast.say("パーティーは治癒した");
        return;
    case 4:
        for (Combatant& m : living())
            *m.conditions |= Cond::Silenced;
        cast.say("モンスターは沈黙した");
        return;
    case 5:
        for (Combatant& m : living())
            *m.conditions |= Cond::Confused;
        cast.say("モンスターは混乱した");
        return;
    case 6:
        // The undead and the divine (kinds exactly 4096 and 8192) and the
        // mighty (rank 34 and up) are spared.
        for (Combatant& m : living()) {
            const MonsterSlot& slot = state.monsters[m.group][m.slot];
            if (slot.kind != 4096 && slot.kind != 8192 && slot.rank < 34)
                Say(state, SpellKill(cast, m));
        }
        return;
    default:
        cast.say("何の変化も無い");
        return;
    }
}

void SpellEscape(SpellCast& cast)
{
    cast.say("");
    Game& game = cast.game;
    game.state.posX = game.state.prevX;
    game.state.posY = game.state.prevY;
    PlayMusic(game, game.state.floorMusic);
    cast.state.end = BattleEnd::Escaped;
    LeaveBattle(game, cast.state);
}

} // namespace qvr
