// Artificial humans: the class an item gives, the attributes its seeds
// give, which items may be given up, and the making by keys with its
// refusals.

#include <gtest/gtest.h>

#include "core/item_numbers.h"
#include "core/panel_names.h"
#include "rules/party_panel.h"
#include "test_items.h"
#include "town/artificial_human.h"
#include "town/astrology_office.h"
#include "town/town_panels.h"
#include "town_test_fixture.h"

using namespace qvr;
using namespace qvr::test;

namespace {

constexpr int16_t kSeed = 10, kHerb = 11;
const std::string kRowA = "A)人 造 人 間 創 造";

ItemDef itemOf(int16_t kind, const std::string& unknownName = "？？？")
{
    return WearableItem(kSeed, "種", kind, unknownName);
}

struct ArtificialHumanTest : ::testing::Test, TownFixture {
    ArtificialHumanTest()
    {
        content().items[kSeed] = itemOf(ItemKind::Gauntlets);
        content().items[kHerb] = WearableItem(kHerb, "薬草", ItemKind::Goods);
        content().items[ItemNo::SpiritOrb] =
            WearableItem(ItemNo::SpiritOrb, "霊珠", ItemKind::Goods);
        Character& alan = member(1, "ＡＬＡＮ", 1);
        alan.items[1] = kHerb;
        alan.items[2] = kSeed;
        alan.items[3] = ItemNo::SpiritOrb;
        game.state.partyCount = 1;
        game.state.partyMember[1] = 1;
        RefreshPartyPanel(game);
    }
    void answerMessages(int count)
    {
        for (int i = 0; i < count; ++i)
            prompter->answer({Key::Enter});
    }
    // From the office's menu to the item list of the first member.
    void chooseAlan()
    {
        OpenAstrologyOffice(game);
        prompter->answer({CharKey('Y')});
        press('A');
        EXPECT_EQ(owner(), std::string(kPartyPanel));
        EXPECT_EQ(PromptText(game), "誰のアイテムと合体させますか？");
        press('1');
    }
};

} // namespace

TEST(ArtificialClass, FromTheKindAndAWeaponsUnknownName)
{
    struct Case {
        int16_t kind;
        const char* unknownName;
        int16_t classCode;
    };
    const Case cases[] = {
        {ItemKind::Weapon, "反りのある刀", Class::Samurai},
        {ItemKind::Weapon, "白い聖剣", Class::Lord},
        {ItemKind::Weapon, "黒い魔剣", Class::MagicSwordsman},
        {ItemKind::Weapon, "穂の長い槍", Class::Valkyrie},
        // The words are tried in order: the sword-of-the-east wins.
        {ItemKind::Weapon, "魔剣めいた刀", Class::Samurai},
        {ItemKind::Weapon, "長い剣", Class::Fighter},
        {ItemKind::Shield, "刀", Class::Cleric},
        {ItemKind::Armour, "", Class::Wizard},
        {ItemKind::Gauntlets, "", Class::Thief},
        {ItemKind::Boots, "", Class::Ninja},
        {ItemKind::Helm, "", Class::Sage},
        {ItemKind::Accessory, "", Class::MartialArtist},
        {ItemKind::Goods, "", Class::Fighter},
        {ItemKind::Instrument, "", Class::Bard},
        {ItemKind::Material, "", Class::Onmyoji},
        {ItemKind::Event, "", Class::Fighter},
        {ItemKind::Talisman, "", Class::Fighter},
    };
    for (const Case& k : cases) {
        const Character c = ArtificialHuman(itemOf(k.kind, k.unknownName), 9);
        EXPECT_EQ(c.classCode, k.classCode) << k.kind << " " << k.unknownName;
        EXPECT_EQ(c.sex, k.classCode == Class::Valkyrie ? 2 : 1) << k.unknownName;
    }
}

TEST(ArtificialHumanRecord, EveryAttributeFromTheSeeds)
{
    ItemDef item = itemOf(ItemKind::Weapon, "刀");
    item.hitBonus = 5;
    item.acBonus = -3; // armour counts by its size, not its sign
    item.damageDice = {-2, 8, 1};
    item.attacks = 2;
    item.regen = 4;
    item.wearOut = 7;
    const Character c = ArtificialHuman(item, 12);
    EXPECT_EQ(c.rosterNo, 12);
    EXPECT_EQ(c.level, 1);
    EXPECT_EQ(c.age, 1);
    EXPECT_EQ(c.ageDays, 1);
    EXPECT_EQ(c.race, Race::Mutant);
    EXPECT_EQ(c.alignment, Align::Neutral);
    EXPECT_EQ(c.baseAc, 10);
    EXPECT_EQ(c.ac, 10);
    EXPECT_EQ(c.strength, 15);
    EXPECT_EQ(c.iq, 13);
    EXPECT_EQ(c.piety, 13);
    EXPECT_EQ(c.vitality, 12);
    EXPECT_EQ(c.agility, 12);
    EXPECT_EQ(c.luck, 14);
    EXPECT_EQ(c.hp, 107);
    EXPECT_EQ(c.maxHp, 107);
    for (int index = 1; index <= 33; ++index)
        EXPECT_EQ(c.res[index], index == 15 || index == 17 || index == 18 ? 100 : 0) << index;
    EXPECT_EQ(c.floor, 0);
    EXPECT_EQ(c.items[1], 0);
}

