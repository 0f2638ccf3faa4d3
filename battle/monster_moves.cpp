// The monsters' special moves: a handler per family of core/monster_actions.h,
// each reading its row's numbers, over the two shared rules of a condition
// and a blow that the member may shake off, turn back or take in.

#include "battle/monster_moves.h"

#include <algorithm>
#include <vector>

#include "battle/battle_rules.h"
#include "battle/combatant.h"
#include "battle/melee.h"
#include "core/messages.h"
#include "core/monster_actions.h"
#include "core/resistances.h"
#include "rules/experience.h"

namespace qvr {

namespace {

constexpr const char* kNothingHappened = "しかし何もおこらなかった";

struct Taken {
    int32_t condition;
    const char* text;
};
constexpr Taken kTaken[] = {
    {Cond::Asleep, "は\n眠らされた"},        {Cond::Paralysed, "は\n麻痺した"},
    {Cond::Afraid, "は\n恐怖に犯された"},    {Cond::Confused, "は\n混乱した"},
    {Cond::Frozen, "は\n凍りついた"},        {Cond::Shocked, "は\n感電した"},
    {Cond::Charmed, "は\n魅了された"},       {Cond::Poisoned, "は\n毒に犯された"},
    {Cond::Blind, "は\n目が見えなくなった"}, {Cond::Sick, "は\n病気に冒された"},
    {Cond::Dead, "は\nくびをはねられた！"},  {Cond::Carrot, "は\nニンジンと化した"},
    {Cond::Fly, "は\n蝿と化した"},           {Cond::Vanished, "は\n消滅した！！"},
};

// The conditions the ragnarok tries in turn, each on a d2 of 1.
constexpr int kFiveAilments[] = {Res::Freezing, Res::Blinding, Res::Shock, Res::Poison, Res::Charm};

int32_t ConditionOfIndex(int index)
{
    switch (index) {
    case Res::Freezing:
        return Cond::Frozen;
    case Res::Blinding:
        return Cond::Blind;
    case Res::Shock:
        return Cond::Shocked;
    case Res::Poison:
        return Cond::Poisoned;
    case Res::Charm:
        return Cond::Charmed;
    default:
        return Cond::Afraid;
    }
}

// The monster doing the move and the dice it rolls.
struct Mover {
    Game& game;
    BattleState& state;
    int group;
    int slot;

