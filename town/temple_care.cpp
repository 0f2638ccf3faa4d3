#include "town/temple_care.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "core/codes.h"
#include "core/dice.h"
#include "core/game.h"
#include "core/prompts.h"
#include "core/textformat.h"

namespace qvr {

namespace {

struct Rate {
    int32_t condition;
    int32_t perLevel;
};

// The first match sets the price, so a paralysed corpse is priced as a
// paralysis although the temple raises it from the dead.
constexpr std::array<Rate, 7> kRates{{
    {Cond::Paralysed, 100},
    {Cond::Stoned, 500},
    {Cond::Dead, 250},
    {Cond::Ashes, 1000},
    {Cond::Sick, 500},
    {Cond::Fly, 1000},
    {Cond::Carrot, 700},
}};

// Of the living, only the first of these is lifted per payment.
constexpr std::array<int32_t, 5> kCurable{Cond::Stoned, Cond::Paralysed, Cond::Sick, Cond::Carrot,
                                          Cond::Fly};

constexpr int kNameWidth = 10;
constexpr int kClassWidth = 5;
constexpr int kConditionWidth = 2;
constexpr int kPriceWidth = 10;

void say(Game& game, const std::string& text)
{
    ShowMessage(game, kTempleTitle, text);
}

// A die of the patient's vitality; a 1 is the failure. A vitality of 1 or
// less can never come back.
bool raiseFails(Game& game, const Character& c)
{
    return Dice(game.rng, 1, c.vitality, 0) <= 1;
}

Treatment revive(Game& game, Character& c)
{
    say(game, "回復した");
    // Cursed equipment still holds whoever it held.
    c.conditions &= Cond::CurseBound;
    c.hp = c.maxHp;
    ++c.rip;
    if (c.vitality > 1)
        --c.vitality;
    return Treatment::Raised;
}

} // namespace

bool IsPatient(const Character& c)
{
    return c.rosterNo > 0 && (c.floor == 0 || c.floor == -1) && (c.conditions & kTempleCare) != 0;
}

int32_t TreatmentPrice(const Character& c)
{
    for (const Rate& r : kRates)
        if (c.conditions & r.condition) {
            int64_t price = int64_t{c.level} * r.perLevel;
            constexpr int64_t top = std::numeric_limits<int32_t>::max();
            return static_cast<int32_t>(price > top ? top : price < 0 ? 0 : price);
        }
    return 0;
}

std::string PatientRow(const Character& c)
{
    return toFullWidth(
        padLeftAligned(c.name, kNameWidth, Overflow::Keep) + " " +
        padRightAligned(ClassLabel(c.alignment, c.classCode), kClassWidth, Overflow::Keep) + " " +
        padRightAligned(ConditionText(c.conditions), kConditionWidth, Overflow::Keep) + " " +
        padRightAligned(std::to_string(TreatmentPrice(c)), kPriceWidth, Overflow::Keep));
}

Treatment Treat(Game& game, int payer, int patient, int32_t price)
{
    Character& m = game.character(payer);
    if (m.gold < price) {
        say(game, "貧乏人め！！");
        return Treatment::TooPoor;
    }
    m.gold -= price;

    Character& p = game.character(patient);
    if (p.conditions & Cond::Ashes) {
        if (!raiseFails(game, p))
            return revive(game, p);
        say(game, p.name + "は\n消滅した！！");
        p = game.character(0);
        return Treatment::Erased;
    }
    if (p.conditions & Cond::Dead) {
        if (!raiseFails(game, p))
            return revive(game, p);
        say(game, p.name + "は\n灰燼と化した！！");
        p.conditions = Cond::Ashes;
        return Treatment::ToAshes;
    }
    for (int32_t cond : kCurable)
        if (p.conditions & cond) {
            p.conditions &= ~cond;
            say(game, "回復した");
            return Treatment::Cured;
        }
    return Treatment::NoEffect;
}

} // namespace qvr
