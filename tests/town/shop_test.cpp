// The shop: its door and leaving, the rows of its item list, buying,
// selling with its refusals, lifting curses, identifying and pooling gold.

#include <gtest/gtest.h>

#include "castle_fixture.h"
#include "core/textformat.h"
#include "test_items.h"
#include "town/shop_parts.h"
#include "town/town_panels.h"

using namespace qvr;
using namespace qvr::test;

namespace {

std::string blanks(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "　";
    return s;
}

// Answers every message box with Enter and records it.
class ShopPrompter : public CastlePrompter {
public:
    using CastlePrompter::run;
    void run(Game& game, MessageBox& box) override
    {
        shown.push_back("MSG " + box.title + "|" + box.text);
        box.pressKey(game, Key::Enter);
    }
};

enum : int16_t { kDagger = 1, kBow = 2, kSword = 3, kCursedMail = 4, kKey = 5 };

// A party of ＡＮＮ (the customer, roster 1) and ＢＯＢ inside the shop's
// menu, with a few wares of the test's own.
struct ShopFixture : GameFixture<ShopPrompter> {
    ShopFixture()
    {
        Content& c = content();
        c.items[kDagger] = WearableItem(kDagger, "ダガー", 1, "短剣");
        c.items[kDagger].price = 25;
        c.items[kBow] = WearableItem(kBow, "Bow", 1, "弓");
        c.items[kBow].price = 1500;
        c.items[kBow].classMask = Class::Thief; // not for a fighter
        c.items[kSword] = WearableItem(kSword, "ロングソード", 1, "長い剣");
        c.items[kSword].price = 500;
        c.items[kCursedMail] = WearableItem(kCursedMail, "亡者の鎧", 3, "立派な鎧");
        c.items[kCursedMail].price = 1501;
        c.items[kCursedMail].acBonus = 2;
        c.items[kCursedMail].regen = -1;
        c.items[kKey] = WearableItem(kKey, "古びた鍵", 11, "鍵");
        game.state.groupNo = 1;
        member(1, "ＡＮＮ", 1).sex = 1;
        member(2, "ＢＯＢ", 2).sex = 1;
        RefreshPartyPanel(game);
        press('T');
        press('1');
        recorder.events.clear();
    }

    Character& ann() { return game.character(1); }
    int32_t& stock(int item) { return game.save().itemStock[item]; }
    void give(int slot, int16_t item, int16_t flags = 0)
    {
        ann().items[slot] = item;
        ann().itemFlags[slot] = flags;
    }
    const std::vector<std::string>& shown() const { return prompter->shown; }
    std::string prompt() const { return PromptText(game); }
};

} // namespace

TEST(ShopDoor, ThePartyListAsksWhoComesInAndLeavingLetsAnotherIn)
{
    CastleFixture f;
    f.game.state.groupNo = 1;
    f.member(1, "ＡＮＮ", 1);
    RefreshPartyPanel(f.game);
    const std::string door =
        "トロメア商店\r誰が入りますか？ 番号を選んで下さい\r\rＥＳＣ or ＢＳで抜ける";

    f.press('T');
    EXPECT_FALSE(f.panel("fraCaldrimar").visible);
    EXPECT_TRUE(f.panel("fraShop").visible);
    EXPECT_FALSE(f.panel("fraShop").enabled);
    EXPECT_EQ(f.owner(), "fraParty");
    EXPECT_EQ(PromptText(f.game), door);
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 4"}));

    f.press('1');
    EXPECT_EQ(f.owner(), "fraShop");
    EXPECT_EQ(f.panel("fraShop").selected, 0);
    EXPECT_FALSE(f.panel("fraParty").enabled);
    EXPECT_EQ(PromptText(f.game), "いらっしゃい　ＡＮＮ　さん　今日は何のようだい？");

    f.press(Key::Escape); // the menu's back row: out of the shop's menu
    EXPECT_EQ(f.owner(), "fraParty");
    EXPECT_FALSE(f.panel("fraShop").enabled);
    EXPECT_EQ(f.panel("fraShop").selected, -1);
    EXPECT_EQ(PromptText(f.game), door);

    f.press(Key::Escape);
    EXPECT_FALSE(f.panel("fraShop").visible);
    EXPECT_EQ(f.owner(), "fraCaldrimar");
    EXPECT_EQ(PromptText(f.game), "");
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 4", "MUSIC 2"}));
    EXPECT_EQ(f.recorder.saves, 0);
}

