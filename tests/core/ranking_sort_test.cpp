#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/game.h"
#include "rules/ranking_sort.h"

namespace qvr {
namespace {

struct Row {
    char id;
    int key;
};

std::string Ids(const std::vector<Row>& rows)
{
    std::string ids;
    for (const Row& r : rows)
        ids += r.id;
    return ids;
}

int KeyOf(const Row& r)
{
    return r.key;
}

TEST(SortByKeyDescendingTest, TiesEndWhereTheQuicksortLeavesThem)
{
    // Worked by hand: keys a1 b2 c2 d1 e2. The first pass pivots on c's 2
    // and swaps a<->e, then b<->c; the halves c,e and b,d,a finish the job.
    struct TieCase {
        std::vector<Row> rows;
        std::string order;
    };
    const TieCase cases[] = {
        {{{'a', 1}, {'b', 2}, {'c', 2}, {'d', 1}, {'e', 2}}, "cebad"},
        // All keys equal: every pass swaps ends, nothing stays put.
        {{{'a', 5}, {'b', 5}, {'c', 5}, {'d', 5}}, "cdab"},
        {{{'a', 3}, {'b', 3}, {'c', 9}}, "cba"},
        {{{'a', 1}}, "a"},
        {{}, ""},
    };
    for (const TieCase& c : cases) {
        std::vector<Row> rows = c.rows;
        SortByKeyDescending(rows, 0, static_cast<long>(rows.size()) - 1, KeyOf);
        EXPECT_EQ(Ids(rows), c.order);
    }
}

TEST(SortByKeyDescendingTest, SortsOnlyTheGivenRows)
{
    std::vector<Row> rows{{'x', 0}, {'a', 1}, {'b', 3}, {'c', 2}, {'y', 99}};
    SortByKeyDescending(rows, 1, 3, KeyOf);
    EXPECT_EQ(Ids(rows), "xbcay");
}

// The procedure read literally, recursing into both halves.
void Reference(std::vector<Row>& rows, long lo, long hi)
{
    const int pivot = rows[static_cast<std::size_t>((lo + hi) / 2)].key;
    long i = lo;
    long j = hi;
    do {
        while (rows[static_cast<std::size_t>(i)].key > pivot)
            ++i;
        while (rows[static_cast<std::size_t>(j)].key < pivot)
            --j;
        if (i <= j) {
            std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j)
        Reference(rows, lo, j);
    if (i < hi)
        Reference(rows, i, hi);
}

TEST(SortByKeyDescendingTest, ShallowRecursionLeavesTiesAsPlainRecursionDoes)
{
    std::mt19937 gen(12);
    for (int trial = 0; trial < 300; ++trial) {
        const int size = 1 + trial % 90;
        std::vector<Row> rows;
        for (int k = 0; k < size; ++k)
            rows.push_back({static_cast<char>('!' + k), static_cast<int>(gen() % 6)});
        std::vector<Row> expected = rows;
        Reference(expected, 0, size - 1);
        SortByKeyDescending(rows, 0, size - 1, KeyOf);
        ASSERT_EQ(Ids(rows), Ids(expected)) << "trial " << trial;
        ASSERT_TRUE(std::is_sorted(rows.begin(), rows.end(),
                                   [](const Row& a, const Row& b) { return a.key > b.key; }));
    }
}

TEST(SortByKeyDescendingTest, LargeSortedInputs)
{
    for (bool ascending : {true, false}) {
        std::vector<Row> rows;
        for (int k = 0; k < 5000; ++k)
            rows.push_back({'r', ascending ? k : 5000 - k});
        SortByKeyDescending(rows, 0, 4999, KeyOf);
        EXPECT_EQ(rows.front().key, ascending ? 4999 : 5000);
        EXPECT_EQ(rows.back().key, ascending ? 0 : 1);
        EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(),
                                   [](const Row& a, const Row& b) { return a.key > b.key; }));
    }
}

TEST(SortByKeyDescendingTest, SortsACopyOfTheRosterBySlotNumber)
{
    Game game;
    const int marks[] = {0, 5, 40, 5, 0, 12};
    for (int slot = 1; slot <= 5; ++slot) {
        game.character(slot).rosterNo = slot;
        game.character(slot).marks = marks[slot];
    }
    auto board = game.save().roster;
    board[0].marks = 1000; // the template is not ranked
    SortByKeyDescending(board, 1, kRosterSize, [](const Character& c) { return c.marks; });
    EXPECT_EQ(board[0].marks, 1000);
    EXPECT_EQ(board[1].rosterNo, 2);
    EXPECT_EQ(board[2].rosterNo, 5);
    EXPECT_EQ(board[3].rosterNo + board[4].rosterNo, 1 + 3);
    for (int slot = 5; slot <= kRosterSize; ++slot)
        EXPECT_EQ(board[slot].marks, 0) << "slot " << slot;
    EXPECT_EQ(game.character(2).marks, 40); // the roster itself is untouched
}

} // namespace
} // namespace qvr
