#include "app/script_runner.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/script_prompter.h"
#include "core/data_files.h"
#include "core/folder_store.h"
#include "core/game.h"
#include "core/game_folder.h"
#include "core/row_press.h"
#include "game/battle_screens.h"
#include "game/engine_error.h"
#include "game/main_window.h"
#include "game/save_backup.h"

namespace qvr {

namespace {

constexpr const char* kUsage =
    "usage: qvr-script [--game-dir DIR] [--seed N] [--time HH:MM:SS] [--from-backup] SCRIPT\n"
    "       SCRIPT - reads standard input\n";

std::unique_ptr<SettingsStore> runnerSettings()
{
    auto settings = std::make_unique<MemorySettings>();
    Version v = ProgramVersion();
    settings->setValue("Version", "Major", std::to_string(v.major));
    settings->setValue("Version", "Minor", std::to_string(v.minor));
    settings->setValue("Version", "Revision", std::to_string(v.revision));
    return settings;
}

// The main window's side of the script: what is left when no prompt is
// open. Returns when the script runs out or the game has ended.
void play(Game& game, ScriptSource& source, ScriptPrompter& prompter)
{
    for (;;) {
        if (game.screen.quit)
            return; // a menu row ended the game; what follows is never read
        std::optional<ScriptStep> step = source.next();
        if (!step)
            return;
        switch (step->kind) {
        case ScriptStep::Kind::Key:
            game.pressKey(step->key);
            break;
        case ScriptStep::Kind::Text:
            throw ScriptError(step->line, "text with no text box open");
        case ScriptStep::Kind::Click:
            if (!step->list.empty() || !PressKeyboardRow(game, step->row))
                throw ScriptError(step->line, "click on no row of the list with the keyboard");
            break;
        case ScriptStep::Kind::Wait:
            prompter.wait(game, step->ms);
            break;
        case ScriptStep::Kind::Dump:
            prompter.dump(game);
            break;
        case ScriptStep::Kind::Fix:
            BattleOf(game).state.fixedRolls.fix(step->roll, step->face);
            break;
        case ScriptStep::Kind::Close:
            if (!CloseRequested(game))
                break;
            ExitSequence(game, WindowShow::Normal);
            return;
        }
    }
}

// The status of a run that ended without an error. An exit sequence whose
// last save failed is a failure however the run got there: the script may
// run out while the message about it is still open.
int endStatus(const Game& game, std::ostream& out, std::ostream& err)
{
    out.flush();
    // A fixed face no roll took means the case no longer tests what it
    // says: that is the script's fault, and loud.
    const BattleSession* battle = CurrentBattle(game);
    if (const std::vector<std::string> unused =
            battle ? battle->state.fixedRolls.unused() : std::vector<std::string>{};
        !unused.empty()) {
        err << "qvr-script: fixed rolls the game never made:";
        for (const std::string& u : unused)
            err << " " << u;
        err << "\n";
        return 2;
    }
    if (!game.screen.exitUnsaved)
        return 0;
    err << "qvr-script: the game closed, but its last save failed\n";
    return 1;
}

// Start-up, and the way back to the backup when the save file will not load
// and the command line asks for it.
void startUp(Game& game, const ScriptOptions& options)
{
    try {
        StartUp(game, /*showTitle*/ false);
    } catch (const DamagedSave&) {
        if (!options.fromBackup)
            throw;
        RestoreSaveFromBackup(game);
        StartUp(game, /*showTitle*/ false);
    }
}

// Takes back everything the run lent the game, whatever way the run ended.
class RunGuard {
public:
    explicit RunGuard(Game& game) : game_(game) {}
    ~RunGuard()
    {
        game_.prompter.reset();
        game_.observer = nullptr;
        if (game_.store)
            game_.store->unlock();
    }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

private:
    Game& game_;
};

} // namespace

std::optional<ScriptOptions> ParseScriptArguments(int argc, const char* const* argv,
                                                  std::ostream& err)
{
    ScriptOptions options;
    bool haveScript = false;
    auto fail = [&](const std::string& why) -> std::optional<ScriptOptions> {
        err << "qvr-script: " << why << "\n" << kUsage;
        return std::nullopt;
    };
    for (int i = 0; i < argc; ++i) {
        std::string_view arg = argv[i];
        bool option = arg == "--game-dir" || arg == "--seed" || arg == "--time";
        if (option && i + 1 >= argc)
            return fail(std::string(arg) + " needs a value");
        if (arg == "--game-dir") {
            options.gameDir = argv[++i];
            if (options.gameDir.empty())
                return fail("--game-dir needs a folder");
        } else if (arg == "--seed") {
            std::string_view v = argv[++i];
            uint64_t seed = 0;
            auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), seed);
            if (v.empty() || ec != std::errc() || ptr != v.data() + v.size())
                return fail("--seed takes a whole number, not \"" + std::string(v) + "\"");
            options.seed = seed;
        } else if (arg == "--time") {
            std::optional<double> t = ParseTimeOfDay(argv[++i]);
            if (!t)
                return fail("--time takes HH:MM:SS, not \"" + std::string(argv[i]) + "\"");
            options.timeOfDay = *t;
            options.timeGiven = true;
        } else if (arg == "--from-backup") {
            options.fromBackup = true;
        } else if (arg.size() > 1 && arg.front() == '-') {
            return fail("unknown option " + std::string(arg));
        } else if (haveScript) {
            return fail("one script at a time");
        } else {
            options.scriptName = std::string(arg);
            haveScript = true;
        }
    }
    if (!haveScript)
        return fail("no script given");
    return options;
}

