#include "core/link/block_transfer.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/link/link_messages.h"
#include "core/link/link_session.h"

namespace radioprog {
namespace {

constexpr Milliseconds kPause(1);
constexpr int kPumpsAfterBlock = 5;

std::array<std::uint8_t, 4> Command(std::uint8_t command, std::size_t address) {
    return {command, static_cast<std::uint8_t>(address >> 8),
            static_cast<std::uint8_t>(address & 0xFF), wire::kHalfBlockLength};
}

bool AnsweredAck(RadioPort& port) {
    const RadioPort::ReadResult answer = port.Read(1);
    return !answer.failed && answer.bytes.size() == 1 && answer.bytes[0] == wire::kAck;
}

bool ReadHalfBlock(RadioPort& port, RadioImage& image, std::size_t address) {
    port.PurgeInput();
    port.Write(Command(wire::kReadCommand, address));
    const RadioPort::ReadResult reply = port.Read(wire::kReadReplySize);
    if (reply.failed || reply.bytes.size() < wire::kReadReplySize) {
        return false;
    }
    std::copy_n(reply.bytes.begin() + wire::kReadReplyData, image::kHalfBlockSize,
                image.begin() + static_cast<std::ptrdiff_t>(address));
    port.Sleep(kPause);
    port.PurgeInput();
    const std::uint8_t ack = wire::kAck;
    port.Write(std::span(&ack, 1));
    return AnsweredAck(port);
}

std::span<const std::uint8_t> HalfBlock(const RadioImage& image, std::size_t address) {
    return std::span(image).subspan(address, image::kHalfBlockSize);
}

bool ReadBlock(RadioPort& port, RadioImage& image, std::size_t block) {
    const std::size_t address = block * image::kBlockSize;
    if (!ReadHalfBlock(port, image, address)) {
        return false;
    }
    port.Sleep(kPause);
    return ReadHalfBlock(port, image, address + image::kHalfBlockSize);
}

bool WriteBlock(RadioPort& port, const RadioImage& image, std::size_t block, bool skipSecondHalf) {
    const std::size_t address = block * image::kBlockSize;
    port.PurgeInput();
    port.Write(Command(wire::kWriteCommand, address));
    port.Write(HalfBlock(image, address));
    if (!AnsweredAck(port)) {
        return false;
    }
    if (skipSecondHalf) {
        return true;
    }
    const std::size_t second = address + image::kHalfBlockSize;
    port.PurgeInput();
    port.Write(Command(wire::kWriteCommand, second));
    port.Sleep(kPause);
    port.Write(HalfBlock(image, second));
    return AnsweredAck(port);
}

bool PumpAfterBlock(LinkObserver& observer) {
    for (int i = 0; i < kPumpsAfterBlock; ++i) {
        observer.Pump();
        if (observer.CancelRequested()) {
            return false;
        }
    }
    return true;
}

}  // namespace

TransferOutcome MoveBlocks(TransferDirection direction, RadioPort& port, RadioImage& image,
                           AccessRole role, LinkObserver& observer) {
    TransferOutcome outcome;
    for (int block = 0; block < kTransferBlocks; ++block) {
        const auto b = static_cast<std::size_t>(block);
        // A User never overwrites the radio's passwords, and is not pumped after that block.
        const bool skipIdentity = direction == TransferDirection::Write &&
                                  role == AccessRole::User && b == wire::kIdentityBlock;
        const bool moved = direction == TransferDirection::Read
                               ? ReadBlock(port, image, b)
                               : WriteBlock(port, image, b, skipIdentity);
        if (!moved) {
            outcome.kind = TransferOutcome::Kind::Incomplete;
            return outcome;
        }
        outcome.blocksDone = block + 1;
        observer.Progress(outcome.blocksDone);
        if (!skipIdentity && !PumpAfterBlock(observer)) {
            outcome.kind = TransferOutcome::Kind::Cancelled;
            return outcome;
        }
    }
    return outcome;
}

TransferOutcome TransferImage(TransferDirection direction, RadioImage& image, PortOpener& opener,
                              LinkSession& session, LinkObserver& observer) {
    Connection connection = ConnectForTransfer(opener, session, observer);
    if (!connection.port) {
        return TransferOutcome{TransferOutcome::Kind::NotConnected, 0, connection.end};
    }
    const TransferOutcome outcome =
        MoveBlocks(direction, *connection.port, image, session.role, observer);
    if (outcome.kind == TransferOutcome::Kind::Incomplete) {
        observer.ShowMessage(LinkMessage::TransferIncomplete, BlocksDoneDetail(outcome.blocksDone));
    }
    return outcome;
}

}  // namespace radioprog
