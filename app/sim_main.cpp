// qvr-sim: fights many seeded battles of a preset party against a floor's
// encounters with no window and prints how they went, the balance measure
// for every floor.
//
//   qvr-sim [--level L | --arrival] [--gear T] [--party fighter,samurai,...] [--floor F]
//           [--battles N] [--seed S] [--content QVR2.DAT] [--rank R]
//           [--group S A] [--encounter E]
//
// The party defaults to the six of the balance targets (fighter, samurai,
// lord in front; thief with a reach-2 weapon, priest, wizard behind) at level
// L (--arrival: the level a party has on reaching the floor) with gear of
// tier T (default L - 1, at least 1). Encounters come from the
// floor's list in the content (default: QVR2.DAT beside the program); when
// the floor lists none, or --rank is given, from a band encounter of rank R
// (default: the floor): a group of that rank and one a rank weaker, each of
// 1dS + A members (default 1d3). --encounter fights that one encounter of the
// content every time (a scripted battle, an idle one).

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

#include "battle/simulation.h"
#include "core/data_files.h"
#include "core/error.h"

namespace {

using namespace qvr;

const std::map<std::string, int16_t>& ClassNames()
{
    static const std::map<std::string, int16_t> names = {
        {"fighter", Class::Fighter},    {"wizard", Class::Wizard}, {"priest", Class::Cleric},
        {"cleric", Class::Cleric},      {"thief", Class::Thief},   {"samurai", Class::Samurai},
        {"lord", Class::Lord},          {"ninja", Class::Ninja},   {"valkyrie", Class::Valkyrie},
        {"monk", Class::MartialArtist},
    };
    return names;
}

std::filesystem::path ProgramFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

std::shared_ptr<const Content> LoadContent(const std::filesystem::path& path, bool required)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (required)
            throw GameError(path.string() + ": cannot be read");
        return nullptr;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (bytes.size() > kContentFileMaxBytes)
        throw GameError(path.string() + ": too large for a content file");
    return DecodeContent(bytes, path.filename().string());
}

int Usage(const std::string& problem)
{
    std::cerr << "qvr-sim: " << problem << "\n"
              << "usage: qvr-sim [--level L | --arrival] [--gear T] [--party c1,c2,...]\n"
              << "               [--floor F] [--battles N] [--seed S] [--content FILE]\n"
              << "               [--rank R] [--group SIDES ADD] [--encounter E]\n";
    return 2;
}

double Percent(int64_t n, int64_t of)
{
    return of > 0 ? 100.0 * static_cast<double>(n) / static_cast<double>(of) : 0.0;
}

double PerBattle(double n, int64_t of)
{
    return of > 0 ? n / static_cast<double>(of) : 0.0;
}

} // namespace

int main(int argc, char** argv)
{
    int level = 1;
    bool arrival = false;
    int gear = -1;
    std::string partyText = "fighter,samurai,lord,thief,priest,wizard";
    std::string contentPath;
    SimConfig config;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            auto value = [&](void) -> std::string {
                if (i + 1 >= argc)
                    throw std::invalid_argument(arg + " needs a value");
                return argv[++i];
            };
            auto number = [&](void) {
                const std::string text = value();
                long long n = 0;
                const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
                if (ec != std::errc{} || end != text.data() + text.size())
                    throw std::invalid_argument(arg + " needs a whole number, not " + text);
                return n;
            };
            if (arg == "--level")
                level = static_cast<int>(number());
            else if (arg == "--arrival")
                arrival = true;
            else if (arg == "--gear")
                gear = static_cast<int>(number());
            else if (arg == "--party")
                partyText = value();
            else if (arg == "--floor")
                config.floor = static_cast<int>(number());
            else if (arg == "--battles")
                config.battles = static_cast<int>(number());
            else if (arg == "--seed")
                config.seed = static_cast<uint64_t>(number());
            else if (arg == "--content")
                contentPath = value();
            else if (arg == "--rank")
                config.bandRank = static_cast<int>(number());
            else if (arg == "--encounter")
                config.encounter = static_cast<int>(number());
            else if (arg == "--group") {
                config.groupSides = static_cast<int>(number());
                config.groupAdd = static_cast<int>(number());
            } else
                return Usage("unknown argument " + arg);
        }
        if (level < 1 || level > 500 || config.floor < 1 || config.floor >= kFloorCount ||
            config.battles < 1 || config.groupSides < 1 || config.encounter < 0 ||
            config.encounter > 1250)
            return Usage("a value is out of range");
        if (arrival)
            level = ArrivalLevel(config.floor);
        if (gear < 0)
            gear = std::max(1, level - 1);

        std::stringstream list(partyText);
        std::string name;
        while (std::getline(list, name, ',')) {
            const auto found = ClassNames().find(name);
            if (found == ClassNames().end())
                return Usage("unknown class " + name);
            config.party.push_back({found->second, level, gear});
        }
        if (config.party.empty() || config.party.size() > 6)
            return Usage("a party has 1 to 6 members");

    } catch (const std::invalid_argument& e) {
        return Usage(e.what());
    } catch (const std::exception& e) {
        std::cerr << "qvr-sim: " << e.what() << "\n";
        return 1;
    }
    try {
        config.content = contentPath.empty() ? LoadContent(ProgramFolder() / "QVR2.DAT", false)
                                             : LoadContent(contentPath, true);
        const SimTotals t = RunSimulation(config);
        const int64_t n = t.battles;
        // Casters give spell orders that have no effect until battle spells
        // exist: the figures are melee-only, and say so.
        std::cout << std::fixed << std::setprecision(2) << "level " << level << "\n"
                  << "spells: not fought yet (melee only)\n"
                  << "battles " << n << "\n"
                  << "win% " << Percent(t.wins, n) << "\n"
                  << "flight% " << Percent(t.fled, n) << "\n"
                  << "wipe% " << Percent(t.wipes, n) << "\n"
                  << "parted% " << Percent(t.parted, n) << "\n"
                  << "draw% " << Percent(t.draws, n) << "\n"
                  << "death% " << Percent(t.withDeath, n) << "\n"
                  << "rounds/battle " << PerBattle(static_cast<double>(t.rounds), n) << "\n"
                  << "exp/member/battle " << PerBattle(static_cast<double>(t.expShare), n) << "\n"
                  << "gold/member/battle " << PerBattle(static_cast<double>(t.goldShare), n) << "\n"
                  << "hp-lost% " << 100.0 * PerBattle(t.hpLostFraction, n) << "\n"
                  << "chest% " << Percent(t.chests, n) << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "qvr-sim: " << e.what() << "\n";
        return 1;
    }
}
