#pragma once

// Spells in battle, both ways. A cast is a caster (a member or a monster),
// the spell and its target; every effect works through the same two-sided
// pieces: the target's dodge, nullification, resistance, reflection and
// absorption (SpellCheck), the damage with the shields, and death. Each
// effect code of the spell table has its handler for the party's side and,
// where monsters cast it, for theirs; the table is checked against the
// vocabulary of effect codes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <span>
#include <string>

#include "battle/battle_state.h"
#include "battle/combatant.h"

namespace qvr {

class Game;
struct SpellDef;

struct SpellCast {
    Game& game;
    BattleState& state;
    const SpellDef& spell;
    Combatant caster;
    std::string frame; // "caster は\nＮＡＭＥの呪文を唱えた\r"
    int target = 0;    // a group, or a member's roster number, by the target kind

    bool byParty() const { return !caster.isMonster(); }
    // One line of the cast: the frame, then the text (or its pieces).
    void say(std::string_view text);
    void say(std::initializer_list<std::string_view> parts);
    // The rolled amount of the spell's dice.
    int32_t roll();
};

// A spell's name as the battle shows it (full-width), converted once per
// battle: a cast names its spell in every line it says.
const std::string& ShownSpellName(BattleState& state, int spellNo, const SpellDef& spell);
std::string CastFrame(const std::string& caster, std::string_view spellName);

enum class SpellOutcome { Affected, Nothing, Reflected, Absorbed };

// Whether the spell reaches `target`: absorbed or reflected by a resistance
// past 100 or below 0, dodged on a 1d(evade) of 17 or more, nullified or
// resisted by the d100s (each refusal is said).
SpellOutcome SpellCheck(SpellCast& cast, const Combatant& target, int32_t resist, int32_t evade,
                        int32_t nullify);
// The check every harmful spell makes: the target's element resistance (none
// for a spell without element), its luck to dodge, its magic resistance.
SpellOutcome HarmCheck(SpellCast& cast, const Combatant& target);

// The side a combatant stands on, and that side's shields.
Shield& ShieldOf(BattleState& state, const Combatant& side);
// An amount less 20 % per magic-shield level of the side that takes it.
int32_t Shielded(int32_t amount, int32_t level);

// The rolled amount on a target of the other side, less its side's magic
// shield: the wound, the death below 1, or the element's side effect.
void SpellDamage(SpellCast& cast, Combatant& target, int32_t rolled);
// Turned back on the caster (less its own side's shield).
void SpellReflected(SpellCast& cast, const Combatant& target, int32_t rolled);
// Taken in by the target, up to its maximum.
// "NAMEは呪文を吸収した！" alone, for a spell whose absorption heals nothing.
void SayAbsorbed(SpellCast& cast, const Combatant& target);
void SpellAbsorbed(SpellCast& cast, Combatant& target, int32_t rolled);
// The rule of damage spells: check, then damage, reflection or absorption.
void HarmWithDamage(SpellCast& cast, Combatant& target);

// The combatants a spell reaches, held in place: every cast gathers a few,
// and a battle casts on the hot path, so they take no allocation.
class Targets {
    union Slot {
        Slot() {}
        Combatant c;
    };

public:
    class iterator {
    public:
        explicit iterator(Slot* at) : at_(at) {}
        Combatant& operator*() const { return at_->c; }
        iterator& operator++()
        {
            ++at_;
            return *this;
        }
        bool operator!=(const iterator& other) const { return at_ != other.at_; }

    private:
        Slot* at_;
    };

    Targets() = default;
    void push_back(const Combatant& c) { new (&slots_[count_++].c) Combatant(c); }
    bool empty() const { return count_ == 0; }
    std::size_t size() const { return count_; }
    Combatant& front() { return slots_[0].c; }
    iterator begin() { return iterator(slots_.data()); }
    iterator end() { return iterator(slots_.data() + count_); }

private:
    // Every monster of every group, or the whole party.
    std::array<Slot, kGroupCount * kGroupSlots> slots_;
    std::size_t count_ = 0;
};

// Everyone the spell may strike on the other side: the living monsters of
// a group or of every group, or the targetable members.
Targets MonstersOf(SpellCast& cast, int group, bool firstOnly);
Targets MembersOf(SpellCast& cast);

// Death by a spell: a monster's rewards go to the killer; a member dies.
std::string SpellKill(SpellCast& cast, Combatant& victim);

using SpellEffectFn = void (*)(SpellCast&);
struct SpellHandler {
    int16_t code;
    SpellEffectFn party;   // cast by a member (nullptr: no battle effect)
    SpellEffectFn monster; // cast by a monster (nullptr: monsters do not)
};
std::span<const SpellHandler> SpellHandlers();
const SpellHandler* FindSpellHandler(int code);

// The handlers, by family (spells_harm.cpp, spells_help.cpp).
void SpellHarm(SpellCast& cast);        // 2
void SpellArmourUp(SpellCast& cast);    // 4: the other side is easier to hit
void SpellArmourDown(SpellCast& cast);  // 5: the caster's side is harder to hit
void SpellCondition(SpellCast& cast);   // 15, 17, 18, 21, 23, 24, 33
void SpellDrain(SpellCast& cast);       // 50
void SpellBanish(SpellCast& cast);      // 51
void SpellWild(SpellCast& cast);        // 55
void SpellDeathsDoor(SpellCast& cast);  // 63
void SpellHeal(SpellCast& cast);        // 7, 52, 53
void SpellRaise(SpellCast& cast);       // 1
void SpellRaiseFully(SpellCast& cast);  // 9
void SpellCure(SpellCast& cast);        // 10, 43, 60
void SpellIdentify(SpellCast& cast);    // 11
void SpellShieldUp(SpellCast& cast);    // 46, 47
void SpellShieldsDown(SpellCast& cast); // 48
void SpellBlessing(SpellCast& cast);    // 56
void SpellEscape(SpellCast& cast);      // 58
void SpellWard(SpellCast& cast);        // 61, 62

// The casts themselves (spell_casting.cpp).
void CastPartySpell(Game& game, BattleState& state, int pos);
void CastMonsterSpell(Game& game, BattleState& state, int school, int level);

} // namespace qvr
