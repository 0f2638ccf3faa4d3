#include "core/dice.h"
#include "core/game.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "core/textformat.h"
#include "maze/maze_events.h"
#include "rules/party_panel.h"

namespace qvr {

void FloorTrap(Game& game, int dice)
{
    GameState& st = game.state;
    if (st.partyEffects & PartyEffect::Floating) {
        ShowMessage(game, "", "トラップの上に浮かんでいる");
        return;
    }
    ShowMessage(game, "", "トラップだ！");
    for (int i = 1; i <= st.partyCount; ++i) {
        Character& c = game.character(st.partyMember[i]);
        if (c.conditions & Cond::BeyondCare)
            continue;
        if (Dice(game.rng, 1, 20, 0) >= c.luck) {
            ShowMessage(game, "", c.name + "は\n" + "ダメージを受けなかった");
            continue;
        }
        int damage = Dice(game.rng, dice, 10, 0);
        c.hp -= damage;
        ShowMessage(game, "",
                    c.name + "は\n" + "\n" + toFullWidth(std::to_string(damage)) +
                        "のダメージをうけた");
        if (c.hp <= 0) {
            c.conditions |= Cond::Dead;
            c.hp = 0;
            ShowMessage(game, "", c.name + "は\n死んだ・・・");
        }
    }
    RefreshPartyPanel(game);
}

int Apparition(Game& game)
{
    GameState& st = game.state;
    int y = Dice(game.rng, 1, 20, -1), x = Dice(game.rng, 1, 20, -1);
    int facing = Dice(game.rng, 1, 4, -1);
    if (x != st.posX || y != st.posY || facing != st.facing)
        return 0;
    st.apparitionDone = true;
    // Both readings are times of day: past midnight the run seems young again.
    if (game.clock->secondsSinceMidnight() <= st.runStartTime + 600 ||
        Dice(game.rng, 1, 100, 0) != 3)
        return 0;
    ShowTexts(game, 995, 997);
    if (!AskYesNo(game, "", std::string(MessageText(game, 998))))
        return 0;
    ShowMessage(game, "", std::string(MessageText(game, 999)));
    st.encounterOrigin = 13;
    return 1236 + Dice(game.rng, 1, 14, 0);
}

} // namespace qvr
