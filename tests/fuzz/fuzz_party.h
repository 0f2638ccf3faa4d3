#pragma once

// Party members for the fuzzers that play the maze and the battle: made the
// way play makes them (spells studied by the class's own rule, gear worn
// through the equipment rule), from the real content, so that what the
// fuzzers find is what a player could meet.

#include <cstdint>
#include <memory>
#include <string>

#include "core/data_files.h"
#include "core/game.h"
#include "core/item_numbers.h"
#include "rules/character_rules.h"
#include "rules/equipment.h"
#include "rules/spell_learning.h"

namespace qvr::fuzz {

// The classes of a party of six, front to back.
inline constexpr int16_t kSixClasses[] = {Class::Fighter, Class::Samurai, Class::Lord,
                                          Class::Thief,   Class::Cleric,  Class::Wizard};

// The build's content, read once.
inline std::shared_ptr<const Content> BuiltContent()
{
    static const std::shared_ptr<const Content> content = [] {
        auto bytes = std::make_shared<std::vector<uint8_t>>();
        FILE* f = std::fopen(QVR_BIN_DIR "/QVR2.DAT", "rb");
        if (!f) {
            std::fprintf(stderr, "fuzz: cannot read %s/QVR2.DAT\n", QVR_BIN_DIR);
            std::abort();
        }
        for (int ch; (ch = std::fgetc(f)) != EOF;)
            bytes->push_back(static_cast<uint8_t>(ch));
        std::fclose(f);
        return DecodeContent(*bytes, kContentFileName);
    }();
    return content;
}

// Carries the content's items that this member may wear, one of each equip
// kind, taken from the top of the catalogue (where the strong ones are), and
// wears them.
inline void Arm(Game& game, int rosterNo)
{
    Character& c = game.character(rosterNo);
    int slot = 1;
    for (int kind = ItemKind::Weapon; kind <= ItemKind::Accessory && slot <= c.items.hi; ++kind)
        for (int no = kItemCount; no >= 1; --no) {
            const ItemDef& item = game.content().items[no];
            if (item.itemNo == no && item.kind == kind && item.cursed == 0 && item.price > 0 &&
                CanEquip(game, rosterNo, no) == 0) {
                c.items[slot] = static_cast<int16_t>(no);
                c.itemFlags[slot++] = 0;
                break;
            }
        }
    for (int kind = 1; kind <= kEquipKinds; ++kind)
        for (const Row& row : EquipChoices(game, rosterNo, kind))
            if (row.value > 0) {
                PutOn(game, rosterNo, kind, row.value);
                break;
            }
    ApplyEquipment(game, rosterNo);
}

// Roster entry `rosterNo` becomes a member of class `classCode` at `level`,
// at full strength, in party group 1.
inline Character& MakeMember(Game& game, int rosterNo, int16_t classCode, int level)
{
    Character& c = game.character(rosterNo);
    c = Character{};
    c.rosterNo = rosterNo;
    c.name = "ＭＥＭＢＥＲ" + std::to_string(rosterNo);
    c.race = Race::Human;
    c.classCode = classCode;
    c.alignment = classCode == Class::Thief ? Align::Neutral : Align::Lawful;
    c.sex = 1;
    c.age = 20;
    c.level = c.maxLevel = level;
    c.strength = c.iq = c.piety = c.vitality = c.agility = c.luck = 18;
    c.hp = c.maxHp = 12 * level;
    c.baseAc = c.ac = 10;
    c.gold = 1000;
    c.groupNo = 1;
    c.position = static_cast<int16_t>(rosterNo);
    for (const SpellStudy& study : SpellStudies(classCode, level))
        StudySchool(game.rng, c, study);
    c.mp = c.maxMp;
    Arm(game, rosterNo);
    return c;
}

} // namespace qvr::fuzz
