#include "core/event_ops.h"
#include "core/game.h"
#include "core/messages.h"
#include "core/music.h"
#include "core/prompts.h"
#include "core/shared_screens.h"
#include "maze/event_stock.h"
#include "maze/maze_events.h"
#include "maze/movement.h"
#include "maze/npc.h"
#include "maze/party_items.h"
#include "maze/wish.h"

namespace qvr {

namespace {

constexpr const char* kForcedTeleport = "\n強制転移！！";

// One script's run: `once` remembers the flag to set if it gets to the end.
struct ScriptRun {
    Game& game;
    int onceFlag = -1;

    int finish(int result)
    {
        if (onceFlag >= 0)
            game.save().eventFlags[onceFlag] = 1;
        return result;
    }
};

} // namespace

bool OfferStairs(Game& game, int floor, bool up, int x, int y)
{
    bool go = AskYesNo(game, "",
                       up ? "上る階段がある\n上がりますか？" : "下る階段がある\n下がりますか？");
    if (go)
        RelocateParty(game, floor, x, y);
    PlayMusic(game, game.state.floorMusic);
    return go;
}

bool TeleportParty(Game& game, int floor, int x, int y)
{
    if (y < 0)
        y += kMazeSize;
    if (x >= kMazeSize)
        x -= kMazeSize;
    if (y >= kMazeSize)
        y -= kMazeSize;
    if (x < 0)
        x += kMazeSize;
    const bool onTheMaze =
        floor >= 0 && floor < kFloorCount && x >= 0 && x < kMazeSize && y >= 0 && y < kMazeSize;
    if (onTheMaze) {
        RelocateParty(game, floor, x, y);
    } else {
        // Nothing of such a place may be read: the arrival check alone decides.
        game.state.floor = static_cast<int16_t>(floor);
        game.state.posX = static_cast<int16_t>(x);
        game.state.posY = static_cast<int16_t>(y);
    }
    return CheckInRock(game);
}

int RunTrigger(Game& game, const EventTable& table, const EventTrigger& trigger,
               const ScriptContext& context)
{
    ScriptRun run{game};
    // A stock step either lets the script go on or ends it; a battle it
    // starts counts as the script's end, so a once-flag is set.
    auto ended = [&](int result) { return result > 0 ? run.finish(result) : result; };
    GameState& st = game.state;
    for (int i = 0; i < trigger.opCount; ++i) {
        const EventOp& op = table.ops[trigger.firstOp + i];
        switch (op.code) {
        case OpCode::Say:
            ShowMessage(game, "", std::string(op.text));
            break;
        case OpCode::Message:
            ShowMessage(game, "", std::string(MessageText(game, op.a)));
            break;
        case OpCode::Scene:
            ShowTexts(game, op.a, op.b);
            break;
        case OpCode::Wall:
            ShowMessage(game, "", "壁に、誰に宛てたのか、\nメッセージが書かれてあった");
            ShowTexts(game, op.a, op.b);
            break;
        case OpCode::Ask:
            if (!AskYesNo(game, "",
                          std::string(op.text.empty() ? MessageText(game, op.a) : op.text)))
                return 0;
            break;
        case OpCode::Once:
            if (game.save().eventFlags[op.a] != 0)
                return 0;
            run.onceFlag = op.a;
            break;
        case OpCode::SetFlag:
            game.save().eventFlags[op.a] = op.b;
            break;
        case OpCode::AddFlag:
            game.save().eventFlags[op.a] += op.b;
            break;
        case OpCode::Give:
            // A full party leaves the item where it was, to be had later.
            if (!GiveItem(game, op.a, op.b == 1))
                return 0;
            break;
        case OpCode::Take:
            TakeItem(game, op.a);
            break;
        case OpCode::Stairs:
            if (!OfferStairs(game, op.a, op.a < st.floor, op.b, op.c))
                return 0;
            break;
        case OpCode::Chute:
            ShowMessage(game, "", "シュート！！");
            if (TeleportParty(game, op.a, op.b, op.c))
                return run.finish(-1);
            break;
        case OpCode::Switch:
            ShowMessage(game, "", "よく見ると、壁の下のほうに\nスイッチがあった");
            if (!AskYesNo(game, "", "スイッチを押しますか？"))
                return 0;
            ShowMessage(game, "", "強制転移！");
            if (TeleportParty(game, op.a, op.b, op.c))
                return run.finish(-1);
            break;
        case OpCode::Teleport:
            ShowMessage(game, "", kForcedTeleport);
            if (TeleportParty(game, op.a, op.b, op.c))
                return run.finish(-1);
            break;
        case OpCode::Move:
            if (TeleportParty(game, op.a, op.b, op.c))
                return run.finish(-1);
            break;
        case OpCode::Trap:
            FloorTrap(game, op.a);
            break;
        case OpCode::Battle:
            st.encounterOrigin = op.b;
            return run.finish(op.a);
        case OpCode::Castle:
            if (!AskYesNo(game, "", "城へ戻りますか？"))
                return 0;
            run.finish(0);
            ReturnToCastle(game);
            return -1;
        case OpCode::Takeover:
            return run.finish(-1);
        case OpCode::Strength:
            if (int r = StrengthTest(game, op.a); r != kGoOn)
                return ended(r);
            break;
        case OpCode::PartyOf:
            if (st.partyCount < op.a)
                return 0;
            break;
        case OpCode::FewerThan:
            if (st.partyCount >= op.a)
                return 0;
            break;
        case OpCode::Bump:
            if (int r = Bump(game); r != kGoOn)
                return ended(r);
            break;
        case OpCode::Box:
            return ended(SealedBox(game, op.a, op.b));
        case OpCode::Riddle:
            if (int r = Riddle(game, op.a, op.b, op.c); r != kGoOn)
                return ended(r);
            break;
        case OpCode::Seller:
            return ended(InformationSeller(game, op.a, op.b));
        case OpCode::Tips:
            if (int r = RumourDrinker(game, op.a, op.b, op.c); r != 0)
                return ended(r);
            break;
        case OpCode::Book:
            LearnFromBook(game, op.a, op.b);
            break;
        case OpCode::Raise:
            RaiseStatistic(game, context.hand, op.a, op.b);
            break;
        case OpCode::Replace:
            if (!ReplaceItem(game, context.hand, op.a))
                return 0;
            break;
        case OpCode::Reward:
            if (!GiveReward(game, op.a, op.b == 1, context.afterChest))
                return 0;
            break;
        case OpCode::Npc:
            MeetNpc(game, op.a);
            return run.finish(-1);
        case OpCode::Altar:
            if (!PartyHasEveryKey(game))
                return run.finish(0);
            ShowTexts(game, op.a, op.b);
            OpenWish(game);
            return run.finish(-1);
        }
    }
    return run.finish(0);
}

} // namespace qvr
