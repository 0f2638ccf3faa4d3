#include "maze/command_text.h"

#include "core/game.h"

namespace qvr {

std::string CommandText(const Game& game)
{
    int32_t effects = game.state.partyEffects;
    std::string text = "Ｅ)再編成　Ｉ）調べる　Ｓ）仲間を探す Ｕ）アイテムを使う\n"
                       "Ｆ）何かを探す　Ｗ）ウィンドウ　Ｑ）冒険の中断　\n";
    if (effects & PartyEffect::Identify)
        text += "【識別】";
    if (effects & PartyEffect::Floating)
        text += "【浮遊】";
    if (effects & (PartyEffect::Armour3 | PartyEffect::Armour5))
        text += "【保護】";
    if (effects & PartyEffect::Compass) {
        static const char* const kCompass[] = {"≪Ｎ≫", "≪Ｅ≫", "≪Ｓ≫", "≪Ｗ≫"};
        text += "\n";
        text += kCompass[game.state.facing & 3];
    }
    return text;
}

} // namespace qvr
