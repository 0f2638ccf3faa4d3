// A battle fought in the headless engine with everything chosen by the
// input: the party (size, classes, levels, wounds and conditions, each made
// by the game's own rules and geared from the real catalogue), up to four
// groups of real monsters of one to nine each, their numbers varied within
// what the content compiler accepts, and the party's orders, given through
// the same command input the battle panel drives. No window, no files
// (the build's content is read once).

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "battle/command_input.h"
#include "battle/narrator.h"
#include "rules/party_rules.h"
#include "tests/fuzz/fuzz_bytes.h"
#include "tests/fuzz/fuzz_party.h"

using namespace qvr;
using namespace qvr::fuzz;

namespace {

constexpr int16_t kClasses[] = {
    Class::Fighter,        Class::Wizard,   Class::Cleric,       Class::Thief, Class::Sage,
    Class::Bard,           Class::Valkyrie, Class::Samurai,      Class::Lord,  Class::Ninja,
    Class::MagicSwordsman, Class::Onmyoji,  Class::MartialArtist};
constexpr int32_t kConditions[] = {0,
                                   0,
                                   0,
                                   Cond::Asleep,
                                   Cond::Paralysed,
                                   Cond::Afraid,
                                   Cond::Poisoned,
                                   Cond::Silenced,
                                   Cond::Blind,
                                   Cond::Hidden,
                                   Cond::Stoned,
                                   Cond::Dead};
// The last melee-capable action code a monster may hold.
constexpr int kLastActionCode = 79;

const std::vector<int>& presentMonsters()
{
    static const std::vector<int> numbers = [] {
        std::vector<int> v;
        const Content& c = *BuiltContent();
        for (int m = 1; m <= kMonsterCount; ++m)
            if (c.monsters[m].present > 0)
                v.push_back(m);
        return v;
    }();
    return numbers;
}

// A real monster, some of its numbers changed within the compiler's bounds.
MonsterDef fuzzedMonster(Choices& in)
{
    const std::vector<int>& present = presentMonsters();
    MonsterDef m = BuiltContent()->monsters[present[in.word() % present.size()]];
    const int count = in.range(1, 9);
    m.groupDice = {1, 1, static_cast<int16_t>(count - 1)};
    const uint8_t vary = in.byte();
    if (vary & 1)
        m.hpDice = {static_cast<int16_t>(in.range(1, 20)), static_cast<int16_t>(in.range(1, 100)),
                    static_cast<int16_t>(in.range(0, 50))};
    if (vary & 2) {
        m.agility = static_cast<int16_t>(in.range(1, 100));
        m.luck = static_cast<int16_t>(in.range(0, 100));
        m.ac = static_cast<int16_t>(in.range(-10, 10));
        m.reach = static_cast<int16_t>(in.pick(2));
    }
    if (vary & 4)
        for (int k = 1; k <= 20; ++k)
            m.actions[k] = static_cast<int16_t>(in.range(0, kLastActionCode));
    const bool melee = std::find(m.actions.begin() + 1, m.actions.end(), 1) != m.actions.end();
    if (vary & 8 || (melee && m.attacks == 0)) {
        m.attacks = static_cast<int16_t>(in.range(1, 10));
        m.damageDice = {static_cast<int16_t>(in.range(1, 9)), static_cast<int16_t>(in.range(1, 30)),
                        static_cast<int16_t>(in.range(0, 20))};
    }
    if (vary & 16)
        for (int i = 15; i <= 33; ++i)
            m.chance[i] = static_cast<int16_t>(melee && in.pick(4) == 0 ? in.range(2, 100) : 0);
    if (!melee) {
        m.attacks = 0;
        m.damageDice = {};
        m.chance.fill(0);
    }
    if (vary & 32) {
        m.expValue = in.word() * 7;
        m.goldValue = in.word();
    }
    return m;
}

void buildParty(Game& game, Choices& in)
{
    const int size = in.range(1, 6);
    for (int p = 1; p <= size; ++p) {
        Character& c = MakeMember(game, p, kClasses[in.pick(std::size(kClasses))], in.range(1, 40));
        c.hp = std::max(1, c.maxHp * in.range(1, 8) / 8);
        c.conditions = kConditions[in.pick(std::size(kConditions))];
        if (c.conditions & Cond::Dead)
            c.hp = 0;
        game.state.partyMember[p] = static_cast<int16_t>(p);
    }
    game.state.partyCount = static_cast<int16_t>(size);
    game.state.groupNo = 1;
    game.state.floor = static_cast<int16_t>(in.range(1, 3));
}

int groupOnLine(const BattleState& state, Choices& in)
{
    if (state.listedGroups.empty())
        return 0;
    return state.listedGroups[static_cast<std::size_t>(in.pick(state.listedGroups.size()))];
}

void aimSpell(Game& game, BattleState& state, Choices& in)
{
    switch (TargetOfSpell(game, state.orders[state.promptSlot].spell)) {
    case SpellTarget::Group:
        ChooseTarget(state, groupOnLine(state, in));
        return;
    case SpellTarget::Member:
        ChooseTarget(state, RosterAt(game, in.range(1, PartySize(game))));
        return;
    case SpellTarget::None:
        NextMember(state);
        return;
    }
}

// One row of the command list, performed as the battle panel performs it.
// Returns whether the command ended the command phase.
bool perform(Game& game, BattleState& state, Command command, Choices& in, int& direction)
{
    direction = 1;
    const int pos = state.promptSlot;
    switch (command) {
    case Command::Start:
        FightRound(game, state);
        return true;
    case Command::Flee:
        // Running ends most battles at once: one try in eight goes ahead.
        if (in.pick(8) != 0)
            return false;
        TryFlee(game, state, pos);
        return true;
    case Command::Auto:
        NormalAuto(game, state);
        FightRound(game, state);
        return true;
    case Command::Back:
        if (state.promptSlot > 1)
            --state.promptSlot;
        direction = 2;
        return false;
    case Command::Redo:
        ClearOrders(game, state);
        state.promptSlot = 1;
        return false;
    case Command::Fight:
    case Command::Ambush: {
        GiveOrder(state, Order::Fight);
        const int line = state.listedGroups.empty() ? 0 : in.pick(state.listedGroups.size());
        if (ReachesLine(game, pos, line) && !state.listedGroups.empty())
            ChooseTarget(state, state.listedGroups[static_cast<std::size_t>(line)]);
        else
            GiveOrder(state, Order::None);
        return false;
    }
    case Command::Breath:
    case Command::Steal:
    case Command::Dispel: {
        const int32_t code = command == Command::Breath  ? Order::Breath
                             : command == Command::Steal ? Order::Steal
                                                         : Order::Dispel;
        GiveOrder(state, code);
        ChooseTarget(state, groupOnLine(state, in));
        return false;
    }
    case Command::Spell: {
        const int no = in.range(0, kSpellCount);
        const std::string name = no == 0 ? "ＸＹＺ" : game.content().spells[no].name;
        if (name.empty())
            return false;
        TypeSpell(game, state, name);
        aimSpell(game, state, in);
        return false;
    }
    case Command::Item: {
        const std::vector<UsableItem> items = UsableItems(game, pos);
        if (items.empty())
            return false;
        ChooseItem(game, state, items[static_cast<std::size_t>(in.pick(items.size()))].itemNo);
        aimSpell(game, state, in);
        return false;
    }
    case Command::Defend:
    case Command::Hide:
        GiveOrder(state, command == Command::Defend ? Order::Defend : Order::Hide);
        NextMember(state);
        return false;
    case Command::Status:
    case Command::Reorder:
        return false; // windows of game/: nothing of the battle's own
    }
    return false;
}

void fight(Game& game, BattleState& state, Choices& in)
{
    constexpr int kMostRounds = 60;
    int direction = 1;
    while (state.active() && state.phase == BattlePhase::Setup &&
           game.state.roundCount < kMostRounds) {
        if (in.empty()) {
            NormalAuto(game, state);
            FightRound(game, state);
            continue;
        }
        const std::vector<CommandRow> rows = PromptMember(game, state, direction);
        if (rows.empty())
            return;
        if (perform(game, state, rows[static_cast<std::size_t>(in.pick(rows.size()))].command, in,
                    direction))
            direction = 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Choices in(data, size);
    auto content = std::make_shared<Content>(*BuiltContent());
    Game game{Rng(in.word())};
    game.setContent(content);
    buildParty(game, in);
    const int groups = in.range(1, 4);
    for (int g = 1; g <= 4; ++g) {
        content->monsters[g] = fuzzedMonster(in);
        content->encounterTable(1, g + 2) = static_cast<int16_t>(g <= groups ? g : 0);
    }

    // QVR_FUZZ_SHOW=1 tells the battle an input fought, for whoever studies
    // one.
    const bool show = std::getenv("QVR_FUZZ_SHOW") != nullptr;
    SilentNarrator quiet;
    TranscriptNarrator told;
    BattleState state;
    state.narrator = show ? static_cast<Narrator*>(&told) : &quiet;
    const bool fightFriendly = in.pick(2) == 0;
    state.fightFriendly = [fightFriendly](Game&, const std::string&) { return fightFriendly; };
    // Every choice above is one play or the content could make, so any
    // error escaping the battle, the game's own included, is a finding.
    StartBattle(game, state, 1);
    fight(game, state, in);
    if (show) {
        for (const std::string& line : told.lines)
            std::fprintf(stderr, "%s\n", line.c_str());
        std::fprintf(stderr, "-> end %d after %d rounds, chest %d\n", static_cast<int>(state.end),
                     game.state.roundCount, state.victory.chest ? 1 : 0);
    }
    return 0;
}
