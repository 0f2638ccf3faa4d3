// How the simulator gives orders: as a plain player would. A priest heals a
// member who has fallen below 45 % of its hit points; a wizard, and anyone
// who cannot reach, casts the strongest harmful spell it has points for at
// the first group of the list; whoever can reach strikes that group; nobody
// defends (defending eases the monsters' hits on the member, so a fair
// measure leaves it out).

#include "battle/sim_policy.h"

#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "battle/command_input.h"
#include "core/game.h"

namespace qvr {

namespace {

constexpr double kHealInBattle = 0.45;
constexpr double kHealInCamp = 0.9; // between battles there is time to top up

bool CanCast(const Character& c, const SpellDef& s)
{
    return s.level >= 1 && s.level <= 9 && s.slot >= 1 && s.slot <= 4 && s.school >= 0 &&
           s.school <= 1 && c.spellKnown(s.school, s.level, s.slot) != 0 &&
           c.mp(s.school, s.level) > 0 && (s.flags & SpellFlag::Battle);
}

// The highest-level spell among `candidates` the member can cast now, 0 for
// none.
int BestSpell(const Game& game, const Character& c, const std::vector<int>& candidates)
{
    int best = 0;
    for (int n : candidates) {
        const SpellDef& s = game.content().spells[n];
        if (CanCast(c, s) && (best == 0 || s.level > game.content().spells[best].level))
            best = n;
    }
    return best;
}

std::vector<int> SpellsOf(const Content& content, std::initializer_list<int> effects)
{
    std::vector<int> out;
    for (int n = 1; n <= kNamedSpells; ++n)
        for (int e : effects)
            if (content.spells[n].effect == e && (content.spells[n].flags & SpellFlag::Battle))
                out.push_back(n);
    return out;
}

// The member worst off below `share` of its hit points, 0 for none.
int MostHurt(Game& game, double below)
{
    int who = 0;
    double worst = below;
    for (int p = 1; p <= PartySize(game); ++p) {
        const Character& c = MemberAt(game, p);
        if ((c.conditions & Cond::BeyondCare) || c.maxHp <= 0)
            continue;
        const double share = static_cast<double>(c.hp) / c.maxHp;
        if (share < worst) {
            worst = share;
            who = RosterAt(game, p);
        }
    }
    return who;
}

} // namespace

SimPlayer::SimPlayer(const Content& content)
    : heals_(SpellsOf(content, {7, 52, 53})), harms_(SpellsOf(content, {2, 15})),
      campHeals_(SpellsOf(content, {7}))
{
}

void SimPlayer::giveOrders(Game& game, BattleState& state) const
{
    ClearOrders(game, state);
    const int first = state.listedGroups.empty() ? 0 : state.listedGroups.front();
    for (int p = 1; p <= PartySize(game); ++p) {
        const Character& c = MemberAt(game, p);
        if (c.conditions & Cond::CannotAct)
            continue;
        MemberOrder& o = state.orders[p];
        o.target = first;
        if (const int heal = BestSpell(game, c, heals_); heal != 0) {
            if (const int hurt = MostHurt(game, kHealInBattle); hurt != 0) {
                o.code = Order::Spell;
                o.spell = heal;
                o.target = hurt;
                continue;
            }
        }
        const bool reaches = p <= 3 || WeaponReach(game, p) > 1 || (c.conditions & Cond::Hidden);
        const bool fighter = ClassAttacks(c.classCode, c.level) > 0 && reaches;
        // A wizard's spells hit harder than its staff; a fighter who knows a
        // few keeps to its blade.
        if (!fighter || c.classCode == Class::Wizard) {
            if (const int harm = BestSpell(game, c, harms_); harm != 0 && first != 0) {
                o.code = Order::Spell;
                o.spell = harm;
                continue;
            }
        }
        if (reaches)
            o.code = Order::Fight;
    }
}

void SimPlayer::campHealing(Game& game) const
{
    for (int p = 1; p <= PartySize(game); ++p) {
        Character& healer = MemberAt(game, p);
        if (healer.conditions & Cond::CannotAct)
            continue;
        for (;;) {
            const int hurt = MostHurt(game, kHealInCamp);
            const int spell = BestSpell(game, healer, campHeals_);
            if (hurt == 0 || spell == 0)
                break;
            const SpellDef& s = game.content().spells[spell];
            --healer.mp(s.school, s.level);
            Character& c = game.character(hurt);
            if (c.conditions & Cond::Sick)
                break;
            const int32_t amount = RollDice(game, s.dice[0], s.dice[1], s.dice[2]);
            c.hp = std::min(c.maxHp, SaturatingAdd(c.hp, std::max(0, amount)));
        }
    }
}

} // namespace qvr
