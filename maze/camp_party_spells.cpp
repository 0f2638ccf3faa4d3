// The camp's spells on the party as a whole: protection, levitation, the
// lasting party effects, where the party or a character is, what lies beyond
// the wall, and the way home.

#include "maze/camp_spells.h"

#include <array>

#include "core/game.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/textformat.h"
#include "maze/movement.h"
#include "rules/character_lists.h"

namespace qvr {

namespace {

constexpr int kLastUpperFloor = 13;
constexpr int kDeepestFloor = 17;
constexpr const char* kHereText = "パーティーは現在　";
constexpr const char* kDeepHallsText = "ホール・オブ・ペインの\n何処かにいます";
constexpr std::array<const char*, 4> kFacingTexts = {"北を向いています", "東を向いています",
                                                     "南を向いています", "西を向いています"};
// Every character the roster holds, wherever it is.
constexpr int kWholeRosterMode = 3;

bool InDeepHalls(int floor)
{
    return floor > kLastUpperFloor && floor <= kDeepestFloor;
}

bool Rock(const Game& game, int floor, int x, int y)
{
    return game.content().mazeWalls(floor, y, x) == 15 &&
           game.content().mazeDoors(floor, y, x) == 0;
}

} // namespace

std::string PlaceWords(int floor, int x, int y)
{
    if (InDeepHalls(floor))
        return kDeepHallsText;
    return std::string("城から東に　") + fullWidthDigits(x) + "南に" + fullWidthDigits(y) +
           "\n地下" + fullWidthDigits(floor) + "階にいます";
}

void CastProtection(Game& game, const SpellDef& spell)
{
    const int32_t bit = spell.dice[0] == 5 ? PartyEffect::Armour5 : PartyEffect::Armour3;
    if (game.state.partyEffects & bit) {
        ShowMessage(game, "", "すでに効いている");
        return;
    }
    game.state.partyEffects |= bit;
    ShowMessage(game, "", kCastText);
}

void CastLevitation(Game& game)
{
    const int floor = game.state.floor;
    if (floor < 1 || floor > kLastUpperFloor) {
        ShowMessage(game, "", kNothingHappenedText);
        return;
    }
    game.state.partyEffects |= PartyEffect::Floating;
    ShowMessage(game, "", "浮かんだ");
}

void SetPartyEffect(Game& game, int bit)
{
    game.state.partyEffects |= bit;
    ShowMessage(game, "", kCastText);
}

void ReportLocation(Game& game)
{
    const GameState& st = game.state;
    std::string text = kHereText;
    if (st.floor >= 1 && st.floor <= kLastUpperFloor) {
        text += "\n" + PlaceWords(st.floor, st.posX, st.posY);
        if (st.facing >= 0 && st.facing < 4)
            text += std::string("\n") + kFacingTexts[static_cast<std::size_t>(st.facing)];
    } else {
        text += kDeepHallsText;
    }
    ShowMessage(game, "現在位置", text);
}

void LookThroughWall(Game& game)
{
    const GameState& st = game.state;
    static constexpr std::array<int, 4> kDx = {0, 1, 0, -1};
    static constexpr std::array<int, 4> kDy = {-1, 0, 1, 0};
    const auto facing = static_cast<std::size_t>(st.facing & 3);
    const int x = (st.posX + kDx[facing] + kMazeSize) % kMazeSize;
    const int y = (st.posY + kDy[facing] + kMazeSize) % kMazeSize;
    const bool inMaze = st.floor >= 0 && st.floor < kFloorCount && st.posX >= 0 &&
                        st.posX < kMazeSize && st.posY >= 0 && st.posY < kMazeSize;
    const bool rock = inMaze && Rock(game, st.floor, x, y);
    ShowMessage(game, "", rock ? "壁の向こうは石です" : "壁の向こうは空間です");
}

CampOutcome ReturnToEntrance(Game& game)
{
    if (InDeepHalls(game.state.floor)) {
        ShowMessage(game, "", kNothingHappenedText);
        return CampOutcome::Stay;
    }
    ShowMessage(game, "", kCastText);
    RelocateParty(game, 1, 0, 0);
    for (int i = 1; i <= game.state.partyCount; ++i)
        game.character(game.state.partyMember[i]).gold = 0;
    Save(game);
    return CampOutcome::Close;
}

void LocateCharacter(Game& game)
{
    const int r = ChooseCharacter(game, kWholeRosterMode);
    if (r < 1) {
        ShowMessage(game, "", kOopsText);
        return;
    }
    const Character& c = game.character(r);
    if (c.floor >= 1 && c.floor <= kDeepestFloor)
        ShowMessage(game, "", c.name + "は現在" + "\n" + PlaceWords(c.floor, c.posX, c.posY));
    else
        ShowMessage(game, "", c.name + "は\n城内にいます");
}

} // namespace qvr