    MonsterSlot& self() const { return state.monsters[group][slot]; }
    const std::string& name() const { return MonsterName(state, group, slot); }
    bool standing() const { return IsLiving(self()); }
};

bool Reachable(const Character& c)
{
    return (c.conditions & kNotTargetable) == 0;
}

// A condition that ends a member: hit points go with it.
void Befall(BattleState& state, Character& c, int32_t condition)
{
    c.conditions |= condition;
    if (condition & Cond::Dead)
        c.hp = 0;
    Say(state, Cat({c.name, ConditionTaken(condition)}));
}

// Who a move reaches, as roster numbers; a pick that finds nobody reaches
// nobody.
std::vector<int> Aim(Game& game, MoveReach reach)
{
    std::vector<int> whom;
    switch (reach) {
    case MoveReach::One:
        whom.push_back(PickLivingMember(game));
        break;
    case MoveReach::Front:
        whom.push_back(PickFrontMember(game));
        break;
    case MoveReach::Anyone:
        whom.push_back(RosterAt(game, Roll(game, PartySize(game))));
        break;
    case MoveReach::FrontRow:
        for (int p = 1; p <= std::min(3, PartySize(game)); ++p)
            whom.push_back(RosterAt(game, p));
        break;
    case MoveReach::All:
        for (int p = 1; p <= PartySize(game); ++p)
            whom.push_back(RosterAt(game, p));
        break;
    default:
        break;
    }
    std::erase(whom, 0);
    return whom;
}

int32_t BlastAmount(Mover& m, const SpecialMoveInfo& move, const Character& c)
{
    const MonsterSlot& self = m.self();
    const Dice3& d = self.damageDice;
    const int32_t half = c.maxHp / 2;
    switch (move.amount) {
    case MoveAmount::Dice:
        return RollDice(m.game, d[0], d[1], d[2]);
    case MoveAmount::DicePlusHp:
        return RollDice(m.game, d[0], d[1], self.hp);
    case MoveAmount::DiceTimesAttacks:
        return SaturatingAdd(0, int64_t{RollDice(m.game, d[0], d[1], d[2])} * self.attacks);
    case MoveAmount::HpRoll:
        return Roll(m.game, self.hp);
    case MoveAmount::HpRollPlusHp:
        return SaturatingAdd(Roll(m.game, self.hp), self.hp);
    case MoveAmount::HalfMax:
        return half;
    case MoveAmount::HalfMaxRoll:
        return SaturatingAdd(Roll(m.game, half), half);
    case MoveAmount::Roll1000:
        return Roll(m.game, 1000);
    case MoveAmount::Roll300:
        return Roll(m.game, 300);
    default:
        return 0;
    }
}

void AfterBlast(Mover& m, const SpecialMoveInfo& move, int rosterNo, Struck struck)
{
    Character& c = m.game.character(rosterNo);
    switch (move.after) {
    case MoveAfter::Condition:
        SpecialCondition(m.game, m.state, rosterNo, move.thenIndex,
                         ConditionOfIndex(move.thenIndex));
        break;
    case MoveAfter::FearBehead:
        SpecialCondition(m.game, m.state, rosterNo, Res::Fear, Cond::Afraid);
        if (Reachable(c) && Roll(m.game, std::max<int32_t>(1, c.agility)) < 4 &&
            !(c.conditions & kBeheadingWard))
            Befall(m.state, c, Cond::Dead);
        break;
    case MoveAfter::FiveAilments:
        for (int index : kFiveAilments)
            if (Roll(m.game, 2) == 1)
                SpecialCondition(m.game, m.state, rosterNo, index, ConditionOfIndex(index));
        break;
    case MoveAfter::StripArmour:
        // Its armour counts for nothing until the battle ends and puts the
        // armour value back from the base.
        if (struck == Struck::Hit) {
            c.ac = std::max(c.ac, 10);
            Say(m.state, Cat({c.name, "の\n防御は全て打ち消された"}));
        }
        break;
    default:
        break;
    }
}

void Blast(Mover& m, const SpecialMoveInfo& move)
{
    auto strike = [&](int rosterNo) {
        const Character& c = m.game.character(rosterNo);
        return SpecialDamage(m.game, m.state, rosterNo, move.index, BlastAmount(m, move, c),
                             m.group, m.slot);
    };
    if (move.anew) {
        for (int hit = 0; hit < move.hits && m.standing(); ++hit)
            for (int rosterNo : Aim(m.game, move.reach))
                strike(rosterNo);
        return;
    }
    for (int rosterNo : Aim(m.game, move.reach)) {
        Struck last = Struck::Skipped;
        for (int hit = 0; hit < move.hits && m.standing(); ++hit)
            last = strike(rosterNo);
        AfterBlast(m, move, rosterNo, last);
    }
}

void Ailment(Mover& m, const SpecialMoveInfo& move)
{
    for (int rosterNo : Aim(m.game, move.reach)) {
        Character& c = m.game.character(rosterNo);
        if (Roll(m.game, 100) > c.res[move.index])
            Befall(m.state, c, move.condition);
    }
}

void Curse(Mover& m, const SpecialMoveInfo& move)
{
    for (int rosterNo : Aim(m.game, move.reach)) {
        // The battle's ward against beheading holds against every head-taker.
        if ((move.condition & Cond::Dead) &&
            (m.game.character(rosterNo).conditions & kBeheadingWard))
            continue;
        SpecialCondition(m.game, m.state, rosterNo, move.index, move.condition);
    }
}

void Afflict(Mover& m, const SpecialMoveInfo& move)
{
    for (int rosterNo : Aim(m.game, move.reach))
        Befall(m.state, m.game.character(rosterNo), move.condition);
}

// A blow nothing resists; the member dies below 1 hit point.
void Wounds(Mover& m, int rosterNo, int32_t amount)
{
    Combatant c = MemberSide(m.game, rosterNo);
    Say(m.state, Cat({*c.name, "に　", Digits(amount), "のダメージ"}));
    Wound(c, amount);
    if (*c.hp < 1)
        Say(m.state, Kill(m.game, m.state, c, false));
}

// The monster's own end: a death it brought on itself pays nothing.
void SelfSpent(Mover& m)
{
    Combatant self = MonsterSide(m.state, m.group, m.slot);
    Say(m.state, Kill(m.game, m.state, self, false));
}

void Ram(Mover& m, const SpecialMoveInfo& move)
{
    for (int rosterNo : Aim(m.game, move.reach)) {
        const int32_t amount = Roll(m.game, m.self().hp);
        Wounds(m, rosterNo, amount);
        Combatant self = MonsterSide(m.state, m.group, m.slot);
        Wound(self, amount);
        if (*self.hp < 1)
            SelfSpent(m);
    }
}

void Burst(Mover& m, const SpecialMoveInfo& move)
{
    for (int rosterNo : Aim(m.game, move.reach))
        Wounds(m, rosterNo, m.self().hp);
    SelfSpent(m);
}

void Unman(Mover& m, const SpecialMoveInfo& move)
{
    for (int rosterNo : Aim(m.game, move.reach)) {
        Character& c = m.game.character(rosterNo);
        const bool past = Roll(m.game, 100) > c.res[move.index];
        // The battle's ward against level drain keeps these levels too.
        if (past && c.sex == move.param && !(c.conditions & kDrainWard)) {
            const int32_t levels = m.self().attacks;
            DrainLevels(m.game.rng, c, levels);
            Say(m.state, Cat({c.name, "は\nレベルを", Digits(levels), "下げられた！"}));
        } else {
            Say(m.state, kNothingHappened);
        }
    }
}

void Hide(Mover& m, const SpecialMoveInfo&)
{
    m.self().conditions |= Cond::Hidden;
}

void Cleave(Mover& m, const SpecialMoveInfo& move)
{
    for (int rosterNo : Aim(m.game, move.reach)) {
        const Character& c = m.game.character(rosterNo);
        if (Roll(m.game, 100) > c.res[move.index])
            Wounds(m, rosterNo, c.hp - (move.param == 2 ? c.hp / 2 : 0));
        else
            Say(m.state, kNothingHappened);
    }
}

void Brink(Mover& m, const SpecialMoveInfo& move)
{
    for (int rosterNo : Aim(m.game, move.reach)) {
        Character& c = m.game.character(rosterNo);
        if (!Reachable(c))
            continue;
        const int32_t res = c.res[move.index];
        if (res > 100) {
            Say(m.state, Cat({c.name, "は\nかわした"}));
        } else if (Roll(m.game, 100) > res) {
            c.hp = std::min(c.hp, 1);
            Say(m.state, Cat({c.name, "は瀕死状態におちいった"}));
        } else {
            Say(m.state, Cat({c.name, "は\n抵抗した"}));
        }
    }
}

void Rout(Mover& m, const SpecialMoveInfo&)
{
    for (int g = 1; g <= kGroupCount; ++g)
        for (int s = 1; s <= kGroupSlots; ++s)
            if (IsLiving(m.state.monsters[g][s]))
                m.state.monsters[g][s].conditions = kEmptySlot; // gone, nothing gained
}

void Restore(Mover& m, const SpecialMoveInfo&)
{
    m.self().hp = m.self().maxHp;
}

using Handler = void (*)(Mover&, const SpecialMoveInfo&);

void Throw(Mover& m, const SpecialMoveInfo& move)
{
    ThrowOut(m.game, m.state, move);
}
void Banish(Mover& m, const SpecialMoveInfo& move)
{
    SendAway(m.game, m.state, move);
}
void Shatter(Mover& m, const SpecialMoveInfo& move)
{
    ShatterGear(m.game, m.state, move);
}
void Rob(Mover& m, const SpecialMoveInfo& move)
{
    RobAndRun(m.game, m.state, move);
}

// By MoveFamily, in its order.
constexpr Handler kHandlers[] = {Ailment, Curse, Afflict, Blast,  Ram,  Burst,   Unman,   Hide,
                                 Cleave,  Brink, Throw,   Banish, Rout, Restore, Shatter, Rob};
static_assert(std::size(kHandlers) == static_cast<std::size_t>(MoveFamily::Rob) + 1);

// These say their own announcement: it names the member, or is not said at
// all when the move cannot be made.
bool AnnouncesItself(MoveFamily family)
{
    return family == MoveFamily::Throw || family == MoveFamily::Banish ||
           family == MoveFamily::Shatter || family == MoveFamily::Rob;
}

} // namespace

std::string_view ConditionTaken(int32_t condition)
{
    for (const Taken& t : kTaken)
        if (condition & t.condition)
            return t.text;
    return "";
}

bool SpecialCondition(Game& game, BattleState& state, int rosterNo, int index, int32_t condition)
{
    Character& c = game.character(rosterNo);
    if (!Reachable(c))
        return false;
    // All three dice are rolled, so that one member's outcome does not shift
    // the stream for the next.
    const bool past = Roll(game, 100) >= c.res[index];
    const bool slow = Roll(game, 25) >= c.agility;
    const bool unlucky = Roll(game, 25) >= c.luck;
    if (!(past && slow && unlucky))
        return false;
    Befall(state, c, condition);
    return true;
}

Struck SpecialDamage(Game& game, BattleState& state, int rosterNo, int index, int32_t amount,
                     int group, int slot)
{
    Combatant c = MemberSide(game, rosterNo);
    if (c.has(kNotTargetable))
        return Struck::Skipped;
    const int32_t res = c.resist(index);
    if (res < 0) {
        Combatant monster = MonsterSide(state, group, slot);
        Say(state, Cat({*c.name, "は攻撃を反射した！！\r", *monster.name, "は\n", Digits(amount),
                        "のダメージをうけた"}));
        Wound(monster, amount);
        if (*monster.hp < 1)
            Say(state, Kill(game, state, monster, true));
        return Struck::Reflected;
    }
    if (res > 100) {
        Say(state, Cat({*c.name, "は攻撃を吸収した！\r", *c.name, "は\n", Digits(amount),
                        "ポイント回復した"}));
        Mend(c, amount);
        return Struck::Absorbed;
    }
    if (Roll(game, 100) <= res) {
        Say(state, Cat({*c.name, "は\n抵抗した"}));
        return Struck::Resisted;
    }
    Say(state, Cat({*c.name, "に　", Digits(amount), "のダメージ"}));
    Wound(c, amount);
    if (c.has(Cond::Dead) || *c.hp < 1)
        Say(state, Kill(game, state, c, false));
    return Struck::Hit;
}

void SpecialMove(Game& game, BattleState& state, int code)
{
    const SpecialMoveInfo* move = FindSpecialMove(code);
    if (!move)
        return;
    Mover m{game, state, state.actingGroup, state.actingMonster};
    if (!AnnouncesItself(move->family))
        Say(state, Cat({m.name(), MessageText(game, move->message)}));
    kHandlers[static_cast<std::size_t>(move->family)](m, *move);
}

} // namespace qvr
