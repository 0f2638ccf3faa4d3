#pragma once

// The simulator's player: the orders it gives each round, when it runs, and
// the healing it does in camp between the battles of a trip. It reads the
// same command list the player is offered, so it never gives an order the
// game would not take.

#include <initializer_list>
#include <vector>

namespace qvr {

class Game;
struct BattleState;
struct Content;

class SimPlayer {
public:
    // The spells worth knowing are found once: the player's choice each
    // round looks only at them.
    explicit SimPlayer(const Content& content);

    // A fresh battle: a dragon's breath is counted anew.
    void battleBegins();
    // Fills the orders of this command phase. Returns the position that
    // leads the party's flight when the fight is hopeless (and `flee` lets
    // it run) and no spell can take it away, 0 to fight the round.
    int giveOrders(Game& game, BattleState& state, bool flee = true);
    // Heals the party below 90 % with the camp's healing spell while any
    // member has points for it.
    void campHealing(Game& game) const;

private:
    struct Spells {
        std::vector<int> heals;       // one member's hit points
        std::vector<int> groupHarms;  // damage on a group or on every group
        std::vector<int> singleHarms; // damage on one monster
        std::vector<int> sleeps;      // a group put to sleep
        std::vector<int> magicShields;
        std::vector<int> breathShields;
        std::vector<int> escapes;
        std::vector<int> campHeals;
    };
    Spells spells_;
    int breaths_[51] = {}; // by roster number, this battle
};

} // namespace qvr
