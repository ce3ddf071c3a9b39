#include "core/radio/cell_editing.h"

#include "core/base/ascii_text.h"
#include "core/radio/channel_grid.h"

namespace radioprog {
namespace {

constexpr int kTwipsPerInch = 1440;

}  // namespace

int EditorIdForColumn(int col) {
    switch (col) {
        case column::kRxFrequency:
            return 2127;
        case column::kTxFrequency:
            return 2128;
        case column::kRxTone:
            return 2132;
        case column::kTxTone:
            return 2133;
        case column::kPower:
            return 1129;
        case column::kScanAdd:
            return 1134;
        case column::kBusyLock:
            return 1139;
        default:
            return 1128;
    }
}

bool EditorIsList(int col) {
    return col != column::kRxFrequency && col != column::kTxFrequency;
}

int SelectListItem(const std::vector<std::string>& items, const std::string& cellText) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (StartsWithIgnoringAsciiCase(items[i], cellText)) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

EditorRect PlaceEditor(int cellLeft, int cellTop, int cellWidth, int cellHeight, int pixelsPerInchX,
                       int pixelsPerInchY) {
    return {
        cellLeft * pixelsPerInchX / kTwipsPerInch - 3, cellTop * pixelsPerInchY / kTwipsPerInch - 3,
        cellWidth * pixelsPerInchX / kTwipsPerInch, cellHeight * pixelsPerInchY / kTwipsPerInch};
}

std::vector<CellWrite> AdvanceAfterEnter(int row, int col, int rows, int cols) {
    using W = CellWrite::Which;
    if (col < cols - 1) {
        return {{W::Col, col + 1}};
    }
    if (row < rows - 1) {
        return {{W::Col, 1}, {W::Row, row + 1}};
    }
    return {{W::Row, 1}, {W::Col, 1}};
}

}  // namespace radioprog
