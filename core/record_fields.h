#pragma once

// One field list per record. Sync(io, record) names every field once, in the
// order it is stored, with the key the content sources and dumps use for it
// and whatever a visitor needs beyond its type: the values a source may give,
// whether a source may leave it out, whether it is set only in play. The
// binary reader and writer (record_io.cpp), the content sources' reader and
// the dumper (tools/content) all walk this list, so a field added here is
// read, written, compiled and dumped alike.
//
// A visitor is called as io(Field, member) for numbers, texts and fixed
// tables, io(Field, AsDice(d)) for dice and io(Field, CodedName(codes, text))
// for names stored as code arrays. Sync takes a const record for the visitors
// that only look.

#include <array>
#include <concepts>
#include <cstddef>
#include <limits>
#include <span>
#include <type_traits>

#include "core/records.h"
#include "core/spell_effects.h"

namespace qvr {

// A name a source may give some bits of a mask by, so that it reads
// ["Fig", "Sam"] rather than 257.
struct BitName {
    const char* name;
    long bits;
};

class Field {
public:
    constexpr explicit Field(const char* key) : key_(key) {}

    // The values a source may give, or a saved record may hold; integers,
    // table elements and dice parts.
    constexpr Field range(long lo, long hi) const
    {
        Field f = *this;
        f.ranged_ = true;
        f.lo_ = lo;
        f.hi_ = hi;
        return f;
    }
    // The longest text a source may give, in Shift_JIS bytes.
    constexpr Field maxBytes(std::size_t n) const
    {
        Field f = *this;
        f.maxBytes_ = n;
        return f;
    }
    // A source may leave it out; the record's default stays.
    constexpr Field optional() const
    {
        Field f = *this;
        f.optional_ = true;
        return f;
    }
    // Set in play, never by a source: stored and dumped, not read from sources.
    constexpr Field runTime() const
    {
        Field f = *this;
        f.runTime_ = true;
        return f;
    }
    // A bit set whose bits a source may name instead of adding them up.
    constexpr Field bitNames(std::span<const BitName> names) const
    {
        Field f = *this;
        f.names_ = names;
        return f;
    }
    // A code of a code table: exactly one of the bits of `bits`.
    constexpr Field oneCodeOf(long bits) const
    {
        Field f = *this;
        f.codes_ = bits;
        return f;
    }
    // A list a source may cut short: the elements it leaves out are 0.
    constexpr Field mayEndEarly() const
    {
        Field f = *this;
        f.endsEarly_ = true;
        return f;
    }
    // A set of flags: any bits of `bits`, no others.
    constexpr Field onlyBits(long bits) const
    {
        Field f = *this;
        f.onlyBits_ = bits;
        return f;
    }

