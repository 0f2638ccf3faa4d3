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
// Steps are made as the runner asks for them, so a text box always gets a
// text and never a key, and no input ends on a step the screen refuses.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
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

// The build's texts and events: the walks meet the real floors' scripts.
const std::vector<uint8_t>& builtImage(const char* name)
{
    static std::map<std::string, std::vector<uint8_t>> images;
    auto [it, fresh] = images.try_emplace(name);
    if (fresh)
        it->second = readFile(std::string(QVR_BIN_DIR "/") + name);
    return it->second;
}

// The build's starting save (its shop stock and the rest), with the party of
// six standing in the first floor's long corridor, a few steps from the
// stairs back to the castle (which would end most walks in town).
const std::vector<uint8_t>& seedSave()
{
    static const std::vector<uint8_t> image = [] {
        Game game;
        game.setContent(BuiltContent());
        DecodeSaveImage(readFile(QVR_BIN_DIR "/QVR1.DAT"), game.save(), kSaveFileName);
        for (int r = 1; r <= 6; ++r) {
            Character& c = MakeMember(game, r, kSixClasses[r - 1], 25);
            c.floor = 1;
            c.posX = 3;
            c.posY = 4;
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

// The transcript as it is written, remembering only whether the last line
// opened a text box (kept whole for QVR_FUZZ_SHOW).
class Transcript : public std::streambuf {
public:
    explicit Transcript(bool keep) : keep_(keep) {}
    bool textBoxOpen() const { return textBox_; }
    // A step went to the runner: a text box it answered is closed.
    void stepTaken() { textBox_ = false; }
    const std::string& text() const { return all_; }

protected:
    int_type overflow(int_type c) override
    {
        if (c == traits_type::eof())
            return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        if (keep_)
            all_ += ch;
        if (ch == '\n') {
            textBox_ = head_ == "INPUT ";
            head_.clear();
        } else if (head_.size() < 6) {
            head_ += ch;
        }
        return c;
    }

private:
    bool keep_;
    bool textBox_ = false;
    std::string head_;
    std::string all_;
};

// The script, one line at a time, each made only when the runner asks for
// it: a text box open gets one of the texts, anything else a key (now and
// then the passing of time, or Q, which leaves the maze and so comes seldom).
class StepSource : public std::streambuf {
public:
    StepSource(Choices& in, Transcript& transcript, std::string start)
        : in_(in), transcript_(transcript), pending_(std::move(start))
    {
    }
    const std::string& played() const { return played_; }

protected:
    int_type underflow() override
    {
        if (line_.empty() || gptr() == egptr()) {
            if (!pending_.empty()) {
                line_ = std::move(pending_);
                pending_.clear();
            } else if (steps_ < kMostSteps && !in_.empty()) {
                line_ = next() + "\n";
                ++steps_;
            } else {
                return traits_type::eof();
            }
            played_ += line_;
            transcript_.stepTaken();
            setg(line_.data(), line_.data(), line_.data() + line_.size());
        }
        return traits_type::to_int_type(*gptr());
    }

private:
    std::string next()
    {
        const Steps& s = steps();
        if (transcript_.textBoxOpen())
            return s.texts[static_cast<std::size_t>(in_.pick(static_cast<int>(s.texts.size())))];
        const uint8_t b = in_.byte();
        if (b < 240)
            return s.keys[b % s.keys.size()];
        return b < 254 ? "wait 2100" : "key Q";
    }

    Choices& in_;
    Transcript& transcript_;
    std::string pending_;
    std::string line_;
    std::string played_;
    int steps_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Choices in(data, size);
    std::vector<uint8_t> save = seedSave();
    for (int patches = in.byte() & 3; patches > 0; --patches) {
        const int at = in.word();
        save[static_cast<std::size_t>(at) % save.size()] ^= in.byte();
    }

    ScriptOptions options;
    options.seed = 1;
    options.makeStore = [&save] {
        auto store = std::make_unique<MemoryStore>();
        store->putFile(kContentFileName, contentImage());
        store->putFile(kTextsFileName, builtImage(kTextsFileName));
        store->putFile(kEventsFileName, builtImage(kEventsFileName));
        store->putFile(kSaveFileName, save);
        return store;
    };
    // QVR_FUZZ_SHOW=1 shows what an input played, for whoever studies one.
    const bool show = std::getenv("QVR_FUZZ_SHOW") != nullptr;
    Transcript transcript(show);
    std::ostream out(&transcript);
    std::ostringstream err;
    // The edge of town, the party left in the maze, the first of them.
    StepSource steps(in, transcript, "key E\nkey O\nkey Enter\n");
    std::istream script(&steps);
    Game game;
    // 1 (the game stopped with an error) and 2 (a step the screen could not
    // take) end a run as a player's mistake would; crashes and sanitizer
    // reports are what the fuzzer is after.
    const int status = RunScript(game, script, options, out, err);
    if (show)
        std::fprintf(stderr, "%s\n%s%s-> status %d\n", steps.played().c_str(),
                     transcript.text().c_str(), err.str().c_str(), status);
    return 0;
}
