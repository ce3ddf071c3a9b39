#include "link/radio_transfer.h"

#include "doc/app_context.h"
#include "radio/channel_codec.h"
#include "radio/image_doubts.h"

namespace radioprog {

RadioTransferResult RunRadioTransfer(TransferDirection direction, CProgramDoc& doc,
                                     ChannelGrid& grid, PortOpener& opener, AppContext& context,
                                     LinkObserver& observer) {
    if (const auto refusal = CommitEditedCell(grid, context.band, context.language)) {
        observer.ShowMessage(LinkMessage::RefusedEntry,
                             std::string(StringText(*refusal, context.language)));
    }
    RadioTransferResult result;
    if (direction == TransferDirection::Write) {
        GridToImage(grid, context.band, doc.image());
        // Checked on what would go out: the band in use may have mended the file's.
        const std::string doubt = WriteDoubtQuestion(doc.image(), context.language);
        if (!doubt.empty() && !observer.ConfirmWrite(doubt)) {
            result.outcome.kind = TransferOutcome::Kind::Cancelled;
            return result;
        }
    }
    result.outcome = TransferImage(direction, doc.image(), opener, context, observer);
    const bool moved = result.outcome.kind == TransferOutcome::Kind::Complete ||
                       result.outcome.kind == TransferOutcome::Kind::Incomplete;
    if (direction == TransferDirection::Read && moved) {
        context.newDocument = false;
        result.refresh = RefreshGridFromImage(doc.image(), grid, context);
    }
    return result;
}

}  // namespace radioprog
