#pragma once

#include <optional>
#include <string>

#include "core/doc/grid_refresh.h"
#include "core/doc/program_doc.h"
#include "core/doc/safe_write.h"
#include "core/link/block_transfer.h"

namespace radioprog {

struct RadioTransferResult {
    /// The read, or the write phase of a write (nothing sent: Cancelled).
    TransferOutcome outcome;
    /// Set after a complete read: the texts show the new image.
    std::optional<GridRefresh> refresh;
    /// Set after a write that went as far as the radio: how the safe write ended.
    std::optional<SafeWriteResult> write;
    /// A complete read is kept as a backup: where, or why it could not be (a warning only).
    std::filesystem::path backupFile;
    Status backup = Status::Ok();
};

/// A cell whose in-place editor was open when a command came: it is committed first.
struct OpenCellEdit {
    int row = 0;
    int col = 0;
    std::string text;
};

/// The view's whole Read or Write: commits an open cell edit, stores the texts into the image
/// before a write, transfers, and after a complete read clears the new-document flag, lands
/// the image in the document as one edit, its texts filled from it, and keeps it as a backup. A
/// read that stopped or was cancelled leaves the document (image, texts, modified flag) as it
/// was. A write is a safe write with the Transfer Options of the per-user store; it writes
/// @p writeInstead rather than the document when given (a backup being restored). A write of an
/// image that may not be a radio's goes ahead only when the observer confirms it; otherwise it ends
/// as cancelled before the port is opened.
RadioTransferResult RunRadioTransfer(TransferDirection direction, CProgramDoc& doc,
                                     const std::optional<OpenCellEdit>& openEdit,
                                     PortOpener& opener, AppContext& context,
                                     SafeWriteObserver& observer,
                                     const std::optional<RadioImage>& writeInstead = std::nullopt);

}  // namespace radioprog
