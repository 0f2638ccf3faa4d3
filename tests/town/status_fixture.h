#pragma once

// A small game for the status window's tests: a party of three in town, a
// handful of items of every equipment kind, a game folder to save into, and
// a prompter that answers boxes and pickers from a script and drives the
// status window by keys.

#include <memory>
#include <string>
#include <vector>

#include "test_items.h"

#include "core/game.h"
#include "core/prompts.h"
#include "game/status_window.h"
#include "game_fixture.h"

namespace qvr::test::status {

// Item numbers of the test content.
enum TestItem : int16_t {
    kSword = 1,      // main hand, may serve the second hand
    kGreatSword = 2, // needs both hands
    kShield = 3,     // second hand
    kArmour = 4,     // armour with a resistance and regeneration
    kCursedHelm = 5, // cursed helm
    kGauntlets = 6,  // gauntlets
    kBoots = 7,      // boots
    kRing = 8,       // accessory with ward and slay bits
    kStaff = 9,      // main hand, clerics only
    kKeyStone = 10,  // kind 128: never thrown away
    kPowerRing = 11, // accessory whose power the tests set
    kDust = 12,      // what kPowerRing wears into
    kCursedShield = 13,
};

// Answers like ScriptedPrompter and plays the status window from the same
// queue: each answer given to the window is a run of keys, pressed until the
// window closes.
class StatusPrompter : public ScriptedPrompter {
public:
    using ScriptedPrompter::run;
    std::vector<std::string> windows; // the caption of each window shown

    void run(Game& game, StatusWindow& window) override
    {
        windows.push_back(window.sheet.caption);
        while (!window.closed()) {
            if (answers.empty()) {
                ADD_FAILURE() << "the status window wanted more keys";
                return;
            }
            Answer a = answers.front();
            answers.pop_front();
            for (Key k : a.keys)
                window.pressKey(game, k);
        }
    }
};

inline ItemDef MakeItem(int16_t no, const std::string& name, int16_t kind)
{
    return qvr::test::WearableItem(no, name, kind, "？" + name);
}

// Not started: nothing is loaded, and the fixture fills in the items and the
// party itself.
struct StatusFixture : GameFixture<StatusPrompter> {
    StatusFixture() : GameFixture(GameStart::NotStarted)
    {
        auto& items = content().items;
        items[kSword] = MakeItem(kSword, "ロングソード", 1);
        items[kSword].secondHand = 1;
        items[kGreatSword] = MakeItem(kGreatSword, "グレートソード", 1);
        items[kGreatSword].twoHanded = 1;
        items[kShield] = MakeItem(kShield, "ラージシールド", 2);
        items[kShield].acBonus = -2;
        items[kArmour] = MakeItem(kArmour, "プレートメイル", 3);
        items[kArmour].acBonus = -5;
        items[kArmour].regen = 1;
        items[kArmour].res[4] = 30;
        items[kCursedHelm] = MakeItem(kCursedHelm, "呪いの兜", 6);
        items[kCursedHelm].cursed = 1;
        items[kCursedHelm].acBonus = 2;
        items[kGauntlets] = MakeItem(kGauntlets, "小手", 4);
        items[kGauntlets].acBonus = -1;
        items[kBoots] = MakeItem(kBoots, "ブーツ", 5);
        items[kBoots].acBonus = -1;
        items[kRing] = MakeItem(kRing, "守りの指輪", 7);
        items[kRing].wardBits = 0x30;
        items[kRing].slayMask = 0x05;
        items[kRing].res[4] = 10;
        items[kRing].res[12] = 50;
        items[kStaff] = MakeItem(kStaff, "僧侶の杖", 1);
        items[kStaff].classMask = Class::Cleric;
        items[kKeyStone] = MakeItem(kKeyStone, "封印の石", 128);
        items[kPowerRing] = MakeItem(kPowerRing, "力の指輪", 7);
        items[kDust] = MakeItem(kDust, "指輪のかけら", 8);
        items[kCursedShield] = MakeItem(kCursedShield, "呪いの盾", 2);
        items[kCursedShield].cursed = 1;

        member(1, "アルス", 1);
        member(2, "ベラ", 2);
        member(3, "カイ", 3);
        game.state.partyCount = 3;
        for (int i = 1; i <= 3; ++i)
            game.state.partyMember[i] = static_cast<int16_t>(i);
        game.state.groupNo = 1;
    }

    // A neutral human fighter of level 5 in the party in town.
    Character& member(int r, const std::string& name, int position)
    {
        Character& c = character(r, name);
        c.level = 5;
        c.sex = 1;
        c.floor = -1;
        c.groupNo = 1;
        c.position = static_cast<int16_t>(position);
        c.hp = 10;
        c.maxHp = 20;
        c.baseAc = 10;
        c.ac = 10;
        c.strength = 12;
        return c;
    }

    // Puts an item into a slot with its flags.
    void carry(int r, int slot, int16_t item, int16_t flags = 0)
    {
        game.character(r).items[slot] = item;
        game.character(r).itemFlags[slot] = flags;
    }

    StatusWindow open(int r, StatusMode mode = StatusMode::Tavern)
    {
        return StatusWindow(game, r, mode);
    }

    void press(StatusWindow& w, std::vector<Key> keys)
    {
        for (Key k : keys)
            w.pressKey(game, k);
    }

    // Queues the answer of a message box (dismissed with Enter).
    void dismiss(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            prompter->answer({Key::Enter});
    }

    std::vector<std::string> shown() const { return prompter->shown; }
};

inline std::vector<std::string> StatusRowTexts(const std::vector<Row>& rows)
{
    std::vector<std::string> out;
    for (const Row& r : rows)
        out.push_back(r.text);
    return out;
}

} // namespace qvr::test::status
