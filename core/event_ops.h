#pragma once

// The vocabulary the floors' events are written in, and the compiled form of
// a floor's triggers. The content compiler reads the event scripts under
// data/ and writes them out in this form into EVENTS.DAT (core/event_file.h),
// which the game reads at start-up; the maze's runner reads nothing else. A
// new action is one more row of kEventOps and one more case in the runner:
// the script format does not change.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace qvr {

// The four moments a floor reacts to.
enum class TriggerSet : uint8_t {
    Enter = 0,  // the party walked onto the cell or turned on it
    Search = 1, // key F
    Use = 2,    // key U with an item
    After = 3,  // a won battle or an opened chest on the cell
};
inline constexpr std::array<std::string_view, 4> kTriggerSetNames{"enter", "search", "use",
                                                                  "after"};

// What a trigger asks of the game before its script runs. A trigger whose
// cell matches but whose conditions fail ends the search: no later trigger
// runs, unless the failing one says so (EventTrigger::passOn).
enum class CondCode : uint8_t {
    FlagSet = 1,   // eventFlags[a] != 0
    FlagClear = 2, // eventFlags[a] == 0
    FlagBelow = 3, // eventFlags[a] < b (a counter that has not yet run out)
    PartyHas = 4,  // some member carries item a
    PartyLacks = 5,
    RosterLacks = 6, // nobody on the whole roster carries item a
    Night = 7,       // the hour is above 18 or below 4
    Day = 8,
};

struct EventCond {
    CondCode code;
    int16_t a = 0;
    int16_t b = 0;
};

enum class OpCode : uint8_t {
    Say = 1,        // text: one message box with a fixed text
    Message = 2,    // a: one numbered text
    Scene = 3,      // a..b: numbered texts, one box each
    Wall = 4,       // the wall-message heading, then the scene a..b
    Ask = 5,        // a (or text): a yes/no question; no ends the script
    Once = 6,       // a: a set flag ends the script; a finished script sets it
    SetFlag = 7,    // flag a = b
    AddFlag = 8,    // flag a += b
    Give = 9,       // item a; b = 1 leaves it unidentified
    Take = 10,      // item a, the first copy in the party's packs
    Stairs = 11,    // floor a, x b, y c: the stairs question, then relocate
    Chute = 12,     // floor a, x b, y c: no question
    Teleport = 13,  // floor a, x b, y c: "強制転移！！", relocate, the arrival check
    Move = 14,      // floor a, x b, y c: relocate without a word (a push back)
    Trap = 15,      // a d10 on each member that fails its luck
    Battle = 16,    // encounter a, encounterOrigin b: ends the script with a battle
    Castle = 17,    // "城へ戻りますか？"; yes leaves the maze
    Takeover = 18,  // ends the script; no encounter roll this action
    Switch = 19,    // the hidden switch question; yes teleports like Teleport
    Strength = 20,  // a: a member at least this strong opens the way, or the script ends
    PartyOf = 21,   // a: a party of at least a members, or the script ends
    FewerThan = 22, // a: a party of fewer than a members, or the script ends
    Bump = 23,      // 1d3 = 2: "いてっ！" and the script ends
    Box = 24,       // encounter a: "箱を空けますか？"; yes fights its guardian
    Riddle = 25,    // texts a (question), b (pass), c (fail): a wrong answer steps back
    Seller = 26,    // price a, texts b..b+5: where an unheld key lies
    Tips = 27,      // encounter a, the door x b, y c: the rumour drinker
    Book = 28,      // school a (1 wizard, 2 cleric), spell level b
    Raise = 29,     // statistic a (1 strength .. 6 luck) += b for the member using the item
    Replace = 30,   // item a takes the place of the item being used
    Reward = 31,    // item a (b = 1 unidentified): an after-battle reward
    // The dungeon characters and the altar.
    Npc = 50,   // a: meets character a (greeting, its panel); no encounter roll
    Altar = 51, // a..b: with all seven keys, this scene and the wish panel
};

// How an operation's arguments are written: numbers, a quoted text, or a
// number or a quoted text.
enum class OpArgs : uint8_t { Numbers, Text, NumberOrText };

struct OpInfo {
    OpCode code;
    std::string_view name; // the word in the script
    OpArgs args;
    int8_t minNumbers; // numbers the script must give
    int8_t maxNumbers; // ... and may give (the rest are 0, or the default)
    const char* what;
    // Which number (0 a, 1 b) names an event flag or an item, -1 none: the
    // compiler and the loader of EVENTS.DAT hold them to their tables.
    int8_t flagArg = -1;
    int8_t itemArg = -1;
};

