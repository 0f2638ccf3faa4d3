#include "maze/teleport.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "core/game.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "maze/movement.h"

namespace qvr {

namespace {

constexpr int kFarthest = 100000;
constexpr int kDeepestFloor = 17;

// Brings a coordinate that left the map by less than a width back once.
int WrapOnce(int v)
{
    if (v < 0)
        return v + kMazeSize;
    if (v >= kMazeSize)
        return v - kMazeSize;
    return v;
}

bool OnMap(int v)
{
    return v >= 0 && v < kMazeSize;
}

// What CheckInRock reads has to stay out of range when it is: a value cut to
// 16 bits must not wrap onto a real floor or cell.
int16_t Held(int v)
{
    return static_cast<int16_t>(std::clamp(v, -30000, 30000));
}

} // namespace

void TeleportPanel::focus(int field)
{
    focused = (field % 3 + 3) % 3;
    selectedAll = true;
}

void TeleportPanel::type(char ch)
{
    if (ch == 0 || std::string_view(kTeleportChars).find(ch) == std::string_view::npos)
        return;
    std::string& text = fields[static_cast<std::size_t>(focused)];
    if (selectedAll)
        text.clear();
    selectedAll = false;
    // The field is narrow; a longer number would say nothing more.
    if (text.size() < 8)
        text += ch;
}

void TeleportPanel::erase()
{
    std::string& text = fields[static_cast<std::size_t>(focused)];
    if (selectedAll)
        text.clear();
    else if (!text.empty())
        text.pop_back();
    selectedAll = false;
}

int TeleportPanel::value(int field) const
{
    const std::string& text = fields[static_cast<std::size_t>(field)];
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        i = 1;
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        v = std::min<long long>(v * 10 + (text[i] - '0'), kFarthest);
    return static_cast<int>(negative ? -v : v);
}

CampOutcome TeleportByOffset(Game& game, int dx, int dy, int dz)
{
    GameState& st = game.state;
    if (st.partyCount < 1)
        return CampOutcome::Stay;
    const Character& first = game.character(st.partyMember[1]);
    const int floor = first.floor + dz;
    int x = st.posX + dx;
    int y = st.posY + dy;
    const bool realFloor = floor >= 1 && floor <= kDeepestFloor;
    if (realFloor) {
        x = WrapOnce(x);
        y = WrapOnce(y);
    }
    const bool onMap = realFloor && OnMap(x) && OnMap(y);
    if (onMap && (game.content().mazeCells(floor, y, x) & kNoTeleportBit)) {
        Save(game);
        ShowMessage(game, "", kTurnedBackText);
        return CampOutcome::Close;
    }
    if (onMap) {
        RelocateParty(game, floor, x, y);
    } else {
        // No floor to enter: the arrival check finds the party lost.
        st.floor = Held(floor);
        st.posX = st.prevX = Held(x);
        st.posY = st.prevY = Held(y);
    }
    CheckInRock(game);
    return CampOutcome::Close;
}

} // namespace qvr
