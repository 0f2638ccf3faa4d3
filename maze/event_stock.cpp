#include "maze/event_stock.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/dice.h"
#include "core/game.h"
#include "core/item_numbers.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "core/textformat.h"
#include "maze/movement.h"
#include "maze/party_items.h"
#include "rules/character_rules.h"

namespace qvr {

namespace {

// The stock riddle's answer, written as the comparison sees it.
constexpr std::array<std::string_view, 7> kRiddleAnswers{
    "人間", "にんげん", "ニンゲン", "ＨＵＭＡＮ", "人", "ひと", "ヒト"};

// The drinker's words around the tips: a refusal and two angry lines.
constexpr int kTipsRefused = 12101;
constexpr int kTipsAngry = 12102;    // and the next
constexpr int kTipsQuestion = 12100; // + tier
constexpr int kFirstTipFlag = 12110; // tip n sets flag n - 12110

std::string text(const Game& game, int n)
{
    return std::string(MessageText(game, n));
}

// The first member in marching order who can pay, or 0.
int payer(const Game& game, int32_t price)
{
    for (int i = 1; i <= game.state.partyCount; ++i) {
        const int r = game.state.partyMember[i];
        if (game.character(r).gold >= price)
            return r;
    }
    return 0;
}

// Where the item in hand is: the member and slot given, or the first copy.
bool findInHand(const Game& game, const ItemInHand& hand, int& rosterNo, int& slot)
{
    if (hand.rosterNo != 0 && game.character(hand.rosterNo).items[hand.slot] == hand.itemNo) {
        rosterNo = hand.rosterNo;
        slot = hand.slot;
        return true;
    }
    for (int i = 1; i <= game.state.partyCount; ++i) {
        const int r = game.state.partyMember[i];
        for (int s = 1; s <= 12; ++s)
            if (game.character(r).items[s] == hand.itemNo) {
                rosterNo = r;
                slot = s;
                return true;
            }
    }
    return false;
}

int16_t* statistic(Character& c, int which)
{
    int16_t* const stats[] = {&c.strength, &c.iq, &c.piety, &c.vitality, &c.agility, &c.luck};
    return which >= 1 && which <= 6 ? stats[which - 1] : nullptr;
}

} // namespace

int StrengthTest(Game& game, int strength)
{
    for (int i = 1; i <= game.state.partyCount; ++i) {
        const Character& c = game.character(game.state.partyMember[i]);
        if (c.strength >= strength) {
            ShowMessage(game, "", c.name + "は\n扉をこじ開けた");
            return kGoOn;
        }
    }
    return 0;
}

int Bump(Game& game)
{
    if (Dice(game.rng, 1, 3, 0) != 2)
        return kGoOn;
    ShowMessage(game, "", "いてっ！");
    return 0;
}

int SealedBox(Game& game, int encounter, int origin)
{
    if (!AskYesNo(game, "", "箱を空けますか？"))
        return 0;
    game.state.encounterOrigin = static_cast<int16_t>(origin);
    return encounter;
}

bool RiddleAccepts(std::string_view typed)
{
    const std::string answer = UpperFullWidth(typed);
    for (std::string_view word : kRiddleAnswers)
        if (answer == word)
            return true;
    return false;
}

int Riddle(Game& game, int question, int passText, int failText)
{
    const std::string typed = InputText(game, "", text(game, question));
    if (RiddleAccepts(typed)) {
        ShowMessage(game, "", text(game, passText));
        return kGoOn;
    }
    ShowMessage(game, "", text(game, failText));
    // One cell back, the way the party came in.
    static constexpr int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
    const GameState& st = game.state;
    const int f = st.facing & 3;
    RelocateParty(game, st.floor, (st.posX - dx[f] + kMazeSize) % kMazeSize,
                  (st.posY - dy[f] + kMazeSize) % kMazeSize);
    return -1;
}

int InformationSeller(Game& game, int price, int firstText)
{
    const int farewell = firstText + 5;
    if (!AskYesNo(game, "", text(game, firstText))) {
        ShowMessage(game, "", text(game, farewell));
        return -1;
    }
    const int r = payer(game, price);
    if (r == 0) {
        ShowMessage(game, "", text(game, firstText + 4));
        return -1;
    }
    game.character(r).gold -= price;
    std::vector<std::string> names;
    std::vector<int> rows;
    for (int item = ItemNo::FirstKey; item <= ItemNo::LastKey; ++item) {
        names.push_back(game.item(item).name);
        rows.push_back(item - ItemNo::FirstKey + 1);
    }
    for (;;) {
        const int row = PickFromList(game, names, rows, "どれが知りたい？");
        if (row < 1 || row > 7)
            break;
        const KeyItemPlace& p = game.state.keyItemPlaces[row];
        if (!NobodyHolds(game, ItemNo::FirstKey + row - 1, true) || p.floor < 1) {
            ShowMessage(game, "", text(game, firstText + 3));
            continue;
        }
        ShowMessage(game, "",
                    text(game, firstText + 1) + "\n地下" + fullWidthDigits(p.floor) + "階\n東に" +
                        fullWidthDigits(p.x) + "\n南に" + fullWidthDigits(p.y) + "\n" +
                        text(game, firstText + 2));
    }
    ShowMessage(game, "", text(game, farewell));
    return -1;
}

bool PaidTips(Game& game, int tier, int firstTip, int price, int tips, int doorX, int doorY)
{
    if (!AskYesNo(game, "", text(game, kTipsQuestion + tier))) {
        ShowMessage(game, "", text(game, kTipsRefused));
        RelocateParty(game, game.state.floor, doorX, doorY);
        return false;
    }
    const int r = payer(game, price);
    if (r == 0) {
        ShowMessage(game, "", text(game, kTipsAngry));
        ShowMessage(game, "", text(game, kTipsAngry + 1));
        return true;
    }
    const int e = Dice(game.rng, 1, tips, 0);
    ShowMessage(game, "", text(game, firstTip + e));
    game.character(r).gold -= price;
    game.save().eventFlags[firstTip + e - kFirstTipFlag] = 1;
    return false;
}

int RumourDrinker(Game& game, int encounter, int doorX, int doorY)
{
    struct Tier {
        int lastFlag, tier, firstTip, price, tips;
    };
    static constexpr Tier kTiers[] = {{5, 6, 12110, 1000, 5},
                                      {10, 7, 12115, 10000, 5},
                                      {14, 8, 12120, 100000, 4},
                                      {20, 9, 12124, 1000000, 3}};
    int firstClear = 1;
    while (firstClear <= 20 && game.save().eventFlags[firstClear] != 0)
        ++firstClear;
    // Every tip heard: the dearest tier still sells (its tips repeat).
    const Tier* t = &kTiers[3];
    for (const Tier& row : kTiers)
        if (firstClear <= row.lastFlag) {
            t = &row;
            break;
        }
    if (!PaidTips(game, t->tier, t->firstTip, t->price, t->tips, doorX, doorY))
        return 0;
    game.state.encounterOrigin = 13;
    return encounter;
}

void LearnFromBook(Game& game, int school, int level)
{
    ShowMessage(game, "", text(game, 16021));
    ShowMessage(game, "", text(game, 16021 + school));
    const int r = PickMember(game, false);
    if (r < 1)
        return;
    Character& c = game.character(r);
    int16_t& stat = school == 1 ? c.iq : c.piety;
    const int16_t classOfSchool = school == 1 ? Class::Wizard : Class::Cleric;
    if (c.classCode != classOfSchool || c.level < 2 * level - 1 || stat <= level + 8) {
        ShowMessage(game, "", c.name + "は\r\n魔法を憶えることが出来なかった");
        return;
    }
    int16_t& known = c.spellKnown(school - 1, level, 4);
    if (known != 0) {
        ShowMessage(game, "", "すでに習得している");
        return;
    }
    --stat;
    known = 1;
    ShowMessage(game, "", c.name + "は\r\n魔法を憶えた");
    if (c.maxMp(school - 1, level) == 0)
        c.maxMp(school - 1, level) = static_cast<int16_t>(Dice(game.rng, 1, 3, 0));
}

void RaiseStatistic(Game& game, const ItemInHand& hand, int which, int amount)
{
    int rosterNo = 0, slot = 0;
    if (!findInHand(game, hand, rosterNo, slot))
        return;
    if (int16_t* s = statistic(game.character(rosterNo), which))
        *s = static_cast<int16_t>(std::min(*s + amount, 32767));
}

bool ReplaceItem(Game& game, const ItemInHand& hand, int newItem)
{
    int rosterNo = 0, slot = 0;
    if (!findInHand(game, hand, rosterNo, slot))
        return false;
    Character& c = game.character(rosterNo);
    c.items[slot] = static_cast<int16_t>(newItem);
    c.itemFlags[slot] = static_cast<int16_t>(CanEquip(game, rosterNo, newItem));
    ShowMessage(game, "", "アイテムを手に入れた");
    return true;
}

bool GiveReward(Game& game, int itemNo, bool unidentified, bool afterChest)
{
    if (afterChest && FirstFreeSlot(game))
        ShowMessage(game, "", "箱の底にアイテムが入っていた");
    return GiveItem(game, itemNo, unidentified);
}

} // namespace qvr
