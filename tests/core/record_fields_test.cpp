// The field lists against the records they describe and the binary files
// they drive, for every record kind at once.

#include <gtest/gtest.h>

#include "core/record_io.h"
#include "record_filler.h"

using namespace qvr;
using namespace qvr::test;

namespace {

template <typename Record> struct Binary;
template <> struct Binary<Character> {
    static constexpr auto read = ReadCharacter;
    static constexpr auto write = WriteCharacter;
};
template <> struct Binary<MonsterDef> {
    static constexpr auto read = ReadMonster;
    static constexpr auto write = WriteMonster;
};
template <> struct Binary<ItemDef> {
    static constexpr auto read = ReadItem;
    static constexpr auto write = WriteItem;
};
template <> struct Binary<SpellDef> {
    static constexpr auto read = ReadSpell;
    static constexpr auto write = WriteSpell;
};
template <> struct Binary<TrapDef> {
    static constexpr auto read = ReadTrap;
    static constexpr auto write = WriteTrap;
};
template <> struct Binary<NpcShopDef> {
    static constexpr auto read = ReadNpcShop;
    static constexpr auto write = WriteNpcShop;
};

// The fusion table is stored column by column: one record goes through a
// table of its own, in row 1.
template <> struct Binary<RecipeDef> {
    static constexpr auto read = [](ByteReader& in, RecipeDef& r) {
        Bounded<RecipeDef, 0, kRecipeCount> table;
        ReadRecipeTable(in, table);
        r = table[1];
    };
    static constexpr auto write = [](ByteWriter& out, const RecipeDef& r) {
        Bounded<RecipeDef, 0, kRecipeCount> table;
        table[1] = r;
        WriteRecipeTable(out, table);
    };
};

template <typename Record> class RecordFields : public ::testing::Test {
};
using Records =
    ::testing::Types<Character, MonsterDef, ItemDef, SpellDef, TrapDef, NpcShopDef, RecipeDef>;
TYPED_TEST_SUITE(RecordFields, Records);

} // namespace

// A member added to a record but not to its list would be neither stored,
// compiled nor dumped.
TYPED_TEST(RecordFields, ListNamesEveryMemberOnceUnderItsOwnKey)
{
    TypeParam r;
    MemberCounter counter;
    Sync(counter, r);
    EXPECT_EQ(counter.members, AggregateMemberCount<TypeParam>());
    EXPECT_EQ(counter.repeatedKeys, std::set<std::string>{});
}

TYPED_TEST(RecordFields, EveryFieldSurvivesTheBinaryFiles)
{
    const TypeParam filled = Filled<TypeParam>({.runTime = true, .codedNameTexts = false});
    ASSERT_NE(filled, TypeParam{});
    ByteWriter out;
    Binary<TypeParam>::write(out, filled);
    ByteReader in(out.bytes(), "image");
    TypeParam back;
    Binary<TypeParam>::read(in, back);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(back, filled);
}
