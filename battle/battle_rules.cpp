#include "battle/battle_rules.h"

#include <algorithm>
#include <limits>

#include "battle/narrator.h"
#include "core/game.h"

namespace qvr {

int32_t RollDice(Game& game, int32_t count, int32_t sides, int32_t bonus)
{
    int64_t total = bonus;
    for (int32_t i = 0; i < count; ++i)
        total += DrawFace(game.rng, sides);
    return static_cast<int32_t>(std::clamp<int64_t>(total, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int PositionOf(const Game& game, int rosterNo)
{
    for (int p = 1; p <= PartySize(game); ++p)
        if (RosterAt(game, p) == rosterNo)
            return p;
    return 0;
}

int32_t StrengthBonus(int32_t x)
{
    if (x <= 12)
        return 0;
    if (x <= 15)
        return 1;
    if (x <= 17)
        return 2;
    return x - 15;
}

int32_t ClassAttacks(int32_t classCode, int32_t level)
{
    auto rule = [level](int32_t divisor, int32_t base, int32_t most) {
        return std::min(level / divisor + base, most);
    };
    switch (classCode) {
    case Class::Fighter:
    case Class::Thief:
    case Class::Valkyrie:
    case Class::Lord:
    case Class::MagicSwordsman:
    case Class::MartialArtist:
        return rule(5, 1, 10);
    case Class::Wizard:
    case Class::Sage:
        return rule(7, 1, 6);
    case Class::Cleric:
    case Class::Bard:
    case Class::Onmyoji:
        return rule(6, 1, 7);
    case Class::Samurai:
        return rule(5, 1, 12);
    case Class::Ninja:
        return rule(5, 2, 12);
    default:
        return 0;
    }
}

const std::string& MonsterName(const BattleState& state, int group, int slot)
{
    const MonsterSlot& tmpl = state.monsters[group][0];
    const MonsterSlot& m = state.monsters[group][slot];
    return tmpl.identified != 0 ? m.name : m.unknownName;
}

bool IsLiving(const MonsterSlot& m)
{
    return m.present > 0 && (m.conditions & Cond::Dead) == 0;
}

static int pickMember(Game& game, int sides)
{
    for (int tries = 0; tries < 51; ++tries) {
        const int pos = Roll(game, sides);
        if (pos < 1 || pos > PartySize(game))
            continue;
        if ((MemberAt(game, pos).conditions & kNotTargetable) == 0)
            return RosterAt(game, pos);
    }
    return 0;
}

int PickLivingMember(Game& game)
{
    return pickMember(game, PartySize(game));
}

int PickFrontMember(Game& game)
{
    return pickMember(game, std::min(3, PartySize(game)));
}

std::string MonsterKilled(Game& game, BattleState& state, int group, int slot, int killer)
{
    MonsterSlot& m = state.monsters[group][slot];
    std::string text = Cat({MonsterName(state, group, slot), "は\n死んだ・・・"});
    Rewards& r = state.rewards;
    r.exp = SaturatingAdd(r.exp, m.expValue);
    r.gold = SaturatingAdd(r.gold, m.goldValue);
    r.rankSum = SaturatingAdd(r.rankSum, m.rank);
    r.kills = SaturatingAdd(r.kills, 1);
    m.hp = 0;
    m.conditions = kEmptySlot;
    int16_t& tally = state.monsters[group][0].battleA[1];
    if (tally < std::numeric_limits<int16_t>::max())
        ++tally;
    if (killer > 0) {
        Character& c = game.character(killer);
        c.marks = SaturatingAdd(c.marks, 1);
    }
    return text;
}

bool EffectLands(Game& game, int32_t resistance, int32_t chance)
{
    const bool resisted = Roll(game, 100) <= resistance;
    // Both dice are always rolled, so that one effect's outcome does not
    // shift the stream for the next.
    const bool chanced = Roll(game, 100) < chance;
    return !resisted && chanced;
}

std::string Digits(long long n)
{
    // The battle prints numbers in almost every line; the digits' full-width
    // forms are U+FF10..U+FF19, so they are written directly.
    std::string out;
    unsigned long long u = n < 0 ? 0ULL - static_cast<unsigned long long>(n) : n;
    char buffer[20];
    int len = 0;
    do {
        buffer[len++] = static_cast<char>(u % 10);
        u /= 10;
    } while (u != 0);
    out.reserve(static_cast<std::size_t>(len) * 3 + 3);
    if (n < 0)
        out += "－";
    while (len > 0) {
        out += '\xEF';
        out += '\xBC';
        out += static_cast<char>(0x90 + buffer[--len]);
    }
    return out;
}

void Say(BattleState& state, std::string_view text)
{
    if (state.narrator)
        state.narrator->say(text);
}

void Say(BattleState& state, std::initializer_list<std::string_view> parts)
{
    if (state.narrator)
        state.narrator->sayJoined(parts);
}

} // namespace qvr
