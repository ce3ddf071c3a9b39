#include "gui/shell/tiling.h"

namespace radioprog {

std::vector<PixelPoint> TileOrigins(const PixelRect& area, int tileWidth, int tileHeight) {
    std::vector<PixelPoint> origins;
    if (tileWidth <= 0 || tileHeight <= 0) {
        return origins;
    }
    // One column and row beyond those that fit whole, even when they fit exactly: the extra
    // ones then fall outside and cost nothing.
    const int columns = area.Width() / tileWidth;
    const int rows = area.Height() / tileHeight;
    for (int i = 0; i <= columns; ++i) {
        for (int j = 0; j <= rows; ++j) {
            origins.push_back({area.left + i * tileWidth, area.top + j * tileHeight});
        }
    }
    return origins;
}

}  // namespace radioprog
