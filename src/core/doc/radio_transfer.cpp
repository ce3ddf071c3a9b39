#include "core/doc/radio_transfer.h"

#include "core/doc/app_context.h"

namespace radioprog {

RadioTransferResult RunRadioTransfer(TransferDirection direction, CProgramDoc& doc,
                                     const std::optional<OpenCellEdit>& openEdit,
                                     PortOpener& opener, AppContext& context,
                                     LinkObserver& observer) {
    if (openEdit) {
        if (const auto refusal = doc.CommitCell(openEdit->row, openEdit->col, openEdit->text,
                                                context.band, context.language)) {
            observer.ShowMessage(LinkMessage::RefusedEntry,
                                 std::string(StringText(*refusal, context.language)));
        }
    }
    if (direction == TransferDirection::Write) {
        doc.StoreTexts(context.band);
    }
    RadioImage image = doc.image();
    RadioTransferResult result;
    result.outcome = TransferImage(direction, image, opener, context.link, observer);
    const bool moved = result.outcome.kind == TransferOutcome::Kind::Complete ||
                       result.outcome.kind == TransferOutcome::Kind::Incomplete;
    if (direction == TransferDirection::Read && moved) {
        context.newDocument = false;
        doc.Edit(DocumentEdit::Of(DocumentEdit::Kind::Read),
                 [&](RadioImage& landed, TextGrid& texts) {
                     landed = image;
                     result.refresh = RefreshGridFromImage(landed, texts, context);
                 });
    }
    return result;
}

}  // namespace radioprog
