#include "maze/item_card.h"

#include <array>
#include <utility>

#include "core/records.h"
#include "core/textformat.h"

namespace qvr {

namespace {

using Mark = std::pair<int, const char*>;

constexpr std::array<Mark, 10> kRaceMarks{{{1, "人間"},
                                           {2, "エルフ"},
                                           {4, "ドワーフ"},
                                           {8, "ノーム"},
                                           {16, "ホビット"},
                                           {32, "フェアリー"},
                                           {64, "ドラゴン"},
                                           {128, "デーモン"},
                                           {256, "エンジェル"},
                                           {512, "ミュータント"}}};

constexpr std::array<Mark, 13> kClassMarks{{{1, "戦士"},
                                            {2, "魔導士"},
                                            {4, "僧侶"},
                                            {8, "盗賊"},
                                            {16, "賢者"},
                                            {32, "バード"},
                                            {128, "ワルキュリア"},
                                            {256, "侍"},
                                            {512, "ロード"},
                                            {1024, "忍者"},
                                            {2048, "魔剣士"},
                                            {8192, "陰陽師"},
                                            {16384, "武闘家"}}};

constexpr std::array<const char*, 13> kKindTexts = {
    "不明",       "武器",     "盾",   "鎧",         "小手",     "靴",        "兜",
    "アクセサリ", "アイテム", "楽器", "マテリアル", "イベント", "護符・宝珠"};

template <std::size_t N>
void AddMarks(std::vector<std::string>& out, int mask, const std::array<Mark, N>& marks)
{
    for (const Mark& m : marks)
        if (mask & m.first)
            out.push_back(m.second);
}

std::string Fw(long long n)
{
    return fullWidthDigits(n);
}

std::string Joined(const std::vector<std::string>& marks)
{
    std::string out;
    for (const std::string& m : marks)
        out += " " + m;
    return out;
}

} // namespace

const char* CardKindText(int kind)
{
    return kind >= 1 && kind <= 12 ? kKindTexts[static_cast<std::size_t>(kind)] : kKindTexts[0];
}

ItemCard MakeItemCard(const ItemDef& item)
{
    ItemCard card;
    card.caption = item.name;
    AddMarks(card.races, item.raceMask, kRaceMarks);
    AddMarks(card.classes, item.classMask, kClassMarks);
    AddMarks(card.sexAndAlignment, item.sexMask, std::array<Mark, 2>{{{1, "男"}, {2, "女"}}});
    AddMarks(card.sexAndAlignment, item.alignMask,
             std::array<Mark, 3>{{{1, "秩序"}, {2, "中立"}, {4, "混沌"}}});
    card.ac = "AC " + Fw(item.acBonus);
    card.regen = "回復 " + Fw(item.regen);
    card.reach = item.reach == 1   ? "短距離"
                 : item.reach == 2 ? "中距離"
                 : item.reach == 3 ? "長距離"
                                   : "";
    card.twoHanded = item.twoHanded != 0;
    card.secondary = item.secondHand != 0 && item.kind == 1;
    card.attacks = Fw(item.attacks) + "回攻撃";
    card.damage =
        Fw(item.damageDice[0]) + "D" + Fw(item.damageDice[1]) + "+" + Fw(item.damageDice[2]);
    card.hitBonus = "ＳＴ " + Fw(item.hitBonus);
    card.kind = CardKindText(item.kind);
    card.spell = item.castSpell > 0 ? "ＭＰあり" : "ＭＰなし";
    card.power = item.specialPower > 0 ? "ＳＰあり" : "ＳＰなし";
    card.price = Fw(item.price);
    card.cursed = item.cursed != 0;
    return card;
}

std::vector<std::string> ItemCardLines(const ItemCard& c)
{
    std::string equip1 = "装備１: " + c.ac + " / " + c.regen + " / " + c.reach;
    if (c.twoHanded)
        equip1 += " / 両手持ち";
    if (c.secondary)
        equip1 += " / セカンダリー";
    std::string equip2 = "装備２: " + c.attacks + " / " + c.damage + " / " + c.hitBonus + " / " +
                         c.kind + " / " + c.spell + " / " + c.power + " / 値段 " + c.price;
    if (c.cursed)
        equip2 += " / 呪われている";
    return {c.caption,
            "種族:" + Joined(c.races),
            "職業:" + Joined(c.classes),
            "性別＆属性:" + Joined(c.sexAndAlignment),
            equip1,
            equip2};
}

} // namespace qvr
