// The dungeon characters' source: what the compiler refuses, naming file and
// line, and the real characters, which must pass every check.

#include <algorithm>

#include <gtest/gtest.h>

#include "edited_sources.h"
#include "tools/content/compile.h"

using namespace qvr;
using namespace qvr::content;
using qvr::test::CompileEdited;

namespace {

const std::filesystem::path kSources = std::filesystem::path(QVR_SOURCE_DIR) / "data/content";

TEST(NpcSources, BrokenTalkIsRefusedWithFileAndLine)
{
    struct Case {
        const char* from;
        const char* to;
        const char* what;
    } cases[] = {
        // The greeting must come first: every character answers it.
        {"npc = 1\nword = \"こんにちは\"", "npc = 1\nword = \"やあ\"", "must be \"こんにちは\""},
        // A word given twice could never answer the second time.
        {"word = \"リリス\"\nlines = [10008", "word = \"コスモパーツ\"\nlines = [10008",
         "is given twice"},
        {"word = \"リリス\"\nlines = [10008, 10008]", "word = \"リリス\"\nlines = [10008, 10079]",
         "not in messages.toml"},
        {"word = \"作る\"\nlines = [10006, 10006]\naction = \"craft\"",
         "word = \"作る\"\nlines = [10006, 10006]\naction = \"forge\"", "no action"},
        // An offer needs the item it offers.
        {"action = \"offer\"\nitem = 91", "action = \"offer\"", "\"item\" is needed"},
        {"action = \"offer\"\nitem = 91", "action = \"offer\"\nitem = 639",
         "which the item table lacks"},
        {"encounter = 1153", "encounter = 1152", "has no monsters"},
        {"answers = \"パトカー|ぱとかー\"", "answers = \"パトカー|patoka\"", "full-width"},
        {"answers = \"パトカー|ぱとかー\"", "answers = \"パトカー||ぱとかー\"", "empty spelling"},
        {"item = 106\n", "item = 104\n", "wanted twice"},
        {"buy_factor = 0.5", "buy_factor = 1.5", "buy_factor"},
        {"\nno = 12\n", "\nno = 11\n", "given twice"},
    };
    for (const Case& c : cases) {
        const std::string error = CompileEdited("npcs.toml", c.from, c.to);
        EXPECT_NE(error.find("npcs.toml:"), std::string::npos) << c.to << ": " << error;
        EXPECT_NE(error.find(c.what), std::string::npos) << c.to << ": " << error;
    }
}

TEST(NpcSources, EveryCharacterTalksAndTrades)
{
    const Sources s = CompileSources(kSources);
    ASSERT_TRUE(s.npcs.present);
    for (int n = 1; n <= kNpcCount; ++n) {
        const NpcShopDef& shop = s.content.npcShops[n];
        EXPECT_GT(shop.buyFactor, 0.0f) << n;
        for (int w = 1; w <= 10; ++w)
            EXPECT_FALSE(s.content.items[shop.wares[w]].name.empty()) << n << " ware " << w;
    }
    // The riddle's four questions, and the words that set the story going.
    EXPECT_EQ(std::count_if(s.npcs.riddle.begin(), s.npcs.riddle.end(),
                            [](const RiddleStep& r) { return r.npc == 10; }),
              4);
    auto actionOf = [&](int npc, std::string_view word) {
        for (const NpcReply& r : s.npcs.replies)
            if (r.npc == npc && r.keyword == word)
                return r.action;
        return TalkAction::None;
    };
    EXPECT_EQ(actionOf(1, "作る"), TalkAction::Craft);
    EXPECT_EQ(actionOf(10, "天使の箱"), TalkAction::Riddle);
    EXPECT_EQ(actionOf(6, "エステティックパウダー"), TalkAction::PaidGoods);
    EXPECT_EQ(actionOf(11, "チケット"), TalkAction::PaidGoods);
    EXPECT_EQ(actionOf(12, "サタン"), TalkAction::Fight);
}

} // namespace