TEST(ShopRows, WaresAndCarriedItemsInTheirColumns)
{
    ShopFixture f;
    f.give(1, kDagger);
    f.give(3, kDagger, ItemFlag::Unidentified);
    f.give(12, kCursedMail, ItemFlag::Cursed | 3);
    struct Case {
        const char* what;
        std::string row;
        std::string expected;
    };
    const Case cases[] = {
        {"a ware anyone may use", shop::WareRow(f.game, 1, kDagger),
         "ダガー" + blanks(14 + 3 + 6) + "２５　"},
        {"a ware the customer cannot use", shop::WareRow(f.game, 1, kBow),
         "Ｂｏｗ" + blanks(17 + 3 + 4) + "１５００＃"},
        {"a ware for the other member", shop::WareRow(f.game, 2, kSword),
         "ロングソード" + blanks(8 + 3 + 5) + "５００　"},
        {"selling half the price", shop::SaleRow(f.game, 1, 1),
         "０１　ダガー" + blanks(12 + 2 + 6) + "１２"},
        {"selling an unknown item for 1", shop::SaleRow(f.game, 1, 3),
         "０３　短剣" + blanks(14 + 2 + 7) + "１"},
        {"a fee of half the price", shop::ServiceRow(f.game, 1, 12),
         "１２　亡者の鎧" + blanks(12 + 2 + 5) + "７５０"},
        {"the unknown name with the full fee", shop::ServiceRow(f.game, 1, 3),
         "０３　短剣" + blanks(16 + 2 + 6) + "１２"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.row, c.expected) << c.what;
}

TEST(ShopBuying, KindsListWaresInStockAndRefuseWhatCannotBeBought)
{
    struct Case {
        const char* what;
        int32_t gold;
        int filled; // slots filled with daggers before buying
        std::string message;
        bool bought;
    };
    const Case cases[] = {
        {"too little gold", 1499, 0, "お金が足りませんよ", false},
        {"a full pack", 1500, 12, "アイテムが一杯ですよ\r何か売って下さい", false},
        {"sold", 1500, 1, "まいどありっ\r他にも何かいかがですか？", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShopFixture f;
        f.stock(kDagger) = 3;
        f.stock(kBow) = 2;
        f.stock(kSword) = -1;
        f.ann().gold = c.gold;
        for (int slot = 1; slot <= c.filled; ++slot)
            f.give(slot, kDagger);
        f.press('B');
        EXPECT_EQ(f.owner(), "lstBuy");
        EXPECT_FALSE(f.panel("fraShop").enabled);
        f.press('W');
        EXPECT_EQ(f.owner(), "lstShopItem");
        EXPECT_FALSE(f.panel("fraShop").visible);
        ASSERT_EQ(f.panel("lstShopItem").rows.size(), 2u); // the sword is never stocked
        f.press(Key::Down);
        f.press(Key::Enter);
        EXPECT_EQ(f.shown().back(), "MSG |" + c.message);
        EXPECT_EQ(f.stock(kBow), c.bought ? 1 : 2);
        EXPECT_EQ(f.ann().gold, c.bought ? 0 : c.gold);
        const int slot = c.filled + 1;
        if (slot <= 12) {
            EXPECT_EQ(f.ann().items[slot], c.bought ? kBow : 0);
            EXPECT_EQ(f.ann().itemFlags[slot], c.bought ? ItemFlag::CannotEquip : 0);
        }
        EXPECT_EQ(f.owner(), "lstShopItem");
        // The list shows a purse of 0, which the menu leaves blank.
        EXPECT_EQ(f.prompt(), "何をお買い上げですか？\r所持金 " + fullWidthDigits(f.ann().gold) +
                                  "\rＥｎｔｅｒで購入  Ｅｓｃ or ＢＳで抜ける");
        f.press(Key::Escape); // back to the kinds of ware
        EXPECT_FALSE(f.panel("lstShopItem").visible);
        EXPECT_TRUE(f.panel("fraShop").visible);
        EXPECT_EQ(f.owner(), "lstBuy");
    }
}

TEST(ShopBuying, TheLastUnitTakesItsRowAndAnEmptyListGoesBackToTheKinds)
{
    ShopFixture f;
    f.stock(kDagger) = 1;
    f.stock(kSword) = 1;
    f.press('B');
    EXPECT_EQ(f.prompt(),
              "何をお買い上げですか？\r所持金 \rＥｎｔｅｒで購入  Ｅｓｃ or ＢＳで抜ける");
    f.press(Key::Escape);
    f.ann().gold = 1000;
    f.give(1, kSword);
    f.press('B');
    f.press('W');
    f.press(Key::Enter);
    EXPECT_EQ(f.shown().back(), "MSG |まいどありっ\rこれが最後の一つですよ");
    EXPECT_EQ(f.stock(kDagger), 0);
    EXPECT_EQ(f.ann().items[2], kDagger); // the first free slot
    ASSERT_EQ(f.panel("lstShopItem").rows.size(), 1u);
    EXPECT_EQ(f.panel("lstShopItem").rows[0].value, kSword);
    f.press(Key::Enter);
    EXPECT_FALSE(f.panel("lstShopItem").visible);
    EXPECT_TRUE(f.panel("fraShop").visible);
    EXPECT_EQ(f.owner(), "lstBuy");
    f.press('W');
    EXPECT_EQ(f.shown().back(), "MSG |その種類は在庫がありません");
    EXPECT_EQ(f.owner(), "lstBuy");
    f.press(Key::Escape);
    EXPECT_EQ(f.owner(), "fraShop");
    EXPECT_EQ(f.recorder.saves, 0);
}

TEST(ShopSelling, RefusalsChangeNothing)
{
    struct Case {
        int16_t item;
        int16_t flags;
        std::string message;
    };
    const Case cases[] = {
        {kCursedMail, ItemFlag::Cursed | 3, "呪われてますよ"},
        {kCursedMail, ItemFlag::Cursed, "呪われてますよ"},
        {kSword, 1, "装備してるものは引き取れませんよ"},
        {kKey, 0, "それはうちじゃ引き取れないよ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ShopFixture f;
        f.give(1, c.item, c.flags);
        const Character before = f.ann();
        f.press('S');
        f.press(Key::Enter);
        EXPECT_EQ(f.shown().back(), "MSG |" + c.message);
        EXPECT_EQ(f.ann(), before);
        EXPECT_EQ(f.stock(c.item), 0);
        EXPECT_EQ(f.owner(), "lstShopItem");
    }
}

// A pack with a gap (left by giving or dropping): each row sells the item it
// shows, and the stock grows only where the shop deals in the item.
TEST(ShopSelling, EachRowSellsItsOwnSlot)
{
    struct Case {
        int32_t stockBefore, stockAfter;
    };
    for (Case c : {Case{-1, -1}, Case{0, 1}, Case{4, 5}}) {
        SCOPED_TRACE(c.stockBefore);
        ShopFixture f;
        f.stock(kSword) = c.stockBefore;
        f.give(1, kDagger);
        f.give(3, kSword);
        f.give(5, kDagger, ItemFlag::Unidentified);
        f.press('S');
        EXPECT_EQ(f.prompt(), "何を売ってくれますか？\r\rＥｎｔｅｒで売却  Ｅｓｃ or ＢＳで抜ける");
        f.press(Key::Down);
        f.press(Key::Enter);
        EXPECT_EQ(f.shown().back(), "MSG |まいどありっ\r他にも何か売ってください");
        EXPECT_EQ(f.ann().gold, 250);
        EXPECT_EQ(f.stock(kSword), c.stockAfter);
        EXPECT_EQ(f.ann().items[1], kDagger); // closed up behind the sale
        EXPECT_EQ(f.ann().items[2], kDagger);
        EXPECT_EQ(f.ann().itemFlags[2], ItemFlag::Unidentified);
        EXPECT_EQ(f.ann().items[3], 0);
        const Panel& list = f.panel("lstShopItem");
        ASSERT_EQ(list.rows.size(), 2u);
        EXPECT_EQ(list.rows[1].value, 2);
        EXPECT_EQ(list.selected, 0);
        f.press(Key::Down);
        f.press(Key::Enter); // the unknown dagger, for 1
        f.press(Key::Enter); // the last
        EXPECT_EQ(f.shown().back(), "MSG |まいどありっ");
        EXPECT_EQ(f.ann().gold, 250 + 1 + 12);
        EXPECT_EQ(f.owner(), "fraShop");
        EXPECT_EQ(f.prompt(), "いらっしゃい ＡＮＮ　さん   今日はどのようなご用件で？");
        f.press('S');
        EXPECT_EQ(f.shown().back(), "MSG |アンタ，売れるもの何も持ってないよ");
        EXPECT_EQ(f.recorder.saves, 0);
    }
}

TEST(ShopUncursing, HalfThePriceTakesTheItemAndWhatWearingItAdded)
{
    ShopFixture f;
    Character& ann = f.ann();
    ann.conditions = Cond::CurseBound | Cond::Poisoned;
    ann.baseAc = 12;
    ann.regen = -1;
    ann.gold = 749;
    f.give(2, kSword, 1);
    f.give(4, kCursedMail, ItemFlag::Cursed | 3);
    f.press('D');
    EXPECT_EQ(f.prompt(), "どの呪いを解きますか？\nＥｎｔｅｒで決定  Ｅｓｃ or ＢＳで抜ける");
    ASSERT_EQ(f.panel("lstShopItem").rows.size(), 1u);
    f.press(Key::Enter);
    EXPECT_EQ(f.shown().back(), "MSG トロメア亭主|お金が足りませんよ\rもっと稼いできて下さい");
    EXPECT_EQ(ann.items[4], kCursedMail);

    ann.gold = 751;
    f.press(Key::Enter);
    EXPECT_EQ(f.shown().at(f.shown().size() - 2), "MSG トロメア亭主|呪いを解きました");
    EXPECT_EQ(f.shown().back(), "MSG |アンタ，呪われた装備してないよ");
    EXPECT_EQ(ann.gold, 1);
    EXPECT_EQ(ann.items[4], 0);
    EXPECT_EQ(ann.itemFlags[4], 0);
    EXPECT_EQ(ann.items[2], kSword);
    EXPECT_EQ(ann.baseAc, 10);
    EXPECT_EQ(ann.regen, 0);
    EXPECT_EQ(ann.conditions, Cond::Poisoned);
    EXPECT_FALSE(f.panel("lstShopItem").visible);
    EXPECT_EQ(f.owner(), "fraShop");
    EXPECT_EQ(f.recorder.saves, 0);
}

TEST(ShopIdentifying, FeePaidFlagClearedUntilNothingIsLeft)
{
    ShopFixture f;
    Character& ann = f.ann();
    f.give(1, kSword, ItemFlag::Unidentified);
    f.give(2, kDagger, ItemFlag::Unidentified | ItemFlag::CannotEquip);
    ann.gold = 262;
    f.press('I');
    EXPECT_EQ(f.prompt(), "どれを識別しますか？\nＥｎｔｅｒで決定  Ｅｓｃ or ＢＳで抜ける");
    f.press(Key::Enter);
    EXPECT_EQ(f.shown().back(), "MSG トロメア亭主|識別できました");
    EXPECT_EQ(ann.itemFlags[1], 0);
    EXPECT_EQ(ann.gold, 12);
    ASSERT_EQ(f.panel("lstShopItem").rows.size(), 1u);
    EXPECT_EQ(f.panel("lstShopItem").rows[0].value, 2);
    f.press(Key::Enter);
    EXPECT_EQ(ann.itemFlags[2], ItemFlag::CannotEquip);
    EXPECT_EQ(ann.gold, 0);
    EXPECT_EQ(f.owner(), "fraShop");
    f.press('I');
    EXPECT_EQ(f.shown().back(), "MSG |どれも識別されてるよ");
}

TEST(ShopGold, TheCustomerTakesEveryPurse)
{
    struct Case {
        int32_t ann, bob;
        std::string message;
        int32_t annAfter, bobAfter;
    };
    const Case cases[] = {
        {10, 50, "お金を一人占めしました\r６０Ｇ持っています", 60, 0},
        {0, 0, "お金を一人占めしました\rＧ持っています", 0, 0},
        {2147483600, 100, "お金を一人占めしました\r２１４７４８３６４７Ｇ持っています", 2147483647,
         53},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ShopFixture f;
        f.ann().gold = c.ann;
        f.game.character(2).gold = c.bob;
        f.press('P');
        EXPECT_EQ(f.shown().back(), "MSG |" + c.message);
        EXPECT_EQ(f.ann().gold, c.annAfter);
        EXPECT_EQ(f.game.character(2).gold, c.bobAfter);
        EXPECT_EQ(f.owner(), "fraShop");
        EXPECT_EQ(f.recorder.saves, 0);
    }
}