int RunScript(Game& game, std::istream& script, const ScriptOptions& options, std::ostream& out,
              std::ostream& err)
{
    ScriptSource source(script);
    ScriptObserver observer(out);
    auto prompter = std::make_unique<ScriptPrompter>(source, out);
    ScriptPrompter& prompts = *prompter;
    RunGuard guard(game);
    const std::string where = options.scriptName == "-" ? "standard input" : options.scriptName;
    try {
        // A recorded session names its dice and clock; the command line
        // still wins, to try the same keys with others.
        ScriptHeader header = source.readHeader();
        std::optional<uint64_t> seed = options.seed ? options.seed : header.seed;
        double start = options.timeGiven || !header.start ? options.timeOfDay : *header.start;
        game.rng = seed ? Rng(*seed) : Rng::fromClock();
        game.clock = std::make_unique<ScriptClock>(game.timers, start);
        game.settings = runnerSettings();
        if (!game.musicPlayer)
            game.musicPlayer = std::make_unique<SilentMusic>();
        game.observer = &observer;
        game.prompter = std::move(prompter);
        if (options.makeStore) {
            game.store = options.makeStore();
            game.store->lock();
        } else {
            game.store = OpenGameFolder(options.gameDir);
        }
        startUp(game, options);
        try {
            play(game, source, prompts);
        } catch (const ScriptError&) {
            throw;
        } catch (const WindowUnavailable&) {
            throw;
        } catch (const std::exception& e) {
            // An error in play: the state it left is not saved.
            out.flush();
            err << "qvr-script: " << StopAfterEngineError(game, e) << "\n";
            return 1;
        }
        return endStatus(game, out, err);
    } catch (const GameQuit&) {
        return endStatus(game, out, err);
    } catch (const ScriptEnded&) {
        return endStatus(game, out, err);
    } catch (const ScriptError& e) {
        out.flush();
        err << "qvr-script: " << where << " " << e.what() << "\n";
        return 2;
    } catch (const DamagedSave& e) {
        out.flush();
        err << "qvr-script: " << e.what() << "\n"
            << "qvr-script: --from-backup で " << kBackupFileName << " から始めます（読み込めない "
            << kSaveFileName << " は " << kDamagedSaveFileName << " として残します）\n";
        return 1;
    } catch (const std::exception& e) {
        // A second copy on the folder, a bad data file, a failed save.
        out.flush();
        err << "qvr-script: " << e.what() << "\n";
        return 1;
    }
}

int RunScript(std::istream& script, const ScriptOptions& options, std::ostream& out,
              std::ostream& err)
{
    Game game(Rng(options.seed.value_or(1)));
    return RunScript(game, script, options, out, err);
}

double UseRecordedDiceAndClock(Game& game, uint64_t seed)
{
    double start = game.clock ? std::floor(game.clock->secondsSinceMidnight()) : 12 * 3600;
    game.rng = Rng(seed);
    game.clock = std::make_unique<ScriptClock>(game.timers, start);
    return start;
}

int ScriptMain(int argc, const char* const* argv, std::istream& in, std::ostream& out,
               std::ostream& err)
{
    std::optional<ScriptOptions> options = ParseScriptArguments(argc, argv, err);
    if (!options)
        return 2;
    if (options->scriptName == "-")
        return RunScript(in, *options, out, err);
    std::error_code ec;
    std::ifstream file;
    if (!std::filesystem::is_directory(options->scriptName, ec))
        file.open(options->scriptName, std::ios::binary);
    if (!file.is_open()) {
        err << "qvr-script: cannot read the script " << options->scriptName << "\n";
        return 2;
    }
    return RunScript(file, *options, out, err);
}

} // namespace qvr
