// The content compiler on the real sources and on broken copies of them.

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "../core/temp_folder.h"
#include "core/data_files.h"
#include "core/folder_store.h"
#include "core/spell_effects.h"
#include "tools/content/compile.h"
#include "tools/content/summary.h"

using namespace qvr;
using namespace qvr::content;
using qvr::test::TempFolder;

namespace {

const std::filesystem::path kSources = std::filesystem::path(QVR_SOURCE_DIR) / "data/content";

std::string slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void spit(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// 1-based line of the first occurrence of `needle`.
int lineOf(const std::string& text, const std::string& needle)
{
    std::size_t at = text.find(needle);
    EXPECT_NE(at, std::string::npos) << needle;
    return 1 +
           static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
}

// A copy of the real sources with one edit in one file; returns the error.
std::string compileEdited(const std::string& file, const std::string& from, const std::string& to,
                          int* line = nullptr)
{
    TempFolder dir;
    for (const auto& entry : std::filesystem::directory_iterator(kSources))
        std::filesystem::copy(entry.path(), dir.path() / entry.path().filename());
    std::string text = slurp(dir.path() / file);
    std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at == std::string::npos)
        return "";
    if (line)
        *line = lineOf(text, from);
    text.replace(at, from.size(), to);
    spit(dir.path() / file, text);
    try {
        CompileContent(dir.path(), std::filesystem::path(QVR_SOURCE_DIR) / "data/messages.toml");
    } catch (const SourceError& e) {
        return e.what();
    }
    return "";
}

// The item file (under items/, in the compiler's reading order) that holds
// `needle` at the start of a line ("no = 2" is no part of "no = 42").
std::string itemFileHolding(const std::string& needle)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kSources / "items"))
        if (entry.path().extension() == ".toml")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files)
        if (("\n" + slurp(file)).find("\n" + needle) != std::string::npos)
            return "items/" + file.filename().string();
    ADD_FAILURE() << "no item file holds " << needle;
    return "items/weapons.toml";
}

} // namespace

TEST(ContentSources, RealContentCompilesWithEverythingTheGameNeeds)
{
    Content c = CompileContent(kSources);
    EXPECT_EQ(c.spells[41].name, "DISBA");
    int perSchool[2] = {0, 0};
    for (int n = 1; n <= kNamedSpells; ++n) {
        ASSERT_EQ(c.spells[n].spellNo, n);
        perSchool[c.spells[n].school]++;
    }
    EXPECT_EQ(perSchool[0], 36);
    EXPECT_EQ(perSchool[1], 36);
    // Rows run by danger (shallow chests draw the low rows) and hold every
    // effect once: the teleporter and death stay out of the first chests.
    std::set<int> effects;
    for (int row = 1; row <= 38; ++row) {
        effects.insert(c.traps[row].number);
        EXPECT_FALSE(c.traps[row].name.empty());
        if (row > 1) {
            EXPECT_GE(c.traps[row].level, c.traps[row - 1].level) << row;
        }
        if (row <= 8) {
            EXPECT_TRUE(c.traps[row].number != 8 && c.traps[row].number != 20) << row;
        }
    }
    EXPECT_EQ(effects.size(), 38u);
    EXPECT_EQ(*effects.begin(), 1);
    EXPECT_EQ(*effects.rbegin(), 38);
}

TEST(ContentSources, BuiltGameFolderReadsBackWithThePublishedLayouts)
{
    const std::filesystem::path bin(QVR_BIN_DIR);
    FolderStore folder(bin);
    std::vector<uint8_t> image = folder.readFile(kContentFileName, kContentFileMaxBytes);
    Content c;
    DecodeContentImage(image, c, "QVR2.DAT");
    EXPECT_EQ(c, CompileContent(kSources));
    std::vector<uint8_t> save = folder.readFile(kSaveFileName, kSaveFileBytes);
    EXPECT_EQ(save.size(), kSaveFileBytes);
}

