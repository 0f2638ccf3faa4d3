// Golden images of one character, one monster and one item, built by hand
// from the published byte layouts.

#include <gtest/gtest.h>

#include "core/record_io.h"
#include "golden.h"

using namespace qvr;
using namespace qvr::test;

namespace {

Character sampleCharacter()
{
    Character c;
    c.rosterNo = 7;
    c.level = 12;
    c.nameCodes[1] = 0x1234;
    c.nameCodes[50] = -2;
    c.maxLevel = 13;
    c.race = Race::Dwarf;
    c.classCode = Class::Samurai;
    c.sex = 2;
    c.alignment = Align::Chaotic;
    c.age = 33;
    c.ageDays = 364;
    c.conditions = Cond::Poisoned | Cond::Hidden;
    c.groupNo = 3;
    c.position = 5;
    c.floor = -1;
    c.posX = 19;
    c.posY = 18;
    c.gold = 123456789;
    c.exp = 2000000;
    c.marks = 77;
    c.baseAc = -4;
    c.ac = -9;
    c.rip = 2;
    c.hp = 140;
    c.maxHp = 150;
    c.strength = 18;
    c.iq = 11;
    c.piety = 9;
    c.vitality = 17;
    c.agility = 16;
    c.luck = 10;
    c.classMark = -1;
    c.regen = 3;
    c.items[1] = 508;
    c.items[12] = 103;
    c.itemFlags[1] = 0x31;
    c.itemFlags[12] = 0x40;
    c.spellKnown(1, 2, 3) = 1;  // element 1 + 3*2 + 30*3 = 97
    c.spellKnown(2, 9, 4) = -1; // element 2 + 27 + 120 = 149
    c.mp(0, 1) = 4;             // element 3
    c.maxMp(2, 9) = 9;          // element 29
    c.res[0] = 5;
    c.res[33] = 100;
    c.wardBits = 0x40000000;
    c.slayBits = -1;
    c.meleeCount = 4242;
    c.specialFlags = 0x31;
    c.steps = 1234.5f;
    return c;
}

std::vector<uint8_t> goldenCharacter()
{
    std::vector<uint8_t> b(750, 0);
    put32(b, 0, 7);
    put32(b, 4, 12);
    put16(b, 8 + 2 * 1, 0x1234);
    put16(b, 8 + 2 * 50, -2);
    put16(b, 110, 0); // name text length
    put32(b, 112, 13);
    put16(b, 116, 4);
    put16(b, 118, 256);
    put16(b, 120, 2);
    put16(b, 122, 4);
    put16(b, 124, 33);
    put16(b, 126, 364);
    put32(b, 128, 128 | 262144);
    put16(b, 132, 3);
    put16(b, 134, 5);
    put16(b, 136, -1);
    put16(b, 138, 19);
    put16(b, 140, 18);
    put32(b, 142, 123456789);
    put32(b, 146, 2000000);
    put32(b, 150, 77);
    put32(b, 154, -4);
    put32(b, 158, -9);
    put32(b, 162, 2);
    put32(b, 166, 140);
    put32(b, 170, 150);
    put16(b, 174, 18);
    put16(b, 176, 11);
    put16(b, 178, 9);
    put16(b, 180, 17);
    put16(b, 182, 16);
    put16(b, 184, 10);
    put16(b, 186, -1);
    put16(b, 188, 3);
    put16(b, 190 + 2 * 1, 508);
    put16(b, 190 + 2 * 12, 103);
    put16(b, 216 + 2 * 1, 0x31);
    put16(b, 216 + 2 * 12, 0x40);
    put16(b, 242 + 2 * 97, 1);
    put16(b, 242 + 2 * 149, -1);
    put16(b, 542 + 2 * 3, 4);
    put16(b, 602 + 2 * 29, 9);
    put16(b, 662, 5);
    put16(b, 662 + 2 * 33, 100);
    put32(b, 730, 0x40000000);
    put32(b, 734, -1);
    put32(b, 738, 4242);
    put32(b, 742, 0x31);
    putFloat(b, 746, 1234.5f);
    return b;
}

MonsterDef sampleMonster()
{
    MonsterDef m;
    m.present = 1;
    m.rank = 30;
    m.nameCodes[1] = 11;
    m.nameCodes[30] = 12;
    m.unknownNameCodes[20] = 13;
    m.kind = 1024;
    m.groupDice = {2, 4, 1};
    m.hpDice = {5, 8, 10};
    m.battleA = {21, 22};
    m.conditions = 0x10000;
    m.initiative = 14;
    m.identified = -1;
    m.ac = -3;
    m.ac2 = 2;
    m.strength = 15;
    m.battleB = {31, 32, 33};
    m.agility = 17;
    m.luck = 9;
    m.hp = 70000;
    m.maxHp = 70001;
    m.reach = 1;
    m.attacks = 3;
    m.damageDice = {3, 6, 2};
    m.expValue = 99999;
    m.goldValue = 500;
    m.regen = 4;
    m.battleC = 41;
    m.actions[1] = 2;
    m.actions[20] = 19;
    m.chance[15] = 50;
    m.chance[33] = 7;
    m.res[1] = 25;
    m.res[33] = -1;
    m.stealItems = {300, 301};
    return m;
}

std::vector<uint8_t> goldenMonster()
{
    std::vector<uint8_t> b(340, 0);
    put32(b, 0, 1);
    put32(b, 4, 30);
    put16(b, 8 + 2 * 1, 11);
    put16(b, 8 + 2 * 30, 12);
    put16(b, 72 + 2 * 20, 13);
    put16(b, 116, 1024);
    put16(b, 118, 2), put16(b, 120, 4), put16(b, 122, 1);
    put16(b, 124, 5), put16(b, 126, 8), put16(b, 128, 10);
    put16(b, 130, 21), put16(b, 132, 22);
    put32(b, 134, 0x10000);
    put16(b, 138, 14);
    put16(b, 140, -1);
    put16(b, 142, -3);
    put16(b, 144, 2);
    put16(b, 146, 15);
    put16(b, 148, 31), put16(b, 150, 32), put16(b, 152, 33);
    put16(b, 154, 17);
    put16(b, 156, 9);
    put32(b, 158, 70000);
    put32(b, 162, 70001);
    put16(b, 166, 1);
    put16(b, 168, 3);
    put16(b, 170, 3), put16(b, 172, 6), put16(b, 174, 2);
    put32(b, 176, 99999);
    put32(b, 180, 500);
    put16(b, 184, 4);
    put16(b, 186, 41);
    put16(b, 188 + 2 * 1, 2);
    put16(b, 188 + 2 * 20, 19);
    put16(b, 230, 50);
    put16(b, 230 + 2 * 18, 7);
    put16(b, 268 + 2 * 1, 25);
    put16(b, 268 + 2 * 33, -1);
    put16(b, 336, 300), put16(b, 338, 301);
    return b;
}

ItemDef sampleItem()
{
    ItemDef i;
    i.itemNo = 508;
    i.itemLevel = 9;
    i.nameCodes[1] = 100;
    i.nameCodes[30] = 101;
    i.unknownNameCodes[1] = 102;
    i.kind = 1;
    i.secondHand = 1;
    i.twoHanded = 0;
    i.reach = 3;
    i.useValue = 5;
    i.wearOut = 20;
    i.breakChance = 30;
    i.wearsInto = 509;
    i.price = 1500000;
    i.hitBonus = 4;
    i.damageDice = {2, 10, 3};
    i.attacks = 2;
    i.acBonus = 1;
    i.specialPower = 6;
    i.castSpell = 41;
    i.regen = -1;
    i.chance[15] = 10;
    i.chance[33] = 90;
    i.cursed = 1;
    i.res[0] = 8;
    i.res[33] = 60;
    i.wardBits = 0x8;
    i.slayMask = 0x400;
    i.sexMask = 3;
    i.alignMask = 5;
    i.raceMask = 1023;
    i.classMask = 0x7FFF;
    i.reserved = {-7, 7};
    return i;
}

std::vector<uint8_t> goldenItem()
{
    std::vector<uint8_t> b(278, 0);
    put16(b, 0, 508);
    put16(b, 2, 9);
    put16(b, 4 + 2 * 1, 100);
    put16(b, 4 + 2 * 30, 101);
    put16(b, 68 + 2 * 1, 102);
    put16(b, 112, 1);
    put16(b, 114, 1);
    put16(b, 116, 0);
    put16(b, 118, 3);
    put16(b, 120, 5), put16(b, 122, 20), put16(b, 124, 30), put16(b, 126, 509);
    put32(b, 128, 1500000);
    put16(b, 132, 4);
    put16(b, 134, 2), put16(b, 136, 10), put16(b, 138, 3);
    put16(b, 140, 2);
    put16(b, 142, 1);
    put16(b, 144, 6);
    put16(b, 146, 41);
    put16(b, 148, -1);
    put16(b, 150, 10);
    put16(b, 150 + 2 * 18, 90);
    put16(b, 188, 1);
    put16(b, 190, 8);
    put16(b, 190 + 2 * 33, 60);
    put32(b, 258, 0x8);
    put32(b, 262, 0x400);
    put16(b, 266, 3);
    put16(b, 268, 5);
    put16(b, 270, 1023);
    put16(b, 272, 0x7FFF);
    put16(b, 274, -7), put16(b, 276, 7);
    return b;
}

} // namespace

