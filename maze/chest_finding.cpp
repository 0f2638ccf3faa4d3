#include <string>

#include "core/dice.h"
#include "core/game.h"
#include "core/textformat.h"
#include "maze/chest_rules.h"

namespace qvr {

namespace {

int roll(Game& game, int sides)
{
    return Dice(game.rng, 1, sides, 0);
}

// Bad luck shows the name of any trap, perhaps even the right one.
Finding anyName(Game& game)
{
    return {false, game.content().traps[roll(game, kTrapEffectCount)].name};
}

bool trapSkilled(int classCode)
{
    return classCode == Class::Thief || classCode == Class::Bard || classCode == Class::Ninja;
}

} // namespace

Finding InspectChest(Game& game, const Character& actor, const TrapDef& trap)
{
    const int look = roll(game, actor.agility);
    int slip = 0; // the die whose 1 sets the trap off after a bad look
    if (actor.classCode == Class::Thief || actor.classCode == Class::Bard) {
        if (look != 1)
            return {false, trap.name};
        slip = 50;
    } else if (actor.classCode == Class::Ninja) {
        if (look > 2)
            return {false, trap.name};
        slip = 20;
    } else {
        if (look >= 17)
            return {false, trap.name};
        slip = 8;
    }
    if (roll(game, slip) == 1)
        return {true, ""};
    return anyName(game);
}

Finding RevealTrap(Game& game, const TrapDef& trap)
{
    if (roll(game, 20) == 1)
        return anyName(game);
    return {false, trap.name};
}

DisarmResult TryDisarm(Game& game, const Character& actor, int chestLevel, const TrapDef& trap,
                       const std::string& typed)
{
    // Trap names are plain ASCII capitals: any case typed on the keyboard fits.
    if (AsciiUpper(TrimBlanks(typed)) != trap.name)
        return DisarmResult::Sprung;
    const int f = roll(game, chestLevel + 50);
    if (f == 1)
        return DisarmResult::Sprung;
    if (f >= actor.agility + actor.level)
        return DisarmResult::Failed;
    if (!trapSkilled(actor.classCode) && roll(game, actor.luck) < 13)
        return DisarmResult::Sprung;
    return DisarmResult::Disarmed;
}

} // namespace qvr
