#include "core/link/link_messages.h"

#include "core/base/string_table.h"
#include "core/link/block_transfer.h"

namespace radioprog {
namespace {

constexpr BilingualText kPasswordError{"Password Error", "密码不对"};
constexpr BilingualText kPasswordErrorCaption{"Error", "Error"};
constexpr BilingualText kTransferIncomplete{"The transfer did not complete: blocks done ",
                                            "传输未完成：已完成数据块 "};
constexpr BilingualText kTransferCancelled{"The transfer was cancelled: blocks done ",
                                           "传输已取消：已完成数据块 "};

}  // namespace

std::string LinkMessageText(LinkMessage message, Language language) {
    switch (message) {
        case LinkMessage::CouldNotOpenPort:
            return std::string(StringText(StringId::CouldNotOpenPort, language));
        case LinkMessage::PasswordError:
            return std::string(kPasswordError.In(language));
        case LinkMessage::ProgramInterrupt:
            return std::string(StringText(StringId::ProgramInterrupt, language));
        case LinkMessage::TransferIncomplete:
            return std::string(kTransferIncomplete.In(language));
        case LinkMessage::TransferCancelled:
            return std::string(kTransferCancelled.In(language));
        case LinkMessage::RefusedEntry:
            break;
    }
    return {};
}

std::string PasswordErrorCaption(Language language) {
    return std::string(kPasswordErrorCaption.In(language));
}

std::string BlocksDoneDetail(int blocksDone) {
    return std::to_string(blocksDone) + " of " + std::to_string(kTransferBlocks);
}

}  // namespace radioprog
