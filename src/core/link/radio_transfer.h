#pragma once

#include <optional>

#include "doc/grid_refresh.h"
#include "doc/program_doc.h"
#include "link/block_transfer.h"

namespace radioprog {

struct RadioTransferResult {
    TransferOutcome outcome;
    /// Set after a read that moved blocks (complete or not): the grid shows the new image.
    std::optional<GridRefresh> refresh;
};

/// The view's whole Read or Write: commits an open cell edit, stores the grid into the image
/// before a write, transfers, and after a read that got anywhere clears the new-document flag
/// and fills the grid from the image. A cancelled read leaves the grid as it was. A write of an
/// image that may not be a radio's goes ahead only when the observer confirms it; otherwise it
/// ends as cancelled before the port is opened.
RadioTransferResult RunRadioTransfer(TransferDirection direction, CProgramDoc& doc,
                                     ChannelGrid& grid, PortOpener& opener, AppContext& context,
                                     LinkObserver& observer);

}  // namespace radioprog
