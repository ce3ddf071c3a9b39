#include "gui/shell/tiling.h"

#include <gtest/gtest.h>

#include "pixel_printers.h"

namespace radioprog {
namespace {

using Origins = std::vector<PixelPoint>;

TEST(TileOrigins, OneColumnAndRowBeyondWhatFitsWhole) {
    EXPECT_EQ(TileOrigins({0, 0, 250, 120}, 100, 100),
              (Origins{{0, 0}, {0, 100}, {100, 0}, {100, 100}, {200, 0}, {200, 100}}));
    // An exact fit still gets the extra column and row, which fall outside.
    EXPECT_EQ(TileOrigins({0, 0, 200, 100}, 100, 100),
              (Origins{{0, 0}, {0, 100}, {100, 0}, {100, 100}, {200, 0}, {200, 100}}));
    EXPECT_EQ(TileOrigins({0, 0, 50, 30}, 238, 157), (Origins{{0, 0}}));
}

TEST(TileOrigins, StartAtTheAreasCornerAndNeedAPictureWithArea) {
    EXPECT_EQ(TileOrigins({10, 20, 260, 140}, 100, 100),
              (Origins{{10, 20}, {10, 120}, {110, 20}, {110, 120}, {210, 20}, {210, 120}}));
    EXPECT_TRUE(TileOrigins({0, 0, 250, 120}, 0, 100).empty());
    EXPECT_TRUE(TileOrigins({0, 0, 250, 120}, 100, 0).empty());
    EXPECT_TRUE(TileOrigins({0, 0, 250, 120}, -5, 100).empty());
}

}  // namespace
}  // namespace radioprog
