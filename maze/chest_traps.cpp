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
#include "maze/chest_trap_kit.h"
#include "maze/movement.h"
#include "maze/teleport.h"
#include "rules/character_rules.h"
#include "rules/equipment.h"
#include "rules/experience.h"

namespace qvr {

namespace {

using namespace trapkit;

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
        StrikeOneMember(game, number, actorRosterNo);
        return TrapEnd::Continue;
    }
}

} // namespace qvr
