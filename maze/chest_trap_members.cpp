#include <algorithm>
#include <cmath>
#include <string>

#include "core/dice.h"
#include "core/game.h"
#include "core/prompts.h"
#include "core/textformat.h"
#include "maze/chest_rules.h"
#include "maze/chest_trap_kit.h"
#include "rules/character_rules.h"
#include "rules/equipment.h"
#include "rules/experience.h"

namespace qvr::trapkit {

namespace {

// A member hidden or beyond care is never a trap's random target.
constexpr int32_t kNotTargetable = Cond::BeyondCare | Cond::Hidden;
constexpr int kArmourKind = 3;

} // namespace

void say(Game& game, const std::string& text)
{
    ShowMessage(game, "", text);
}

int roll(Game& game, int sides)
{
    return Dice(game.rng, 1, sides, 0);
}

bool luckFails(Game& game, const Character& c, int below)
{
    return roll(game, c.luck) < below;
}

bool resistFails(Game& game, const Character& c, int i)
{
    return c.res[i] < roll(game, 100);
}

bool hit(Game& game, const Character& c, int luckBelow, int resistance)
{
    return luckFails(game, c, luckBelow) && resistFails(game, c, resistance);
}

void spared(Game& game, const Character& c)
{
    say(game, c.name + "は\n罠を回避した");
}

void dies(Game& game, Character& c, const std::string& how)
{
    c.conditions |= Cond::Dead;
    c.hp = 0;
    say(game, c.name + how);
}

void wound(Game& game, Character& c, int32_t damage)
{
    c.hp -= damage;
    say(game, c.name + "は\n" + fullWidthDigits(damage) + "のダメージをうけた");
    if (c.hp < 1)
        dies(game, c);
}

std::vector<Character*> everyone(Game& game, bool skipBeyondCare)
{
    std::vector<Character*> list;
    for (int i = 1; i <= game.state.partyCount; ++i) {
        Character& c = game.character(game.state.partyMember[i]);
        if (!skipBeyondCare || !(c.conditions & Cond::BeyondCare))
            list.push_back(&c);
    }
    return list;
}

Character* anyMember(Game& game)
{
    const GameState& st = game.state;
    if (st.partyCount < 1)
        return nullptr;
    return &game.character(st.partyMember[roll(game, st.partyCount)]);
}

Character* targetableMember(Game& game)
{
    for (int tries = 0; tries < 51; ++tries) {
        Character* c = anyMember(game);
        if (c && !(c->conditions & kNotTargetable))
            return c;
    }
    return nullptr;
}

namespace {

void destroyItem(Game& game, Character& c, int slot)
{
    const std::string name = game.item(c.items[slot]).name;
    c.items[slot] = 0;
    c.itemFlags[slot] = 0;
    CompactItems(game, c.rosterNo);
    // What the lost item gave (armour class, resistances) goes with it.
    ApplyEquipment(game, c.rosterNo);
    say(game, c.name + "の" + name + "壊れた・・・");
}

void forgetSpell(Game& game, Character& c)
{
    for (int tries = 0; tries < 100; ++tries) {
        int school = roll(game, 2) - 1, level = roll(game, 9), slot = roll(game, 4);
        if (int16_t& known = c.spellKnown(school, level, slot); known != 0) {
            known = 0;
            say(game, c.name + "は\n呪文を忘れた");
            return;
        }
    }
    say(game, kNothingText);
}

// Trap 29: the member is swept away to the deep floors and leaves the party.
void vortex(Game& game, Character& c)
{
    GameState& st = game.state;
    c.groupNo = 0;
    c.floor = static_cast<int16_t>(roll(game, 4) + 13);
    c.posX = static_cast<int16_t>(roll(game, 19));
    c.posY = static_cast<int16_t>(roll(game, 10));
    c.ac = c.baseAc;
    int kept = 0;
    for (int i = 1; i <= st.partyCount; ++i)
        if (st.partyMember[i] != c.rosterNo)
            st.partyMember[++kept] = st.partyMember[i];
    for (int i = kept + 1; i <= st.partyCount; ++i)
        st.partyMember[i] = 0;
    st.partyCount = static_cast<int16_t>(kept);
    say(game, c.name + "は\n渦の中に消え去った");
}

// The effects that strike one member of the party.
void oneMember(Game& game, int number, Character& c)
{
    switch (number) {
    case 5:
        if (c.luck <= 1 && roll(game, 20) != 1) {
            say(game, "しかし " + c.name + "は\n悪運が強かった");
        } else {
            --c.luck;
            say(game, c.name + "の運が下がった");
        }
        break;
    case 6:
        if (!luckFails(game, c, 10)) {
            say(game, c.name + "は\n悲劇を免れた");
            break;
        }
        for (int school = 0; school <= 1; ++school)
            for (int level = 1; level <= 9; ++level)
                c.mp(school, level) = 0;
        say(game, c.name + "は\nＭＰが無くなった");
        break;
    case 7:
        c.age = static_cast<int16_t>(c.age + roll(game, 5));
        say(game, c.name + "は\n年老いた");
        break;
    case 14:
    case 23: {
        // The main weapon is worn in the main hand and nowhere else (flags
        // exactly 1); armour is whatever is worn as body armour.
        int slot = 1;
        for (; slot <= 12; ++slot) {
            const int16_t flags = c.itemFlags[slot];
            if (c.items[slot] != 0 &&
                (number == 14 ? flags == kMainHand : (flags & ItemFlag::SlotMask) == kArmourKind))
                break;
        }
        if (slot > 12)
            say(game, kNothingText);
        else
            destroyItem(game, c, slot);
        break;
    }
    case 16:
        if (roll(game, 100) < c.res[30] || c.level < 2) {
            spared(game, c);
        } else {
            DrainLevels(game.rng, c, 1);
            say(game, c.name + "は\nＬＶが１つ落ちた");
        }
        break;
    case 17:
        if (!hit(game, c, 10, 29)) {
            spared(game, c);
        } else {
            c.conditions |= Cond::Stoned;
            say(game, c.name + "は\n石化した！");
        }
        break;
    case 18:
        if (!hit(game, c, 10, 31))
            spared(game, c);
        else
            dies(game, c, "は\n首をはねられた！");
        break;
    case 19:
        if (!hit(game, c, 10, 33)) {
            spared(game, c);
        } else {
            c.conditions |= Cond::Vanished;
            c.hp = 0;
            say(game, c.name + "の運命は途切れた・・・");
        }
        break;
    case 21:
        if ((c.conditions & Cond::Sick) || c.race == Race::Angel) {
            say(game, kNothingText);
        } else {
            c.conditions &= ~(Cond::Asleep | Cond::Paralysed | Cond::Afraid | Cond::Confused |
                              Cond::Frozen | Cond::Shocked | Cond::Charmed | Cond::Poisoned |
                              Cond::Silenced | Cond::Blind | Cond::Stoned);
            c.hp = c.maxHp;
            say(game, c.name + "は\n全快した");
        }
        break;
    case 22:
        forgetSpell(game, c);
        break;
    case 24:
        if (roll(game, 20) > c.piety) {
            ++c.piety;
            say(game, c.name + "の信仰心があがった");
        } else {
            say(game, kNothingText);
        }
        break;
    case 25:
        c.race = Race::Angel;
        c.exp = ExpForLevel(c.level - 1, c.classCode, c.race);
        // Items that ask for the old race may no longer be worn, and what
        // the race gives on its own changes under the equipment.
        RefreshWearability(game, c.rosterNo);
        ApplyEquipment(game, c.rosterNo);
        say(game, c.name + "は天使になった");
        break;
    case 27:
        if (!hit(game, c, 10, 7))
            spared(game, c);
        else
            wound(game, c, roll(game, static_cast<int>(std::lround(c.steps)) / 32));
        break;
    case 29:
        vortex(game, c);
        break;
    case 32:
        if (c.agility >= 4) {
            --c.agility;
            say(game, c.name + "のすばやさが下がった");
        } else {
            say(game, kNothingText);
        }
        break;
    case 36:
        c.gold = 0;
        say(game, c.name + "は\nお金を盗まれた");
        break;
    case 37:
        c.vitality = static_cast<int16_t>(c.rip == 0 ? 1 : std::min<int32_t>(c.rip, 20));
        say(game, c.name + "の生命力が変化した");
        break;
    case 38:
        c.maxHp = std::max<int32_t>(c.maxHp - c.rip, 1);
        c.hp = std::min(c.hp, c.maxHp);
        say(game, c.name + "の最大ＨＰが下がった");
        break;
    default:
        break;
    }
}

// Which member a one-member trap strikes: any member, or one a trap can
// reach.
Character* victim(Game& game, int number, int actorRosterNo)
{
    switch (number) {
    case 5:
    case 6:
    case 7:
    case 14:
    case 17:
    case 18:
    case 21:
    case 27:
        return targetableMember(game);
    case 16:
    case 19:
    case 22:
    case 23:
    case 24:
    case 25:
    case 29:
    case 32:
    case 36:
    case 37:
    case 38:
        return anyMember(game);
    default:
        return actorRosterNo > 0 ? &game.character(actorRosterNo) : anyMember(game);
    }
}

} // namespace

void StrikeOneMember(Game& game, int number, int actorRosterNo)
{
    if (Character* c = victim(game, number, actorRosterNo))
        oneMember(game, number, *c);
}

} // namespace qvr::trapkit
