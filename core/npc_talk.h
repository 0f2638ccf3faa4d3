#pragma once

// The twelve dungeon characters as data: who they are, what they answer to
// each word (in the order the words are tried), what they want to be given
// and what they sell. The content compiler reads data/content/npcs.toml into
// these records and writes them out as a table compiled into the program;
// the maze reads nothing else. What a reply may do besides speaking is one
// of kTalkActions, declared here once for both of them.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace qvr {

inline constexpr int kNpcCount = 12;

// What a reply does after its lines.
enum class TalkAction : uint8_t {
    None = 0,
    Offer = 1,     // asks, then hands out `item` to a party that has none
    Craft = 2,     // the custom weapon from four parts
    Riddle = 3,    // the questions of the character's riddle steps
    PaidGoods = 4, // `item` for `price` gold, once flag `gate` is set (0: always)
    Fight = 5,     // once flag `gate` is 1: a question, then encounter `encounter`
    SetFlag = 6,   // flag `gate` = 1
};

struct TalkActionInfo {
    TalkAction code;
    std::string_view name; // the word in the source
    const char* what;
};

inline constexpr std::array<TalkActionInfo, 7> kTalkActions{{
    {TalkAction::None, "none", "lines only"},
    {TalkAction::Offer, "offer", "offers an item"},
    {TalkAction::Craft, "craft", "builds the custom weapon"},
    {TalkAction::Riddle, "riddle", "asks the character's riddle"},
    {TalkAction::PaidGoods, "paid", "sells an item for gold"},
    {TalkAction::Fight, "fight", "a battle after a question"},
    {TalkAction::SetFlag, "flag", "sets a flag"},
}};

constexpr const TalkActionInfo* FindTalkAction(std::string_view name)
{
    for (const TalkActionInfo& info : kTalkActions)
        if (info.name == name)
            return &info;
    return nullptr;
}

// Numbered texts first..last, one box each; 0..0 is nothing.
struct TextRun {
    int16_t first = 0;
    int16_t last = 0;
};

struct NpcReply {
    int8_t npc = 0;
    std::string_view keyword;
    TextRun lines;
    TalkAction action = TalkAction::None;
    int16_t item = 0;
    int16_t gate = 0;  // the flag the action waits for (or sets)
    TextRun locked;    // said instead of acting while the gate is shut
    int16_t ask = 0;   // the yes/no question, a numbered text
    TextRun done;      // after the action succeeded
    int16_t fail = 0;  // a refusal or a wrong answer, a numbered text
    int32_t price = 0; // paid goods
    int16_t encounter = 0;
    int16_t music = 0;
};

// One question of a riddle; answers are the accepted spellings, full-width,
// separated by '|'.
struct RiddleStep {
    int8_t npc = 0;
    int16_t question = 0;
    std::string_view answers;
};

// An item a character wants, and what giving it does.
struct NpcGift {
    int8_t npc = 0;
    int16_t item = 0;
    TextRun lines;
    int16_t becomes = 0; // the slot receives this item ("アイテムを手に入れた")
    int16_t setFlag = 0; // this flag becomes 1
    int16_t floor = 0;   // > 0: the party is moved to floor, x, y and the panel closes
    int16_t x = 0, y = 0;
    bool costsALife = false; // a member falls dead for it
};

struct NpcDef {
    int16_t name = 0;        // numbered text of the character's name
    int16_t greeting = 0;    // numbered text shown when the party meets it
    std::string_view thanks; // said for an item it does not want
    int16_t specialWare = 0; // a ware that has lines of its own when bought
    TextRun wareLines;
};

struct NpcTable {
    std::span<const NpcDef> npcs;      // index 0 unused, 1..kNpcCount
    std::span<const NpcReply> replies; // by character, in the order words are tried
    std::span<const RiddleStep> riddle;
    std::span<const NpcGift> gifts;
};

} // namespace qvr
