#include "core/record_io.h"

#include "core/sjis.h"

namespace qvr {

namespace {

std::string readText(ByteReader& in)
{
    std::string raw = in.rawText();
    try {
        return sjisDecode(raw);
    } catch (const TextError& e) {
        in.fail(std::string("a text is not valid Shift_JIS: ") + e.what());
    }
}

void writeText(ByteWriter& out, const std::string& utf8)
{
    out.rawText(sjisEncode(utf8));
}

void readDice(ByteReader& in, Dice3& d)
{
    in.read(d);
}

} // namespace

void ReadCharacter(ByteReader& in, Character& c)
{
    c.rosterNo = in.i32();
    c.level = in.i32();
    in.read(c.nameCodes);
    c.name = readText(in); // always empty as written; the codes carry the name
    c.maxLevel = in.i32();
    c.race = in.i16();
    c.classCode = in.i16();
    c.sex = in.i16();
    c.alignment = in.i16();
    c.age = in.i16();
    c.ageDays = in.i16();
    c.conditions = in.i32();
    c.groupNo = in.i16();
    c.position = in.i16();
    c.floor = in.i16();
    c.posX = in.i16();
    c.posY = in.i16();
    c.gold = in.i32();
    c.exp = in.i32();
    c.marks = in.i32();
    c.baseAc = in.i32();
    c.ac = in.i32();
    c.rip = in.i32();
    c.hp = in.i32();
    c.maxHp = in.i32();
    c.strength = in.i16();
    c.iq = in.i16();
    c.piety = in.i16();
    c.vitality = in.i16();
    c.agility = in.i16();
    c.luck = in.i16();
    c.classMark = in.i16();
    c.regen = in.i16();
    in.read(c.items);
    in.read(c.itemFlags);
    in.read(c.spellKnown);
    in.read(c.mp);
    in.read(c.maxMp);
    in.read(c.res);
    c.wardBits = in.i32();
    c.slayBits = in.i32();
    c.meleeCount = in.i32();
    c.specialFlags = in.i32();
    c.steps = in.f32();
}

void WriteCharacter(ByteWriter& out, const Character& c)
{
    out.i32(c.rosterNo);
    out.i32(c.level);
    out.write(c.nameCodes);
    out.rawText({});
    out.i32(c.maxLevel);
    out.i16(c.race);
    out.i16(c.classCode);
    out.i16(c.sex);
    out.i16(c.alignment);
    out.i16(c.age);
    out.i16(c.ageDays);
    out.i32(c.conditions);
    out.i16(c.groupNo);
    out.i16(c.position);
    out.i16(c.floor);
    out.i16(c.posX);
    out.i16(c.posY);
    out.i32(c.gold);
    out.i32(c.exp);
    out.i32(c.marks);
    out.i32(c.baseAc);
    out.i32(c.ac);
    out.i32(c.rip);
    out.i32(c.hp);
    out.i32(c.maxHp);
    out.i16(c.strength);
    out.i16(c.iq);
    out.i16(c.piety);
    out.i16(c.vitality);
    out.i16(c.agility);
    out.i16(c.luck);
    out.i16(c.classMark);
    out.i16(c.regen);
    out.write(c.items);
    out.write(c.itemFlags);
    out.write(c.spellKnown);
    out.write(c.mp);
    out.write(c.maxMp);
    out.write(c.res);
    out.i32(c.wardBits);
    out.i32(c.slayBits);
    out.i32(c.meleeCount);
    out.i32(c.specialFlags);
    out.f32(c.steps);
}

void ReadMonster(ByteReader& in, MonsterDef& m)
{
    m.present = in.i32();
    m.rank = in.i32();
    in.read(m.nameCodes);
    m.name = readText(in);
    in.read(m.unknownNameCodes);
    m.unknownName = readText(in);
    m.kind = in.i16();
    readDice(in, m.groupDice);
    readDice(in, m.hpDice);
    in.read(m.battleA);
    m.conditions = in.i32();
    m.initiative = in.i16();
    m.identified = in.i16();
    m.ac = in.i16();
    m.ac2 = in.i16();
    m.strength = in.i16();
    in.read(m.battleB);
    m.agility = in.i16();
    m.luck = in.i16();
    m.hp = in.i32();
    m.maxHp = in.i32();
    m.reach = in.i16();
    m.attacks = in.i16();
    readDice(in, m.damageDice);
    m.expValue = in.i32();
    m.goldValue = in.i32();
    m.regen = in.i16();
    m.battleC = in.i16();
    in.read(m.actions);
    in.read(m.chance);
    in.read(m.res);
    in.read(m.stealItems);
}

void WriteMonster(ByteWriter& out, const MonsterDef& m)
{
    out.i32(m.present);
    out.i32(m.rank);
    out.write(m.nameCodes);
    out.rawText({});
    out.write(m.unknownNameCodes);
    out.rawText({});
    out.i16(m.kind);
    out.write(m.groupDice);
    out.write(m.hpDice);
    out.write(m.battleA);
    out.i32(m.conditions);
    out.i16(m.initiative);
    out.i16(m.identified);
    out.i16(m.ac);
    out.i16(m.ac2);
    out.i16(m.strength);
    out.write(m.battleB);
    out.i16(m.agility);
    out.i16(m.luck);
    out.i32(m.hp);
    out.i32(m.maxHp);
    out.i16(m.reach);
    out.i16(m.attacks);
    out.write(m.damageDice);
    out.i32(m.expValue);
    out.i32(m.goldValue);
    out.i16(m.regen);
    out.i16(m.battleC);
    out.write(m.actions);
    out.write(m.chance);
    out.write(m.res);
    out.write(m.stealItems);
}

void ReadItem(ByteReader& in, ItemDef& item)
{
    item.itemNo = in.i16();
    item.itemLevel = in.i16();
    in.read(item.nameCodes);
    item.name = readText(in);
    in.read(item.unknownNameCodes);
    item.unknownName = readText(in);
    item.kind = in.i16();
    item.secondHand = in.i16();
    item.twoHanded = in.i16();
    item.reach = in.i16();
    item.useValue = in.i16();
    item.wearOut = in.i16();
    item.breakChance = in.i16();
    item.wearsInto = in.i16();
    item.price = in.i32();
    item.hitBonus = in.i16();
    readDice(in, item.damageDice);
    item.attacks = in.i16();
    item.acBonus = in.i16();
    item.specialPower = in.i16();
    item.castSpell = in.i16();
    item.regen = in.i16();
    in.read(item.chance);
    item.cursed = in.i16();
    in.read(item.res);
    item.wardBits = in.i32();
    item.slayMask = in.i32();
    item.sexMask = in.i16();
    item.alignMask = in.i16();
    item.raceMask = in.i16();
    item.classMask = in.i16();
    in.read(item.reserved);
}

void WriteItem(ByteWriter& out, const ItemDef& item)
{
    out.i16(item.itemNo);
    out.i16(item.itemLevel);
    out.write(item.nameCodes);
    out.rawText({});
    out.write(item.unknownNameCodes);
    out.rawText({});
    out.i16(item.kind);
    out.i16(item.secondHand);
    out.i16(item.twoHanded);
    out.i16(item.reach);
    out.i16(item.useValue);
    out.i16(item.wearOut);
    out.i16(item.breakChance);
    out.i16(item.wearsInto);
    out.i32(item.price);
    out.i16(item.hitBonus);
    out.write(item.damageDice);
    out.i16(item.attacks);
    out.i16(item.acBonus);
    out.i16(item.specialPower);
    out.i16(item.castSpell);
    out.i16(item.regen);
    out.write(item.chance);
    out.i16(item.cursed);
    out.write(item.res);
    out.i32(item.wardBits);
    out.i32(item.slayMask);
    out.i16(item.sexMask);
    out.i16(item.alignMask);
    out.i16(item.raceMask);
    out.i16(item.classMask);
    out.write(item.reserved);
}

void ReadSpell(ByteReader& in, SpellDef& spell)
{
    spell.spellNo = in.i16();
    spell.school = in.i16();
    spell.level = in.i16();
    spell.slot = in.i16();
    spell.name = readText(in);
    spell.effect = in.i16();
    spell.element = in.i16();
    spell.targetKind = in.i16();
    spell.flags = in.i16();
    readDice(in, spell.dice);
}

void WriteSpell(ByteWriter& out, const SpellDef& spell)
{
    out.i16(spell.spellNo);
    out.i16(spell.school);
    out.i16(spell.level);
    out.i16(spell.slot);
    writeText(out, spell.name);
    out.i16(spell.effect);
    out.i16(spell.element);
    out.i16(spell.targetKind);
    out.i16(spell.flags);
    out.write(spell.dice);
}

void ReadTrap(ByteReader& in, TrapDef& trap)
{
    trap.value = in.i16();
    trap.level = in.i16();
    trap.number = in.i16();
    trap.note = readText(in);
    trap.name = readText(in);
}

void WriteTrap(ByteWriter& out, const TrapDef& trap)
{
    out.i16(trap.value);
    out.i16(trap.level);
    out.i16(trap.number);
    writeText(out, trap.note);
    writeText(out, trap.name);
}

void ReadNpcShop(ByteReader& in, NpcShopDef& shop)
{
    shop.value = in.i16();
    in.read(shop.wares);
    shop.buyFactor = in.f32();
}

void WriteNpcShop(ByteWriter& out, const NpcShopDef& shop)
{
    out.i16(shop.value);
    out.write(shop.wares);
    out.f32(shop.buyFactor);
}

} // namespace qvr
