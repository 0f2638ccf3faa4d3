#pragma once

// The one place every action that is not plain melee goes through: the
// party's spells, items, dispelling, hiding, stealing and breath, and the
// monsters' spells, flight, calls for help, breath and special moves. The
// round hands each such action here. The default resolver fights them all
// (spells in spell_casting.cpp; hiding, theft, dispelling, flight, calls and
// both sides' breath in hide_steal_flee_breath.cpp; the special moves in
// monster_moves.cpp). A test or the simulator may override any of these.

namespace qvr {

class Game;
struct BattleState;

class BattleActions {
public:
    virtual ~BattleActions() = default;

    // Party position `pos` acts on its order (state.orders[pos]).
    virtual void castPartySpell(Game& game, BattleState& state, int pos);
    virtual void dispel(Game& game, BattleState& state, int pos, int group);
    virtual void hide(Game& game, BattleState& state, int pos);
    virtual void breathe(Game& game, BattleState& state, int pos);
    virtual void steal(Game& game, BattleState& state, int pos);

    // The monster at state.actingGroup / actingMonster acts.
    virtual void castMonsterSpell(Game& game, BattleState& state, int school, int level);
    virtual void monsterFlee(Game& game, BattleState& state);
    virtual void callForHelp(Game& game, BattleState& state);
    virtual void monsterBreath(Game& game, BattleState& state, int kind);
    virtual void specialMove(Game& game, BattleState& state, int code);

    // A battle begins (the dragons' breath comes back).
    virtual void battleBegins(Game& game, BattleState& state);
};

// The resolver used when a battle state names none.
BattleActions& DefaultBattleActions();

} // namespace qvr