TEST_F(ArtificialHumanTest, OnlyLooseKnownUncursedItemsMayBeGivenUp)
{
    Character& alan = game.character(1);
    alan.items[4] = kSeed;
    alan.itemFlags[4] = 1; // worn
    alan.items[5] = kSeed;
    alan.itemFlags[5] = ItemFlag::Cursed;
    alan.items[6] = kSeed;
    alan.itemFlags[6] = ItemFlag::Unidentified;
    alan.items[7] = kSeed;
    alan.itemFlags[7] = ItemFlag::CannotEquip; // not for him, but his to give
    std::vector<int> slots;
    for (const Row& r : SacrificeRows(game, 1))
        slots.push_back(r.value);
    EXPECT_EQ(slots, (std::vector<int>{1, 2, 7}));
    EXPECT_EQ(SacrificeRows(game, 1)[1].text, "種");
}

TEST_F(ArtificialHumanTest, MadeByKeys)
{
    character(7, "ＯＣＣＵ"); // slots from 7 on are looked through in order
    chooseAlan();
    EXPECT_EQ(owner(), std::string(kFusionItemList));
    EXPECT_FALSE(panel(kAstrologyPanel).visible);
    EXPECT_EQ(rowTexts(kFusionItemList), (std::vector<std::string>{"薬草", "種"}));
    prompter->shown.clear();
    prompter->answer({CharKey('Y')});
    answerMessages(11);
    prompter->answer({Key::Enter}, "ＮＥＷ");
    answerMessages(1);
    press(Key::Down);
    press(Key::Enter);

    std::vector<std::string> expected{"ASK |合体させて良いですか？"};
    for (const char* t : {"／", "―", "＼", "｜", "／", "―", "＼", "｜", "・", "＊"})
        expected.push_back(std::string("MSG |") + t);
    expected.push_back("MSG |\r誕生しました！");
    expected.push_back("INPUT |人造人間が完成しました\r名前を決めてください");
    expected.push_back("MSG ＮＥＷ|我名は\rＮＥＷ\r今後ともよろしく・・・・");
    EXPECT_EQ(prompter->shown, expected);

    const Character& made = game.character(8);
    EXPECT_EQ(made.name, "ＮＥＷ");
    EXPECT_EQ(made.rosterNo, 8);
    EXPECT_EQ(made.classCode, Class::Thief);
    const Character& alan = game.character(1);
    EXPECT_EQ(alan.items[1], kHerb);
    EXPECT_EQ(alan.items[2], 0); // the seed and the orb are gone, the pack closed up
    // The orb is gone, and with it the row that needs it.
    EXPECT_EQ(rowTexts(kAstrologyPanel).size(), 11u);
    EXPECT_EQ(owner(), std::string(kAstrologyPanel));
    EXPECT_TRUE(panel(kAstrologyPanel).visible);
    EXPECT_FALSE(panel(kFusionItemList).visible);
    EXPECT_FALSE(panel(kPartyPanel).enabled);
    EXPECT_EQ(PromptText(game), "");
    EXPECT_GE(count("SAVE"), 1);
}

TEST_F(ArtificialHumanTest, AnEmptyNameIsTheSeedsAndABadOneIsAskedAgain)
{
    chooseAlan();
    prompter->answer({CharKey('Y')});
    answerMessages(11);
    prompter->answer({Key::Enter}, "ＡＢ\tＣ");
    answerMessages(1); // what is wrong with it
    prompter->answer({Key::Enter}, "");
    answerMessages(1);
    press(Key::Enter);
    EXPECT_EQ(game.character(7).name, "シード");
    EXPECT_EQ(game.character(7).classCode, Class::Fighter); // the herb
}

TEST_F(ArtificialHumanTest, RefusalsChangeNothing)
{
    // A full roster from slot 7 on, though slots 2..6 are free.
    for (int slot = 7; slot <= kRosterSize; ++slot)
        character(slot, "Ｘ" + std::to_string(slot));
    const Character alanBefore = game.character(1);
    chooseAlan();
    prompter->shown.clear();
    prompter->answer({CharKey('Y')});
    answerMessages(1);
    press(Key::Enter);
    EXPECT_EQ(prompter->shown, (std::vector<std::string>{"ASK |合体させて良いですか？",
                                                         "MSG |訓練場に空きがありません"}));
    EXPECT_EQ(game.character(1), alanBefore);
    EXPECT_EQ(game.character(2).rosterNo, 0);

    // A member with nothing to give is told so and the party list stays.
    press(Key::Escape);
    EXPECT_EQ(owner(), std::string(kAstrologyPanel));
    member(2, "ＢＥＴＨ", 2).items[1] = ItemNo::SpiritOrb;
    RefreshPartyPanel(game);
    OpenAstrologyOffice(game);
    prompter->shown.clear();
    prompter->answer({CharKey('Y')});
    answerMessages(1);
    press('A');
    press('2');
    EXPECT_EQ(prompter->shown.back(), "MSG |合体できるアイテムを持ってませんよ");
    EXPECT_EQ(owner(), std::string(kPartyPanel));

    // Declining the question leaves the menu as it was.
    press(Key::Escape);
    prompter->answer({CharKey('N')});
    press('A');
    EXPECT_EQ(owner(), std::string(kAstrologyPanel));
    EXPECT_TRUE(panel(kAstrologyPanel).enabled);
}
