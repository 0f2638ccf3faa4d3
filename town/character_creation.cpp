#include "town/character_creation.h"

#include <array>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/dice.h"
#include "core/game.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "core/sjis.h"
#include "rules/class_rules.h"
#include "town/new_character.h"
#include "town/roster_chooser.h"
#include "town/town_panels.h"
#include "town/training_grounds.h"

namespace qvr {

namespace {

// Beside the distribution, so that every change shows at once what it opens.
constexpr Rect kClassRect{158, 55, 58, 80};

constexpr std::array<int16_t, 9> kOfferedRaces{Race::Human,  Race::Elf,    Race::Dwarf,
                                               Race::Gnome,  Race::Hobbit, Race::Fairy,
                                               Race::Dragon, Race::Demon,  Race::Angel};

// The panels' handlers reach the wizard through the game; a key that comes
// when none runs (a test, a stale panel) does nothing.
CreationWizard* wizardOf(Game& game)
{
    return game.creation ? &*game.creation : nullptr;
}

Row choiceRow(std::string text, int value)
{
    return {std::move(text), 0, value, {}};
}

void showStep(Game& game, CreationWizard& w, CreationStep step, const char* caption,
              std::vector<Row> rows)
{
    w.step = step;
    Panel& p = game.screen.panel(kMakingPanel);
    p.caption = caption;
    p.rows = std::move(rows);
    game.screen.open(kMakingPanel, 0);
}

void hideWizard(Game& game)
{
    for (const char* name : {kMakingPanel, kBonusPanel, kClassPanel})
        game.screen.panel(name).visible = false;
}

NewCharacter settled(const CreationWizard& w)
{
    return {w.name, w.race, w.alignment, w.sex, w.classCode, w.values, w.bonusPoints};
}

void finish(Game& game, bool yes)
{
    const NewCharacter made = settled(*game.creation);
    game.creation.reset();
    hideWizard(game);
    if (yes) {
        if (WriteNewCharacter(game, made) == 0)
            ShowMessage(game, "", "これ以上作れませんよ");
        else
            Save(game);
    }
    ShowTrainingGrounds(game);
}

void chooseClass(Game& game, int row)
{
    CreationWizard* w = wizardOf(game);
    Panel& classes = game.screen.panel(kClassPanel);
    if (!w || row < 0 || row >= static_cast<int>(classes.rows.size()))
        return;
    w->classCode = static_cast<int16_t>(classes.rows[static_cast<std::size_t>(row)].value);
    classes.visible = false;
    game.screen.panel(kBonusPanel).visible = false;
    showStep(game, *w, CreationStep::Confirmation, "このキャラクターを使いますか？",
             {choiceRow("はい", 1), choiceRow("いいえ", 0)});
}

void showDistribution(Game& game, const CreationWizard& w)
{
    Panel& bonus = game.screen.panel(kBonusPanel);
    for (int i = 0; i < kAttributeCount; ++i)
        bonus.setLabel("lblPoint" + std::to_string(i), std::to_string(w.values[i]));
    bonus.setLabel("lblBounasPoint", std::to_string(w.pointsLeft));

    Panel& classes = game.screen.panel(kClassPanel);
    classes.rows.clear();
    for (int16_t code : EligibleClasses(w.values, w.alignment, w.sex, ClassListOrder::Creation))
        classes.rows.push_back(choiceRow(ClassName(code), code));
    classes.selected = -1;
}

// The class list takes the keyboard only with every point spent and a class
// to offer; otherwise the distribution keeps it.
void enterClassList(Game& game, const CreationWizard& w)
{
    Panel& classes = game.screen.panel(kClassPanel);
    if (w.pointsLeft == 0 && !classes.rows.empty()) {
        classes.selected = 0;
        game.screen.focus(kClassPanel);
    } else {
        game.screen.focus(kBonusPanel);
    }
}

bool distributionKey(Game& game, Key key)
{
    CreationWizard* w = wizardOf(game);
    if (!w)
        return false;
    const int row = game.screen.panel(kBonusPanel).selected;
    if (key == Key::Enter) {
        enterClassList(game, *w);
        return true;
    }
    if (key != Key::Left && key != Key::Right)
        return false;
    if (row < 0 || row >= kAttributeCount)
        return true;
    const auto a = static_cast<std::size_t>(row);
    int& value = w->values[a];
    if (key == Key::Left && value > w->minimum[a]) {
        --value;
        ++w->pointsLeft;
    } else if (key == Key::Right && w->pointsLeft != 0 &&
               value < AttributeMaxima(w->race, w->sex)[a]) {
        ++value;
        --w->pointsLeft;
    } else {
        return true;
    }
    showDistribution(game, *w);
    return true;
}

void startDistribution(Game& game, CreationWizard& w)
{
    w.step = CreationStep::Distribution;
    game.screen.panel(kMakingPanel).visible = false;
    w.bonusPoints = BonusPoints(Dice(game.rng, 6, 10, 0));
    w.pointsLeft = w.bonusPoints;
    w.minimum = StartingAttributes(w.race, w.sex);
    w.values = w.minimum;

    Panel& classes = game.screen.panel(kClassPanel);
    classes.visible = true;
    classes.enabled = true;
    showDistribution(game, w);
    game.screen.open(kBonusPanel, 0);
}

void askSex(Game& game, CreationWizard& w)
{
    showStep(game, w, CreationStep::Sex, "性別を選んでください",
             {choiceRow("男", 1), choiceRow("女", 2)});
}

void chooseRace(Game& game, CreationWizard& w, int race)
{
    w.race = static_cast<int16_t>(race);
    // Demons are born chaotic and angels lawful: they are not asked.
    if (race == Race::Demon || race == Race::Angel) {
        w.alignment = race == Race::Demon ? Align::Chaotic : Align::Lawful;
        askSex(game, w);
        return;
    }
    std::vector<Row> rows;
    for (int16_t a : {Align::Lawful, Align::Neutral, Align::Chaotic})
        rows.push_back(choiceRow(AlignmentName(a), a));
    showStep(game, w, CreationStep::Alignment, "属性を選んでください", std::move(rows));
}

// A row of fraMaking: what it means depends on the step the wizard is at.
void chooseStep(Game& game, int row)
{
    CreationWizard* w = wizardOf(game);
    const Panel& p = game.screen.panel(kMakingPanel);
    if (!w || row < 0 || row >= static_cast<int>(p.rows.size()))
        return;
    const int value = p.rows[static_cast<std::size_t>(row)].value;
    switch (w->step) {
    case CreationStep::Race:
        chooseRace(game, *w, value);
        break;
    case CreationStep::Alignment:
        w->alignment = static_cast<int16_t>(value);
        askSex(game, *w);
        break;
    case CreationStep::Sex:
        w->sex = static_cast<int16_t>(value);
        startDistribution(game, *w);
        break;
    case CreationStep::Confirmation:
        finish(game, value != 0);
        break;
    case CreationStep::Distribution:
        break;
    }
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
    steps.name = kMakingPanel;
    steps.list = kMakingList;
    steps.rect = kTownMenuRect;
    steps.perform = chooseStep;
    game.screen.add(std::move(steps));

    Panel bonus;
    bonus.name = kBonusPanel;
    bonus.list = kBonusList;
    bonus.caption = "ボーナスを振り分けて下さい";
    bonus.rect = kTownMenuRect;
    for (const std::string& attribute : AttributeNames())
        bonus.rows.push_back(choiceRow(attribute, 0));
    for (int i = 0; i < kAttributeCount; ++i)
        bonus.labels.push_back({"lblPoint" + std::to_string(i), "", true});
    bonus.labels.push_back({"lblBounas", "ボーナス", true});
    bonus.labels.push_back({"lblBounasPoint", "", true});
    bonus.keyHook = distributionKey;
    game.screen.add(std::move(bonus));

    Panel classes;
    classes.name = kClassPanel;
    classes.list = kClassList;
    classes.caption = "職業";
    classes.rect = kClassRect;
    classes.perform = chooseClass;
    game.screen.add(std::move(classes));
}

void CreateCharacter(Game& game)
{
    if (CountCharacters(game) >= kRosterSize) {
        ShowMessage(game, "", "これ以上作れませんよ");
        return;
    }
    game.screen.panel(kTrainingPanel).visible = false;
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

    CreationWizard& w = game.creation.emplace();
    w.name = name;
    std::vector<Row> rows;
    for (int16_t race : kOfferedRaces)
        rows.push_back(choiceRow(RaceName(race), race));
    showStep(game, w, CreationStep::Race, "種族を選んでください", std::move(rows));
}

} // namespace qvr
