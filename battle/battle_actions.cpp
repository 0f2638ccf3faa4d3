#include "battle/battle_actions.h"

#include "battle/battle_rules.h"
#include "battle/spell_rules.h"
#include "core/game.h"

namespace qvr {

namespace {

// Breath, theft and the special moves are not fought yet: the round says so
// rather than inventing an outcome. Spells are.
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

void BattleActions::dispel(Game& game, BattleState& state, int pos, int)
{
    MemberTries(game, state, pos, "は呪いを解こうとした");
}

void BattleActions::hide(Game& game, BattleState& state, int pos)
{
    MemberTries(game, state, pos, "は隠れようとした");
}

void BattleActions::breathe(Game& game, BattleState& state, int pos)
{
    MemberTries(game, state, pos, "はブレスを吐こうとした");
}

void BattleActions::steal(Game& game, BattleState& state, int pos)
{
    MemberTries(game, state, pos, "は盗もうとした");
}

void BattleActions::castMonsterSpell(Game& game, BattleState& state, int school, int level)
{
    CastMonsterSpell(game, state, school, level);
}

void BattleActions::monsterFlee(Game&, BattleState& state)
{
    MonsterTries(state, "は逃げ出そうとした");
}

void BattleActions::callForHelp(Game&, BattleState& state)
{
    MonsterTries(state, "は仲間を呼んだ");
}

void BattleActions::monsterBreath(Game&, BattleState& state, int)
{
    MonsterTries(state, "はブレスを吐こうとした");
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
