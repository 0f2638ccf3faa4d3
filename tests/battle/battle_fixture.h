#pragma once

// A battle set up by hand: a game with its own content, a party of given
// classes and monsters placed straight into the battle's groups, so that a
// test can run one rule on the state it wants.

#include <memory>
#include <string>
#include <vector>

#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "battle/narrator.h"
#include "core/game.h"
#include "core/messages.h"
#include "core/save_store.h"
#include "tests/core/built_files.h"

namespace qvr::test {

// The build's texts, read once: the narration the tests compare says them.
inline std::shared_ptr<const MessageTable> BuiltTexts()
{
    static const std::shared_ptr<const MessageTable> texts = std::make_shared<const MessageTable>(
        DecodeMessageImage(BuiltFile(kTextsFileName), kTextsFileName));
    return texts;
}

struct BattleFixture {
    explicit BattleFixture(uint64_t seed = 1, std::vector<int16_t> classes = {Class::Fighter})
        : game(Rng(seed)), content(std::make_shared<Content>())
    {
        game.setContent(content);
        game.texts = BuiltTexts();
        int p = 0;
        for (int16_t classCode : classes) {
            ++p;
            Character c;
            c.rosterNo = p;
            c.name = "M" + std::to_string(p);
            c.classCode = classCode;
            c.level = 1;
            c.maxLevel = 1;
            c.position = static_cast<int16_t>(p);
            c.hp = c.maxHp = 1000;
            c.strength = 10;
            c.agility = 10;
            c.luck = 10;
            c.ac = c.baseAc = 10;
            game.save().roster[p] = c;
            game.state.partyMember[p] = static_cast<int16_t>(p);
        }
        game.state.partyCount = static_cast<int16_t>(p);
        state.narrator = &transcript;
        ClearOrders(game, state);
        state.fightFriendly = [](Game&, const std::string&) { return true; };
    }

    Character& member(int pos) { return MemberAt(game, pos); }

    // A monster that only strikes, tough enough to stand many blows.
    static MonsterDef Brute(const std::string& name = "X")
    {
        MonsterDef m;
        m.present = 1;
        m.rank = 1;
        m.name = name;
        m.unknownName = name;
        m.hp = m.maxHp = 1000000;
        m.agility = 10;
        m.attacks = 1;
        m.damageDice = {1, 1, 0};
        m.groupDice = {0, 0, 1};
        m.hpDice = {0, 0, 30000};
        for (int k = 1; k <= 20; ++k)
            m.actions[k] = 1;
        return m;
    }

    // Group g: the template and `count` members, identified.
    void place(int g, const MonsterDef& def, int count = 1)
    {
        for (int s = 0; s <= kGroupSlots; ++s) {
            state.monsters[g][s] = def;
            if (s > count)
                state.monsters[g][s].conditions = kEmptySlot;
            state.monsters[g][s].identified = -1;
        }
        state.groupMonster[g] = 1;
        RebuildMonsterList(game, state);
    }

    // Gives member `pos` a weapon (item `no` of the content) in `slot`.
    ItemDef& arm(int pos, int no = 1, int equipCode = 1, int slot = 1)
    {
        ItemDef& w = content->items[no];
        w.itemNo = static_cast<int16_t>(no);
        w.kind = 1;
        w.damageDice = {1, 1, 0};
        member(pos).items[slot] = static_cast<int16_t>(no);
        member(pos).itemFlags[slot] = static_cast<int16_t>(equipCode);
        return w;
    }

    // Lines said since the last call.
    std::vector<std::string> said()
    {
        std::vector<std::string> lines = std::move(transcript.lines);
        transcript.lines.clear();
        return lines;
    }

    Game game;
    std::shared_ptr<Content> content;
    BattleState state;
    TranscriptNarrator transcript;
};

inline bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.rfind(prefix, 0) == 0;
}

inline bool Contains(const std::string& s, const std::string& part)
{
    return s.find(part) != std::string::npos;
}

} // namespace qvr::test
