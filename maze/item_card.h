#pragma once

// The item card fraInspect: what the status window shows of an item in place
// of the character sheet once it has been appraised.

#include <string>
#include <vector>

namespace qvr {

struct ItemDef;

// The marks and fields of the card, each as it is printed; a mark not shown
// is left out of its list. Numbers are full-width.
struct ItemCard {
    std::string caption;                      // the item's name
    std::vector<std::string> races;           // fraRace "種族"
    std::vector<std::string> classes;         // fraClass "職業"
    std::vector<std::string> sexAndAlignment; // fraSexAttribute "性別＆属性"
    // fraEquip1 "装備１"
    std::string ac;    // "AC －２"
    std::string regen; // "回復 １"
    std::string reach; // "短距離", "中距離", "長距離" or ""
    bool twoHanded = false;
    bool secondary = false;
    // fraEquip2 "装備２"
    std::string attacks;  // "２回攻撃"
    std::string damage;   // "１D８+０"
    std::string hitBonus; // "ＳＴ ３"
    std::string kind;     // "武器" .. "護符・宝珠", "不明"
    std::string spell;    // "ＭＰあり" / "ＭＰなし"
    std::string power;    // "ＳＰあり" / "ＳＰなし"
    std::string price;
    bool cursed = false;

    bool operator==(const ItemCard&) const = default;
};

ItemCard MakeItemCard(const ItemDef& item);

// The card's kind text (not the shop's: kind 8 is "アイテム", 11 "イベント").
const char* CardKindText(int kind);

// The card as lines, frame by frame ("種族: 人間 エルフ"), for the script
// transcript, the dump and tests.
std::vector<std::string> ItemCardLines(const ItemCard& card);

} // namespace qvr
