// How the simulator gives orders: as a careful player would, class by class,
// from the commands the game offers the member.
//
// - Anyone with a healing spell heals the member worst off once it has
//   fallen below 45 % of its hit points.
// - A spellcaster who cannot strike (and every wizard) chooses by the field:
//   a shield first against monsters that cast or breathe, then its strongest
//   damage on the largest group when two or more stand in it, sleep on a
//   group of three or more awake that does not shrug it off, else its
//   strongest bolt at the first group. Points are kept for a fight that
//   needs them: with one monster left and nobody hurt it waits.
// - A dragon breathes on the largest group while its breath lasts.
// - A thief or ninja steals from a hidden place when the game lets it and
//   the group carries something, strikes from hiding once hidden, and hides
//   when it cannot reach or is badly hurt.
// - Whoever can reach strikes the first group; nobody defends (defending
//   eases the monsters' hits on the member, so a fair measure leaves it out).
// - When the fight is lost (half the party down, or the standing below a
//   fifth of their hit points against more than one monster) the party
//   runs: by an escape spell if anyone has one, else on its feet.

#include "battle/sim_policy.h"

#include <algorithm>

#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "battle/command_input.h"
#include "core/game.h"
#include "core/resistances.h"

namespace qvr {

namespace {

// A spell's target kinds as the content writes them (the command input's
// SpellTarget names what an order still needs, not these).
constexpr int kNoTarget = 0;
constexpr int kOneMonster = 1;
constexpr int kMonsterGroup = 2;
constexpr int kOneMember = 4;

constexpr int kFrontRow = 3; // marching positions 1..3

constexpr double kHealInBattle = 0.45;
constexpr double kHealInCamp = 0.9; // between battles there is time to top up
constexpr double kBadlyHurt = 0.4;
constexpr double kHopeless = 0.2;

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

std::vector<int> SpellsOf(const Content& content, std::initializer_list<int> effects,
                          std::initializer_list<int> kinds)
{
    std::vector<int> out;
    for (int n = 1; n <= kNamedSpells; ++n) {
        const SpellDef& s = content.spells[n];
        if (!(s.flags & SpellFlag::Battle))
            continue;
        const bool effect = std::find(effects.begin(), effects.end(), s.effect) != effects.end();
        const bool kind = std::find(kinds.begin(), kinds.end(), s.targetKind) != kinds.end();
        if (effect && kind)
            out.push_back(n);
    }
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

// The commands the game offers the member this round, read once.
struct Offered {
    bool fight = false, steal = false, hide = false, breath = false;
};

Offered OffersOf(Game& game, int pos)
{
    Offered o;
    // Building the command rows is dear next to a round; a plain member,
    // neither hidden nor a fly, is offered no more than a blow where its
    // weapon reaches, so only the others ask the game for their list.
    const Character& c = MemberAt(game, pos);
    const bool plain = !(c.classCode & (Class::Thief | Class::Ninja | Class::Bard)) &&
                       c.race != Race::Dragon && !(c.conditions & (Cond::Hidden | Cond::Fly));
    if (plain) {
        o.fight = pos <= kFrontRow || WeaponReach(game, pos) > 1;
        return o;
    }
    for (const CommandRow& row : MemberCommands(game, pos)) {
        o.fight = o.fight || row.command == Command::Fight;
        o.steal = o.steal || row.command == Command::Steal;
        o.hide = o.hide || row.command == Command::Hide;
        o.breath = o.breath || row.command == Command::Breath;
    }
    return o;
}

// What the player sees of the monsters: how many stand and sleep in each
// group, and whether any of them casts or breathes.
struct Field {
    int living = 0;
    int largest = 0;     // the group with the most standing
    int sleepTarget = 0; // the group with the most awake that sleep can take
    int first = 0;       // the monster list's first line
    int largestCount = 0;
    int sleepCount = 0;
    bool casters = false;
    bool breathers = false;
};

Field Look(const BattleState& state)
{
    Field f;
    f.first = state.listedGroups.empty() ? 0 : state.listedGroups.front();
    for (int g : state.listedGroups) {
        int living = 0;
        int awake = 0;
        for (int s = 1; s <= kGroupSlots; ++s) {
            const MonsterSlot& m = state.monsters[g][s];
            if (!IsLiving(m))
                continue;
            ++living;
            awake += (m.conditions & (Cond::Asleep | Cond::Paralysed | Cond::Stoned)) ? 0 : 1;
        }
        const MonsterSlot& t = state.monsters[g][0];
        f.living += living;
        if (living > f.largestCount) {
            f.largestCount = living;
            f.largest = g;
        }
        // A player learns soon enough which monsters never sleep.
        if (t.res[Res::Sleep] < 100 && awake > f.sleepCount) {
            f.sleepCount = awake;
            f.sleepTarget = g;
        }
        for (int k = 1; k <= 20; ++k) {
            f.casters = f.casters || (t.actions[k] >= 2 && t.actions[k] <= 19);
            f.breathers = f.breathers || (t.actions[k] >= 27 && t.actions[k] <= 30);
        }
    }
    return f;
}

// Half the party down, or those standing nearly spent against more than one
// monster.
bool Hopeless(Game& game, const Field& field)
{
    int able = 0;
    int64_t hp = 0;
    int64_t full = 0;
    for (int p = 1; p <= PartySize(game); ++p) {
        const Character& c = MemberAt(game, p);
        full += std::max(0, c.maxHp);
        if (c.conditions & Cond::OutOfAction)
            continue;
        ++able;
        hp += std::max(0, c.hp);
    }
    if (2 * able <= PartySize(game) && field.living > able)
        return true;
    return field.living > 1 && full > 0 && hp < kHopeless * static_cast<double>(full);
}

} // namespace

SimPlayer::SimPlayer(const Content& content)
{
    using T = std::initializer_list<int>;
    const T anyKind = {kNoTarget, kOneMonster, kMonsterGroup, kOneMember};
    spells_.heals = SpellsOf(content, {7, 52, 53}, {kOneMember});
    spells_.groupHarms = SpellsOf(content, {2}, {kMonsterGroup, kNoTarget});
    spells_.singleHarms = SpellsOf(content, {2, 50}, {kOneMonster});
    spells_.sleeps = SpellsOf(content, {15}, {kMonsterGroup});
    spells_.magicShields = SpellsOf(content, {46}, anyKind);
    spells_.breathShields = SpellsOf(content, {47}, anyKind);
    spells_.escapes = SpellsOf(content, {58}, anyKind);
    spells_.campHeals = SpellsOf(content, {7}, {kOneMember});
}

void SimPlayer::battleBegins()
{
    std::fill(std::begin(breaths_), std::end(breaths_), 0);
}

int SimPlayer::giveOrders(Game& game, BattleState& state, bool flee)
{
    ClearOrders(game, state);
    const Field field = Look(state);
    if (flee && Hopeless(game, field)) {
        for (int p = 1; p <= PartySize(game); ++p) {
            const Character& c = MemberAt(game, p);
            if (c.conditions & Cond::CannotAct)
                continue;
            if (const int escape = BestSpell(game, c, spells_.escapes); escape != 0) {
                state.orders[p].code = Order::Spell;
                state.orders[p].spell = escape;
                return 0;
            }
        }
        for (int p = 1; p <= PartySize(game); ++p)
            if (!(MemberAt(game, p).conditions & Cond::CannotAct))
                return p;
    }
    const bool hurt = MostHurt(game, 0.6) != 0;
    const bool worthASpell = field.living >= 2 || hurt;
    bool shielding = false; // one shield a round is enough
    auto cast = [&](MemberOrder& o, int spell, int target) {
        o.code = Order::Spell;
        o.spell = spell;
        o.target = target;
    };
    for (int p = 1; p <= PartySize(game); ++p) {
        const Character& c = MemberAt(game, p);
        if (c.conditions & Cond::CannotAct)
            continue;
        MemberOrder& o = state.orders[p];
        o.target = field.first;
        if (const int heal = BestSpell(game, c, spells_.heals); heal != 0) {
            if (const int who = MostHurt(game, kHealInBattle); who != 0) {
                cast(o, heal, who);
                continue;
            }
        }
        const Offered offered = OffersOf(game, p);
        const bool hidden = (c.conditions & Cond::Hidden) != 0;
        if (hidden && offered.steal && field.first != 0 &&
            std::any_of(c.items.begin() + 1, c.items.end(), [](int16_t i) { return i == 0; })) {
            const MonsterSlot& t = state.monsters[field.first][0];
            if (t.stealItems[0] != 0 || t.stealItems[1] != 0) {
                o.code = Order::Steal;
                continue;
            }
        }
        if (offered.breath && field.largest != 0 &&
            breaths_[c.rosterNo] < std::min<int32_t>(c.level, 10) && field.living >= 2) {
            ++breaths_[c.rosterNo];
            o.code = Order::Breath;
            o.target = field.largest;
            continue;
        }
        const bool reaches = hidden || offered.fight;
        const bool striker = ClassAttacks(c.classCode, c.level) > 0 && reaches;
        // A wizard's spells hit harder than its staff; a fighter who knows a
        // few keeps to its blade.
        if ((!striker || c.classCode == Class::Wizard) && worthASpell && field.first != 0) {
            const int magic = BestSpell(game, c, spells_.magicShields);
            const int breath = BestSpell(game, c, spells_.breathShields);
            if (!shielding && field.casters && magic != 0 &&
                state.partyShield.magic < kMaxShieldLevel && field.living >= 3) {
                cast(o, magic, 0);
                shielding = true;
                continue;
            }
            if (!shielding && field.breathers && breath != 0 &&
                state.partyShield.breath < kMaxShieldLevel) {
                cast(o, breath, 0);
                shielding = true;
                continue;
            }
            const int group = BestSpell(game, c, spells_.groupHarms);
            if (group != 0 && field.largestCount >= 2) {
                cast(o, group, field.largest);
                continue;
            }
            const int sleep = BestSpell(game, c, spells_.sleeps);
            if (sleep != 0 && field.sleepCount >= 3) {
                cast(o, sleep, field.sleepTarget);
                continue;
            }
            if (const int bolt = BestSpell(game, c, spells_.singleHarms); bolt != 0) {
                cast(o, bolt, field.first);
                continue;
            }
            if (group != 0) {
                cast(o, group, field.largest);
                continue;
            }
        }
        const bool hides = offered.hide && !hidden;
        if (hides && (!reaches || (c.maxHp > 0 && c.hp < kBadlyHurt * c.maxHp))) {
            o.code = Order::Hide;
            continue;
        }
        if (reaches)
            o.code = Order::Fight;
    }
    return 0;
}

void SimPlayer::campHealing(Game& game) const
{
    for (int p = 1; p <= PartySize(game); ++p) {
        Character& healer = MemberAt(game, p);
        if (healer.conditions & Cond::CannotAct)
            continue;
        for (;;) {
            const int hurt = MostHurt(game, kHealInCamp);
            const int spell = BestSpell(game, healer, spells_.campHeals);
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