TEST(RecordLayout, CharacterMatchesGoldenImageBothWays)
{
    ByteWriter out;
    WriteCharacter(out, sampleCharacter());
    ASSERT_EQ(out.size(), kCharacterBytes);
    EXPECT_EQ(out.bytes(), goldenCharacter());

    std::vector<uint8_t> golden = goldenCharacter();
    ByteReader in(golden, "golden");
    Character back;
    ReadCharacter(in, back);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(back, sampleCharacter());
}

TEST(RecordLayout, MonsterMatchesGoldenImageBothWays)
{
    ByteWriter out;
    WriteMonster(out, sampleMonster());
    ASSERT_EQ(out.size(), kMonsterBytes);
    EXPECT_EQ(out.bytes(), goldenMonster());

    std::vector<uint8_t> golden = goldenMonster();
    ByteReader in(golden, "golden");
    MonsterDef back;
    ReadMonster(in, back);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(back, sampleMonster());
}

TEST(RecordLayout, ItemMatchesGoldenImageBothWays)
{
    ByteWriter out;
    WriteItem(out, sampleItem());
    ASSERT_EQ(out.size(), kItemBytes);
    EXPECT_EQ(out.bytes(), goldenItem());

    std::vector<uint8_t> golden = goldenItem();
    ByteReader in(golden, "golden");
    ItemDef back;
    ReadItem(in, back);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(back, sampleItem());
}

