#include "rules/ageing.h"

#include <algorithm>
#include <limits>
#include <string>

#include "core/dice.h"
#include "core/game.h"
#include "core/prompts.h"
#include "rules/character_rules.h"

namespace qvr {

namespace {

constexpr int kOldAge = 80;
constexpr const char* kCheer = "＼(^o^)／";

void giveGift(Game& game, Character& c, int itemNo, const char* text)
{
    const int slot = FirstEmptySlot(c);
    if (slot == 0)
        return;
    ShowMessage(game, "", text);
    c.items[slot] = static_cast<int16_t>(itemNo);
    c.itemFlags[slot] = 0;
    int32_t& tally = game.save().itemTally[itemNo];
    if (tally < std::numeric_limits<int32_t>::max())
        ++tally;
}

void fanfare(Game& game, const Character& c, const char* what)
{
    ShowMessage(game, "",
                std::string("ぱんぱかぱーん！！\r") + kCheer + "\r" + c.name + "は\n" + what);
}

} // namespace

void AddDays(Character& c, int32_t days)
{
    c.ageDays = static_cast<int16_t>(
        std::clamp<int32_t>(c.ageDays + days, 0, std::numeric_limits<int16_t>::max()));
}

bool DiesOfOldAge(Rng& rng, const Character& c)
{
    return Dice(rng, 1, 3, 0) == 1 && c.age > kOldAge;
}

void DieOfOldAge(Game& game, int rosterNo)
{
    Character& c = game.character(rosterNo);
    ShowMessage(game, "", "・・・・・・・・");
    ShowMessage(game, "", "どうやら私はここまでのようだ・・・");
    ShowMessage(game, "", c.name + "は\n静かに息を引き取った");
    c = game.character(0);
}

void CelebrateBirthdays(Game& game, int rosterNo)
{
    Character& c = game.character(rosterNo);
    if (c.ageDays > kDaysPerYear) {
        ShowMessage(game, "",
                    std::string("ハッピーバースデー\r") + kCheer + "\r" + c.name +
                        "は\n誕生日を迎えました");
        c.age = static_cast<int16_t>(
            std::min<int>(c.age + c.ageDays / kDaysPerYear, std::numeric_limits<int16_t>::max()));
        c.ageDays = static_cast<int16_t>(c.ageDays % kDaysPerYear);
    }
    if (!(c.specialFlags & Special::GiftAt20) && c.age == 20) {
        c.specialFlags |= Special::GiftAt20;
        fanfare(game, c, "成人の誕生日を迎えました");
        giveGift(game, c, kComingOfAgeGift, "お祝いに「ラヴィアンローズ」をさしあげまーす");
    } else if ((c.specialFlags & Special::GiftAt20) && !(c.specialFlags & Special::GiftAt60) &&
               c.age == 60) {
        c.specialFlags |= Special::GiftAt60;
        fanfare(game, c, "還暦を迎えました");
        giveGift(game, c, kSixtiethGift, "お祝いに「アルジャーノンの花束」をさしあげまーす");
    }
}

} // namespace qvr
