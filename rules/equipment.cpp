#include "rules/equipment.h"

#include <algorithm>
#include <array>
#include <limits>

#include "core/game.h"
#include "core/prompts.h"
#include "rules/character_rules.h"

namespace qvr {

namespace {

constexpr int kItemSlots = 12;
constexpr int32_t kLowestAc = -255;

int Code(int16_t flags)
{
    return flags & ItemFlag::SlotMask;
}

bool StuckIn(const Character& c, int slot, int kind)
{
    return c.items[slot] != 0 && Code(c.itemFlags[slot]) == kind &&
           (c.itemFlags[slot] & ItemFlag::Cursed) != 0;
}

bool KindIsStuck(const Character& c, int kind)
{
    for (int slot = 1; slot <= kItemSlots; ++slot)
        if (StuckIn(c, slot, kind))
            return true;
    return false;
}

bool MainWeaponNeedsBothHands(const Game& game, const Character& c)
{
    const ItemDef* weapon = CarriedItem(game, c, WornSlot(c, kMainHand));
    return weapon && weapon->twoHanded != 0;
}

// Takes off whatever is worn as `kind`, except a cursed item stuck there.
void TakeOff(Character& c, int kind)
{
    for (int slot = 1; slot <= kItemSlots; ++slot)
        if (Code(c.itemFlags[slot]) == kind && !StuckIn(c, slot, kind))
            c.itemFlags[slot] = static_cast<int16_t>(c.itemFlags[slot] & ~ItemFlag::SlotMask);
}

bool FitsKind(const ItemDef& def, int kind)
{
    // A light weapon may serve the second hand as well as a shield.
    return def.kind == kind ||
           (kind == kSecondHand && def.kind == kMainHand && def.secondHand != 0);
}

template <typename T> T Clamped(long long v)
{
    return static_cast<T>(
        std::clamp<long long>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

} // namespace

std::string_view EquipCaption(int kind)
{
    static constexpr std::array<std::string_view, kEquipKinds + 1> kCaptions = {
        "",
        "利き手の装備を選んで下さい",
        "補助の手の装備を選んで下さい",
        "鎧を選んで下さい",
        "小手を選んで下さい",
        "靴を選んで下さい",
        "兜を選んで下さい",
        "アクセサリを選んで下さい",
    };
    if (kind < 1 || kind > kEquipKinds)
        return "";
    return kCaptions[static_cast<std::size_t>(kind)];
}

const ItemDef* CarriedItem(const Game& game, const Character& c, int slot)
{
    if (slot < 1 || slot > kItemSlots)
        return nullptr;
    const int item = c.items[slot];
    if (item <= 0 || !Bounded<ItemDef, 0, kItemCount>::contains(item))
        return nullptr;
    return &game.item(item);
}

int WornSlot(const Character& c, int code)
{
    for (int slot = 1; slot <= kItemSlots; ++slot)
        if (c.items[slot] != 0 && Code(c.itemFlags[slot]) == code)
            return slot;
    return 0;
}

bool KindIsOffered(const Game& game, int rosterNo, int kind)
{
    const Character& c = game.character(rosterNo);
    if (KindIsStuck(c, kind))
        return false;
    return !(kind == kSecondHand && MainWeaponNeedsBothHands(game, c));
}

int NextEquipKind(Game& game, int rosterNo, int kind)
{
    Character& c = game.character(rosterNo);
    for (int k = kind + 1; k <= kEquipKinds; ++k) {
        if (KindIsOffered(game, rosterNo, k))
            return k;
        if (k == kSecondHand && MainWeaponNeedsBothHands(game, c))
            TakeOff(c, kSecondHand);
    }
    return 0;
}

std::vector<Row> EquipChoices(const Game& game, int rosterNo, int kind)
{
    const Character& c = game.character(rosterNo);
    // A cursed shield that will not come off leaves no hand for a
    // two-handed weapon.
    const bool secondHandStuck = KindIsStuck(c, kSecondHand);
    std::vector<Row> rows;
    for (int slot = 1; slot <= kItemSlots; ++slot) {
        const ItemDef* def = CarriedItem(game, c, slot);
        if (!def || !FitsKind(*def, kind))
            continue;
        const int code = Code(c.itemFlags[slot]);
        if (code != 0 && code != kind)
            continue;
        if (CanEquip(game, rosterNo, c.items[slot]) != 0)
            continue;
        if (kind == kMainHand && def->twoHanded != 0 && secondHandStuck)
            continue;
        rows.push_back({CarriedItemName(game, rosterNo, slot), 0, slot, {}});
    }
    rows.push_back({kNothingRow, 0, 0, {}});
    return rows;
}

void PutOn(Game& game, int rosterNo, int kind, int slot)
{
    Character& c = game.character(rosterNo);
    TakeOff(c, kind);
    const ItemDef* def = CarriedItem(game, c, slot);
    if (!def)
        return;
    // Only what may be worn is offered, so a mark saying otherwise is stale.
    int16_t& flags = c.itemFlags[slot];
    flags = static_cast<int16_t>((flags & ~(ItemFlag::SlotMask | ItemFlag::CannotEquip)) | kind);
    if (def->cursed != 0) {
        flags = static_cast<int16_t>(flags | ItemFlag::Cursed);
        c.conditions |= Cond::CurseBound;
        ShowMessage(game, "", kCursedText);
    }
}

int32_t ProtectedAc(const Game& game, int32_t baseAc)
{
    const int32_t effects = game.state.partyEffects;
    if (effects & PartyEffect::Armour5)
        return baseAc - 5;
    if (effects & PartyEffect::Armour3)
        return baseAc - 3;
    return baseAc;
}

void ApplyEquipment(Game& game, int rosterNo)
{
    ResetDerived(game, rosterNo, true);
    Character& c = game.character(rosterNo);

    int worn = 0;
    long long baseAc = c.baseAc;
    long long regen = c.regen;
    for (int slot = 1; slot <= kItemSlots; ++slot) {
        if (Code(c.itemFlags[slot]) == 0)
            continue;
        const ItemDef* def = CarriedItem(game, c, slot);
        if (!def)
            continue;
        ++worn;
        baseAc += def->acBonus;
        regen += def->regen;
        for (int i = 1; i <= 33; ++i)
            c.res[i] = std::max(c.res[i], def->res[i]);
        c.wardBits |= def->wardBits;
        c.slayBits |= def->slayMask;
    }
    // A ninja fights best unencumbered: bare skin hardens as the levels come.
    if (c.classCode == Class::Ninja && worn == 0)
        baseAc = 8 - c.level / 3;
    c.baseAc = Clamped<int32_t>(std::max<long long>(baseAc, kLowestAc));
    c.regen = Clamped<int16_t>(regen);
    c.ac = ProtectedAc(game, c.baseAc);
}

void RefreshWearability(Game& game, int rosterNo)
{
    Character& c = game.character(rosterNo);
    for (int slot = 1; slot <= kItemSlots; ++slot) {
        if (!CarriedItem(game, c, slot))
            continue;
        c.itemFlags[slot] = static_cast<int16_t>((c.itemFlags[slot] & ~ItemFlag::CannotEquip) |
                                                 CanEquip(game, rosterNo, c.items[slot]));
    }
}

} // namespace qvr