// A stored text moves every later field by its length.
TEST(RecordLayout, TextsInsideRecordsShiftTheFieldsAfterThem)
{
    std::vector<uint8_t> b = goldenMonster();
    // name text "AB" (2 bytes) after offset 70, unknownName "C" after 114.
    b.insert(b.begin() + 72, {'A', 'B'});
    put16(b, 70, 2);
    b.insert(b.begin() + 2 + 116, {'C'});
    put16(b, 2 + 114, 1);
    ByteReader in(b, "golden");
    MonsterDef back;
    ReadMonster(in, back);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(back.name, "AB");
    EXPECT_EQ(back.unknownName, "C");
    EXPECT_EQ(back.kind, 1024);
    EXPECT_EQ(back.stealItems, (std::array<int16_t, 2>{300, 301}));
}

TEST(RecordLayout, SpellTrapAndTraderRecords)
{
    SpellDef s;
    s.spellNo = 41;
    s.school = 1;
    s.level = 2;
    s.slot = 1;
    s.name = "DISBA";
    s.effect = 3;
    s.element = 4;
    s.targetKind = 2;
    s.flags = 7;
    s.dice = {1, 6, 2};
    ByteWriter out;
    WriteSpell(out, s);
    std::vector<uint8_t> b(8 + 2 + 5 + 14, 0);
    put16(b, 0, 41), put16(b, 2, 1), put16(b, 4, 2), put16(b, 6, 1);
    put16(b, 8, 5);
    std::memcpy(b.data() + 10, "DISBA", 5);
    put16(b, 15, 3), put16(b, 17, 4), put16(b, 19, 2), put16(b, 21, 7);
    put16(b, 23, 1), put16(b, 25, 6), put16(b, 27, 2);
    EXPECT_EQ(out.bytes(), b);

    TrapDef t;
    t.level = 3;
    t.number = 12;
    t.name = "毒針"; // two characters, four bytes in Shift_JIS
    ByteWriter tout;
    WriteTrap(tout, t);
    ASSERT_EQ(tout.size(), 6u + 2 + 2 + 4);
    EXPECT_EQ(get16(tout.bytes(), 8), 4);
    ByteReader tin(tout.bytes(), "golden");
    TrapDef tback;
    ReadTrap(tin, tback);
    EXPECT_EQ(tback, t);

    NpcShopDef shop;
    shop.value = 1;
    shop.wares[10] = 640;
    shop.buyFactor = 0.75f;
    ByteWriter sout;
    WriteNpcShop(sout, shop);
    ASSERT_EQ(sout.size(), 28u);
    EXPECT_EQ(get16(sout.bytes(), 2 + 20), 640);
}

TEST(RecordLayout, ReaderRefusesToRunPastTheEnd)
{
    std::vector<uint8_t> golden = goldenItem();
    for (std::size_t cut : {0ul, 1ul, 67ul, 150ul, 277ul}) {
        std::vector<uint8_t> part(golden.begin(), golden.begin() + static_cast<long>(cut));
        ByteReader in(part, "ITEMS.BIN");
        ItemDef item;
        try {
            ReadItem(in, item);
            FAIL() << "a cut at " << cut << " was read";
        } catch (const GameError& e) {
            EXPECT_NE(std::string(e.what()).find("ITEMS.BIN"), std::string::npos) << e.what();
        }
    }
    // A text length running past the end.
    std::vector<uint8_t> b(4, 0);
    put16(b, 0, 30000);
    ByteReader in(b, "X");
    EXPECT_THROW(in.rawText(), GameError);
    put16(b, 0, -5);
    ByteReader neg(b, "X");
    EXPECT_THROW(neg.rawText(), GameError);
}
