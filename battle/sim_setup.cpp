#include "battle/sim_setup.h"

#include <algorithm>
#include <cmath>

#include "core/dice.h"
#include "core/game.h"
#include "rules/spell_learning.h"

namespace qvr {

namespace {

struct ClassShape {
    int16_t classCode;
    int16_t strength;
    int16_t agility;
    int16_t luck;
};

// The attributes a player would have raised for the class (hit points are
// rolled as the game rolls them).
constexpr ClassShape kShapes[] = {
    {Class::Fighter, 17, 12, 9}, {Class::Samurai, 16, 14, 9},   {Class::Lord, 16, 11, 10},
    {Class::Thief, 13, 17, 12},  {Class::Cleric, 13, 11, 10},   {Class::Wizard, 10, 12, 10},
    {Class::Ninja, 16, 17, 12},  {Class::Valkyrie, 15, 13, 10}, {Class::MartialArtist, 16, 15, 10},
};

const ClassShape& ShapeOf(int16_t classCode)
{
    for (const ClassShape& s : kShapes)
        if (s.classCode == classCode)
            return s;
    return kShapes[0];
}

// Dice of one die kind (d8 above the first tier) that average `mean`.
Dice3 DiceAveraging(double mean, int16_t sides)
{
    const int16_t count = static_cast<int16_t>(1 + static_cast<int>(mean / 10));
    const double rest = mean - count * (sides + 1) / 2.0;
    return {count, sides, static_cast<int16_t>(std::lround(rest))};
}

ItemDef TierWeapon(int no, int tier, int reach)
{
    ItemDef w;
    w.itemNo = static_cast<int16_t>(no);
    w.itemLevel = static_cast<int16_t>(tier);
    w.name = reach > 1 ? "槍" : "剣";
    w.unknownName = w.name;
    w.kind = 1;
    w.reach = static_cast<int16_t>(reach);
    const double mean = (4.5 + 0.8 * tier) * (reach > 1 ? 0.7 : 1.0);
    w.damageDice = DiceAveraging(mean, 8);
    w.hitBonus = static_cast<int16_t>(tier / 5);
    w.attacks = 1;
    return w;
}

// The armour class a front-row member wears at a tier (about 4 - 0.6t); the
// back row goes lighter. Used only when the content has no shop to buy from.
int32_t TierAc(int tier, bool backRow)
{
    if (tier <= 0)
        return 10;
    return static_cast<int32_t>(std::lround(4 - 0.6 * tier)) + (backRow ? 2 : 0);
}

// The best the shop's own wares (items 1..64) of the tier's level or below
// give the class in each worn slot but the weapon's: what a player could have
// bought, not what the bands hope for. 10 with nothing to wear.
int32_t ShopAc(const Content& content, int16_t classCode, int tier)
{
    constexpr int kShopWares = 64;
    int32_t ac = 10;
    for (int kind = 2; kind <= 7; ++kind) {
        int32_t best = 0;
        for (int n = 1; n <= kShopWares; ++n) {
            const ItemDef& item = content.items[n];
            if (item.kind == kind && item.itemLevel >= 1 && item.itemLevel <= tier &&
                (item.classMask & classCode) != 0)
                best = std::min<int32_t>(best, item.acBonus);
        }
        ac += best;
    }
    return ac;
}

bool HasShop(const Content& content)
{
    for (int n = 1; n <= 64; ++n)
        if (content.items[n].kind >= 2 && content.items[n].kind <= 7)
            return true;
    return false;
}

// Hit points as the game gives them: the first roll at creation, then at
// each level the roll for the new level, which adds what it beats the
// maximum by, or 1.
int32_t RolledHp(Rng& rng, int16_t classCode, int level, int32_t vitality)
{
    int32_t maxHp = std::max(1, HpRoll(rng, 1, classCode, vitality));
    for (int l = 2; l <= level; ++l) {
        const int32_t formula = HpRoll(rng, l, classCode, vitality);
        maxHp += formula > maxHp ? formula - maxHp : 1;
    }
    return maxHp;
}

} // namespace

int ArrivalLevel(int floor)
{
    static constexpr int kArrival[] = {1,  1,  4,  6,  7,  9,  11, 12, 13,
                                       15, 16, 17, 18, 20, 21, 22, 24, 26};
    return kArrival[std::clamp(floor, 0, 17)];
}

std::vector<MemberPreset> StandardParty(int level, int gearTier)
{
    std::vector<MemberPreset> party;
    for (int16_t c :
         {Class::Fighter, Class::Samurai, Class::Lord, Class::Thief, Class::Cleric, Class::Wizard})
        party.push_back({c, level, gearTier});
    return party;
}

std::vector<MemberPreset> PlayersParty(int level, int gearTier)
{
    std::vector<MemberPreset> party;
    for (int16_t c : {Class::Fighter, Class::Fighter, Class::Samurai, Class::Thief, Class::Cleric,
                      Class::Wizard})
        party.push_back({c, level, gearTier});
    return party;
}

void BuildParty(Game& game, Content& content, const std::vector<MemberPreset>& presets)
{
    const int size = std::min<int>(static_cast<int>(presets.size()), 6);
    for (int p = 1; p <= size; ++p) {
        const MemberPreset& m = presets[static_cast<std::size_t>(p - 1)];
        const ClassShape& shape = ShapeOf(m.classCode);
        const bool backRow = p > 3;
        Character c;
        c.rosterNo = p;
        c.name = "メンバー" + std::to_string(p);
        c.classCode = m.classCode;
        c.race = Race::Human;
        c.alignment = Align::Neutral;
        c.sex = 1;
        c.level = m.level;
        c.maxLevel = m.level;
        c.position = static_cast<int16_t>(p);
        c.vitality = 13;
        c.maxHp = RolledHp(game.rng, m.classCode, m.level, c.vitality);
        c.hp = c.maxHp;
        c.strength = shape.strength;
        c.agility = shape.agility;
        c.luck = shape.luck;
        c.iq = 12;
        c.piety = 12;
        c.baseAc = m.gearTier > 0 && HasShop(content) ? ShopAc(content, m.classCode, m.gearTier)
                                                      : TierAc(m.gearTier, backRow);
        c.ac = c.baseAc;
        // Casters know what their levels taught them, with full points.
        for (int l = 1; l <= m.level; ++l)
            for (const SpellStudy& study : SpellStudies(m.classCode, l))
                StudySchool(game.rng, c, study);
        for (int school = 0; school <= 1; ++school)
            for (int l = 1; l <= 9; ++l)
                c.mp(school, l) = c.maxMp(school, l);
        c.floor = -1;
        // The thief fights from behind with a reach-2 weapon; the other back
        // row members carry none they could use there.
        const bool armed = m.gearTier > 0 && (!backRow || m.classCode == Class::Thief);
        if (armed) {
            const int reach = backRow ? 2 : 1;
            const int no = kSimWeaponFirst + (reach > 1 ? 1 : 0);
            content.items[no] = TierWeapon(no, m.gearTier, reach);
            c.items[1] = static_cast<int16_t>(no);
            c.itemFlags[1] = 1;
        }
        game.save().roster[p] = c;
        game.state.partyMember[p] = static_cast<int16_t>(p);
    }
    game.state.partyCount = static_cast<int16_t>(size);
}

MonsterDef BandMonster(int rank)
{
    const int r = std::max(1, rank);
    MonsterDef m;
    m.present = 1;
    m.rank = r;
    m.name = "ランク" + std::to_string(r) + "の魔物";
    m.unknownName = "魔物";
    m.kind = 1;
    m.groupDice = {1, 3, 0};
    const double hp = 3 + 2.4 * r + 0.17 * r * r;
    const int16_t hpCount = static_cast<int16_t>(std::max(1, r / 2 + 1));
    const int16_t hpSides = static_cast<int16_t>(std::max(2L, std::lround(2 * hp / hpCount - 1)));
    m.hpDice = {hpCount, hpSides, 0};
    m.ac = static_cast<int16_t>(std::lround(9 - 0.6 * r));
    m.ac2 = m.ac;
    m.strength = static_cast<int16_t>(10 + r / 3);
    m.agility = static_cast<int16_t>(std::min(50, 6 + r / 2));
    m.luck = static_cast<int16_t>(4 + r / 3);
    m.attacks = static_cast<int16_t>(1 + r / 10);
    const double perSwing = 2 + 0.7 * r;
    m.damageDice = {1, static_cast<int16_t>(std::max(2L, std::lround(2 * perSwing - 1))), 0};
    m.expValue = 50 * r * r;
    m.goldValue = 5 * r * r + 40;
    for (int k = 1; k <= 20; ++k)
        m.actions[k] = 1;
    return m;
}

void InstallBandEncounter(Game& game, Content& content, int rank, int groupSides, int groupAdd)
{
    for (int i = 0; i < 2; ++i) {
        MonsterDef m = BandMonster(rank - i);
        m.groupDice = {1, static_cast<int16_t>(groupSides), static_cast<int16_t>(groupAdd)};
        content.monsters[1 + i] = m;
        content.encounterTable(1, 3 + i) = static_cast<int16_t>(1 + i);
    }
    game.state.floorEncounters.fill(0);
    game.state.floorEncounters[1] = 1;
    game.state.floorEncounterCount = 1;
}

} // namespace qvr
