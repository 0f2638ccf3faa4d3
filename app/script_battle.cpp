#include "app/script_transcript.h"

#include <ostream>

#include "battle/battle_rules.h"
#include "core/game.h"
#include "game/battle_screens.h"

namespace qvr {

void WriteBattle(std::ostream& out, const Game& game)
{
    const BattleSession* battle = CurrentBattle(game);
    if (!battle || !battle->state.active())
        return;
    const BattleState& st = battle->state;
    out << "battle encounter " << st.encounterNo << " round " << game.state.roundCount << " asking "
        << st.promptSlot << '\n';
    for (std::size_t i = 0; i < st.listedGroups.size(); ++i) {
        const int g = st.listedGroups[i];
        int living = 0;
        for (int slot = 1; slot <= kGroupSlots; ++slot)
            if (IsLiving(st.monsters[g][slot]))
                ++living;
        out << "  group " << g << " monster " << st.groupMonster[g] << " living " << living << ": "
            << OneLine(st.groupLines[i]) << '\n';
    }
    for (int p = 1; p <= game.state.partyCount; ++p) {
        const MemberOrder& o = st.orders[p];
        if (o.code == Order::None)
            continue;
        out << "  order " << p << " code " << o.code << " target " << o.target << " spell "
            << o.spell << " item " << o.item << '\n';
    }
}

void ScriptObserver::narrated(const std::string& line)
{
    out_ << "SAY " << OneLine(line) << '\n';
}

} // namespace qvr
