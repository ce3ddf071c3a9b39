#include "core/radio/cell_editing.h"

#include <gtest/gtest.h>

#include "core/radio/grid_columns.h"

namespace radioprog {
namespace {

TEST(CellEditing, EachColumnHasItsEditor) {
    const int ids[] = {1128, 2127, 2128, 2132, 2133, 1129, 1134, 1139, 1128};
    for (int col = 0; col <= 8; ++col) {
        EXPECT_EQ(EditorIdForColumn(col), ids[col]) << col;
    }
    EXPECT_FALSE(EditorIsList(1));
    EXPECT_FALSE(EditorIsList(2));
    EXPECT_TRUE(EditorIsList(3));
}

TEST(CellEditing, ListsOpenOnTheFirstItemBeginningWithTheCellText) {
    const auto tones = ColumnItems(3, Language::English);
    EXPECT_EQ(SelectListItem(tones, "None"), 0);
    EXPECT_EQ(SelectListItem(tones, ""), 0);
    EXPECT_EQ(SelectListItem(tones, "D023N"), 39);
    EXPECT_EQ(SelectListItem(tones, "d023i"), 122);
    EXPECT_EQ(SelectListItem(tones, "76.8"), 0);  // a tone the list does not offer
    const auto busy = ColumnItems(7, Language::Chinese);
    EXPECT_EQ(SelectListItem(busy, "载波"), 1);
    EXPECT_EQ(SelectListItem(busy, "QT/DQT"), 2);
    EXPECT_EQ(SelectListItem(ColumnItems(8, Language::English), "N"), 1);
}

TEST(CellEditing, EditorsAreLaidOverTheCell) {
    const EditorRect rect = PlaceEditor(1440, 720, 1500, 300, 96, 96);
    EXPECT_EQ(rect.x, 93);
    EXPECT_EQ(rect.y, 45);
    EXPECT_EQ(rect.width, 100);
    EXPECT_EQ(rect.height, 20);
}

TEST(CellEditing, EnterAdvancesColumnFirstAndWrapsToChannelOne) {
    using W = CellWrite::Which;
    EXPECT_EQ(AdvanceAfterEnter(3, 1, 17, 9), (std::vector<CellWrite>{{W::Col, 2}}));
    EXPECT_EQ(AdvanceAfterEnter(5, 8, 17, 9), (std::vector<CellWrite>{{W::Col, 1}, {W::Row, 6}}));
    EXPECT_EQ(AdvanceAfterEnter(16, 8, 17, 9), (std::vector<CellWrite>{{W::Row, 1}, {W::Col, 1}}));
}

}  // namespace
}  // namespace radioprog
