// The status window's item commands driven by keys: equipping kind by kind,
// giving, pooling gold and throwing away, with every refusal.

#include <gtest/gtest.h>

#include <limits>

#include "game/status_window.h"
#include "rules/equipment.h"
#include "rules/item_powers.h"
#include "status_fixture.h"

using namespace qvr;
using namespace qvr::test;
using namespace qvr::test::status;

namespace {

// Presses keys one at a time, noting the caption of lstEQ before each.
std::vector<std::string> EquipCaptions(StatusFixture& f, StatusWindow& w, std::vector<Key> keys)
{
    std::vector<std::string> captions;
    for (Key k : keys) {
        if (w.focus == StatusFocus::Equip)
            captions.push_back(w.equipCaption);
        w.pressKey(f.game, k);
    }
    return captions;
}

} // namespace

TEST(EquipByKeys, EveryKindInTurnThenBackToTheCommands)
{
    StatusFixture f;
    Panel party;
    party.name = "fraParty";
    f.game.screen.add(party);
    f.carry(1, 1, kSword);
    f.carry(1, 2, kShield);
    f.carry(1, 3, kArmour);
    f.carry(1, 4, kCursedHelm);
    f.carry(1, 5, kRing);
    StatusWindow w = f.open(1);
    f.dismiss(); // the helm's curse
    const std::vector<std::string> captions =
        EquipCaptions(f, w,
                      {CharKey('E'), Key::Enter, Key::Enter, Key::Enter, Key::Enter, Key::Enter,
                       Key::Enter, Key::Enter});
    EXPECT_EQ(captions, (std::vector<std::string>{
                            "利き手の装備を選んで下さい", "補助の手の装備を選んで下さい",
                            "鎧を選んで下さい", "小手を選んで下さい", "靴を選んで下さい",
                            "兜を選んで下さい", "アクセサリを選んで下さい"}));
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"MSG |呪われている！"}));
    const Character& c = f.game.character(1);
    EXPECT_EQ(c.itemFlags[1], 1);
    EXPECT_EQ(c.itemFlags[2], 2);
    EXPECT_EQ(c.itemFlags[3], 3);
    EXPECT_EQ(c.itemFlags[4], 6 | ItemFlag::Cursed);
    EXPECT_EQ(c.itemFlags[5], 7);
    EXPECT_TRUE(c.conditions & Cond::CurseBound);
    EXPECT_EQ(c.baseAc, 10 - 2 - 5 + 2);
    EXPECT_EQ(w.focus, StatusFocus::Commands);
    EXPECT_EQ(w.equipKind, 0);
    EXPECT_EQ(w.sheet.ac, "5");
    EXPECT_EQ(w.items[0].text, "01:* ロングソード");
    EXPECT_EQ(w.items[3].text, "04:- 呪いの兜");
    // The party panel shows the new armour class at once.
    EXPECT_EQ(f.game.screen.panel("fraParty").findLabel("lblAC0")->text, "5");

    // Again: what is worn comes up first, and the cursed helm is not asked about.
    const std::vector<std::string> again = EquipCaptions(
        f, w,
        {CharKey('E'), Key::Enter, Key::Enter, Key::Enter, Key::Enter, Key::Enter, Key::Enter});
    EXPECT_EQ(again.size(), 6u);
    EXPECT_EQ(again.back(), "アクセサリを選んで下さい");
    EXPECT_EQ(c.itemFlags[1], 1);
    EXPECT_EQ(c.itemFlags[5], 7);
    EXPECT_EQ(w.focus, StatusFocus::Commands);
}

TEST(EquipByKeys, EscapeOrBackspaceKeepsWhatTheKindWearsAndGoesOn)
{
    for (Key back : {Key::Escape, Key::Backspace}) {
        SCOPED_TRACE(KeyName(back));
        StatusFixture f;
        f.carry(1, 1, kSword, kMainHand);
        f.carry(1, 2, kArmour, 3);
        f.carry(1, 3, kSword);
        StatusWindow w = f.open(1);
        // The other sword highlighted, then given up on: the worn one stays.
        f.press(w, {CharKey('E'), Key::Down, back});
        EXPECT_EQ(w.equipKind, 2);
        f.press(w, {back, back});
        EXPECT_EQ(w.equipKind, 4);
        EXPECT_EQ(f.game.character(1).itemFlags[1], kMainHand);
        EXPECT_EQ(f.game.character(1).itemFlags[2], 3);
        EXPECT_EQ(f.game.character(1).itemFlags[3], 0);
    }
}

