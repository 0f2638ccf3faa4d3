// One maze action against a bare baseline, in the same run.
//
//   qvr-bench-maze-action [--runs N]
//
// The action: a key routed through Game::pressKey while a party stands on
// floor 1 of the build's content, up to the finished primitive list in the
// screen's drawing. The party turns on the spot, so walls never stop it and
// the view changes with every key. The baseline: a plain function call that
// copies a vector of as many primitives. Each sample is one action; the
// medians and their ratio are printed, against the goal of 0.5 ms.

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "core/data_files.h"
#include "core/game.h"
#include "core/memory_store.h"
#include "core/modal_window.h"
#include "core/prompts.h"
#include "game/game_screens.h"
#include "game/main_window.h"
#include "maze/movement.h"
#include "rules/party_panel.h"

using namespace qvr;
using namespace qvr::bench;

namespace {

constexpr double kGoalMs = 0.5;

// Whatever opens (an encounter's words) is answered at once.
class AnsweringPrompter : public Prompter {
public:
    void run(Game& game, ModalWindow& window) override
    {
        for (int i = 0; i < 100 && !window.closed(); ++i)
            window.pressKey(game, i % 2 ? Key::Escape : Key::Enter);
        window.close();
    }
    std::string chooseFile(Game&, const std::string&) override { return ""; }
};

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), {}};
}

void StartInTheMaze(Game& game)
{
    auto files = std::make_unique<MemoryStore>();
    for (const char* name : {kContentFileName, kTextsFileName, kEventsFileName})
        files->putFile(name, ReadFile(ProgramFolder() / name));
    SaveData empty;
    files->putFile(kSaveFileName, EncodeSaveImage(empty));
    game.store = std::move(files);
    game.prompter = std::make_unique<AnsweringPrompter>();
    StartUp(game, false);
    Character& c = game.character(1);
    c.rosterNo = 1;
    c.name = "BENCH";
    c.level = 1;
    c.hp = c.maxHp = 10;
    c.floor = -1;
    RefreshPartyPanel(game);
    DescendIntoMaze(game);
    if (game.place.mode != Mode::Maze)
        throw std::runtime_error("the party did not reach the maze");
    // A corridor cell of floor 1 where no event waits, and no monsters: every
    // sample is the same turn, view and encounter roll.
    RelocateParty(game, 1, 5, 4);
    game.state.floorEncounterCount = 0;
}

// Kept out of line so that the copy is not optimised away.
[[gnu::noinline]] std::vector<DrawItem> Copy(const std::vector<DrawItem>& items)
{
    return items;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const int runs = RunsOption(argc, argv, 5000);
        Game game(Rng(7));
        StartInTheMaze(game);
        Comparison row{"one action (us)", {}, {}};
        std::size_t sink = 0;
        for (int i = 0; i < runs; ++i) {
            game.state.turnCounter = 0;
            const int facing = game.state.facing;
            int64_t start = MonotonicNs();
            game.pressKey(Key::Right);
            row.subject.push_back(MsSince(start) * 1000);
            if (game.place.mode != Mode::Maze || game.state.facing != (facing + 1) % 4)
                throw std::runtime_error("the key did not turn the party");

            std::vector<DrawItem> items = game.screen.drawing;
            start = MonotonicNs();
            sink += Copy(items).size();
            row.baseline.push_back(MsSince(start) * 1000);
        }
        PrintComparisons("maze action: Game::pressKey to the drawing, against a vector copy "
                         "of the same " +
                             std::to_string(game.screen.drawing.size()) + " primitives",
                         {row});
        double median = Median(row.subject) / 1000;
        std::printf("median action %.4f ms, goal %.1f ms: %s (%zu)\n", median, kGoalMs,
                    median <= kGoalMs ? "met" : "missed", sink % 2);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qvr-bench-maze-action: %s\n", e.what());
        return 1;
    }
}