    constexpr const char* key() const { return key_; }
    constexpr bool isOptional() const { return optional_; }
    constexpr bool isRunTime() const { return runTime_; }
    constexpr bool mayEndEarlyInSources() const { return endsEarly_; }
    constexpr std::size_t maxTextBytes() const { return maxBytes_; }
    constexpr bool isRanged() const { return ranged_; }
    constexpr std::span<const BitName> names() const { return names_; }
    constexpr long codes() const { return codes_; }          // 0: not a code
    constexpr long allowedBits() const { return onlyBits_; } // 0: not a flag set
    // Without a declared range, whatever the stored type holds.
    template <std::integral T> constexpr long lo() const
    {
        return ranged_ ? lo_ : static_cast<long>(std::numeric_limits<T>::min());
    }
    template <std::integral T> constexpr long hi() const
    {
        return ranged_ ? hi_ : static_cast<long>(std::numeric_limits<T>::max());
    }

private:
    const char* key_;
    bool ranged_ = false;
    long lo_ = 0;
    long hi_ = 0;
    std::size_t maxBytes_ = 32767; // what a stored length can say
    bool optional_ = false;
    bool runTime_ = false;
    bool endsEarly_ = false;
    std::span<const BitName> names_{};
    long codes_ = 0;
    long onlyBits_ = 0;
};

// Count, sides and addend; stored as three integers, written "[2, 6, 1]".
template <typename D> struct DiceRef {
    D& dice;
};
template <typename D> DiceRef<D> AsDice(D& dice)
{
    return {dice};
}

// A name kept as scrambled character codes, with its text beside it: the
// stored text field after the codes is always written empty.
template <typename Codes, typename Text> struct CodedNameRef {
    Codes& codes;
    Text& text;
};
template <typename Codes, typename Text>
CodedNameRef<Codes, Text> CodedName(Codes& codes, Text& text)
{
    return {codes, text};
}

// The fixed tables of a record (Bounded, Grid2, Grid3, std::array) as one
// flat run in stored order, for the visitors that treat them as lists.
template <typename T> constexpr bool IsFixedTable()
{
    if constexpr (requires { T::count; })
        return true;
    else if constexpr (requires { std::tuple_size<T>::value; })
        return true;
    else
        return false;
}
template <typename T>
concept FixedTable = IsFixedTable<T>();

template <FixedTable Table> constexpr std::size_t TableSize(const Table&)
{
    if constexpr (requires { Table::count; })
        return static_cast<std::size_t>(Table::count);
    else
        return std::tuple_size_v<Table>;
}

// The index of a table's first element: a Bounded table's lower bound, 0
// for the rest.
template <FixedTable Table> constexpr long FirstIndex(const Table&)
{
    if constexpr (requires { Table::lo; })
        return Table::lo;
    else
        return 0;
}

template <FixedTable Table> decltype(auto) TableElement(Table& table, std::size_t k)
{
    if constexpr (requires { table.flat(0); })
        return table.flat(static_cast<long>(k));
    else
        return *(table.begin() + static_cast<long>(k));
}

template <typename R, typename T>
concept RecordOf = std::same_as<std::remove_const_t<R>, T>;

// The codes of the code tables, and the flags the game sets.
inline constexpr long kAllRaces = 1023;     // human 1 .. mutant 512
inline constexpr long kAllClasses = 0x7FFF; // fighter 1 .. martial artist 16384
inline constexpr long kAllAlignments = 7;   // lawful, neutral, chaotic
// Every condition the game gives, through the battle's own marks.
inline constexpr long kKnownConditions = (long{Cond::BattleMarkB} << 1) - 1;
inline constexpr long kItemFlagBits =
    ItemFlag::SlotMask | ItemFlag::Cursed | ItemFlag::Unidentified | ItemFlag::CannotEquip;

// The bounds here are what play can leave in a character: a saved character
// outside them was damaged, and the save loader refuses it (save_check.h)
// rather than let a rule index a table with it later.
template <class Io, RecordOf<Character> R> void Sync(Io& io, R& c)
{
    io(Field("roster_no").range(0, kRosterSize), c.rosterNo);
    io(Field("level"), c.level);
    io(Field("name"), CodedName(c.nameCodes, c.name));
    io(Field("max_level"), c.maxLevel);
    io(Field("race").oneCodeOf(kAllRaces), c.race);
    io(Field("class").oneCodeOf(kAllClasses), c.classCode);
    io(Field("sex"), c.sex);
    io(Field("alignment").oneCodeOf(kAllAlignments), c.alignment);
    io(Field("age"), c.age);
    io(Field("age_days"), c.ageDays);
    io(Field("conditions").onlyBits(kKnownConditions), c.conditions);
    io(Field("group").range(0, kRosterSize), c.groupNo);
    io(Field("position"), c.position);
    io(Field("floor").range(-1, kFloorCount - 1), c.floor);
    io(Field("x").range(0, kMazeSize - 1), c.posX);
    io(Field("y").range(0, kMazeSize - 1), c.posY);
    io(Field("gold"), c.gold);
    io(Field("exp"), c.exp);
    io(Field("marks"), c.marks);
    io(Field("base_ac"), c.baseAc);
    io(Field("ac"), c.ac);
    io(Field("rip"), c.rip);
    io(Field("hp"), c.hp);
    io(Field("max_hp"), c.maxHp);
    io(Field("strength"), c.strength);
    io(Field("iq"), c.iq);
    io(Field("piety"), c.piety);
    io(Field("vitality"), c.vitality);
    io(Field("agility"), c.agility);
    io(Field("luck"), c.luck);
    io(Field("class_mark"), c.classMark);
    io(Field("regen"), c.regen);
    io(Field("items").range(0, kItemCount), c.items);
    io(Field("item_flags").onlyBits(kItemFlagBits), c.itemFlags);
    io(Field("spells_known"), c.spellKnown);
    io(Field("mp"), c.mp);
    io(Field("max_mp"), c.maxMp);
    io(Field("res"), c.res);
    io(Field("ward_bits"), c.wardBits);
    io(Field("slay_bits"), c.slayBits);
    io(Field("melee_count"), c.meleeCount);
    io(Field("special_flags"), c.specialFlags);
    io(Field("steps"), c.steps);
}

// The battle copies a monster's record into each of its slots and keeps the
// fight's state in the run-time fields.
template <class Io, RecordOf<MonsterDef> R> void Sync(Io& io, R& m)
{
    io(Field("present").optional(), m.present);
    io(Field("rank"), m.rank);
    io(Field("name"), CodedName(m.nameCodes, m.name));
    io(Field("unknown_name"), CodedName(m.unknownNameCodes, m.unknownName));
    io(Field("kind"), m.kind);
    io(Field("group_dice"), AsDice(m.groupDice));
    io(Field("hp_dice"), AsDice(m.hpDice));
    io(Field("battle_a").runTime(), m.battleA);
    io(Field("conditions").runTime(), m.conditions);
    io(Field("initiative").runTime(), m.initiative);
    io(Field("identified").runTime(), m.identified);
    io(Field("ac"), m.ac);
    io(Field("ac2"), m.ac2);
    io(Field("strength"), m.strength);
    io(Field("battle_b").optional(), m.battleB);
    io(Field("agility"), m.agility);
    io(Field("luck"), m.luck);
    io(Field("hp").runTime(), m.hp);
    io(Field("max_hp").runTime(), m.maxHp);
    io(Field("reach"), m.reach);
    io(Field("attacks"), m.attacks);
    io(Field("damage_dice"), AsDice(m.damageDice));
    io(Field("exp"), m.expValue);
    io(Field("gold"), m.goldValue);
    io(Field("regen"), m.regen);
    io(Field("battle_c").optional(), m.battleC);
    io(Field("actions").optional(), m.actions);
    io(Field("chance").optional(), m.chance);
    io(Field("res").optional(), m.res);
    io(Field("steal_items").optional(), m.stealItems);
}

// The masks an item is worn by. A name that covers several bits is only
// ever written for exactly those bits.
inline constexpr std::array<BitName, 14> kClassBitNames{{
    {"Fig", 1},
    {"Wiz", 2},
    {"Cle", 4},
    {"Thi", 8},
    {"Sag", 16},
    {"Bar", 32},
    {"Val", 128},
    {"Sam", 256},
    {"Lor", 512},
    {"Nin", 1024},
    {"War", 2048},
    {"Yin", 8192},
    {"Kun", 16384},
    {"all", kAllClasses},
}};
inline constexpr std::array<BitName, 11> kRaceBitNames{{
    {"Hum", 1},
    {"Elf", 2},
    {"Dwa", 4},
    {"Gno", 8},
    {"Hob", 16},
    {"Fai", 32},
    {"Dra", 64},
    {"Dem", 128},
    {"Ang", 256},
    {"Mut", 512},
    {"all", kAllRaces},
}};
inline constexpr std::array<BitName, 3> kSexBitNames{{{"male", 1}, {"female", 2}, {"all", 3}}};
inline constexpr std::array<BitName, 4> kAlignBitNames{{
    {"lawful", 1},
    {"neutral", 2},
    {"chaotic", 4},
    {"all", kAllAlignments},
}};

// The ranges hold for every record in the item layout, the crafted weapon's
// variants included; what only the item table needs is the item source's
// own check. A source may leave the sex, alignment and race masks out: the
// item source reads them as "all".
template <class Io, RecordOf<ItemDef> R> void Sync(Io& io, R& i)
{
    io(Field("no").range(0, kItemCount), i.itemNo);
    io(Field("level").range(0, 35), i.itemLevel);
    io(Field("name"), CodedName(i.nameCodes, i.name));
    io(Field("unknown_name"), CodedName(i.unknownNameCodes, i.unknownName));
    io(Field("kind"), i.kind);
    io(Field("second_hand").range(0, 1).optional(), i.secondHand);
    io(Field("two_handed").range(0, 1).optional(), i.twoHanded);
    io(Field("reach").range(0, 3).optional(), i.reach);
    io(Field("use_value").optional(), i.useValue);
    io(Field("wear_out").range(0, 100).optional(), i.wearOut);
    io(Field("break_chance").range(0, 100).optional(), i.breakChance);
    io(Field("wears_into").range(0, kItemCount).optional(), i.wearsInto);
    io(Field("price").range(0, 99999999), i.price);
    io(Field("hit_bonus").range(-99, 99).optional(), i.hitBonus);
    io(Field("damage_dice").range(-99, 99).optional(), AsDice(i.damageDice));
    io(Field("attacks").range(0, 10).optional(), i.attacks);
    io(Field("ac_bonus").range(-99, 99).optional(), i.acBonus);
    io(Field("special_power").optional(), i.specialPower);
    io(Field("cast_spell").range(0, kNamedSpells).optional(), i.castSpell);
    io(Field("regen").range(-99, 99).optional(), i.regen);
    io(Field("chance").range(0, 100).optional(), i.chance);
    io(Field("cursed").range(0, 1).optional(), i.cursed);
    // Worn resistances only ever raise the wearer's, so below 0 means nothing.
    io(Field("res").range(0, 200).optional(), i.res);
    io(Field("ward_bits").optional(), i.wardBits);
    io(Field("slay_mask").optional(), i.slayMask);
    io(Field("sex_mask").range(0, 3).bitNames(kSexBitNames).optional(), i.sexMask);
    io(Field("align_mask").range(0, 7).bitNames(kAlignBitNames).optional(), i.alignMask);
    io(Field("race_mask").range(0, 1023).bitNames(kRaceBitNames).optional(), i.raceMask);
    io(Field("class_mask").range(0, 0x7FFF).bitNames(kClassBitNames), i.classMask);
    io(Field("reserved").optional(), i.reserved);
}

template <class Io, RecordOf<SpellDef> R> void Sync(Io& io, R& s)
{
    io(Field("no").range(1, kNamedSpells), s.spellNo);
    io(Field("school").range(0, 1), s.school);
    io(Field("level").range(1, 9), s.level);
    io(Field("slot").range(1, 4), s.slot);
    io(Field("name").maxBytes(20), s.name);
    io(Field("effect").range(0, 32767), s.effect);
    io(Field("element").range(0, kLastElement), s.element);
    io(Field("target").range(0, 4), s.targetKind);
    io(Field("flags").range(0, 7), s.flags);
    io(Field("dice").range(-999, 999), AsDice(s.dice));
}

// Trap names are shown in a label and typed by the player to disarm.
inline constexpr std::size_t kTrapNameBytes = 40;

template <class Io, RecordOf<TrapDef> R> void Sync(Io& io, R& t)
{
    io(Field("value").optional(), t.value);
    io(Field("level").range(1, 999), t.level);
    io(Field("number").range(1, 38), t.number);
    io(Field("note").maxBytes(200).optional(), t.note);
    io(Field("name").maxBytes(kTrapNameBytes), t.name);
}

// Row 0 of the table is kept empty, so a zero result means an unused row.
template <class Io, RecordOf<RecipeDef> R> void Sync(Io& io, R& r)
{
    io(Field("result").range(0, kItemCount), r.result);
    io(Field("alternative").range(0, kItemCount).optional(), r.alternative);
    io(Field("ingredients").range(0, kItemCount).mayEndEarly(), r.ingredients);
    io(Field("unused").range(0, 0).optional(), r.unused);
}

template <class Io, RecordOf<NpcShopDef> R> void Sync(Io& io, R& s)
{
    io(Field("value"), s.value);
    io(Field("wares"), s.wares);
    io(Field("buy_factor"), s.buyFactor);
}

} // namespace qvr