TEST(EquipByKeys, ATwoHandedWeaponPassesOverTheSecondHand)
{
    StatusFixture f;
    f.carry(1, 1, kGreatSword);
    f.carry(1, 2, kShield, kSecondHand);
    StatusWindow w = f.open(1);
    f.press(w, {CharKey('E')});
    EXPECT_EQ(StatusRowTexts(w.equipRows),
              (std::vector<std::string>{"グレートソード", "なにもつけない"}));
    EXPECT_EQ(w.equipSelected, 0);
    f.press(w, {Key::Enter});
    EXPECT_EQ(w.equipCaption, "鎧を選んで下さい");
    EXPECT_EQ(f.game.character(1).itemFlags[2], 0);
}

TEST(EquipByKeys, ThePowersAreOfferedAtTheEnd)
{
    StatusFixture f;
    f.content().items[kPowerRing].specialPower = Power::FirstAttribute;
    f.carry(1, 1, kPowerRing);
    StatusWindow w = f.open(1);
    f.prompter->answer({CharKey('Y')});
    f.press(w,
            {CharKey('E'), Key::Enter, Key::Enter, Key::Enter, Key::Enter, Key::Enter, Key::Enter});
    EXPECT_EQ(w.equipCaption, "アクセサリを選んで下さい");
    f.press(w, {Key::Enter});
    EXPECT_EQ(f.shown(),
              (std::vector<std::string>{"ASK |あなたは力の指輪の\r真の力を解放しますか？"}));
    EXPECT_EQ(f.game.character(1).strength, 13);
    EXPECT_EQ(w.sheet.attributes[0], "13");
    EXPECT_EQ(f.game.character(1).itemFlags[1], 7);
}

TEST(ItemCommands, NothingCarriedIsSaidBeforeAnythingIsAsked)
{
    for (char letter : {'E', 'T', 'D'}) {
        StatusFixture f;
        StatusWindow w = f.open(1);
        f.dismiss();
        w.pressKey(f.game, CharKey(letter));
        EXPECT_EQ(f.shown(), (std::vector<std::string>{"MSG |アイテムを持ってません"})) << letter;
        EXPECT_EQ(w.focus, StatusFocus::Commands);
    }
}

TEST(Give, TheItemMovesToTheReceiversFirstEmptySlot)
{
    StatusFixture f;
    f.carry(1, 1, kSword);
    f.carry(1, 2, kStaff, ItemFlag::Unidentified | ItemFlag::CannotEquip);
    f.carry(2, 1, kArmour);
    f.carry(2, 3, kBoots);
    f.game.character(2).classCode = Class::Cleric;
    StatusWindow w = f.open(1);
    f.prompter->answer({Key::Down, Key::Enter}); // ベラ
    f.press(w, {CharKey('T')});
    EXPECT_EQ(f.shown(),
              (std::vector<std::string>{"PICK キャラクターを選んでください|アルス|ベラ|カイ"}));
    EXPECT_EQ(w.focus, StatusFocus::Items);
    EXPECT_EQ(w.itemTitle, "アイテムを渡す");
    EXPECT_EQ(w.itemPrompt, "どれを渡しますか？");
    f.press(w, {Key::Down, Key::Enter});
    const Character& giver = f.game.character(1);
    const Character& receiver = f.game.character(2);
    EXPECT_EQ(giver.items[2], 0);
    EXPECT_EQ(giver.itemFlags[2], 0);
    EXPECT_EQ(receiver.items[2], kStaff);
    EXPECT_EQ(receiver.itemFlags[2], ItemFlag::Unidentified); // a cleric may hold it
    EXPECT_EQ(StatusRowTexts(w.items), (std::vector<std::string>{"01:  ロングソード"}));
    EXPECT_EQ(w.focus, StatusFocus::Commands);
    EXPECT_EQ(w.itemTitle, "");

    // Back to a fighter, who may not wield it.
    StatusWindow back = f.open(2);
    f.prompter->answer({Key::Enter}); // アルス
    f.press(back, {CharKey('T'), Key::Down, Key::Enter});
    EXPECT_EQ(giver.items[2], kStaff);
    EXPECT_EQ(giver.itemFlags[2], ItemFlag::Unidentified | ItemFlag::CannotEquip);
}

