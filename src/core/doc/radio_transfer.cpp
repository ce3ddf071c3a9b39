#include "core/doc/radio_transfer.h"

#include "core/doc/app_context.h"
#include "core/radio/channel_codec.h"

namespace radioprog {

RadioTransferResult RunRadioTransfer(TransferDirection direction, CProgramDoc& doc,
                                     ChannelGrid& grid, PortOpener& opener, AppContext& context,
                                     LinkObserver& observer) {
    if (const auto refusal = CommitEditedCell(grid, context.band, context.language)) {
        observer.ShowMessage(LinkMessage::RefusedEntry,
                             std::string(StringText(*refusal, context.language)));
    }
    if (direction == TransferDirection::Write) {
        GridToImage(grid, context.band, doc.image());
    }
    RadioTransferResult result;
    result.outcome = TransferImage(direction, doc.image(), opener, context.link, observer);
    const bool moved = result.outcome.kind == TransferOutcome::Kind::Complete ||
                       result.outcome.kind == TransferOutcome::Kind::Incomplete;
    if (direction == TransferDirection::Read && moved) {
        context.newDocument = false;
        result.refresh = RefreshGridFromImage(doc.image(), grid, context);
    }
    return result;
}

}  // namespace radioprog
