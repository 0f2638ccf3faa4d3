#include "town/character_creation.h"

#include <array>
#include <functional>
#include <memory>

#include "core/codes.h"
#include "core/dice.h"
#include "core/game.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "core/sjis.h"
#include "rules/class_rules.h"
#include "rules/party_panel.h"
#include "town/castle_town.h"
#include "town/new_character.h"
#include "town/roster_chooser.h"
#include "town/town_panels.h"
#include "town/training_grounds.h"

namespace qvr {

namespace {

constexpr const char* kSteps = "fraMaking";
constexpr const char* kBonus = "fraBounas";
constexpr const char* kClasses = "fraClass";
constexpr const char* kTrainingMenu = "fraProvingGrounds";
// Beside the distribution, so that every change shows at once what it opens.
constexpr Rect kClassRect{158, 55, 58, 80};

constexpr std::array<int16_t, 9> kOfferedRaces{Race::Human,  Race::Elf,    Race::Dwarf,
                                               Race::Gnome,  Race::Hobbit, Race::Fairy,
                                               Race::Dragon, Race::Demon,  Race::Angel};

// Lives in the panels' handlers for as long as the wizard runs; the next
// creation starts a fresh one.
struct Wizard {
    NewCharacter made;
    int points = 0; // left to spend
    Attributes minimum{};
};
using WizardPtr = std::shared_ptr<Wizard>;
using StepChoice = void (*)(Game&, const WizardPtr&, int value);

void showStep(Game& game, const WizardPtr& w, const char* caption, std::vector<Row> rows,
              StepChoice next)
{
    Panel& p = game.screen.panel(kSteps);
    p.caption = caption;
    p.rows = std::move(rows);
    p.perform = [w, next](Game& g, int row) {
        next(g, w, g.screen.panel(kSteps).rows[static_cast<std::size_t>(row)].value);
    };
    game.screen.open(kSteps, 0);
}

Row choiceRow(std::string text, int value)
{
    return {std::move(text), 0, value, {}};
}

void hideWizard(Game& game)
{
    for (const char* name : {kSteps, kBonus, kClasses})
        game.screen.panel(name).visible = false;
}

void finish(Game& game, const WizardPtr& w, int yes)
{
    hideWizard(game);
    if (yes) {
        if (WriteNewCharacter(game, w->made) == 0)
            ShowMessage(game, "", "これ以上作れませんよ");
        else
            Save(game);
    }
    ShowTrainingGrounds(game);
}

void chooseClass(Game& game, const WizardPtr& w, int row)
{
    w->made.classCode =
        static_cast<int16_t>(game.screen.panel(kClasses).rows[static_cast<std::size_t>(row)].value);
    game.screen.panel(kClasses).visible = false;
    game.screen.panel(kBonus).visible = false;
    showStep(game, w, "このキャラクターを使いますか？",
             {choiceRow("はい", 1), choiceRow("いいえ", 0)}, finish);
}

void showDistribution(Game& game, const Wizard& w)
{
    Panel& bonus = game.screen.panel(kBonus);
    for (int i = 0; i < kAttributeCount; ++i)
        bonus.setLabel("lblPoint" + std::to_string(i), std::to_string(w.made.attributes[i]));
    bonus.setLabel("lblBounasPoint", std::to_string(w.points));

    Panel& classes = game.screen.panel(kClasses);
    classes.rows.clear();
    for (int16_t code :
         EligibleClasses(w.made.attributes, w.made.alignment, w.made.sex, ClassListOrder::Creation))
        classes.rows.push_back(choiceRow(ClassName(code), code));
    classes.selected = -1;
}

// The class list takes the keyboard only with every point spent and a class
// to offer; otherwise the distribution keeps it.
void enterClassList(Game& game, const Wizard& w)
{
    Panel& classes = game.screen.panel(kClasses);
    if (w.points == 0 && !classes.rows.empty()) {
        classes.selected = 0;
        game.screen.focus(kClasses);
    } else {
        game.screen.focus(kBonus);
    }
}

bool distributionKey(Game& game, const WizardPtr& w, Key key)
{
    const int row = game.screen.panel(kBonus).selected;
    if (key == Key::Enter) {
        enterClassList(game, *w);
        return true;
    }
    if (key != Key::Left && key != Key::Right)
        return false;
    if (row < 0 || row >= kAttributeCount)
        return true;
    int& value = w->made.attributes[static_cast<std::size_t>(row)];
    if (key == Key::Left && value > w->minimum[static_cast<std::size_t>(row)]) {
        --value;
        ++w->points;
    } else if (key == Key::Right && w->points != 0 &&
               value < AttributeMaxima(w->made.race, w->made.sex)[static_cast<std::size_t>(row)]) {
        ++value;
        --w->points;
    } else {
        return true;
    }
    showDistribution(game, *w);
    return true;
}

void startDistribution(Game& game, const WizardPtr& w)
{
    game.screen.panel(kSteps).visible = false;
    w->points = BonusPoints(Dice(game.rng, 6, 10, 0));
    w->made.bonusPoints = w->points;
    w->minimum = StartingAttributes(w->made.race, w->made.sex);
    w->made.attributes = w->minimum;

    Panel& bonus = game.screen.panel(kBonus);
    bonus.keyHook = [w](Game& g, Key key) { return distributionKey(g, w, key); };
    Panel& classes = game.screen.panel(kClasses);
    classes.perform = [w](Game& g, int row) { chooseClass(g, w, row); };
    classes.visible = true;
    classes.enabled = true;
    showDistribution(game, *w);
    game.screen.open(kBonus, 0);
}

void chooseSex(Game& game, const WizardPtr& w, int sex)
{
    w->made.sex = static_cast<int16_t>(sex);
    startDistribution(game, w);
}

void askSex(Game& game, const WizardPtr& w)
{
    showStep(game, w, "性別を選んでください", {choiceRow("男", 1), choiceRow("女", 2)}, chooseSex);
}

void chooseAlignment(Game& game, const WizardPtr& w, int alignment)
{
    w->made.alignment = static_cast<int16_t>(alignment);
    askSex(game, w);
}

void chooseRace(Game& game, const WizardPtr& w, int race)
{
    w->made.race = static_cast<int16_t>(race);
    // Demons are born chaotic and angels lawful: they are not asked.
    if (race == Race::Demon || race == Race::Angel) {
        w->made.alignment = race == Race::Demon ? Align::Chaotic : Align::Lawful;
        askSex(game, w);
        return;
    }
    std::vector<Row> rows;
    for (int16_t a : {Align::Lawful, Align::Neutral, Align::Chaotic})
        rows.push_back(choiceRow(AlignmentName(a), a));
    showStep(game, w, "属性を選んでください", std::move(rows), chooseAlignment);
}

int characterNamed(const Game& game, const std::string& name)
{
    for (int r = 1; r <= kRosterSize; ++r)
        if (game.character(r).rosterNo >= 1 && game.character(r).name == name)
            return r;
    return 0;
}

} // namespace

void BuildCreationPanels(Game& game)
{
    Panel steps;
    steps.name = kSteps;
    steps.list = "lstMaking";
    steps.rect = kTownMenuRect;
    game.screen.add(std::move(steps));

    Panel bonus;
    bonus.name = kBonus;
    bonus.list = "lstStatus";
    bonus.caption = "ボーナスを振り分けて下さい";
    bonus.rect = kTownMenuRect;
    for (const std::string& attribute : AttributeNames())
        bonus.rows.push_back(choiceRow(attribute, 0));
    for (int i = 0; i < kAttributeCount; ++i)
        bonus.labels.push_back({"lblPoint" + std::to_string(i), "", true});
    bonus.labels.push_back({"lblBounas", "ボーナス", true});
    bonus.labels.push_back({"lblBounasPoint", "", true});
    game.screen.add(std::move(bonus));

    Panel classes;
    classes.name = kClasses;
    classes.list = "lstClass";
    classes.caption = "職業";
    classes.rect = kClassRect;
    game.screen.add(std::move(classes));
}

void CreateCharacter(Game& game)
{
    if (CountCharacters(game) >= kRosterSize) {
        ShowMessage(game, "", "これ以上作れませんよ");
        return;
    }
    game.screen.panel(kTrainingMenu).visible = false;
    const std::string typed = InputText(game, "名前", "名前を入力してください");
    if (typed.empty()) {
        ShowTrainingGrounds(game);
        return;
    }
    const std::string name = mapInputLookalikes(typed);
    if (std::string problem = NameProblem(name); !problem.empty()) {
        ShowMessage(game, "名前", problem);
        ShowTrainingGrounds(game);
        return;
    }
    if (int existing = characterNamed(game, name)) {
        ShowStatus(game, existing, StatusMode::Roster);
        SetPrompt(game, "");
        ShowTrainingGrounds(game);
        return;
    }

    auto w = std::make_shared<Wizard>();
    w->made.name = name;
    std::vector<Row> rows;
    for (int16_t race : kOfferedRaces)
        rows.push_back(choiceRow(RaceName(race), race));
    showStep(game, w, "種族を選んでください", std::move(rows), chooseRace);
}

} // namespace qvr
