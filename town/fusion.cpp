#include "town/fusion.h"

#include <array>
#include <vector>

#include "core/dice.h"
#include "core/game.h"
#include "core/item_numbers.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "rules/character_rules.h"
#include "rules/equipment.h"
#include "rules/party_pack.h"
#include "rules/party_panel.h"
#include "town/astrology_office.h"
#include "town/town_panels.h"

namespace qvr {

namespace {

constexpr int kUnluckyFace = 32;
constexpr int kAlternativeFace = 3;

bool hasIngredient(const RecipeDef& r)
{
    for (int16_t item : r.ingredients)
        if (item != 0)
            return true;
    return false;
}

// Each ingredient counts: a recipe naming an item twice needs two of it.
bool partyHoldsAll(const Game& game, const RecipeDef& r)
{
    for (int16_t item : r.ingredients)
        if (item != 0) {
            int wanted = 0;
            for (int16_t other : r.ingredients)
                wanted += other == item;
            if (PartyCarriesCount(game, item) < wanted)
                return false;
        }
    return true;
}

// Who will receive what the fusion makes: the first member in marching order
// with a free slot once the ingredients are out of the packs. Nobody
// chooses a member for a fusion, and the ingredients must never be lost
// for want of room, so the packs are looked at as they will be.
int receiverAfterTaking(const Game& game, const RecipeDef& r)
{
    const GameState& st = game.state;
    std::vector<std::array<int16_t, 13>> packs;
    for (int i = 1; i <= st.partyCount; ++i) {
        const Character& c = game.character(st.partyMember[i]);
        auto& pack = packs.emplace_back();
        for (int s = 1; s <= 12; ++s)
            pack[static_cast<std::size_t>(s)] = c.items[s];
    }
    for (int16_t item : r.ingredients) {
        bool taken = false;
        for (auto& pack : packs)
            for (std::size_t s = 1; s <= 12 && !taken && item != 0; ++s)
                if (pack[s] == item) {
                    pack[s] = 0;
                    taken = true;
                }
    }
    for (std::size_t i = 0; i < packs.size(); ++i)
        for (std::size_t s = 1; s <= 12; ++s)
            if (packs[i][s] == 0)
                return st.partyMember[static_cast<int>(i) + 1];
    return 0;
}

void receive(Game& game, int rosterNo, int itemNo, bool countEventItems)
{
    Character& c = game.character(rosterNo);
    const int slot = FirstEmptySlot(c);
    c.items[slot] = static_cast<int16_t>(itemNo);
    c.itemFlags[slot] = CanEquip(game, rosterNo, itemNo);
    if (countEventItems || game.item(itemNo).kind != ItemKind::Event)
        ++game.save().itemTally[itemNo];
    ShowMessage(game, "", game.item(itemNo).name + "を手に入れた");
}

void showRecipePrompt(Game& game)
{
    const Panel& list = game.screen.panel(kFusionItemList);
    SetPrompt(game, RecipePrompt(game, list.selected + 1));
}

void listRecipes(Game& game, int selected)
{
    Panel& list = game.screen.panel(kFusionItemList);
    list.rows.clear();
    for (int row = 1; row <= kRecipeCount; ++row)
        list.rows.push_back({RecipeRowText(game, row), 0, row, {}});
    list.perform = [](Game& g, int index) {
        showRecipePrompt(g);
        if (AskYesNo(g, "", "合体させて良いですか？"))
            Fuse(g, index + 1);
        listRecipes(g, index);
    };
    list.keyHook = [](Game& g, Key key) {
        Panel& p = g.screen.panel(kFusionItemList);
        if (key == Key::Escape || key == Key::Backspace) {
            CloseFusionItemList(g);
            return true;
        }
        if (!MoveSelection(p.selected, static_cast<int>(p.rows.size()), key))
            return false;
        showRecipePrompt(g);
        return true;
    };
    game.screen.open(kFusionItemList, selected);
    showRecipePrompt(game);
}

} // namespace

int64_t DefeatedTotal(const Game& game)
{
    int64_t total = 0;
    for (int m = 1; m <= kMonsterCount; ++m)
        total += game.save().monsterTally[m];
    return total;
}

bool RecipeOpen(const Game& game, int row)
{
    const RecipeDef& r = game.content().recipes[row];
    return r.result != 0 && hasIngredient(r) && 20LL * row * row < DefeatedTotal(game);
}

std::string RecipeRowText(const Game& game, int row)
{
    return RecipeOpen(game, row) ? game.item(game.content().recipes[row].result).name
                                 : kLockedRecipeText;
}

std::string RecipePrompt(const Game& game, int row)
{
    if (row < 1 || row > kRecipeCount || !RecipeOpen(game, row))
        return kFusionPrompt;
    std::string text;
    int named = 0;
    for (int16_t item : game.content().recipes[row].ingredients) {
        if (item == 0)
            continue;
        if (named > 0)
            text += named == 3 ? "\n" : " ＋ ";
        text += game.item(item).name;
        ++named;
    }
    return text + "\n" + kFusionPrompt;
}

FusionRoll RollFusion(Rng& rng)
{
    if (Dice(rng, 1, kUnluckyFace, 0) != 1)
        return FusionRoll::Made;
    return Dice(rng, 1, kAlternativeFace, 0) == 1 ? FusionRoll::Alternative : FusionRoll::Ruined;
}

FusionResult Fuse(Game& game, int row, std::optional<FusionRoll> forced)
{
    if (row < 1 || row > kRecipeCount || !RecipeOpen(game, row)) {
        ShowMessage(game, "", "それはまだ合体できないですよ");
        return FusionResult::Locked;
    }
    const RecipeDef r = game.content().recipes[row];
    if (!partyHoldsAll(game, r)) {
        ShowMessage(game, "", "アイテムが足りないですよ");
        return FusionResult::Missing;
    }
    const int receiver = receiverAfterTaking(game, r);
    if (receiver == 0) {
        ShowMessage(game, "", "持ち物がいっぱいで合体できないですよ");
        return FusionResult::NoRoom;
    }
    for (const char* text : {"それでは合体させます", "・・・・", "・・・・・", "・・・・・・・"})
        ShowMessage(game, "", text);
    for (int16_t item : r.ingredients)
        if (item != 0)
            // A worn ingredient leaves its wearer's armour and powers behind.
            if (int from = TakeItem(game, item))
                ApplyEquipment(game, from);

    const FusionRoll roll = forced ? *forced : RollFusion(game.rng);
    FusionResult result = FusionResult::Made;
    if (roll == FusionRoll::Made) {
        ShowMessage(game, "", "合体できました");
        receive(game, receiver, r.result, false);
    } else {
        ShowMessage(game, "", "あ・・・・・！");
        ShowMessage(game, "", "すみません・・・・\r失敗してしまいました・・・");
        if (roll == FusionRoll::Alternative && r.alternative != 0) {
            ShowMessage(game, "", "予定と違うものが出来ちゃいました・・・\rゴメンナサイ・・・");
            receive(game, receiver, r.alternative, true);
            result = FusionResult::Alternative;
        } else {
            ShowMessage(game, "", "全部壊れちゃいました・・・\rゴメンナサイ・・・");
            result = FusionResult::Ruined;
        }
    }
    ApplyEquipment(game, receiver);
    RefreshPartyPanel(game);
    Save(game);
    return result;
}

void OpenFusion(Game& game)
{
    if (!RequireParty(game))
        return;
    game.screen.panel(kAstrologyPanel).enabled = false;
    listRecipes(game, 0);
}

} // namespace qvr
