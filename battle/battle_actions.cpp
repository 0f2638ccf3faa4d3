#include "battle/battle_actions.h"

#include "battle/battle_rules.h"
#include "battle/monster_moves.h"
#include "battle/spell_rules.h"
#include "core/game.h"

namespace qvr {

void BattleActions::castPartySpell(Game& game, BattleState& state, int pos)
{
    CastPartySpell(game, state, pos);
}

void BattleActions::castMonsterSpell(Game& game, BattleState& state, int school, int level)
{
    CastMonsterSpell(game, state, school, level);
}

void BattleActions::specialMove(Game& game, BattleState& state, int code)
{
    SpecialMove(game, state, code);
}

void BattleActions::battleBegins(Game&, BattleState&) {}

BattleActions& DefaultBattleActions()
{
    static BattleActions actions;
    return actions;
}

} // namespace qvr
