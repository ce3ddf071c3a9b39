#pragma once

#include "core/radio/memory_image.h"
#include "core/radio/text_grid.h"

namespace radioprog {

/// What one edit of the document was: a window shows it again, and an undo history can name it.
struct DocumentEdit {
    enum class Kind {
        Cell,              ///< a committed cell of the channel grid
        OptionalFeatures,  ///< OK of Optional Features
        ScanInformation,   ///< OK of Scan Information
        Password,          ///< a Query or Change of the User password
        Read,              ///< a finished read from the radio
        CsvImport,         ///< channels imported from a channel file (CSV)
    };
    Kind kind = Kind::Cell;
    int row = 0;  ///< for a cell: its channel row (1-16)
    int col = 0;  ///< for a cell: its column (1-8)

    static DocumentEdit OfCell(int row, int col) { return {Kind::Cell, row, col}; }
    static DocumentEdit Of(Kind kind) { return {kind, 0, 0}; }
};

/// Everything an edit can change, about 2 KB: what an undo history keeps of the document before
/// an edit.
struct DocumentState {
    RadioImage image{};
    TextGrid::Cells texts{};

    bool operator==(const DocumentState&) const = default;
};

}  // namespace radioprog
