#pragma once

#include <string>

#include "core/base/language.h"
#include "core/radio/memory_image.h"
#include "core/radio/text_grid.h"

namespace radioprog {

/// What one edit of the document was: a window shows it again, and the undo history names it.
struct DocumentEdit {
    enum class Kind {
        Cell,                ///< a committed cell of the channel grid
        OptionalFeatures,    ///< OK of Optional Features
        ScanInformation,     ///< OK of Scan Information
        ProductInformation,  ///< OK of Product Information that changed the band in use
        Password,            ///< a Query or Change of the User password
        Read,                ///< a finished read from the radio
        CsvImport,           ///< channels imported from a channel file (CSV)
        Paste,               ///< channels pasted from the clipboard
        Cut,                 ///< channels cut to the clipboard
        DeleteChannels,      ///< channels deleted, the ones below moved up
        InsertChannel,       ///< an empty channel inserted, the ones below moved down
        MoveUp,              ///< channels moved up by one
        MoveDown,            ///< channels moved down by one
        SetForSelected,      ///< one value set in one column of several channels
    };
    Kind kind = Kind::Cell;
    int row = 0;  ///< for a cell: its channel row (1-16)
    int col = 0;  ///< for a cell and Set for Selected: its column (1-8)

    static DocumentEdit OfCell(int row, int col) { return {Kind::Cell, row, col}; }
    static DocumentEdit Of(Kind kind) { return {kind, 0, 0}; }
    static DocumentEdit OfColumn(Kind kind, int col) { return {kind, 0, col}; }
};

/// What an edit is called in the Edit menu, in @p language: "Rx Frequency of channel 3",
/// "Read", "Import".
std::string EditName(const DocumentEdit& edit, Language language);
/// "Undo Rx Frequency of channel 3"; "Undo" alone when there is nothing to undo.
std::string UndoText(const DocumentEdit* edit, Language language);
/// "Redo Read"; "Redo" alone when there is nothing to redo.
std::string RedoText(const DocumentEdit* edit, Language language);

/// Everything an edit can change, about 2 KB: what the undo history keeps of the document before
/// an edit.
struct DocumentState {
    RadioImage image{};
    TextGrid::Cells texts{};

    bool operator==(const DocumentState&) const = default;
};

}  // namespace radioprog
