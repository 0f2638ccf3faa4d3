#include "rules/party_panel.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/game.h"
#include "core/panel_names.h"
#include "core/textformat.h"
#include "rules/character_rules.h"
#include "rules/party_order.h"

namespace qvr {

void OrderAbleFirst(Game& game, std::vector<int>& members)
{
    // A stable sort keeps a member whose position number is missing or
    // shared, where walking the numbers would drop it.
    int next = 7;
    for (int r : members)
        if (game.character(r).conditions & Cond::Disabled)
            game.character(r).position = static_cast<int16_t>(next++);
    std::stable_sort(members.begin(), members.end(), [&](int a, int b) {
        return game.character(a).position < game.character(b).position;
    });
    for (std::size_t i = 0; i < members.size(); ++i)
        game.character(members[i]).position = static_cast<int16_t>(i + 1);
}

void PutDisabledBehind(Game& game)
{
    GameState& st = game.state;
    std::vector<int> members;
    for (int p = 1; p <= st.partyCount; ++p)
        members.push_back(st.partyMember[p]);
    OrderAbleFirst(game, members);
    for (std::size_t i = 0; i < members.size(); ++i)
        st.partyMember[i + 1] = static_cast<int16_t>(members[i]);
}

void RefreshPartyPanel(Game& game)
{
    GameState& st = game.state;
    Panel& panel = game.screen.panel(kPartyPanel);
    panel.rows.clear();
    for (Label& l : panel.labels)
        l.text.clear();

    st.partyCount = 0;
    std::vector<int> members;
    for (int k = 1; k <= kRosterSize && members.size() < 6; ++k) {
        const Character& c = game.character(k);
        if (c.rosterNo >= 1 && c.floor == st.floor && c.groupNo == st.groupNo)
            members.push_back(c.rosterNo);
    }
    if (members.empty()) {
        panel.selected = -1;
        return;
    }

    OrderAbleFirst(game, members);
    for (std::size_t i = 0; i < members.size(); ++i) {
        Character& c = game.character(members[i]);
        int n = static_cast<int>(i) + 1;
        st.partyMember[n] = static_cast<int16_t>(members[i]);
        std::string row = std::to_string(n);
        panel.rows.push_back({toFullWidth(row + "：" + c.name), 0, members[i], {}});
        std::string index = std::to_string(i);
        panel.setLabel("lblClass" + index, ClassLabel(c.alignment, c.classCode));
        panel.setLabel("lblAC" + index, std::to_string(c.ac));
        std::string mark;
        bool poisoned = c.conditions & Cond::Poisoned;
        if (poisoned && c.regen > 0)
            mark = " ";
        else if (poisoned)
            mark = "-";
        else if (c.regen < 1)
            mark = " ";
        else
            mark = "+";
        panel.setLabel("lblHP" + index, mark + std::to_string(c.hp));
        panel.setLabel("lblState" + index,
                       c.conditions != 0 ? ConditionText(c.conditions) : std::to_string(c.maxHp));
    }
    st.partyCount = static_cast<int16_t>(members.size());
    // Only a list that takes the keyboard shows a highlight; one that does
    // keeps the row it was on, or the nearest row still there.
    if (!panel.enabled)
        panel.selected = -1;
    else
        panel.selected = std::clamp(panel.selected, 0, st.partyCount - 1);
}

} // namespace qvr