TEST(ContentSources, BrokenSpellsAreRefusedWithFileAndLine)
{
    int line = 0;
    std::string error = compileEdited("spells.toml", "name = \"DISBA\"", "name = \"disba\"", &line);
    EXPECT_NE(error.find("spells.toml:" + std::to_string(line) + ":"), std::string::npos) << error;

    error = compileEdited("spells.toml", "name = \"DISBA\"", "name = \"DISBA\"\nmana = 3", &line);
    EXPECT_NE(error.find("unknown field \"mana\""), std::string::npos) << error;

    error = compileEdited("spells.toml", "no = 41", "no = 73");
    EXPECT_NE(error.find("outside 1..72"), std::string::npos) << error;

    error = compileEdited("spells.toml", "no = 41", "no = 40");
    EXPECT_NE(error.find("given twice"), std::string::npos) << error;

    error = compileEdited("spells.toml", "[[spell]]", "#");
    EXPECT_FALSE(error.empty());

    error = compileEdited("spells.toml", "name = \"DISBA\"", "name = 5");
    EXPECT_NE(error.find("must be a text"), std::string::npos) << error;

    error = compileEdited("spells.toml", "[[spell]]", "[[spell]");
    EXPECT_NE(error.find("spells.toml:"), std::string::npos) << error;
}

TEST(ContentSources, UnknownEffectsAndUncoveredEffectsAreRefused)
{
    std::string text = slurp(kSources / "spells.toml");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(text, m, std::regex("effect = ([0-9]+)")));
    std::string error = compileEdited("spells.toml", m[0].str(), "effect = 31999");
    EXPECT_NE(error.find("no effect the game knows"), std::string::npos) << error;
}

TEST(ContentSources, BrokenTrapsAreRefused)
{
    std::string error = compileEdited("traps.toml", "row = 5", "row = 41");
    EXPECT_NE(error.find("traps.toml:"), std::string::npos) << error;

    error = compileEdited("traps.toml", "number = 7\n", "number = 8\n");
    EXPECT_NE(error.find("already on row"), std::string::npos) << error;
    error = compileEdited("traps.toml", "number = 7\n", "number = 39\n");
    EXPECT_NE(error.find("outside 1..38"), std::string::npos) << error;

    std::string text = slurp(kSources / "traps.toml");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(text, m, std::regex("name = \"[^\"]*\"")));
    error = compileEdited("traps.toml", m[0].str(), "name = \"😀\"");
    EXPECT_NE(error.find("Shift_JIS"), std::string::npos) << error;
    error = compileEdited("traps.toml", m[0].str(), "name = \"\"");
    EXPECT_NE(error.find("empty"), std::string::npos) << error;
}

TEST(GameFolderOutput, ExistingSaveIsNeverOverwritten)
{
    TempFolder dir;
    Sources c = CompileSources(kSources);
    EXPECT_TRUE(WriteGameFolder(c, dir.path()));
    SaveData fresh;
    EXPECT_EQ(slurp(dir.path() / "QVR1.DAT").size(), kSaveFileBytes);

    std::string played(kSaveFileBytes, '\0');
    played[404] = 1; // roster entry 0's number: anything the player changed
    spit(dir.path() / "QVR1.DAT", played);
    EXPECT_FALSE(WriteGameFolder(c, dir.path()));
    EXPECT_EQ(slurp(dir.path() / "QVR1.DAT"), played);
}

