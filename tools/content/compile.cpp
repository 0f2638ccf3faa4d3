#include "tools/content/compile.h"

#include <set>

#include "core/data_files.h"
#include "core/event_file.h"
#include "core/folder_store.h"
#include "core/spell_effects.h"

namespace qvr::content {

namespace {

// The chest's trap-revealing command casts this spell by number.
constexpr int kTrapRevealingSpell = 41;

[[noreturn]] void contentFail(const std::filesystem::path& file, const std::string& what)
{
    throw SourceError(file.string() + ": " + what);
}

void checkSpells(const Content& content, const std::filesystem::path& file)
{
    std::set<int> used;
    for (int n = 1; n <= kNamedSpells; ++n) {
        const SpellDef& s = content.spells[n];
        if (s.spellNo == 0)
            contentFail(file, "spell " + std::to_string(n) + " is missing (spells 1.." +
                                  std::to_string(kNamedSpells) + " must all be there)");
        used.insert(s.effect);
    }
    for (const SpellEffectInfo& effect : AllSpellEffects())
        if (!used.count(effect.code))
            contentFail(file, "no spell has effect " + std::to_string(effect.code) + " (" +
                                  effect.what + ")");
    for (int school = 0; school <= 1; ++school) {
        for (int level = 1; level <= 9; ++level) {
            bool learnable = false;
            for (int n = 1; n <= kNamedSpells; ++n) {
                const SpellDef& s = content.spells[n];
                learnable |= s.school == school && s.level == level && s.slot <= 3;
            }
            if (!learnable)
                contentFail(file, "school " + std::to_string(school) +
                                      " has no spell to learn at level " + std::to_string(level));
        }
    }
    if (content.spells[kTrapRevealingSpell].effect != 0)
        contentFail(file, "spell " + std::to_string(kTrapRevealingSpell) +
                              " is cast on chests to reveal their trap: its effect must be 0");
}

void checkTraps(const Content& content, const std::filesystem::path& file)
{
    for (int row = 1; row <= 38; ++row)
        if (content.traps[row].name.empty())
            contentFail(file,
                        "trap row " + std::to_string(row) + " is missing (chests draw rows 1..38)");
}

} // namespace

void CheckContent(const Content& content, const std::filesystem::path& dataDir,
                  const SourcePlaces& itemPlaces)
{
    checkSpells(content, dataDir / "spells.toml");
    checkTraps(content, dataDir / "traps.toml");
    CheckItems(content, dataDir / "items", itemPlaces);
}

std::filesystem::path DefaultTextsFile(const std::filesystem::path& dataDir)
{
    std::filesystem::path dir = dataDir;
    if (!dir.has_filename()) // "data/content/"
        dir = dir.parent_path();
    return dir.parent_path() / "messages.toml";
}

Sources CompileSources(const std::filesystem::path& dataDir, const std::filesystem::path& textsFile)
{
    Sources sources;
    sources.texts = ReadMessageSource(textsFile.empty() ? DefaultTextsFile(dataDir) : textsFile);
    ReadSpells(dataDir / "spells.toml", sources.content);
    ReadTraps(dataDir / "traps.toml", sources.content);
    ReadItems(dataDir / "items", sources);
    ReadMonsters(dataDir / "monsters.toml", sources);
    ReadEncounters(dataDir / "encounters.toml", sources.content);
    sources.events = ReadMaze(dataDir, sources.content, sources.texts);
    sources.npcs = ReadNpcs(dataDir / "npcs.toml", sources.content, sources.texts);
    ReadRecipes(dataDir / "recipes.toml", sources);
    CheckContent(sources.content, dataDir, sources.itemPlaces);
    return sources;
}

Content CompileContent(const std::filesystem::path& dataDir, const std::filesystem::path& textsFile)
{
    return CompileSources(dataDir, textsFile).content;
}

SaveData StartingSave(const Sources& sources)
{
    SaveData fresh;
    fresh.itemStock = sources.openingStock;
    return fresh;
}

bool WriteGameFolder(const Sources& sources, const std::filesystem::path& outDir)
{
    std::filesystem::create_directories(outDir);
    FolderStore folder(outDir);
    std::vector<uint8_t> image = EncodeContentImage(sources.content);
    folder.writeFileSafely(kContentFileName, image);
    folder.writeFileSafely(kTextsFileName, EncodeMessageImage(sources.texts));
    folder.writeFileSafely(kEventsFileName, EventImage(sources.events));
    if (std::filesystem::exists(folder.pathOf(kSaveFileName)))
        return false;
    SaveData fresh = StartingSave(sources);
    folder.writeFileSafely(kSaveFileName, EncodeSaveImage(fresh));
    return true;
}

} // namespace qvr::content
