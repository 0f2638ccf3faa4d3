// The maze as a player meets it: a strong party of six, left on the first
// floor in a save, is resumed from the edge of town and plays the steps the
// input chooses: the soak's walking, camp, battle and chest keys
// (maze_keys.txt), the names the disarming and spell prompts take, and the
// passing of time the chest's and the walk's timers wait for. Behind the
// keys is the whole game, saving included, with its files in memory.
//
// Input: the low two bits of the first byte give 0..3 changes to the save
// (three bytes each: offset high and low byte, a byte to xor in), so that
// damaged saves meet the same path; every byte after them is one step.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/script_runner.h"
#include "core/memory_store.h"
#include "tests/fuzz/fuzz_bytes.h"
#include "tests/fuzz/fuzz_party.h"

using namespace qvr;
using namespace qvr::fuzz;

namespace {

constexpr int kMostSteps = 1500;

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

const std::vector<uint8_t>& contentImage()
{
    static const std::vector<uint8_t> image = readFile(QVR_BIN_DIR "/QVR2.DAT");
    return image;
}

// The build's starting save (its shop stock and the rest), with the party of
// six standing on the first floor's entrance.
const std::vector<uint8_t>& seedSave()
{
    static const std::vector<uint8_t> image = [] {
        Game game;
        game.setContent(BuiltContent());
        DecodeSaveImage(readFile(QVR_BIN_DIR "/QVR1.DAT"), game.save(), kSaveFileName);
        for (int r = 1; r <= 6; ++r) {
            Character& c = MakeMember(game, r, kSixClasses[r - 1], 25);
            c.floor = 1;
            c.posX = c.posY = 0;
        }
        return EncodeSaveImage(game.save());
    }();
    return image;
}

struct Steps {
    std::vector<std::string> keys;  // from maze_keys.txt
    std::vector<std::string> texts; // what the prompts of the maze take
};

const Steps& steps()
{
    static const Steps list = [] {
        Steps s;
        std::ifstream in(QVR_SOURCE_DIR "/tests/fuzz/maze_keys.txt");
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#' || line.find(':') == std::string::npos)
                continue;
            std::istringstream keys(line.substr(line.find(':') + 1));
            for (std::string key; keys >> key;)
                s.keys.push_back("key " + key);
        }
        if (s.keys.empty()) {
            std::fprintf(stderr, "fuzz_maze: no keys in tests/fuzz/maze_keys.txt\n");
            std::abort();
        }
        s.texts.push_back("text ");
        const Content& content = *BuiltContent();
        for (int t = 1; t <= content.traps.hi; ++t)
            if (!content.traps[t].name.empty())
                s.texts.push_back("text " + content.traps[t].name);
        for (int sp = 1; sp <= kSpellCount; ++sp)
            if (content.spells[sp].flags & (SpellFlag::Battle | SpellFlag::Camp))
                s.texts.push_back("text " + content.spells[sp].name);
        return s;
    }();
    return list;
}

// Mostly keys; now and then the passing of time, leaving the maze (Q, seldom
// in the soak too), or a text for the prompt that asks for one.
std::string step(Choices& in)
{
    const Steps& s = steps();
    const uint8_t b = in.byte();
    if (b < 232)
        return s.keys[b % s.keys.size()];
    if (b < 244)
        return "wait 2100";
    if (b < 246)
        return "key Q";
    return s.texts[static_cast<std::size_t>(in.pick(static_cast<int>(s.texts.size())))];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Choices in(data, size);
    std::vector<uint8_t> save = seedSave();
    for (int patches = in.byte() & 3; patches > 0; --patches) {
        const int at = in.word();
        save[static_cast<std::size_t>(at) % save.size()] ^= in.byte();
    }
    // The edge of town, the party left in the maze, the first of them.
    std::string script = "key E\nkey O\nkey Enter\n";
    for (int n = 0; n < kMostSteps && !in.empty(); ++n)
        script += step(in) + "\n";
    if (std::getenv("QVR_FUZZ_SHOW"))
        script += "dump\n";

    ScriptOptions options;
    options.seed = 1;
    options.makeStore = [&save] {
        auto store = std::make_unique<MemoryStore>();
        store->putFile(kContentFileName, contentImage());
        store->putFile(kSaveFileName, save);
        return store;
    };
    std::istringstream source(script);
    std::ostringstream out, err;
    Game game;
    // 1 (the game stopped with an error) and 2 (a step the screen could not
    // take) end a run as a player's mistake would; crashes and sanitizer
    // reports are what the fuzzer is after.
    const int status = RunScript(game, source, options, out, err);
    // QVR_FUZZ_SHOW=1 shows what an input played, for whoever studies one.
    if (std::getenv("QVR_FUZZ_SHOW"))
        std::fprintf(stderr, "%s\n%s%s-> status %d\n", script.c_str(), out.str().c_str(),
                     err.str().c_str(), status);
    return 0;
}
