#include "core/report/print_page_table.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/radio/text_grid.h"

namespace radioprog {
namespace {

// Every row has a transmit frequency, so only the receive frequency can make a row count.
TextGrid GridWithFilledRows(const std::set<int>& filled) {
    TextGrid grid;
    for (int row = 1; row < kGridRows; ++row) {
        grid.SetTextMatrix(row, column::kTxFrequency, "145.00000");
        if (filled.contains(row)) {
            grid.SetTextMatrix(row, column::kRxFrequency, "145.50000");
        }
    }
    return grid;
}

std::set<int> Rows(int first, int last) {
    std::set<int> rows;
    for (int row = first; row <= last; ++row) {
        rows.insert(row);
    }
    return rows;
}

std::vector<int> List(int first, int last) {
    const std::set<int> rows = Rows(first, last);
    return {rows.begin(), rows.end()};
}

struct Pagination {
    const char* name;
    std::set<int> filled;
    int count;
    std::array<int, 3> starts;
    int maxPage;
    std::array<std::vector<int>, 3> pages;
};

TEST(PrintPageTable, CountsFilledChannelsIntoPagesOfSeven) {
    const std::set<int> allBut3And10 = {1, 2, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16};
    const Pagination cases[] = {
        {"none", {}, 0, {0, 16, 16}, 1, {}},
        {"seven", Rows(1, 7), 7, {0, 7, 16}, 2, {List(1, 7), {}, {}}},
        {"eight", Rows(1, 8), 8, {0, 7, 16}, 3, {List(1, 7), {8}, {}}},
        {"fourteen", Rows(1, 14), 14, {0, 7, 14}, 3, {List(1, 7), List(8, 14), {}}},
        {"all", Rows(1, 16), 16, {0, 7, 14}, 4, {List(1, 7), List(8, 14), {15, 16}}},
        {"scattered", {2, 9, 16}, 3, {0, 16, 16}, 2, {std::vector<int>{2, 9, 16}, {}, {}}},
        {"rows 6 to 16", Rows(6, 16), 11, {0, 12, 16}, 3, {List(6, 12), List(13, 16), {}}},
        {"14th on the last row",
         allBut3And10,
         14,
         {0, 8, 16},
         3,
         {std::vector<int>{1, 2, 4, 5, 6, 7, 8}, std::vector<int>{9, 11, 12, 13, 14, 15, 16}, {}}},
    };
    for (const Pagination& c : cases) {
        SCOPED_TRACE(c.name);
        const TextGrid grid = GridWithFilledRows(c.filled);
        PrintPageTable table;
        table.Count(grid);
        EXPECT_EQ(table.filledCount(), c.count);
        EXPECT_EQ(table.pageStarts(), c.starts);
        EXPECT_EQ(table.MaxPage(), c.maxPage);
        EXPECT_EQ(table.ChannelPageCount(), c.maxPage - 1);
        for (int k = 1; k <= 3; ++k) {
            EXPECT_EQ(table.ChannelRows(k, grid), c.pages[static_cast<std::size_t>(k - 1)])
                << "channel page " << k;
        }
        EXPECT_TRUE(table.ChannelRows(0, grid).empty());
        EXPECT_TRUE(table.ChannelRows(4, grid).empty());
    }
}

TEST(PrintPageTable, StartsAsAnEmptyGridAndEveryCountStartsOver) {
    PrintPageTable table;
    EXPECT_EQ(table.filledCount(), 0);
    EXPECT_EQ(table.pageStarts(), (std::array<int, 3>{0, 16, 16}));
    EXPECT_EQ(table.MaxPage(), 1);

    table.Count(GridWithFilledRows(Rows(1, 16)));
    ASSERT_EQ(table.pageStarts(), (std::array<int, 3>{0, 7, 14}));
    table.Count(GridWithFilledRows({3, 4}));
    EXPECT_EQ(table.filledCount(), 2);
    EXPECT_EQ(table.pageStarts(), (std::array<int, 3>{0, 16, 16}));
    EXPECT_EQ(table.MaxPage(), 2);
}

}  // namespace
}  // namespace radioprog
