#pragma once

#include <optional>
#include <string>

#include "core/doc/grid_refresh.h"
#include "core/doc/program_doc.h"
#include "core/link/block_transfer.h"

namespace radioprog {

struct RadioTransferResult {
    TransferOutcome outcome;
    /// Set after a complete read: the texts show the new image.
    std::optional<GridRefresh> refresh;
};

/// A cell whose in-place editor was open when a command came: it is committed first.
struct OpenCellEdit {
    int row = 0;
    int col = 0;
    std::string text;
};

/// The view's whole Read or Write: commits an open cell edit, stores the texts into the image
/// before a write, transfers, and after a complete read clears the new-document flag and lands
/// the image in the document as one edit, its texts filled from it. A read that stopped or was
/// cancelled leaves the document (image, texts, modified flag) as it was. A write of an image that
/// may not be a radio's goes ahead only when the observer confirms it; otherwise it ends as
/// cancelled before the port is opened.
RadioTransferResult RunRadioTransfer(TransferDirection direction, CProgramDoc& doc,
                                     const std::optional<OpenCellEdit>& openEdit,
                                     PortOpener& opener, AppContext& context,
                                     LinkObserver& observer);

}  // namespace radioprog