TEST(GameFolderOutput, SummariesNameWhatTheFilesHold)
{
    Content c = CompileContent(kSources);
    std::string text = SummariseContent(c);
    EXPECT_NE(text.find("spells:            72 of 75"), std::string::npos) << text;
    EXPECT_NE(text.find("DISBA"), std::string::npos);
    EXPECT_NE(text.find(c.traps[1].name), std::string::npos);

    SaveData save;
    save.roster[2].rosterNo = 2;
    save.roster[2].name = "ｴﾙﾌ子";
    save.roster[2].alignment = 1;
    save.roster[2].classCode = 1;
    save.roster[2].floor = 3;
    std::string s = SummariseSave(save);
    EXPECT_NE(s.find("roster: 1 of 50"), std::string::npos) << s;
    EXPECT_NE(s.find("ｴﾙﾌ子"), std::string::npos);
    EXPECT_NE(s.find("Ｌ－Ｆｉｇ"), std::string::npos);
    EXPECT_NE(s.find("floor 3"), std::string::npos);
}

TEST(ContentSources, BrokenItemsAreRefusedWithTheItemsLine)
{
    struct Case {
        std::string from, to, error;
    } cases[] = {
        // one item on its own
        {"kind = 1\nreach = 1\nprice = 25", "kind = 13\nreach = 1\nprice = 25", "item kinds"},
        {"name = \"ダガー\"", "colour = 3\nname = \"ダガー\"", "unknown field \"colour\""},
        {"no = 2\nlevel = 1", "no = 1\nlevel = 1", "given twice"},
        {"name = \"ダガー\"", "name = \"ダガー😀\"", "Shift_JIS"},
        {"class_mask = [\"Bar\"]", "class_mask = [\"Bard\"]", "\"Bard\" is none"},
        {"class_mask = [\"Bar\"]", "class_mask = []", "admits nobody"},
        {"class_mask = [\"Bar\"]", "class_mask = [\"Wiz\"]", "for a bard"},
        {"reach = 2\nprice = 40", "reach = 0\nprice = 40", "must be 1 (short)"},
        {"second_hand = 1\nreach = 1\nprice = 220",
         "second_hand = 1\ntwo_handed = 1\nreach = 1\nprice = 220", "both hands"},
        {"name = \"布の服\"", "damage_dice = [1, 4, 0]\nname = \"布の服\"", "but on a weapon"},
        {"name = \"薬草\"", "ac_bonus = -1\nname = \"薬草\"", "never worn"},
        {"wear_out = 100", "wear_out = 0", "must be 1..100"},
        {"special_power = 6", "special_power = 20", "no power the game knows"},
        {"name = \"銀の指輪\"", "break_chance = 5\nname = \"銀の指輪\"", "has a power to release"},
        {"no = 91", "stock = 1\nno = 91", "must be -1"},
        {"no = 91\nlevel = 0", "no = 91\nlevel = 3", "not from chests"},
        {"unknown_name = \"短剣\"\nkind = 1\nreach = 1\nprice = 25",
         "unknown_name = \"ダガー\"\nkind = 1\nreach = 1\nprice = 25", "true name away"},
        {"price = 20\n", "price = 0\n", "must be above 0"},
        {"res = { 22 = 25 }", "res = { 22 = 300 }", "outside 0..200"},
        {"res = { 22 = 25 }", "res = { 40 = 3 }", "indexes run 0..33"},
        // against other items and tables
        {"wears_into = 481", "wears_into = 600", "which the table does not have"},
        {"cast_spell = 37", "cast_spell = 41", "neither in battle nor in camp"},
        {"name = \"ショートソード\"", "name = \"ダガー\"", "has the name"},
        {"unknown_name = \"十字の槍\"", "unknown_name = \"十字の棒\"", "must say 槍 too"},
        {"class_mask = [\"War\"]", "class_mask = [\"Fig\"]", "may not wield it"},
        {"unknown_name = \"黒い魔剣\"", "unknown_name = \"黒い魔剣の刀\"", "holds both"},
        {"unknown_name = \"すべすべした指輪\"\nkind = 7", "unknown_name = \"x\"\nkind = 6",
         "must be of kind 7"},
        {"no = 508\nlevel = 0", "no = 508\nlevel = 5", "must have level 0"},
    };
    for (const Case& c : cases) {
        const std::string file = itemFileHolding(c.from);
        const std::string text = slurp(kSources / file);
        int line = 0;
        std::string error = compileEdited(file, c.from, c.to, &line);
        EXPECT_NE(error.find(c.error), std::string::npos) << c.to << "\ngave: " << error;
        // The line named lies in the edited item, between its [[item]] and the next.
        std::smatch at;
        ASSERT_TRUE(std::regex_search(error, at, std::regex(file + ":([0-9]+):"))) << error;
        const int named = std::stoi(at[1].str());
        const std::size_t head = text.rfind("[[item]]", text.find(c.from));
        const int header = 1 + static_cast<int>(std::count(
                                   text.begin(), text.begin() + static_cast<long>(head), '\n'));
        EXPECT_GE(named, header) << c.to << "\ngave: " << error;
        EXPECT_LE(named, line + static_cast<int>(std::count(c.to.begin(), c.to.end(), '\n')))
            << c.to << "\ngave: " << error;
    }
    // A number the rules need, missing: no line to name but the file's.
    std::string error = compileEdited("items/story.toml", "no = 103", "no = 102");
    EXPECT_NE(error.find("items: item 103 is missing"), std::string::npos) << error;
}

