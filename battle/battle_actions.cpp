#include "battle/battle_actions.h"

#include "battle/battle_rules.h"
#include "battle/spell_rules.h"
#include "core/game.h"

namespace qvr {

namespace {

// A dragon's breath and the monsters' special moves are not fought yet: the
// round says so rather than inventing an outcome.
constexpr const char* kNothing = "しかし　まだ何の効果もない";

void MemberTries(Game& game, BattleState& state, int pos, const char* what)
{
    Say(state, MemberAt(game, pos).name + what + "\r" + kNothing);
}

void MonsterTries(BattleState& state, const char* what)
{
    Say(state, MonsterName(state, state.actingGroup, state.actingMonster) + what + "\r" + kNothing);
}

} // namespace

void BattleActions::castPartySpell(Game& game, BattleState& state, int pos)
{
    CastPartySpell(game, state, pos);
}

void BattleActions::castMonsterSpell(Game& game, BattleState& state, int school, int level)
{
    CastMonsterSpell(game, state, school, level);
}

void BattleActions::breathe(Game& game, BattleState& state, int pos)
{
    MemberTries(game, state, pos, "はブレスを吐こうとした");
}

void BattleActions::specialMove(Game&, BattleState& state, int)
{
    MonsterTries(state, "は身構えた");
}

void BattleActions::battleBegins(Game&, BattleState&) {}

BattleActions& DefaultBattleActions()
{
    static BattleActions actions;
    return actions;
}

} // namespace qvr
