#pragma once

#include <vector>

#include "gui/shell/pixel_geometry.h"

namespace radioprog {

/// Where copies of a @p tileWidth x @p tileHeight picture go to cover @p area: every column and
/// row that fits whole and one more of each, clipped at the right and bottom edges. Column by
/// column, top to bottom in each. None for a picture without area.
std::vector<PixelPoint> TileOrigins(const PixelRect& area, int tileWidth, int tileHeight);

}  // namespace radioprog
