// Rounds per second of the battle engine with no window, narration included,
// against a bare round in the same run.
//
//   qvr-bench-battle [--runs N] [--battles B]
//
// Subject: whole seeded battles of the six preset members at level 6 against
// the band monsters of ranks 6 and 5 (two groups of 1d3+1), every line of
// narration appended to a string sink. The wizard and the priest know a few
// spells (one-monster and group damage, sleep, healing) and cast them as the
// simulator's player does; the monsters mostly strike, but now and then cast
// the same spells, breathe fire or use a special move, so every kind of
// action is in the mix. Baseline: a bare round of the same actors with
// none of the rules: each rolls initiative, the actors are sorted, each rolls
// a hit and its damage and appends one formatted line to the same kind of
// sink. The ratio says what the rules cost over the least a round can do.
// Times are the thread's processor time, so other work on the machine does
// not count against either side.

#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <time.h>

#include "battle/narrator.h"
#include "battle/sim_setup.h"
#include "battle/simulation.h"
#include "bench_support.h"
#include "core/dice.h"
#include "core/records.h"
#include "core/rng.h"

using namespace qvr;
using namespace qvr::bench;

namespace {

// Keeps every line as the message label would, and throws it away between
// battles so that memory stays flat.
class StringSink final : public Narrator {
public:
    void say(std::string_view text) override
    {
        if (text_.size() > (1 << 20))
            text_.clear();
        text_.append(text);
        text_.push_back('\n');
        ++lines;
    }
    int64_t lines = 0;

private:
    std::string text_;
};

// The machine is shared, so the figure is this thread's processor time: what
// one core spends, whatever else runs beside it.
double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

struct BareActor {
    int hp = 0;
    int agility = 0;
    int initiative = 0;
};

// `rounds` bare rounds of ten actors.
int64_t BareRounds(Rng& rng, StringSink& sink, int64_t rounds)
{
    std::array<BareActor, 10> actors{};
    int64_t checksum = 0;
    for (int64_t r = 0; r < rounds; ++r) {
        for (BareActor& a : actors) {
            if (a.hp <= 0)
                a = {Dice(rng, 3, 8, 0), 12, 0};
            a.initiative = Dice(rng, 1, a.agility, 0);
        }
        std::sort(actors.begin(), actors.end(), [](const BareActor& x, const BareActor& y) {
            return x.initiative > y.initiative;
        });
        for (std::size_t i = 0; i < actors.size(); ++i) {
            BareActor& target = actors[(i + 5) % actors.size()];
            if (Dice(rng, 1, 100, 1) < 40)
                continue;
            const int damage = Dice(rng, 1, 8, 1);
            target.hp -= damage;
            sink.say("actor " + std::to_string(i) + " hits for " + std::to_string(damage));
            checksum += damage;
        }
    }
    return checksum;
}

// The spells the casters may learn: wizard levels 1 and 2, priest level 1.
std::shared_ptr<const Content> SpellContent()
{
    auto content = std::make_shared<Content>();
    auto spell = [&](int no, int16_t school, int16_t level, int16_t slot, int16_t effect,
                     int16_t element, int16_t target, Dice3 dice) {
        SpellDef& s = content->spells[no];
        s.spellNo = static_cast<int16_t>(no);
        s.name = "SPELL" + std::to_string(no);
        s.school = school;
        s.level = level;
        s.slot = slot;
        s.effect = effect;
        s.element = element;
        s.targetKind = target;
        s.flags = SpellFlag::Battle | SpellFlag::Monster;
        s.dice = dice;
    };
    spell(1, 0, 1, 1, 2, 4, 1, {1, 8, 0});
    spell(2, 0, 1, 2, 15, 11, 2, {0, 0, 0});
    spell(5, 0, 2, 1, 2, 8, 2, {2, 6, 0});
    spell(37, 1, 1, 1, 7, 0, 4, {1, 8, 0});

    // The monsters' d20 table: melee but for a wizard's and a priest's
    // spell of level 1, a fire breath and the special moves below.
    // kMoves: a sleep on one member, a blast on one and a blast on all;
    // they cost what the move table makes them cost once it is in.
    constexpr int16_t kMoves[] = {21, 41, 48};
    for (int i = 0; i < 2; ++i) {
        MonsterDef m = BandMonster(6 - i);
        m.groupDice = {1, 3, 1};
        m.actions[15] = 2;  // school 0, level 1
        m.actions[16] = 11; // school 1, level 1
        m.actions[17] = 27; // fire breath
        for (int k = 0; k < 3; ++k)
            m.actions[18 + k] = kMoves[k];
        content->monsters[1 + i] = m;
        content->encounterTable(1, 3 + i) = static_cast<int16_t>(1 + i);
    }
    return content;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const int runs = RunsOption(argc, argv, 5);
        const int battles = std::stoi(StringOption(argc, argv, "--battles", "20000"));
        Comparison speed{"rounds per second (thousands)", {}, {}};
        Comparison lines{"narration lines per round", {}, {}};
        for (int i = 0; i < runs; ++i) {
            StringSink engineSink;
            SimConfig config;
            config.party = StandardParty(6, 5);
            config.content = SpellContent();
            // The rounds are timed, not the rolling of characters.
            config.rerollParty = false;
            config.encounter = 1;
            config.battles = battles;
            config.seed = static_cast<uint64_t>(i + 1);
            config.narrator = &engineSink;
            double start = ThreadCpuMs();
            const SimTotals t = RunSimulation(config);
            const double engineMs = ThreadCpuMs() - start;
            const double engineRate = static_cast<double>(t.rounds) / engineMs;

            StringSink bareSink;
            Rng rng(static_cast<uint64_t>(i + 1));
            start = ThreadCpuMs();
            const int64_t checksum = BareRounds(rng, bareSink, t.rounds);
            const double bareMs = ThreadCpuMs() - start;
            speed.baseline.push_back(static_cast<double>(t.rounds) / bareMs);
            speed.subject.push_back(engineRate);
            lines.baseline.push_back(static_cast<double>(bareSink.lines) /
                                     static_cast<double>(t.rounds));
            lines.subject.push_back(static_cast<double>(engineSink.lines) /
                                    static_cast<double>(t.rounds));
            if (checksum == 0)
                std::printf("(no damage)\n");
        }
        PrintComparisons("battle rounds, " + std::to_string(runs) + " runs of " +
                             std::to_string(battles) + " battles: bare round vs the engine",
                         {speed, lines});
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qvr-bench-battle: %s\n", e.what());
        return 1;
    }
}
