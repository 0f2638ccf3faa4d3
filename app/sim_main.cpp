// qvr-sim: fights many seeded battles of a preset party against a floor's
// encounters with no window and prints how they went, the balance measure
// for every floor. `qvr-sim --help` prints the options and how the
// simulated player gives its orders.

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
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

std::vector<uint8_t> ReadAll(const std::filesystem::path& path, std::size_t most)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw GameError(path.string() + ": cannot be read");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (bytes.size() > most)
        throw GameError(path.string() + ": too large");
    return bytes;
}

// The party standing in town in the save (characters at location -1, by
// marching position), or its first six characters when there is none.
std::vector<Character> PartyFromSave(const std::filesystem::path& path)
{
    auto save = std::make_unique<SaveData>();
    DecodeSaveImage(ReadAll(path, kSaveFileBytes), *save, path.filename().string());
    std::vector<Character> party;
    for (int r = 1; r <= kRosterSize; ++r)
        if (save->roster[r].rosterNo >= 1 && save->roster[r].floor == -1)
            party.push_back(save->roster[r]);
    std::stable_sort(party.begin(), party.end(), [](const Character& a, const Character& b) {
        return a.position < b.position;
    });
    for (int r = 1; r <= kRosterSize && party.empty(); ++r)
        for (int k = r; k <= kRosterSize && party.size() < 6; ++k)
            if (save->roster[k].rosterNo >= 1)
                party.push_back(save->roster[k]);
    if (party.size() > 6)
        party.resize(6);
    if (party.empty())
        throw GameError(path.string() + ": holds no characters");
    return party;
}

constexpr const char* kUsage =
    "usage: qvr-sim [--level L | --arrival] [--gear T] [--party c1,c2,...]\n"
    "               [--floor F] [--battles N] [--seed S] [--content FILE]\n"
    "               [--rank R] [--group SIDES ADD] [--encounter E]\n"
    "               [--trip N] [--save FILE] [--no-flight] [--help]\n";

constexpr const char* kHelp =
    "\n"
    "  --level L        the party's level (default 1)\n"
    "  --arrival        the level a party has on reaching the floor\n"
    "  --gear T         the tier of its weapons and of the shop's armour it wears\n"
    "                   (default L - 1, at least 1)\n"
    "  --party LIST     classes in marching order, three in front: fighter, samurai,\n"
    "                   lord, valkyrie, ninja, monk, thief, priest, wizard (default\n"
    "                   fighter,fighter,samurai,thief,priest,wizard); a thief behind\n"
    "                   carries a reach-2 weapon, the other back-row members none\n"
    "  --floor F        the floor whose encounter list is fought (default 1)\n"
    "  --battles N      battles fought in all (default 1000)\n"
    "  --seed S         the one random stream's seed (default 1)\n"
    "  --content FILE   the content file (default QVR2.DAT beside the program)\n"
    "  --rank R         a band encounter of rank R and R - 1 instead of the floor's\n"
    "  --group S A      its groups are 1dS + A strong (default 1d3)\n"
    "  --encounter E    fight content encounter E every time\n"
    "  --trip N         N battles in a row: the camp's healing between them, the\n"
    "                   dead carried over, a wipe-out ends the trip\n"
    "  --save FILE      the party of a save (its current party, else its first six)\n"
    "                   with its own gear and spells instead of the presets\n"
    "  --no-flight      the party never runs: every battle is fought to its end\n"
    "\n"
    "Hit points are rolled by the game's rule, afresh for every trip; casters know\n"
    "what their levels taught them. Each round the simulated player orders:\n"
    "  - a healer heals the member worst off below 45 % of its hit points;\n"
    "  - a caster who cannot strike (and every wizard), when the fight is worth a\n"
    "    spell (two monsters or more, or someone below 60 %): a magic shield against\n"
    "    casters, a breath shield against breathers, its strongest damage on the\n"
    "    largest group of two or more, sleep on a group of three awake that sleeps,\n"
    "    else its strongest bolt at the first group;\n"
    "  - a dragon breathes on the largest group while its breath lasts;\n"
    "  - a thief or ninja steals when hidden, offered it and the group carries\n"
    "    something, strikes from hiding, hides when it cannot reach or is below 40 %;\n"
    "  - whoever reaches strikes the first group; nobody defends;\n"
    "  - with half the party down or the standing below a fifth of the party's hit\n"
    "    points against two monsters or more, the party runs: by an escape spell\n"
    "    when someone knows one, else on its feet.\n"
    "Between the battles of a trip the camp heals everyone below 90 % while any\n"
    "member has points for the healing spell.\n";

int Usage(const std::string& problem)
{
    std::cerr << "qvr-sim: " << problem << "\n" << kUsage;
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
    std::string partyText = "fighter,fighter,samurai,thief,priest,wizard";
    std::string contentPath;
    std::string savePath;
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
            if (arg == "--help" || arg == "-h") {
                std::cout << kUsage << kHelp;
                return 0;
            }
            if (arg == "--level")
                level = static_cast<int>(number());
            else if (arg == "--no-flight")
                config.flee = false;
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
            else if (arg == "--trip")
                config.trip = static_cast<int>(number());
            else if (arg == "--save")
                savePath = value();
            else if (arg == "--group") {
                config.groupSides = static_cast<int>(number());
                config.groupAdd = static_cast<int>(number());
            } else
                return Usage("unknown argument " + arg);
        }
        if (level < 1 || level > 500 || config.floor < 1 || config.floor >= kFloorCount ||
            config.battles < 1 || config.groupSides < 1 || config.encounter < 0 ||
            config.encounter > 1250 || config.trip < 1 || config.trip > 100)
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
        if (!savePath.empty())
            config.savedParty = PartyFromSave(savePath);
        const SimTotals t = RunSimulation(config);
        const int64_t n = t.battles;
        std::cout << std::fixed << std::setprecision(2) << "level " << level << "\n"
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
                  << "chest% " << Percent(t.chests, n) << "\n"
                  << "spells/battle " << PerBattle(static_cast<double>(t.spellsCast), n) << "\n"
                  << "hides/battle " << PerBattle(static_cast<double>(t.hides), n) << "\n"
                  << "steals/battle " << PerBattle(static_cast<double>(t.steals), n) << "\n"
                  << "breaths/battle " << PerBattle(static_cast<double>(t.breaths), n) << "\n"
                  << "flight-tries/battle " << PerBattle(static_cast<double>(t.flightTries), n)
                  << "\n";
        if (config.trip > 1)
            std::cout << "trips " << t.trips << "\n"
                      << "trip-wipe% " << Percent(t.tripWipes, t.trips) << "\n"
                      << "trip-death% " << Percent(t.tripDeaths, t.trips) << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "qvr-sim: " << e.what() << "\n";
        return 1;
    }
}
