#pragma once

// Spells cast outside battle: by a character who types the name, or by a
// carried item that holds one. Each effect code the camp knows acts here;
// what the status window has to do afterwards comes back as a CampOutcome.

#include <string>

namespace qvr {

class Game;
struct SpellDef;

inline constexpr const char* kUnknownSpellText = "なに？";
inline constexpr const char* kNotKnownText = "おや？";
inline constexpr const char* kNoPointsText = "無理だ";
inline constexpr const char* kNothingHappenedText = "しかし何もおこらなかった";
inline constexpr const char* kNullifiedText = "は\n呪文を無効化した";
inline constexpr const char* kCastText = "唱えた";
inline constexpr const char* kRecoveredText = "回復した";
inline constexpr const char* kOopsText = "おおっと！";

// What the window does once a spell or an item has acted.
enum class CampOutcome {
    Stay,         // refresh and go on
    Close,        // the party moved or is gone: the window closes
    OpenTeleport, // show the coordinate teleport panel
    Appraise,     // pick an item to appraise, as "J)鑑定"
};

// Where a spell comes from: a character's own knowledge and points, or the
// item in one of its pack slots (slot 0: the character).
struct SpellSource {
    int rosterNo = 0;
    int itemSlot = 0;
};

// Looks the typed name up (upper-cased) among the spells typed by name that
// work outside battle; nullptr when there is none.
const SpellDef* FindCampSpell(const Game& game, const std::string& typed);

// The whole casting by name: refusals, the spent point, the effect.
CampOutcome CastCampSpell(Game& game, int rosterNo, const std::string& typed);

// The spell of a spell number through the same procedure, from a source
// (an item skips the knowledge and the points). An item that cast a spell on
// one member may wear out into its successor afterwards.
CampOutcome CastFromSource(Game& game, const SpellDef* spell, SpellSource source);

// The effect code's work alone; the caster has already paid.
CampOutcome ApplyCampEffect(Game& game, const SpellDef& spell, SpellSource source);

// Effects on one member or the whole party's health (camp_healing.cpp).
// Each returns false when no member was picked (nothing was cast on anyone).
bool CastOnMember(Game& game, const SpellDef& spell);
void HealParty(Game& game, const SpellDef& spell);
void CheckLevel(Game& game);

// Effects on the party's state and knowledge (camp_party_spells.cpp).
void CastProtection(Game& game, const SpellDef& spell);
void CastLevitation(Game& game);
void SetPartyEffect(Game& game, int bit);
void ReportLocation(Game& game);
void LookThroughWall(Game& game);
CampOutcome ReturnToEntrance(Game& game);
void LocateCharacter(Game& game);

// The words of a place in the maze: "城から東に　Ｘ南にＹ地下Ｆ階にいます",
// or the deep halls' vague answer for floors 14 to 17.
std::string PlaceWords(int floor, int x, int y);

} // namespace qvr