TEST(ContentSources, ItemFilesAreReadAsOneCatalogue)
{
    // A number given in two files names both places, whichever is read first.
    std::string error =
        compileEdited("items/weapons.toml", "[[item]]\nno = 2\n", "[[item]]\nno = 545\n");
    EXPECT_NE(error.find("items/weapons.toml:"), std::string::npos) << error;
    EXPECT_NE(error.find("is given twice: item 545 is already at"), std::string::npos) << error;
    EXPECT_NE(error.find("items/cursed.toml:"), std::string::npos) << error;

    // An old single catalogue left beside the folder would be silently
    // ignored; it is refused instead, and so is a folder with no items.
    TempFolder dir;
    for (const auto& entry : std::filesystem::directory_iterator(kSources))
        std::filesystem::copy(entry.path(), dir.path() / entry.path().filename());
    spit(dir.path() / "items.toml", "[[item]]\n");
    try {
        CompileContent(dir.path(), std::filesystem::path(QVR_SOURCE_DIR) / "data/messages.toml");
        ADD_FAILURE() << "a stray items.toml was taken";
    } catch (const SourceError& e) {
        EXPECT_NE(std::string(e.what()).find("move its items there"), std::string::npos)
            << e.what();
    }
    std::filesystem::remove(dir.path() / "items.toml");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "items"))
        std::filesystem::rename(entry.path(),
                                dir.path() / "items" / (entry.path().filename().string() + ".old"));
    try {
        CompileContent(dir.path(), std::filesystem::path(QVR_SOURCE_DIR) / "data/messages.toml");
        ADD_FAILURE() << "an empty item folder was taken";
    } catch (const SourceError& e) {
        EXPECT_NE(std::string(e.what()).find("holds no .toml file"), std::string::npos) << e.what();
    }
}

TEST(ContentSources, ChestsLookAtFiveHundredItemsAtMost)
{
    Sources s = CompileSources(kSources);
    int levelled = 0;
    for (const ItemDef& i : s.content.items)
        levelled += i.itemLevel > 0 ? 1 : 0;
    for (int n = 1; n <= kItemCount && levelled <= 500; ++n) {
        ItemDef& i = s.content.items[n];
        if (i.itemNo != 0)
            continue;
        i = s.content.items[1];
        i.itemNo = static_cast<int16_t>(n);
        i.name = "試作品" + std::to_string(n);
        if (++levelled == 500) {
            EXPECT_NO_THROW(CheckContent(s.content, kSources));
        }
    }
    try {
        CheckContent(s.content, kSources);
        ADD_FAILURE() << "501 items with a level were taken";
    } catch (const SourceError& e) {
        EXPECT_NE(std::string(e.what()).find("500 candidates"), std::string::npos) << e.what();
    }
}
