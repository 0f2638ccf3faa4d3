// Dumps and content sources against the field lists: whatever the dumper
// writes, the source reader takes back unchanged, for every record kind; and
// the refusals the lists add for kinds no source file exercises yet.

#include <gtest/gtest.h>
#include <toml++/toml.h>

#include "../core/record_filler.h"
#include "../core/temp_folder.h"
#include "core/records.h"
#include "tools/content/compile.h"
#include "tools/content/record_dump.h"
#include "tools/content/record_source.h"
#include "tools/content/summary.h"

#include <fstream>

using namespace qvr;
using namespace qvr::content;
using namespace qvr::test;

namespace {

template <typename Record> Record readBack(const std::string& source)
{
    toml::table table = toml::parse(source);
    FieldReader f("dump", table, "record");
    Record r;
    ReadFields(f, r);
    f.finish();
    return r;
}

template <typename Record> class DumpedRecord : public ::testing::Test {
};
using Records =
    ::testing::Types<Character, MonsterDef, ItemDef, SpellDef, TrapDef, NpcShopDef, RecipeDef>;
TYPED_TEST_SUITE(DumpedRecord, Records);

} // namespace

TYPED_TEST(DumpedRecord, ReadsBackAsTheSameRecord)
{
    // Run-time fields are dumped as comments, so they come back as defaults.
    const TypeParam filled = Filled<TypeParam>({.runTime = false, .codedNameTexts = true});
    ASSERT_NE(filled, TypeParam{});
    std::string dump = DumpFields(filled);
    EXPECT_EQ(readBack<TypeParam>(dump), filled) << dump;
}

TEST(DumpedValues, TextsAndRealsReadBackExactly)
{
    for (float factor : {0.1f, 0.75f, 1.0f / 3, 3.4028235e38f, 1.4e-45f, -2.5f, 16777216.0f}) {
        NpcShopDef shop;
        shop.buyFactor = factor;
        EXPECT_EQ(readBack<NpcShopDef>(DumpFields(shop)).buyFactor, factor) << DumpFields(shop);
    }
    for (const char* note : {"say \"no\"", "back\\slash", "two\nlines\ttab", "毒針の罠", ""}) {
        TrapDef trap;
        trap.level = 1;
        trap.number = 1;
        trap.note = note;
        trap.name = "PIN";
        EXPECT_EQ(readBack<TrapDef>(DumpFields(trap)), trap) << DumpFields(trap);
    }
}

// Kinds the present sources do not use yet: coded names, run-time fields,
// optional tables and dice outside spells.
TEST(SourceFields, MonsterFieldsAreCheckedAsListed)
{
    MonsterDef m = Filled<MonsterDef>({.runTime = false, .codedNameTexts = true});
    const std::string dump = DumpFields(m);
    auto errorFor = [&](const std::string& from, const std::string& to) {
        std::string source = dump;
        std::size_t at = source.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        source.replace(at, from.size(), to);
        try {
            readBack<MonsterDef>(source);
        } catch (const SourceError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    struct Case {
        std::string from, to, error;
    } cases[] = {
        {"# hp = 0  (run-time)", "hp = 5", "unknown field \"hp\""},
        {"name = ", "name = \"" + std::string(31, 'A') + "\"\n#",
         "は 30 文字より長いので記録できません"},
        {"name = ", "#", "lacks \"name\""},
        {"unknown_name = ", "unknown_name = \"😀\"\n#", "Shift_JIS"},
        {"group_dice = [", "group_dice = [-1, 1, 1]\n#", "count and sides cannot be negative"},
        {"res = {", "res = [1, 2]\n#", "must be a list of 34 whole numbers"},
        {"res = {", "res = { 34 = 1 }\n#", "indexes run 0..33"},
        {"exp = ", "exp = 1.5\n#", "\"exp\" must be a whole number"},
        {"kind = ", "kind = 40000\n#", "outside -32768..32767"},
    };
    for (const Case& c : cases) {
        std::string error = errorFor(c.from, c.to);
        EXPECT_NE(error.find(c.error), std::string::npos) << c.to << " gave: " << error;
        EXPECT_EQ(error.rfind("dump:", 0), 0u) << error;
    }
    // Optional tables may be left out; the record keeps zeros there.
    std::string lean = errorFor("res = {", "#");
    EXPECT_EQ(lean, "");
}

// The summary of a data file is itself a source: compiling it gives the
// content it was made from.
TEST(SourceFields, ContentSummaryCompilesBackToTheSameContent)
{
    const std::filesystem::path sources = std::filesystem::path(QVR_SOURCE_DIR) / "data/content";
    Content original = CompileContent(sources);
    std::string summary = SummariseContent(original);
    TempFolder dir;
    std::filesystem::create_directory(dir.path() / "items");
    for (const char* file : {"spells.toml", "traps.toml", "items/all.toml", "monsters.toml",
                             "encounters.toml", "recipes.toml"})
        std::ofstream(dir.path() / file, std::ios::binary) << summary;
    for (const char* maze : {"floors", "events"})
        std::filesystem::copy(sources / maze, dir.path() / maze);
    // The traders' wares come with the dungeon characters' talk, which the
    // summary does not hold.
    std::filesystem::copy(sources / "npcs.toml", dir.path() / "npcs.toml");
    EXPECT_EQ(CompileContent(dir.path(), sources.parent_path() / "messages.toml"), original);
}
