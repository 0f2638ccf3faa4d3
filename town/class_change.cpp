#include "town/class_change.h"

#include <array>
#include <string>

#include "core/codes.h"
#include "core/dice.h"
#include "core/game.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "rules/character_rules.h"
#include "rules/class_rules.h"
#include "rules/equipment.h"
#include "rules/party_panel.h"
#include "town/castle_town.h"
#include "town/new_character.h"
#include "town/roster_chooser.h"
#include "town/town_panels.h"
#include "town/training_grounds.h"

namespace qvr {

namespace {

constexpr const char* kPanel = kClassChangePanel;
constexpr int kKeep = -1;

// What a new class sets, whatever the race gave: these are the values the
// character starts the class with, not floors (a hobbit bard loses luck).
struct ClassStart {
    int16_t classCode;
    Attributes values; // kKeep: the race's value stands
};

constexpr std::array<ClassStart, 13> kClassStarts{{
    {Class::Fighter, {12, kKeep, kKeep, kKeep, kKeep, kKeep}},
    {Class::Wizard, {kKeep, 12, kKeep, kKeep, kKeep, kKeep}},
    {Class::Sage, {kKeep, 12, 12, kKeep, kKeep, kKeep}},
    {Class::Cleric, {kKeep, kKeep, 12, kKeep, kKeep, kKeep}},
    {Class::Bard, {kKeep, 12, kKeep, kKeep, 12, 12}},
    {Class::Valkyrie, {11, kKeep, 12, 11, 12, kKeep}},
    {Class::Thief, {kKeep, kKeep, kKeep, kKeep, 12, kKeep}},
    {Class::Samurai, {14, 12, kKeep, 14, 12, kKeep}},
    {Class::Lord, {15, 11, 15, 12, 13, 13}},
    {Class::Ninja, {15, 15, 15, 15, 15, 15}},
    {Class::MagicSwordsman, {15, 15, kKeep, kKeep, 15, kKeep}},
    {Class::Onmyoji, {kKeep, kKeep, 12, kKeep, 12, 12}},
    {Class::MartialArtist, {16, kKeep, kKeep, kKeep, 16, kKeep}},
}};

constexpr int kNinjaBaseAc = 8;

bool anyoneAvailable(const Game& game)
{
    for (int r = 1; r <= kRosterSize; ++r) {
        const Character& c = game.character(r);
        if (c.rosterNo > 0 && c.floor == 0 && c.conditions == 0)
            return true;
    }
    return false;
}

void closeList(Game& game)
{
    game.screen.panel(kPanel).visible = false;
    ShowTrainingGrounds(game);
}

void choose(Game& game, int rosterNo, int classCode)
{
    const Character& c = game.character(rosterNo);
    if (classCode == 0) {
        closeList(game);
        return;
    }
    if (classCode == c.classCode) {
        ShowMessage(game, "", "同じ職業にはなれませんよ");
        closeList(game);
        return;
    }
    const std::string className = ClassName(classCode);
    if (AskYesNo(game, "転職", c.name + "は\n" + className + "に転職しますか？")) {
        ApplyClassChange(game, rosterNo, static_cast<int16_t>(classCode));
        Save(game);
        ShowMessage(game, "", className + "に転職しました");
    }
    closeList(game);
}

// The spell points of every level become the spells known there: a former
// caster keeps its spells and can still cast each once.
void pointsFromKnownSpells(Character& c)
{
    for (int school : {kWizardSchool, kPriestSchool}) {
        for (int level = 1; level <= 9; ++level) {
            int16_t known = 0;
            for (int slot = 1; slot <= 4; ++slot)
                if (c.spellKnown(school, level, slot) != 0)
                    ++known;
            c.maxMp(school, level) = known;
            c.mp(school, level) = known;
        }
    }
}

void startCasting(Game& game, Character& c, int school)
{
    // Sized by the iq the race left, before the class raises it.
    const int points = 1 + FirstPointsRoll(game, c);
    c.maxMp(school, 1) = static_cast<int16_t>(points);
    c.mp(school, 1) = static_cast<int16_t>(points);
    LearnFirstSpells(game, c, school);
}

} // namespace

void BuildClassChangePanel(Game& game)
{
    Panel p;
    p.name = kPanel;
    p.list = kClassChangeList;
    p.caption = "職業";
    p.rect = kTownMenuRect;
    game.screen.add(std::move(p));
}

void ApplyClassChange(Game& game, int rosterNo, int16_t classCode)
{
    Character& c = game.character(rosterNo);
    c.classCode = classCode;
    c.level = 1;
    c.age = static_cast<int16_t>(c.age + Dice(game.rng, 1, 5, 0));
    c.exp = 0;
    // Every item comes off, so nothing of what equipment gave may stay either:
    // regeneration, wards and slaying go with the armour class and
    // resistances back to what the race and the new class give.
    ResetDerived(game, rosterNo, false);
    SetAttributes(c, StartingAttributes(c.race, c.sex));
    // The old class's verdict on an item says nothing about the new one. An
    // item number the content lacks keeps its marks, as in the status window.
    RefreshWearability(game, rosterNo);
    pointsFromKnownSpells(c);

    switch (classCode) {
    case Class::Wizard:
    case Class::Sage:
        startCasting(game, c, kWizardSchool);
        break;
    case Class::Cleric:
        startCasting(game, c, kPriestSchool);
        break;
    case Class::Ninja:
        c.baseAc = kNinjaBaseAc;
        break;
    default:
        break;
    }
    Attributes values = AttributesOf(c);
    for (const ClassStart& start : kClassStarts) {
        if (start.classCode != classCode)
            continue;
        for (int i = 0; i < kAttributeCount; ++i)
            if (start.values[static_cast<std::size_t>(i)] != kKeep)
                values[static_cast<std::size_t>(i)] = start.values[static_cast<std::size_t>(i)];
    }
    SetAttributes(c, values);
    // Unequipped, the character shows and fights with its bare armour class.
    c.ac = c.baseAc;
}

void ChangeClass(Game& game)
{
    if (!anyoneAvailable(game)) {
        ShowMessage(game, "職業を変える", "キャラクターはいません");
        return;
    }
    const int rosterNo = OpenRosterChooser(game, ChooserMode::PickInTown);
    if (rosterNo == 0)
        return;
    const Character& c = game.character(rosterNo);
    const std::vector<int16_t> codes =
        EligibleClasses(AttributesOf(c), c.alignment, c.sex, ClassListOrder::ClassChange);
    if (codes.empty()) {
        ShowMessage(game, "", "転職できる職業がありません");
        return;
    }
    Panel& p = game.screen.panel(kPanel);
    p.rows.clear();
    for (int16_t code : codes)
        p.rows.push_back({ClassName(code), 0, code, {}});
    p.rows.push_back({"止める", 0, 0, {}});
    p.backRow = static_cast<int>(p.rows.size()) - 1;
    p.caption = "どの職業に就きますか？";
    p.perform = [rosterNo](Game& g, int row) {
        choose(g, rosterNo, g.screen.panel(kPanel).rows[static_cast<std::size_t>(row)].value);
    };
    game.screen.panel(kTrainingPanel).enabled = false;
    game.screen.open(kPanel, 0);
}

} // namespace qvr