// Rows 1..49 are the maze's own actions; the dungeon characters' come after.
inline constexpr OpInfo kEventOps[] = {
    {OpCode::Say, "say", OpArgs::Text, 0, 0, "a fixed text"},
    {OpCode::Message, "message", OpArgs::Numbers, 1, 1, "a numbered text"},
    {OpCode::Scene, "scene", OpArgs::Numbers, 2, 2, "numbered texts first..last"},
    {OpCode::Wall, "wall", OpArgs::Numbers, 2, 2, "a message on the wall, texts first..last"},
    {OpCode::Ask, "ask", OpArgs::NumberOrText, 0, 1, "a question; no ends the script"},
    {OpCode::Once, "once", OpArgs::Numbers, 1, 1, "runs while flag n is clear, then sets it", 0},
    {OpCode::SetFlag, "flag", OpArgs::Numbers, 2, 2, "flag n = value", 0},
    {OpCode::AddFlag, "count", OpArgs::Numbers, 2, 2, "flag n += value", 0},
    {OpCode::Give, "give", OpArgs::Numbers, 1, 2, "item n (1: unidentified)", -1, 0},
    {OpCode::Take, "take", OpArgs::Numbers, 1, 1, "takes item n", -1, 0},
    {OpCode::Stairs, "stairs", OpArgs::Numbers, 3, 3, "stairs to floor, x, y"},
    {OpCode::Chute, "chute", OpArgs::Numbers, 3, 3, "a chute to floor, x, y"},
    {OpCode::Teleport, "teleport", OpArgs::Numbers, 3, 3, "a forced teleport to floor, x, y"},
    {OpCode::Move, "move", OpArgs::Numbers, 3, 3, "puts the party on floor, x, y"},
    {OpCode::Trap, "trap", OpArgs::Numbers, 1, 1, "a floor trap of n d10"},
    {OpCode::Battle, "battle", OpArgs::Numbers, 1, 2, "encounter n (origin, 13 if not given)"},
    {OpCode::Castle, "castle", OpArgs::Numbers, 0, 0, "the way back to the castle"},
    {OpCode::Takeover, "takeover", OpArgs::Numbers, 0, 0, "no encounter roll this action"},
    {OpCode::Switch, "switch", OpArgs::Numbers, 3, 3, "a hidden switch that teleports"},
    {OpCode::Strength, "strength", OpArgs::Numbers, 1, 1, "a member this strong, or the end"},
    {OpCode::PartyOf, "party", OpArgs::Numbers, 1, 1, "at least n members, or the end"},
    {OpCode::FewerThan, "fewer", OpArgs::Numbers, 1, 1, "fewer than n members, or the end"},
    {OpCode::Bump, "bump", OpArgs::Numbers, 0, 0, "1d3 = 2 bumps into something unseen"},
    {OpCode::Box, "box", OpArgs::Numbers, 1, 2, "a sealed box guarded by encounter n"},
    {OpCode::Riddle, "riddle", OpArgs::Numbers, 3, 3, "question, pass and fail texts"},
    {OpCode::Seller, "seller", OpArgs::Numbers, 2, 2, "price and first of six texts"},
    {OpCode::Tips, "tips", OpArgs::Numbers, 3, 3, "drinker's encounter, door x, y"},
    {OpCode::Book, "book", OpArgs::Numbers, 2, 2, "school (1, 2) and spell level"},
    {OpCode::Raise, "raise", OpArgs::Numbers, 2, 2, "statistic (1..6) += n for the user"},
    {OpCode::Replace, "replace", OpArgs::Numbers, 1, 1, "the used item becomes item n", -1, 0},
    {OpCode::Reward, "reward", OpArgs::Numbers, 1, 2, "item n after a battle or chest", -1, 0},
    {OpCode::Npc, "npc", OpArgs::Numbers, 1, 1, "meets dungeon character n"},
    {OpCode::Altar, "altar", OpArgs::Numbers, 2, 2, "with the seven keys: texts, then a wish"},
};

inline constexpr int16_t kScriptedBattleOrigin = 13;

struct EventOp {
    OpCode code;
    int16_t a = 0;
    int16_t b = 0;
    int16_t c = 0;
    std::string_view text{};
};

// Facing bits of a trigger: 1 << facing (north 1, east 2, south 4, west 8);
// 0 matches every facing.
struct EventTrigger {
    uint8_t floor;
    TriggerSet set;
    int8_t x;
    int8_t y;
    uint8_t facings;
    int16_t item; // the item a Use trigger answers to
    uint16_t firstCond;
    uint8_t condCount;
    uint16_t firstOp;
    uint8_t opCount;
    uint16_t line; // the script line it was written on
    // 1: when this trigger's conditions fail, the next trigger is tested
    // (the script's "else"); 0: the search ends here.
    uint8_t passOn = 0;
};

// The compiled events of every floor, in script order.
struct EventTable {
    std::span<const EventTrigger> triggers;
    std::span<const EventCond> conds;
    std::span<const EventOp> ops;
};

constexpr const OpInfo* FindEventOp(OpCode code)
{
    for (const OpInfo& info : kEventOps)
        if (info.code == code)
            return &info;
    return nullptr;
}

constexpr const OpInfo* FindEventOp(std::string_view name)
{
    for (const OpInfo& info : kEventOps)
        if (info.name == name)
            return &info;
    return nullptr;
}

} // namespace qvr
