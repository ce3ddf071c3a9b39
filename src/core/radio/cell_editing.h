#pragma once

#include <string>
#include <vector>

namespace radioprog {

/// The control id of the in-place editor of a grid column: edit boxes 2127 and 2128 for the
/// frequencies, drop-down lists for the rest (any column past Busy Lock gets the W/N list).
int EditorIdForColumn(int col);
bool EditorIsList(int col);

/// The item a drop-down editor opens on: the first that begins with the cell's text, without
/// regard to ASCII letter case; item 0 when none does.
int SelectListItem(const std::vector<std::string>& items, const std::string& cellText);

/// Where an editor goes, in the grid's pixels, from the current cell's rectangle in twips and
/// the screen's pixels per inch.
struct EditorRect {
    int x, y, width, height;
};
EditorRect PlaceEditor(int cellLeft, int cellTop, int cellWidth, int cellHeight, int pixelsPerInchX,
                       int pixelsPerInchY);

/// One write to the grid's current cell, in the order Enter makes them.
struct CellWrite {
    enum class Which { Row, Col } which;
    int value;
    bool operator==(const CellWrite&) const = default;
};
/// Where Enter moves from (row, col): the next column, else column 1 of the next channel (Col
/// written before Row), else back to channel 1 (Row before Col).
std::vector<CellWrite> AdvanceAfterEnter(int row, int col, int rows, int cols);

}  // namespace radioprog
