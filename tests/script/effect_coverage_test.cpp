// Which spell effect codes the key-script cases reach, on the party's side
// and the monsters', read from the expected transcripts: a cast says its
// frame ("caster は / NAME の呪文を唱えた") and then what its handler did,
// or that nothing happened. The codes come from core's table, the names
// from the built content, so a new code or a renamed spell is counted
// without touching this file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/data_files.h"
#include "core/records.h"
#include "core/spell_effects.h"
#include "core/textformat.h"

namespace qvr {
namespace {

const std::filesystem::path kCases = QVR_SCRIPT_CASES_DIR;

// No case reaches these yet: the battle cases for spells are still being
// written. A code leaves the list once a case reaches it (the test below
// says which); the goal is two empty lists.
const std::set<int> kPartyNotYet = {1,  4,  5,  7,  9,  10, 11, 17, 18, 21, 24, 33, 43,
                                    46, 48, 50, 51, 52, 53, 55, 56, 58, 60, 61, 62, 63};
const std::set<int> kMonsterNotYet = {4, 5, 17, 18, 23, 33, 46, 47, 48, 53};

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The names of the case's own characters (`# character: N NAME ...`).
std::set<std::string> PartyNames(const std::string& script)
{
    std::set<std::string> names;
    std::istringstream in(script);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string hash, directive, number, name;
        if (words >> hash >> directive >> number >> name && hash == "#" &&
            directive == "character:")
            names.insert(name);
    }
    return names;
}

struct Reached {
    std::set<int> party;
    std::set<int> monster;
};

// Every cast said in the case's transcript whose handler acted.
void CountCase(const std::string& script, const std::string& transcript,
               const std::map<std::string, int>& effectOfName, Reached& reached)
{
    static const std::string kFrame = "の呪文を唱えた\\n";
    static const std::string kAfterCaster = "は\\n";
    const std::set<std::string> party = PartyNames(script);
    std::istringstream in(transcript);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("SAY ", 0) != 0)
            continue;
        const std::size_t frame = line.find(kFrame);
        if (frame == std::string::npos)
            continue;
        const std::size_t nameAt = line.rfind(kAfterCaster, frame);
        if (nameAt == std::string::npos)
            continue;
        const std::string caster = line.substr(4, nameAt - 4);
        const std::string spell =
            line.substr(nameAt + kAfterCaster.size(), frame - nameAt - kAfterCaster.size());
        const std::string after = line.substr(frame + kFrame.size());
        if (after.rfind("しかし", 0) == 0)
            continue; // nothing happened, or the spell made no sound
        const auto found = effectOfName.find(spell);
        if (found == effectOfName.end())
            continue;
        (party.count(caster) ? reached.party : reached.monster).insert(found->second);
    }
}

std::string Codes(const std::vector<int>& codes)
{
    std::string out;
    for (int c : codes)
        out += (out.empty() ? "" : " ") + std::to_string(c);
    return out.empty() ? "-" : out;
}

TEST(EffectCoverage, EveryBattleEffectCodeIsReachedByACase)
{
    const std::string image = ReadFile(std::filesystem::path(QVR_BIN_DIR) / kContentFileName);
    const auto content = DecodeContent(
        std::span(reinterpret_cast<const uint8_t*>(image.data()), image.size()), kContentFileName);
    std::map<std::string, int> effectOfName;
    for (int n = 1; n <= kNamedSpells; ++n)
        if (!content->spells[n].name.empty())
            effectOfName.emplace(toFullWidth(content->spells[n].name), content->spells[n].effect);

    Reached reached;
    int cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kCases)) {
        if (entry.path().extension() != ".qvrs")
            continue;
        std::filesystem::path expected = entry.path();
        expected.replace_extension(".expected");
        CountCase(ReadFile(entry.path()), ReadFile(expected), effectOfName, reached);
        ++cases;
    }
    ASSERT_GT(cases, 0);

    struct Side {
        const char* name;
        bool SpellEffectInfo::*acts;
        const std::set<int>& reached;
        const std::set<int>& notYet;
    };
    for (const Side& side :
         {Side{"party", &SpellEffectInfo::battle, reached.party, kPartyNotYet},
          Side{"monster", &SpellEffectInfo::monster, reached.monster, kMonsterNotYet}}) {
        std::vector<int> hit, missed;
        for (const SpellEffectInfo& e : AllSpellEffects()) {
            if (!(e.*side.acts))
                continue;
            (side.reached.count(e.code) ? hit : missed).push_back(e.code);
            if (side.reached.count(e.code))
                EXPECT_FALSE(side.notYet.count(e.code))
                    << side.name << " code " << e.code
                    << " is reached now: take it off the list of codes not reached yet";
            else
                EXPECT_TRUE(side.notYet.count(e.code))
                    << side.name << " code " << e.code << " is reached by no case";
        }
        std::printf("effect codes on the %s side reached by the %d cases: %zu of %zu (%s); "
                    "not reached: %s\n",
                    side.name, cases, hit.size(), hit.size() + missed.size(), Codes(hit).c_str(),
                    Codes(missed).c_str());
    }
}

} // namespace
} // namespace qvr
