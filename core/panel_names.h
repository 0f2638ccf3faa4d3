#pragma once

// The main window's panels and their lists, named once. Every rule that
// opens, hides or asks about a panel uses these, so a misspelt name is a
// build error rather than a GameError at the moment a player gets there.

namespace qvr {

// The party window every screen keeps current.
inline constexpr const char* kPartyPanel = "fraParty";
inline constexpr const char* kPartyList = "lstParty";
// The facility's question above the town's menus; a label with no frame.
inline constexpr const char* kPromptPanel = "lbl";

// The town.
inline constexpr const char* kCastleTownPanel = "fraCaldrimar";
inline constexpr const char* kCastleTownList = "lstCaldrimar";
inline constexpr const char* kTavernPanel = "fraTorvesh";
inline constexpr const char* kTavernList = "lstTorvesh";
inline constexpr const char* kEdgeOfTownPanel = "fraEdgeOfTowm";
inline constexpr const char* kEdgeOfTownList = "lstEdgeOfTown";
inline constexpr const char* kAstrologyPanel = "fraRank";
inline constexpr const char* kAstrologyList = "lstRank";
inline constexpr const char* kInnPanel = "fraINN";
inline constexpr const char* kInnList = "lstINN";
// The shop: its menu, the kinds of ware (a list inside the shop's frame) and
// the list of wares or carried items, which stands alone.
inline constexpr const char* kShopPanel = "fraShop";
inline constexpr const char* kShopList = "lstShop";
inline constexpr const char* kShopKindsList = "lstBuy";
inline constexpr const char* kShopItemList = "lstShopItem";
// A list without a frame: the panel and its list share the name.
inline constexpr const char* kTempleList = "lstTemple";
// The astrology office's list of recipes, or of a member's items for an
// artificial human; also frameless.
inline constexpr const char* kFusionItemList = "lstItem";

// The training grounds and the creation wizard.
inline constexpr const char* kTrainingPanel = "fraProvingGrounds";
inline constexpr const char* kTrainingList = "lstProvingGrounds";
inline constexpr const char* kMakingPanel = "fraMaking";
inline constexpr const char* kMakingList = "lstMaking";
inline constexpr const char* kBonusPanel = "fraBounas";
inline constexpr const char* kBonusList = "lstStatus";
inline constexpr const char* kClassPanel = "fraClass";
inline constexpr const char* kClassList = "lstClass";
inline constexpr const char* kClassChangePanel = "fraClassChange";
inline constexpr const char* kClassChangeList = "lstClassChange";

// The marching order, opened from the maze and from a battle.
inline constexpr const char* kReorderPanel = "fraReorder";
inline constexpr const char* kReorderList = "lstReorder";

// The battle's frames.
inline constexpr const char* kMonsterPanel = "fraMonster";
inline constexpr const char* kBattleCommandPanel = "fraBattleCommand";

} // namespace qvr
