#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "core/game.h"
#include "core/textformat.h"

namespace qvr {

const std::string& GroupEntryText(Game& game, BattleState& state, int group)
{
    auto& slots = state.monsters[group];
    const MonsterSlot& tmpl = slots[0];
    const std::string& shown = tmpl.identified != 0 ? tmpl.name : tmpl.unknownName;
    int living = 0;
    int awake = 0;
    for (int s = 1; s <= kGroupSlots; ++s) {
        MonsterSlot& m = slots[s];
        if (m.conditions & Cond::Dead)
            continue;
        ++living;
        if (!(m.conditions & (Cond::Asleep | Cond::Paralysed | Cond::Stoned)))
            ++awake;
        m.conditions &= ~(Cond::Afraid | Cond::Frozen | Cond::Shocked);
        if (Roll(game, 2) == 1)
            m.conditions &= ~Cond::Asleep;
        if (Roll(game, 2) == 1)
            m.conditions &= ~Cond::Confused;
        if (Roll(game, 4) == 1)
            m.conditions &= ~Cond::Charmed;
    }
    BattleState::GroupLine& line = state.lineCache[group];
    // The number and the name only change when the group is identified, or
    // when another monster stands in the group in a later battle.
    const std::size_t known = tmpl.identified != 0 ? 1 : 0;
    if (!line.built[known] || line.name[known] != shown) {
        line.head[known] = toFullWidth(toFullWidth(" " + std::to_string(group) + " ") +
                                       formatField("!@@@@@@@@@@@@@@@@@ ", shown));
        line.name[known] = shown;
        line.built[known] = true;
        line.living = -1;
    }
    if (line.identified != tmpl.identified) {
        line.identified = tmpl.identified;
        line.living = -1;
    }
    if (line.living != living || line.awake != awake) {
        line.text.assign(line.head[known]);
        line.text.append(Digits(living)).append("（").append(Digits(awake)).append("）");
        line.living = living;
        line.awake = awake;
    }
    return line.text;
}

void RebuildMonsterList(Game& game, BattleState& state)
{
    state.listedGroups.clear();
    // The lines are assigned over the last round's, whose storage they reuse.
    std::size_t listed = 0;
    for (int g = 1; g <= kGroupCount; ++g) {
        bool standing = false;
        for (int s = 1; s <= kGroupSlots && !standing; ++s)
            standing = IsLiving(state.monsters[g][s]);
        if (!standing)
            continue;
        state.listedGroups.push_back(g);
        const std::string& text = GroupEntryText(game, state, g);
        if (listed < state.groupLines.size())
            state.groupLines[listed] = text;
        else
            state.groupLines.push_back(text);
        ++listed;
    }
    state.groupLines.resize(listed);
}

} // namespace qvr
