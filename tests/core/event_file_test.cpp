// EVENTS.DAT and TEXTS.DAT: what the compiler writes comes back whole, and a
// damaged file is refused with its name before the runner could index with it.

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/event_file.h"
#include "core/messages.h"
#include "core/records.h"

namespace qvr {
namespace {

struct Sample {
    std::vector<EventTrigger> triggers{{3, TriggerSet::Enter, 8, 6, 4, 0, 0, 1, 0, 1, 23, 1},
                                       {3, TriggerSet::Use, 18, 2, 2, 56, 1, 0, 1, 2, 30, 0}};
    std::vector<EventCond> conds{{CondCode::Night}};
    std::vector<EventOp> ops{
        {OpCode::Say, 0, 0, 0, "夜の歌声\n「乾杯！」"}, {OpCode::Once, 34}, {OpCode::Replace, 57}};
    EventTable table() const { return {triggers, conds, ops}; }
};

std::string decodeError(const std::vector<uint8_t>& image)
{
    try {
        DecodeEventImage(image, "EVENTS.DAT");
    } catch (const GameError& e) {
        return e.what();
    }
    return "";
}

TEST(EventFile, ComesBackWholeWithItsTexts)
{
    Sample s;
    const std::vector<uint8_t> image = EncodeEventImage(s.table());
    std::shared_ptr<const EventData> back = DecodeEventImage(image, "EVENTS.DAT");
    ASSERT_EQ(back->table.triggers.size(), 2u);
    const EventTrigger& t = back->table.triggers[0];
    EXPECT_EQ(t.floor, 3);
    EXPECT_EQ(t.facings, 4);
    EXPECT_EQ(t.line, 23);
    EXPECT_EQ(t.passOn, 1);
    EXPECT_EQ(back->table.triggers[1].item, 56);
    EXPECT_EQ(back->table.conds[0].code, CondCode::Night);
    EXPECT_EQ(back->table.ops[0].text, "夜の歌声\n「乾杯！」");
    EXPECT_EQ(back->table.ops[2].code, OpCode::Replace);
    EXPECT_EQ(back->table.ops[2].a, 57);
    EXPECT_EQ(EncodeEventImage(back->table), image);
}

// Every field the runner indexes with is held to its table on reading.
TEST(EventFile, DamageIsRefusedNamingTheFile)
{
    struct Case {
        const char* what;
        void (*spoil)(Sample&);
        const char* says;
    } cases[] = {
        {"an unknown operation", [](Sample& s) { s.ops[1].code = static_cast<OpCode>(200); },
         "動作 200 はありません"},
        {"a flag past the table", [](Sample& s) { s.ops[1].a = 101; }, "フラグ 101"},
        {"an item past the table", [](Sample& s) { s.ops[2].a = 641; }, "アイテム 641"},
        {"a condition on no flag",
         [](Sample& s) {
             s.conds[0] = {CondCode::FlagSet, -1};
         },
         "フラグ -1"},
        {"an unknown condition", [](Sample& s) { s.conds[0].code = static_cast<CondCode>(9); },
         "条件 9"},
        {"operations past the end", [](Sample& s) { s.triggers[1].opCount = 9; }, "表の外"},
        {"a cell off the floor", [](Sample& s) { s.triggers[0].x = 20; }, "迷宮の外"},
        {"floor 0", [](Sample& s) { s.triggers[0].floor = 0; }, "迷宮の外"},
    };
    for (const Case& c : cases) {
        Sample s;
        c.spoil(s);
        const std::string error = decodeError(EncodeEventImage(s.table()));
        EXPECT_NE(error.find("EVENTS.DAT"), std::string::npos) << c.what << ": " << error;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
    }
    // The table's last item is an item like any other.
    Sample last;
    last.ops[2].a = kItemCount;
    EXPECT_EQ(decodeError(EncodeEventImage(last.table())), "");
    // Cut anywhere, or with a byte too many, or another file in its place.
    std::vector<uint8_t> image = EncodeEventImage(Sample{}.table());
    for (std::size_t cut = 0; cut < image.size(); ++cut)
        EXPECT_NE(decodeError({image.begin(), image.begin() + static_cast<long>(cut)}), "") << cut;
    image.push_back(0);
    EXPECT_NE(decodeError(image).find("余っています"), std::string::npos);
    EXPECT_NE(decodeError(std::vector<uint8_t>(64, 0)).find("ファイルではありません"),
              std::string::npos);
}

TEST(TextsFile, ComesBackWholeAndRefusesDamage)
{
    const MessageTable table({{3, "ＬＶ1\r\n「はい」"}, {20, ""}, {12127, "最後"}});
    std::vector<uint8_t> image = EncodeMessageImage(table);
    const MessageTable back = DecodeMessageImage(image, "TEXTS.DAT");
    EXPECT_EQ(back.text(3), "ＬＶ1\r\n「はい」");
    EXPECT_TRUE(back.has(20));
    EXPECT_FALSE(back.has(21));
    EXPECT_EQ(back.text(21), "");
    EXPECT_EQ(back.text(12127), "最後");

    for (std::size_t cut = 0; cut < image.size(); ++cut)
        EXPECT_THROW(DecodeMessageImage({image.data(), cut}, "TEXTS.DAT"), GameError) << cut;
    // The numbers of two entries swapped: out of order.
    std::vector<uint8_t> swapped = EncodeMessageImage(MessageTable({{3, "a"}, {20, "b"}}));
    std::swap(swapped[12], swapped[12 + 4 + 2 + 1]);
    try {
        DecodeMessageImage(swapped, "TEXTS.DAT");
        ADD_FAILURE() << "an entry out of order was read";
    } catch (const GameError& e) {
        EXPECT_NE(std::string(e.what()).find("TEXTS.DAT"), std::string::npos) << e.what();
    }
    EXPECT_THROW(MessageTable({{5, "a"}, {5, "b"}}), GameError);
}

} // namespace
} // namespace qvr
