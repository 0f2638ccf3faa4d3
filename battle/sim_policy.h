#pragma once

// The simulator's player: the orders it gives each round and the healing it
// does in camp between the battles of a trip.

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

    void giveOrders(Game& game, BattleState& state) const;
    // Heals the party below 90 % with the camp's healing spell while any
    // member has points for it.
    void campHealing(Game& game) const;

private:
    std::vector<int> heals_; // healing one member in battle
    std::vector<int> harms_; // damage and sleep
    std::vector<int> campHeals_;
};

} // namespace qvr
