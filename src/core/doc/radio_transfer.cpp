#include "core/doc/radio_transfer.h"

#include "core/doc/app_context.h"
#include "core/radio/image_doubts.h"

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
    RadioTransferResult result;
    if (direction == TransferDirection::Write) {
        doc.StoreTexts(context.band);
        // Checked on what would go out: the band in use may have mended the file's.
        const std::string doubt = WriteDoubtQuestion(doc.image(), context.language);
        if (!doubt.empty() && !observer.ConfirmWrite(doubt)) {
            result.outcome.kind = TransferOutcome::Kind::Cancelled;
            return result;
        }
    }
    RadioImage image = doc.image();
    result.outcome = TransferImage(direction, image, opener, context.link, observer);
    // A read that stopped part-way would mix the radio's memory into the document's.
    const bool complete = result.outcome.kind == TransferOutcome::Kind::Complete;
    if (direction == TransferDirection::Read && complete) {
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
