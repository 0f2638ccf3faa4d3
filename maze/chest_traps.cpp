#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/dice.h"
#include "core/game.h"
#include "core/prompts.h"
#include "core/textformat.h"
#include "maze/chest_rules.h"
#include "maze/movement.h"
#include "maze/teleport.h"
#include "rules/character_rules.h"
#include "rules/equipment.h"
#include "rules/experience.h"

namespace qvr {

namespace {

// A member hidden or beyond care is never a trap's random target.
constexpr int32_t kNotTargetable = Cond::BeyondCare | Cond::Hidden;
constexpr int kArmourKind = 3;

constexpr std::array<const char*, kTrapEffectCount + 1> kAnnouncements = {
    "",
    "ゲンコツが飛んできた！",
    "げっ！ 毒針が飛んできた",
    "暗闇が襲ってきたっ",
    "うぐぅ、体が重い・・・",
    "運が悪いねぇ～",
    "悲劇が襲ってきたっ",
    "意味不明！！",
    "おおっと　テレポーター",
    "バイオハザードだ！",
    "ダルニフォルトが炸裂した！",
    "鎮魂歌が聞こえてきた・・・",
    "混沌たる者共に審判を！",
    "秩序たる者共に天罰を！",
    "ブレイクウェポン！！",
    "心無き者共に怒りを！",
    "バンパイアの瞳がこちらを睨んだ！",
    "メドゥサに睨まれた！！",
    "ウサギが飛び出した！！",
    "汝に －Ｅｎｄ　Ｏｆ　Ｄｅｓｔｉｎｙ－　を！！",
    "地獄へ堕ちろ！",
    "癒しの光に包まれた",
    "記憶の壊れる音がした・・・",
    "箱から奇妙なモンスターが飛び出した",
    "あなたは神を信じますか？",
    "汝に神の祝福あれ！！",
    "で・び・る・びぃぃぃいぃいぃぃぃむ！！",
    "不幸の足音が聞こえてきた・・・",
    "箱の中から罪があふれだした・・・",
    "空気の渦に引き込まれた！",
    "白衣の天使が飛び出した！",
    "野郎ども！！仕事だぜぇ！",
    "あっとと、のろいのカメ！",
    "ふぁ・い・な・る\nぬぅぅぅぅっぅぅうううううぅぅううど！！",
    "無駄無駄無駄無駄無駄",
    "あぷりけーしょん　えらー",
    "黒装束の男が箱から飛び出した！",
    "おっと、ハートリップ",
    "おっと、デスリップ",
};

constexpr const char* kNothingText = "しかし何もおこらなかった";

void say(Game& game, const std::string& text)
{
    ShowMessage(game, "", text);
}

int roll(Game& game, int sides)
{
    return Dice(game.rng, 1, sides, 0);
}

// High luck protects: hit when a die of the member's luck comes under `below`.
bool luckFails(Game& game, const Character& c, int below)
{
    return roll(game, c.luck) < below;
}

// Resistance entry `i` (1..33) saves when it reaches a roll of 1d100.
bool resistFails(Game& game, const Character& c, int i)
{
    return c.res[i] < roll(game, 100);
}

bool hit(Game& game, const Character& c, int luckBelow, int resistance)
{
    return luckFails(game, c, luckBelow) && resistFails(game, c, resistance);
}

void spared(Game& game, const Character& c)
{
    say(game, c.name + "は\n罠を回避した");
}

void dies(Game& game, Character& c, const std::string& how = "は\n死んだ・・・")
{
    c.conditions |= Cond::Dead;
    c.hp = 0;
    say(game, c.name + how);
}

void wound(Game& game, Character& c, int32_t damage)
{
    c.hp -= damage;
    say(game, c.name + "は\n" + fullWidthDigits(damage) + "のダメージをうけた");
    if (c.hp < 1)
        dies(game, c);
}

std::vector<Character*> everyone(Game& game, bool skipBeyondCare)
{
    std::vector<Character*> list;
    for (int i = 1; i <= game.state.partyCount; ++i) {
        Character& c = game.character(game.state.partyMember[i]);
        if (!skipBeyondCare || !(c.conditions & Cond::BeyondCare))
            list.push_back(&c);
    }
    return list;
}

// Any member, fit or not.
Character* anyMember(Game& game)
{
    const GameState& st = game.state;
    if (st.partyCount < 1)
        return nullptr;
    return &game.character(st.partyMember[roll(game, st.partyCount)]);
}

// A member a trap can reach; nullptr when the draws keep missing.
Character* targetableMember(Game& game)
{
    for (int tries = 0; tries < 51; ++tries) {
        Character* c = anyMember(game);
        if (c && !(c->conditions & kNotTargetable))
            return c;
    }
    return nullptr;
}

void destroyItem(Game& game, Character& c, int slot)
{
    const std::string name = game.item(c.items[slot]).name;
    c.items[slot] = 0;
    c.itemFlags[slot] = 0;
    CompactItems(game, c.rosterNo);
    // What the lost item gave (armour class, resistances) goes with it.
    ApplyEquipment(game, c.rosterNo);
    say(game, c.name + "の" + name + "壊れた・・・");
}

// Traps 12, 13 and 15: members of one alignment may be left with 1 HP.
void judge(Game& game, int16_t alignment, const char* struck, const char* passed)
{
    for (Character* c : everyone(game, true)) {
        if (c->alignment == alignment && luckFails(game, *c, 10)) {
            c->hp = 1;
            say(game, c->name + "は\n" + struck);
        } else {
            say(game, c->name + "は\n" + passed);
        }
    }
}

void teleporter(Game& game)
{
    GameState& st = game.state;
    if (st.eventResult != 0)
        return;
    const int x = roll(game, 19), y = roll(game, 19);
    if (game.content().mazeCells(st.floor, y, x) & kNoTeleportBit)
        return;
    RelocateParty(game, st.floor, x, y);
    st.facing = static_cast<int16_t>(roll(game, 4) - 1);
}

void forgetSpell(Game& game, Character& c)
{
    for (int tries = 0; tries < 100; ++tries) {
        int school = roll(game, 2) - 1, level = roll(game, 9), slot = roll(game, 4);
        if (int16_t& known = c.spellKnown(school, level, slot); known != 0) {
            known = 0;
            say(game, c.name + "は\n呪文を忘れた");
            return;
        }
    }
    say(game, kNothingText);
}

// Trap 29: the member is swept away to the deep floors and leaves the party.
void vortex(Game& game, Character& c)
{
    GameState& st = game.state;
    c.groupNo = 0;
    c.floor = static_cast<int16_t>(roll(game, 4) + 13);
    c.posX = static_cast<int16_t>(roll(game, 19));
    c.posY = static_cast<int16_t>(roll(game, 10));
    c.ac = c.baseAc;
    int kept = 0;
    for (int i = 1; i <= st.partyCount; ++i)
        if (st.partyMember[i] != c.rosterNo)
            st.partyMember[++kept] = st.partyMember[i];
    for (int i = kept + 1; i <= st.partyCount; ++i)
        st.partyMember[i] = 0;
    st.partyCount = static_cast<int16_t>(kept);
    say(game, c.name + "は\n渦の中に消え去った");
}

void bandits(Game& game)
{
    say(game, "どこからともなく\nなぞの盗賊軍団が現れた！");
    for (int tries = 0; tries < 5; ++tries) {
        Character* c = anyMember(game);
        const int slot = roll(game, 12);
        if (!c || c->items[slot] == 0 || (c->itemFlags[slot] & ItemFlag::SlotMask))
            continue;
        c->items[slot] = 0;
        c->itemFlags[slot] = 0;
        CompactItems(game, c->rosterNo);
        say(game, c->name + "は\nアイテムを盗まれた");
    }
}

void siren(Game& game)
{
    for (Character* c : everyone(game, false)) {
        if ((c->conditions & Cond::BeyondCare) || c->sex != 1) {
            say(game, kNothingText);
        } else if (resistFails(game, *c, 21)) {
            const int32_t damage = roll(game, c->hp);
            c->hp -= damage;
            say(game, c->name + "は\n" + fullWidthDigits(damage) + "のダメージをうけた");
            say(game, c->name + "は\n魅了された");
            c->conditions |= Cond::Charmed;
            if (c->hp < 1)
                dies(game, *c);
        } else {
            spared(game, *c);
        }
    }
}

void closeTheGame(Game& game)
{
    ShowMessage(game, "",
                "もぢゅーる　「おすとらべる」の一般保護違反です\n"
                "このパーティーからの応答がありません\nどうしますか？\n\n"
                "【あきらめる】　【なげだす】");
    // The program ends as it stands: what was last saved is the game.
    if (game.store)
        game.store->unlock();
    game.screen.quit = true;
}

// The effects that strike one member of the party.
void oneMember(Game& game, int number, Character& c)
{
    switch (number) {
    case 5:
        if (c.luck <= 1 && roll(game, 20) != 1) {
            say(game, "しかし " + c.name + "は\n悪運が強かった");
        } else {
            --c.luck;
            say(game, c.name + "の運が下がった");
        }
        break;
    case 6:
        if (!luckFails(game, c, 10)) {
            say(game, c.name + "は\n悲劇を免れた");
            break;
        }
        for (int school = 0; school <= 1; ++school)
            for (int level = 1; level <= 9; ++level)
                c.mp(school, level) = 0;
        say(game, c.name + "は\nＭＰが無くなった");
        break;
    case 7:
        c.age = static_cast<int16_t>(c.age + roll(game, 5));
        say(game, c.name + "は\n年老いた");
        break;
    case 14:
    case 23: {
        // The main weapon is worn in the main hand and nowhere else (flags
        // exactly 1); armour is whatever is worn as body armour.
        int slot = 1;
        for (; slot <= 12; ++slot) {
            const int16_t flags = c.itemFlags[slot];
            if (c.items[slot] != 0 &&
                (number == 14 ? flags == kMainHand : (flags & ItemFlag::SlotMask) == kArmourKind))
                break;
        }
        if (slot > 12)
            say(game, kNothingText);
        else
            destroyItem(game, c, slot);
        break;
    }
    case 16:
        if (roll(game, 100) < c.res[30] || c.level < 2) {
            spared(game, c);
        } else {
            DrainLevels(game.rng, c, 1);
            say(game, c.name + "は\nＬＶが１つ落ちた");
        }
        break;
    case 17:
        if (!hit(game, c, 10, 29)) {
            spared(game, c);
        } else {
            c.conditions |= Cond::Stoned;
            say(game, c.name + "は\n石化した！");
        }
        break;
    case 18:
        if (!hit(game, c, 10, 31))
            spared(game, c);
        else
            dies(game, c, "は\n首をはねられた！");
        break;
    case 19:
        if (!hit(game, c, 10, 33)) {
            spared(game, c);
        } else {
            c.conditions |= Cond::Vanished;
            c.hp = 0;
            say(game, c.name + "の運命は途切れた・・・");
        }
        break;
    case 21:
        if ((c.conditions & Cond::Sick) || c.race == Race::Angel) {
            say(game, kNothingText);
        } else {
            c.conditions &= ~(Cond::Asleep | Cond::Paralysed | Cond::Afraid | Cond::Confused |
                              Cond::Frozen | Cond::Shocked | Cond::Charmed | Cond::Poisoned |
                              Cond::Silenced | Cond::Blind | Cond::Stoned);
            c.hp = c.maxHp;
            say(game, c.name + "は\n全快した");
        }
        break;
    case 22:
        forgetSpell(game, c);
        break;
    case 24:
        if (roll(game, 20) > c.piety) {
            ++c.piety;
            say(game, c.name + "の信仰心があがった");
        } else {
            say(game, kNothingText);
        }
        break;
    case 25:
        c.race = Race::Angel;
        c.exp = ExpForLevel(c.level - 1, c.classCode, c.race);
        // Items that ask for the old race may no longer be worn.
        RefreshWearability(game, c.rosterNo);
        say(game, c.name + "は天使になった");
        break;
    case 27:
        if (!hit(game, c, 10, 7))
            spared(game, c);
        else
            wound(game, c, roll(game, static_cast<int>(std::lround(c.steps)) / 32));
        break;
    case 29:
        vortex(game, c);
        break;
    case 32:
        if (c.agility >= 4) {
            --c.agility;
            say(game, c.name + "のすばやさが下がった");
        } else {
            say(game, kNothingText);
        }
        break;
    case 36:
        c.gold = 0;
        say(game, c.name + "は\nお金を盗まれた");
        break;
    case 37:
        c.vitality = static_cast<int16_t>(c.rip == 0 ? 1 : std::min<int32_t>(c.rip, 20));
        say(game, c.name + "の生命力が変化した");
        break;
    case 38:
        c.maxHp = std::max<int32_t>(c.maxHp - c.rip, 1);
        c.hp = std::min(c.hp, c.maxHp);
        say(game, c.name + "の最大ＨＰが下がった");
        break;
    default:
        break;
    }
}

// Which member a one-member trap strikes: the actor, any member, or one a
// trap can reach. nullptr for the traps that strike the party at large.
Character* victim(Game& game, int number, int actorRosterNo)
{
    switch (number) {
    case 5:
    case 6:
    case 7:
    case 14:
    case 17:
    case 18:
    case 21:
    case 27:
    case 32:
        return targetableMember(game);
    case 16:
    case 19:
    case 22:
    case 23:
    case 24:
    case 25:
    case 29:
    case 36:
    case 37:
    case 38:
        return anyMember(game);
    default:
        return actorRosterNo > 0 ? &game.character(actorRosterNo) : anyMember(game);
    }
}

} // namespace

TrapEnd ApplyTrapEffect(Game& game, int number, int actorRosterNo)
{
    if (number < 1 || number > kTrapEffectCount) {
        say(game, "かいはつちゅー");
        return TrapEnd::Continue;
    }
    if (number == 7)
        say(game, "×○△◇※＃＄％＆！？");
    say(game, kAnnouncements[static_cast<std::size_t>(number)]);
    if (number == 34)
        say(game, "無駄無駄無駄無駄無駄無駄無駄無駄ァァ！");
    Character* actor = actorRosterNo > 0 ? &game.character(actorRosterNo) : anyMember(game);
    if (!actor)
        return TrapEnd::Continue;
    switch (number) {
    case 1:
        say(game, actor->name + "は\nダメージを受けた");
        if (!(actor->conditions & Cond::BeyondCare))
            actor->hp = actor->hp / 2 + 1;
        return TrapEnd::Continue;
    case 2:
    case 3:
        if (!hit(game, *actor, 10, number == 2 ? 22 : 16)) {
            spared(game, *actor);
        } else {
            actor->conditions |= number == 2 ? Cond::Poisoned : Cond::Paralysed;
            say(game, actor->name + (number == 2 ? "は\n毒に犯された" : "は\n麻痺した"));
        }
        return TrapEnd::Continue;
    case 4:
        for (Character* c : everyone(game, true)) {
            if (!luckFails(game, *c, 10)) {
                spared(game, *c);
                continue;
            }
            c->hp /= 2;
            say(game, c->name + "は\n" + fullWidthDigits(c->hp) + "のダメージをうけた");
        }
        return TrapEnd::Continue;
    case 8:
        teleporter(game);
        return TrapEnd::Continue;
    case 9:
        for (Character* c : everyone(game, false))
            if (hit(game, *c, 7, 22)) {
                c->conditions |= Cond::Poisoned;
                say(game, c->name + "は\n毒に犯された");
            }
        return TrapEnd::Continue;
    case 10:
    case 26:
        for (Character* c : everyone(game, true)) {
            bool miss = number == 10 ? !luckFails(game, *c, 10) || !resistFails(game, *c, 6) ||
                                           !resistFails(game, *c, 2)
                                     : !hit(game, *c, 10, 4);
            if (miss)
                spared(game, *c);
            else
                wound(game, *c, Dice(game.rng, 20, 20, 1));
        }
        return TrapEnd::Continue;
    case 11:
        if (resistFails(game, *actor, 13))
            dies(game, *actor);
        else
            say(game, "効果が無かった");
        return TrapEnd::Continue;
    case 12:
        judge(game, Align::Chaotic, "審判を受けた", "審判を受けなかった");
        return TrapEnd::Continue;
    case 13:
        judge(game, Align::Lawful, "天罰を受けた", "天罰を受けなかった");
        return TrapEnd::Continue;
    case 15:
        judge(game, Align::Neutral, "ダメージを受けた", "ダメージを受けなかった");
        return TrapEnd::Continue;
    case 20:
        for (Character* c : everyone(game, false)) {
            if (hit(game, *c, 8, 13))
                dies(game, *c);
            else
                spared(game, *c);
        }
        return TrapEnd::Continue;
    case 28:
        for (Character* c : everyone(game, true)) {
            if (c->piety < 16)
                say(game, kNothingText);
            else
                wound(game, *c, c->marks / 10);
        }
        return TrapEnd::Continue;
    case 30:
        for (Character* c : everyone(game, false))
            c->conditions &= ~Cond::Sick;
        say(game, "パーティーは治療された");
        return TrapEnd::Continue;
    case 31:
        bandits(game);
        return TrapEnd::Continue;
    case 33:
        siren(game);
        return TrapEnd::Continue;
    case 34:
        for (Character* c : everyone(game, false))
            c->exp = ExpForLevel(c->level - 2, c->classCode, c->race);
        say(game, "パーティーの経験値が失われた");
        return TrapEnd::Continue;
    case 35:
        closeTheGame(game);
        return TrapEnd::Closed;
    default:
        if (Character* c = victim(game, number, actorRosterNo))
            oneMember(game, number, *c);
        return TrapEnd::Continue;
    }
}

} // namespace qvr
