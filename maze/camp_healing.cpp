// The camp's spells on members: healing, raising and curing, and the level
// check.

#include "maze/camp_spells.h"

#include <algorithm>
#include <cstdint>

#include "core/dice.h"
#include "core/game.h"
#include "core/prompts.h"
#include "core/textformat.h"
#include "rules/experience.h"
#include "rules/party_rules.h"
#include "rules/spell_outcomes.h"

namespace qvr {

namespace {

constexpr const char* kNoEffectText = "効果がなかった";
constexpr const char* kSickText = "病気なので回復できない";
constexpr const char* kAshenText = "は\n灰燼と化した！！";
constexpr const char* kErasedText = "消滅した！！";

// The camp's raisings fail more rarely than the battle's: a calm hand.
constexpr int32_t kRaiseDeadFailsBelow = 5;
constexpr int32_t kRaiseFullyFailsBelow = 4;

int32_t RollDice(Game& game, const SpellDef& spell)
{
    return Dice(game.rng, spell.dice[0], spell.dice[1], spell.dice[2]);
}

// Heals by an amount, or fully; says how it went.
void Heal(Game& game, Character& c, int64_t amount, bool full)
{
    const int32_t before = c.hp;
    if (qvr::Heal(c, amount, full) == Healing::Full) {
        ShowMessage(game, "", c.name + "は全快した");
        return;
    }
    ShowMessage(game, "",
                c.name + "は\n" + fullWidthDigits(c.hp - before) + "ポイント回復した" + "\r" +
                    std::to_string(c.hp) + "/" + std::to_string(c.maxHp));
}

// A member beyond care, or too sick to be healed, is told so; true when the
// healing may go on.
bool Healable(Game& game, const Character& c)
{
    switch (HealingRefusal(c)) {
    case Healing::BeyondCare:
        ShowMessage(game, "", kNoEffectText);
        return false;
    case Healing::Sick:
        ShowMessage(game, "", c.name + "は\n" + kSickText);
        return false;
    default:
        return true;
    }
}

int32_t VitalityRoll(Game& game, const Character& c)
{
    return Dice(game.rng, 1, c.vitality, 0);
}

void RaiseDead(Game& game, Character& c)
{
    if ((c.conditions & (Cond::Ashes | Cond::Vanished)) || !(c.conditions & Cond::Dead)) {
        ShowMessage(game, "", kNothingHappenedText);
        return;
    }
    switch (qvr::RaiseDead(c, VitalityRoll(game, c), kRaiseDeadFailsBelow)) {
    case Raising::ToAshes:
        ShowMessage(game, "", c.name + kAshenText);
        return;
    default:
        ShowMessage(game, "", kRecoveredText);
        return;
    }
}

void RaiseAshes(Game& game, int rosterNo)
{
    Character& c = game.character(rosterNo);
    if ((c.conditions & Cond::Vanished) || !(c.conditions & (Cond::Dead | Cond::Ashes))) {
        ShowMessage(game, "", kNothingHappenedText);
        return;
    }
    switch (RaiseFully(c, VitalityRoll(game, c), kRaiseFullyFailsBelow)) {
    case Raising::Vanished: {
        // The camp loses the ashen at once; nothing waits for a battle's end.
        const std::string name = c.name;
        EraseFromParty(game, rosterNo);
        ShowMessage(game, "", name + kErasedText);
        return;
    }
    case Raising::ToAshes:
        ShowMessage(game, "", c.name + kAshenText);
        return;
    default:
        ShowMessage(game, "", kRecoveredText);
        return;
    }
}

} // namespace

bool CastOnMember(Game& game, const SpellDef& spell)
{
    const int target = PickMember(game, false);
    if (target < 1)
        return false;
    Character& c = game.character(target);
    if (c.race == Race::Angel) {
        ShowMessage(game, "", c.name + kNullifiedText);
        return true;
    }
    switch (spell.effect) {
    case 7:
        if (Healable(game, c))
            Heal(game, c, RollDice(game, spell), false);
        break;
    case 53:
        if (Healable(game, c)) {
            Cure(c, kAllAilments);
            Heal(game, c, 0, true);
        }
        break;
    case 1:
        RaiseDead(game, c);
        break;
    case 9:
        RaiseAshes(game, target);
        break;
    case 10:
        Cure(c, Cond::Paralysed);
        ShowMessage(game, "", kRecoveredText);
        break;
    case 43:
        Cure(c, Cond::Poisoned);
        ShowMessage(game, "", kRecoveredText);
        break;
    case 60:
        Cure(c, kMindAilments);
        ShowMessage(game, "", c.name + "は\n" + kRecoveredText);
        break;
    default:
        break;
    }
    return true;
}

void HealParty(Game& game, const SpellDef& spell)
{
    for (int i = 1; i <= game.state.partyCount; ++i) {
        Character& c = game.character(game.state.partyMember[i]);
        if (c.conditions & Cond::BeyondCare)
            ShowMessage(game, "", kNoEffectText);
        else if (c.race == Race::Angel)
            ShowMessage(game, "", c.name + kNullifiedText);
        else if (Healable(game, c))
            Heal(game, c, RollDice(game, spell), false);
    }
}

void CheckLevel(Game& game)
{
    const int target = PickMember(game, false);
    if (target < 1)
        return;
    const Character& c = game.character(target);
    if (c.race == Race::Angel) {
        ShowMessage(game, "", c.name + kNullifiedText);
        return;
    }
    const int64_t need = int64_t{ExpForLevel(c.level, c.classCode, c.race)} - c.exp;
    if (need <= 0) {
        ShowMessage(game, "", c.name + "はＬＶが上がります");
        return;
    }
    // The amount has eight places; a longer one would not fit them.
    const std::string amount = need > 99'999'999 ? "########" : std::to_string(need);
    ShowMessage(game, "", "つぎのＬＶまで" + amount);
}

} // namespace qvr
