#include "town/artificial_human.h"

#include <cstdlib>
#include <string>

#include "core/game.h"
#include "core/item_numbers.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "core/sjis.h"
#include "rules/character_rules.h"
#include "rules/party_pack.h"
#include "rules/party_panel.h"
#include "town/astrology_office.h"
#include "town/roster_chooser.h"
#include "town/town_panels.h"

namespace qvr {

namespace {

constexpr const char* kDefaultName = "シード";
// Every artificial human is born resisting these (res index: effect).
constexpr int kBornResistances[] = {15, 17, 18};

struct KindClass {
    int16_t kind;
    int16_t classCode;
};
constexpr KindClass kKindClasses[] = {
    {ItemKind::Shield, Class::Cleric},   {ItemKind::Armour, Class::Wizard},
    {ItemKind::Gauntlets, Class::Thief}, {ItemKind::Boots, Class::Ninja},
    {ItemKind::Helm, Class::Sage},       {ItemKind::Accessory, Class::MartialArtist},
    {ItemKind::Instrument, Class::Bard}, {ItemKind::Material, Class::Onmyoji},
};

// A name the save can hold; an empty answer is the default name.
std::string askName(Game& game)
{
    for (;;) {
        const std::string typed =
            InputText(game, "", "人造人間が完成しました\r名前を決めてください");
        if (typed.empty())
            return kDefaultName;
        const std::string name = mapInputLookalikes(typed);
        const std::string problem = NameProblem(name);
        if (problem.empty())
            return name;
        ShowMessage(game, "名前", problem);
    }
}

void backToMenu(Game& game)
{
    CloseFusionItemList(game);
}

void itemChosen(Game& game, int rosterNo, int slot)
{
    if (!AskYesNo(game, "", "合体させて良いですか？"))
        return;
    if (!MakeArtificialHuman(game, rosterNo, slot))
        return;
    backToMenu(game);
    game.screen.open(kAstrologyPanel, 0);
}

void memberChosen(Game& game, int rosterNo)
{
    std::vector<Row> rows = SacrificeRows(game, rosterNo);
    if (rows.empty()) {
        ShowMessage(game, "", "合体できるアイテムを持ってませんよ");
        return;
    }
    for (Row& row : rows) {
        const int slot = row.value;
        row.action = [rosterNo, slot](Game& g) { itemChosen(g, rosterNo, slot); };
    }
    Screen& screen = game.screen;
    screen.panel(kAstrologyPanel).visible = false;
    Panel& list = screen.panel(kFusionItemList);
    list.rows = std::move(rows);
    list.perform = nullptr;
    list.keyHook = [](Game& g, Key key) {
        if (key != Key::Escape && key != Key::Backspace)
            return false;
        backToMenu(g);
        return true;
    };
    // The member stays highlighted in the party list while its items show.
    screen.panel(kPartyPanel).enabled = false;
    screen.open(kFusionItemList, 0);
    SetPrompt(game, "合体させるアイテムを選んで下さい\nＥｎｔｅｒで決定  Ｅｓｃ or ＢＳで抜ける");
}

} // namespace

int16_t ArtificialClass(const ItemDef& item)
{
    if (item.kind == ItemKind::Weapon) {
        for (const WeaponClassWord& w : kWeaponClassWords)
            if (item.unknownName.find(w.word) != std::string::npos)
                return w.classCode;
        return Class::Fighter;
    }
    for (const KindClass& k : kKindClasses)
        if (item.kind == k.kind)
            return k.classCode;
    return Class::Fighter;
}

Character ArtificialHuman(const ItemDef& item, int slot)
{
    Character c;
    c.rosterNo = slot;
    c.level = 1;
    c.maxLevel = 1;
    c.age = 1;
    c.ageDays = 1;
    c.race = Race::Mutant;
    c.alignment = Align::Neutral;
    c.classCode = ArtificialClass(item);
    c.sex = c.classCode == Class::Valkyrie ? 2 : 1;
    c.baseAc = c.ac = 10;
    c.strength = static_cast<int16_t>(item.hitBonus + 10);
    c.iq = c.piety = static_cast<int16_t>(std::abs(item.acBonus) + 10);
    c.vitality = static_cast<int16_t>(std::abs(item.damageDice[0]) + 10);
    c.agility = static_cast<int16_t>(item.attacks + 10);
    c.luck = static_cast<int16_t>(item.regen + 10);
    c.hp = c.maxHp = item.wearOut + 100;
    for (int index : kBornResistances)
        c.res[index] = 100;
    return c;
}

int FreeArtificialSlot(const Game& game)
{
    for (int slot = kFirstArtificialSlot; slot <= kRosterSize; ++slot)
        if (game.character(slot).rosterNo == 0)
            return slot;
    return 0;
}

std::vector<Row> SacrificeRows(const Game& game, int rosterNo)
{
    std::vector<Row> rows;
    const Character& c = game.character(rosterNo);
    for (int slot = 1; slot <= 12; ++slot) {
        const int16_t item = c.items[slot];
        const int16_t flags = c.itemFlags[slot];
        if (item <= 0 || item == ItemNo::SpiritOrb ||
            (flags & (ItemFlag::SlotMask | ItemFlag::Cursed | ItemFlag::Unidentified)))
            continue;
        rows.push_back({game.item(item).name, 0, slot, {}});
    }
    return rows;
}

bool MakeArtificialHuman(Game& game, int rosterNo, int slot)
{
    const int newSlot = FreeArtificialSlot(game);
    if (newSlot == 0) {
        ShowMessage(game, "", "訓練場に空きがありません");
        return false;
    }
    Character& member = game.character(rosterNo);
    const ItemDef item = game.item(member.items[slot]);
    member.items[slot] = 0;
    member.itemFlags[slot] = 0;
    CompactItems(game, rosterNo);
    TakeItem(game, ItemNo::SpiritOrb);
    Character made = ArtificialHuman(item, newSlot);

    for (const char* text : {"／", "―", "＼", "｜", "／", "―", "＼", "｜", "・", "＊"})
        ShowMessage(game, "", text);
    ShowMessage(game, "", "\r誕生しました！");
    made.name = askName(game);
    game.character(newSlot) = made;
    FixArtificialHumanRow(game);
    ShowMessage(game, made.name, "我名は\r" + made.name + "\r今後ともよろしく・・・・");
    RefreshPartyPanel(game);
    Save(game);
    return true;
}

void OpenArtificialHuman(Game& game)
{
    if (!RequireParty(game))
        return;
    if (!AskYesNo(game, "", "霊珠とアイテムを使って人造人間を作ります\rよいですか？"))
        return;
    PartyListUse use;
    use.where = InTown(Facility::AstrologyOffice);
    use.chosen = memberChosen;
    use.left = backToMenu;
    AddPartyListUse(game, std::move(use));
    game.screen.panel(kAstrologyPanel).enabled = false;
    SetPrompt(game, "誰のアイテムと合体させますか？");
    OpenPartyList(game);
}

} // namespace qvr
