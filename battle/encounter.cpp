#include <string>

#include "battle/battle.h"
#include "battle/battle_actions.h"
#include "battle/battle_rules.h"
#include "battle/shadow.h"
#include "core/game.h"
#include "core/music.h"
#include "core/prompts.h"

namespace qvr {

namespace {

void BuildGroup(Game& game, BattleState& state, int g, int monsterNo)
{
    if (monsterNo > kMonsterCount)
        throw GameError("encounter " + std::to_string(state.encounterNo) + " names monster " +
                        std::to_string(monsterNo) + ", past the monster table");
    const MonsterDef& def = game.content().monsters[monsterNo];
    auto& group = state.monsters[g];
    for (MonsterSlot& slot : group)
        slot.conditions = kEmptySlot;
    const int count = RollDice(game, def.groupDice[0], def.groupDice[1], def.groupDice[2]);
    const int shadowOf = game.state.eventResult == kShadowEncounter
                             ? RosterAt(game, Roll(game, PartySize(game)))
                             : 0;
    // A group never outgrows its nine places, whatever the dice say.
    for (int s = 0; s <= std::min(count, kGroupSlots); ++s) {
        MonsterSlot& m = group[s];
        m = def;
        m.maxHp = RollDice(game, def.hpDice[0], def.hpDice[1], def.hpDice[2]);
        m.hp = m.maxHp;
        m.initiative = 0;
        m.battleA[1] = 0; // the group's kill tally
        if (shadowOf > 0)
            MakeShadow(game, m, game.character(shadowOf));
    }
    const bool known = (game.state.partyEffects & PartyEffect::Identify) != 0 || Roll(game, 2) == 1;
    for (MonsterSlot& slot : group)
        slot.identified = known ? -1 : 0;
    state.groupMonster[g] = monsterNo;
}

// Everything of the last battle goes; the narrator and the other hooks stay.
void ResetForBattle(BattleState& state)
{
    for (auto& group : state.monsters)
        for (MonsterSlot& slot : group) {
            slot.present = 0;
            slot.conditions = kEmptySlot;
            slot.initiative = 0;
            slot.hp = 0;
        }
    state.orders = {};
    state.phase = BattlePhase::None;
    state.end = BattleEnd::Ongoing;
    state.groupMonster = {};
    state.listedGroups.clear();
    state.groupLines.clear();
    for (auto& line : state.lineCache)
        line.living = -1;
    for (auto& name : state.spellNames)
        name.known = false;
    state.promptSlot = 0;
    state.actingSlot = 0;
    state.actingGroup = 0;
    state.actingMonster = 0;
    state.partyFirstStrike = false;
    state.partyShield = {};
    state.monsterShield = {};
    state.rewards = {};
    state.victory = {};
    state.breaths = {};
}

int HighestRank(const BattleState& state)
{
    int rank = 0;
    for (int g = 1; g <= kGroupCount; ++g)
        if (state.groupMonster[g] > 0)
            rank = std::max<int>(rank, state.monsters[g][0].rank);
    return rank;
}

void ReverseMarch(Game& game)
{
    const int size = PartySize(game);
    for (int p = 1; p <= size / 2; ++p)
        std::swap(game.state.partyMember[p], game.state.partyMember[size - p + 1]);
    for (int p = 1; p <= size; ++p)
        MemberAt(game, p).position = static_cast<int16_t>(p);
}

void MonstersFreeRound(Game& game, BattleState& state)
{
    ClearOrders(game, state);
    RollMonsterInitiative(game, state);
    state.phase = BattlePhase::Round;
    RunRound(game, state);
}

bool AskFight(Game& game, BattleState& state, const std::string& question)
{
    if (state.fightFriendly)
        return state.fightFriendly(game, question);
    return AskYesNo(game, "", question);
}

void MeetFriendly(Game& game, BattleState& state)
{
    const std::string question = "友好的な\r" + MonsterName(state, 1, 0) + "\r戦いますか？";
    if (!AskFight(game, state, question)) {
        for (int p = 1; p <= PartySize(game); ++p) {
            Character& c = MemberAt(game, p);
            if (Roll(game, 20) == 2 && c.alignment == Align::Chaotic)
                c.alignment = Align::Lawful;
        }
        PlayMusic(game, game.state.floorMusic);
        state.end = BattleEnd::Parted;
        LeaveBattle(game, state);
        return;
    }
    for (int p = 1; p <= PartySize(game); ++p) {
        Character& c = MemberAt(game, p);
        if (Roll(game, 20) != 2 || c.alignment != Align::Lawful)
            continue;
        c.alignment = Align::Chaotic;
        if (c.race == Race::Angel) {
            c.race = Race::Demon;
            c.res[2] = 0;
            c.res[12] = 0;
            c.res[13] = 100;
            Say(state, c.name + "は\n堕天しました");
        }
    }
    PlayMusic(game, game.state.encounterOrigin);
    state.partyFirstStrike = true;
}

void OpeningRoll(Game& game, BattleState& state)
{
    const int battleTrack = game.state.encounterOrigin;
    switch (state.fixedRolls.apply(FixedRoll::Opening, Roll(game, 30), 1, 30)) {
    case 1:
        Say(state, "モンスターの先制攻撃");
        PlayMusic(game, battleTrack);
        MonstersFreeRound(game, state);
        break;
    case 2:
        Say(state, "パーティーの先制攻撃");
        PlayMusic(game, battleTrack);
        state.partyFirstStrike = true;
        break;
    case 3:
        // Strong monsters are never friendly; the battle goes on, unscored.
        if (HighestRank(state) <= 29 && state.groupMonster[1] > 0)
            MeetFriendly(game, state);
        break;
    case 4:
        Say(state, "モンスターのバックアタック");
        PlayMusic(game, battleTrack);
        ReverseMarch(game);
        MonstersFreeRound(game, state);
        ReverseMarch(game);
        if (state.active())
            ClearOrders(game, state);
        break;
    default:
        PlayMusic(game, battleTrack);
        break;
    }
}

} // namespace

BattleEnd StartBattle(Game& game, BattleState& state, int encounterNo)
{
    if (encounterNo < 0 || encounterNo > kMaxEncounter)
        throw GameError("encounter " + std::to_string(encounterNo) + " is past the table");
    if (encounterNo == 0) {
        const int count = game.state.floorEncounterCount;
        if (count < 1) {
            state.end = BattleEnd::NoBattle;
            return state.end;
        }
        encounterNo = game.state.floorEncounters[Roll(game, count)];
        if (encounterNo < 1 || encounterNo > kMaxEncounter)
            throw GameError("the floor lists encounter " + std::to_string(encounterNo) +
                            ", past the table");
    }
    ResetForBattle(state);
    state.encounterNo = encounterNo;

    PlayMusic(game, kTrackEncounter);
    Say(state, "モンスターが現れた");
    game.state.roundCount = 0;
    for (int g = 1; g <= kGroupCount; ++g) {
        const int m = game.content().encounterTable(encounterNo, g + 2);
        if (m >= 1)
            BuildGroup(game, state, g, m);
    }
    RebuildMonsterList(game, state);

    state.phase = BattlePhase::Setup;
    ClearOrders(game, state);
    for (int p = 1; p <= PartySize(game); ++p)
        MemberAt(game, p).conditions &= ~Cond::Afraid;
    (state.actions ? *state.actions : DefaultBattleActions()).battleBegins(game, state);
    OpeningRoll(game, state);
    return state.end;
}

} // namespace qvr