TEST(Give, RefusalsChangeNothing)
{
    struct Case {
        int16_t flags;
        bool receiverFull;
        const char* message;
    };
    const Case cases[] = {
        {ItemFlag::Cursed, false, "呪われている！"},
        {6 | ItemFlag::Cursed, false, "呪われている！"},
        {3, false, "装備しています"},
        {0, true, "アイテムがいっぱいですよ"},
    };
    for (const Case& k : cases) {
        StatusFixture f;
        f.carry(1, 1, kArmour, k.flags);
        if (k.receiverFull)
            for (int slot = 1; slot <= 12; ++slot)
                f.carry(2, slot, kBoots);
        const Character before1 = f.game.character(1);
        const Character before2 = f.game.character(2);
        StatusWindow w = f.open(1);
        f.prompter->answer({Key::Down, Key::Enter});
        f.dismiss();
        f.press(w, {CharKey('T'), Key::Enter});
        EXPECT_EQ(f.shown().back(), std::string("MSG |") + k.message);
        EXPECT_EQ(f.game.character(1).items, before1.items);
        EXPECT_EQ(f.game.character(1).itemFlags, before1.itemFlags);
        EXPECT_EQ(f.game.character(2).items, before2.items);
    }
}

TEST(Give, CancellingTheMemberOrTheItemGivesNothing)
{
    StatusFixture f;
    f.carry(1, 1, kSword);
    StatusWindow w = f.open(1);
    f.prompter->answer({Key::Escape});
    f.press(w, {CharKey('T')});
    EXPECT_EQ(w.focus, StatusFocus::Commands);
    f.prompter->answer({Key::Down, Key::Enter});
    f.press(w, {CharKey('T'), Key::Backspace});
    EXPECT_EQ(w.focus, StatusFocus::Commands);
    EXPECT_EQ(f.game.character(1).items[1], kSword);
    EXPECT_EQ(f.game.character(2).items[1], 0);
    EXPECT_FALSE(w.closed()); // Backspace left the item list, not the window
}

TEST(PoolGold, EverythingGoesToTheMemberShown)
{
    StatusFixture f;
    f.game.character(1).gold = 100;
    f.game.character(2).gold = 200;
    f.game.character(3).gold = 300;
    f.game.character(4).gold = 999; // not in the party
    StatusWindow w = f.open(2);
    f.dismiss();
    f.press(w, {CharKey('P')});
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"MSG |お金を集めました"}));
    EXPECT_EQ(f.game.character(1).gold, 0);
    EXPECT_EQ(f.game.character(2).gold, 600);
    EXPECT_EQ(f.game.character(3).gold, 0);
    EXPECT_EQ(f.game.character(4).gold, 999);
    EXPECT_EQ(w.sheet.gold, "600");
}

TEST(PoolGold, AFullPurseLeavesTheRestWithItsOwner)
{
    StatusFixture f;
    const int32_t max = std::numeric_limits<int32_t>::max();
    f.game.character(1).gold = max - 50;
    f.game.character(2).gold = 30;
    f.game.character(3).gold = 100;
    StatusWindow w = f.open(1);
    f.dismiss();
    f.press(w, {CharKey('P')});
    EXPECT_EQ(f.game.character(1).gold, max);
    EXPECT_EQ(f.game.character(2).gold, 0);
    EXPECT_EQ(f.game.character(3).gold, 80);
}

TEST(Drop, TheItemGoesAndTheWindowSaysWhat)
{
    StatusFixture f;
    f.carry(1, 1, kSword);
    f.carry(1, 4, kGreatSword, ItemFlag::Unidentified);
    StatusWindow w = f.open(1);
    f.press(w, {CharKey('D')});
    EXPECT_EQ(w.itemTitle, "アイテムを捨てる");
    EXPECT_EQ(w.itemPrompt, "");
    f.press(w, {Key::End, Key::Enter});
    EXPECT_EQ(f.game.character(1).items[4], 0);
    EXPECT_EQ(f.game.character(1).itemFlags[4], 0);
    EXPECT_EQ(w.lblMsg1, "? ？グレートソードを捨てました");
    EXPECT_EQ(StatusRowTexts(w.items), (std::vector<std::string>{"01:  ロングソード"}));
    EXPECT_TRUE(f.shown().empty());
}

TEST(Drop, RefusalsChangeNothing)
{
    struct Case {
        int16_t item;
        int16_t flags;
        const char* message;
    };
    const Case cases[] = {
        {kCursedHelm, ItemFlag::Cursed, "呪われている！"},
        {kArmour, 3, "装備しています"},
        {kKeyStone, 0, "捨てられない"},
        {kKeyStone, ItemFlag::Unidentified, "捨てられない"},
    };
    for (const Case& k : cases) {
        StatusFixture f;
        f.carry(1, 1, k.item, k.flags);
        StatusWindow w = f.open(1);
        f.dismiss();
        f.press(w, {CharKey('D'), Key::Enter});
        EXPECT_EQ(f.shown(), (std::vector<std::string>{std::string("MSG |") + k.message}));
        EXPECT_EQ(f.game.character(1).items[1], k.item);
        EXPECT_EQ(f.game.character(1).itemFlags[1], k.flags);
        EXPECT_EQ(w.lblMsg1, "");
    }
}
