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
// Long enough for the last bytes of a reply that stray bytes pushed back to arrive.
constexpr Milliseconds kShiftedTail(5);

std::array<std::uint8_t, 4> Command(std::uint8_t command, std::size_t address) {
    return {command, static_cast<std::uint8_t>(address >> 8),
            static_cast<std::uint8_t>(address & 0xFF), wire::kHalfBlockLength};
}

bool AnsweredAck(RadioPort& port) {
    const RadioPort::ReadResult answer = port.Read(1);
    return !answer.failed && answer.bytes.size() == 1 && answer.bytes[0] == wire::kAck;
}

// Whether the radio repeats the command's address and length in bytes 1-3 of its read replies,
// as radios of this family do. Learnt from the first reply of a read.
enum class Echo { Unknown, Carried, NotCarried };

bool CarriesEcho(const RadioPort::ReadResult& reply, std::size_t address, std::size_t at) {
    const auto command = Command(wire::kReadCommand, address);
    return std::equal(command.begin() + 1, command.end(), reply.bytes.begin() + at);
}

// Whether the reply's data can be taken. A first reply whose echo stands a few bytes late comes
// from an echoing radio after stray bytes: the data are shifted and not taken.
bool ReplyFits(const RadioPort::ReadResult& reply, std::size_t address, Echo& echo) {
    if (CarriesEcho(reply, address, 1)) {
        echo = Echo::Carried;
        return true;
    }
    if (echo == Echo::Unknown) {
        for (std::size_t late = 2; late <= wire::kReadReplyData; ++late) {
            if (CarriesEcho(reply, address, late)) {
                echo = Echo::Carried;
                return false;
            }
        }
        echo = Echo::NotCarried;
    }
    return echo == Echo::NotCarried;
}

bool ExchangeAck(RadioPort& port) {
    port.Sleep(kPause);
    port.PurgeInput();
    const std::uint8_t ack = wire::kAck;
    port.Write(std::span(&ack, 1));
    return AnsweredAck(port);
}

// A reply that does not fit is asked for once more, after the usual ACK exchange; the rest of
// a shifted reply is let in and dropped first.
bool ReadHalfBlock(RadioPort& port, RadioImage& image, std::size_t address, Echo& echo) {
    constexpr int kAsks = 2;
    for (int ask = 0; ask < kAsks; ++ask) {
        port.PurgeInput();
        port.Write(Command(wire::kReadCommand, address));
        const RadioPort::ReadResult reply = port.Read(wire::kReadReplySize);
        if (reply.failed || reply.bytes.size() < wire::kReadReplySize) {
            return false;
        }
        if (ReplyFits(reply, address, echo)) {
            std::copy_n(reply.bytes.begin() + wire::kReadReplyData, image::kHalfBlockSize,
                        image.begin() + static_cast<std::ptrdiff_t>(address));
            return ExchangeAck(port);
        }
        port.Sleep(kShiftedTail);
        if (!ExchangeAck(port)) {
            return false;
        }
        port.Sleep(kPause);
    }
    return false;
}

std::span<const std::uint8_t> HalfBlock(const RadioImage& image, std::size_t address) {
    return std::span(image).subspan(address, image::kHalfBlockSize);
}

bool ReadBlock(RadioPort& port, RadioImage& image, std::size_t block, Echo& echo) {
    const std::size_t address = block * image::kBlockSize;
    if (!ReadHalfBlock(port, image, address, echo)) {
        return false;
    }
    port.Sleep(kPause);
    return ReadHalfBlock(port, image, address + image::kHalfBlockSize, echo);
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

TransferOutcome MoveBlocksInto(TransferDirection direction, RadioPort& port, RadioImage& image,
                               AccessRole role, LinkObserver& observer) {
    TransferOutcome outcome;
    Echo echo = Echo::Unknown;
    for (int block = 0; block < kTransferBlocks; ++block) {
        const auto b = static_cast<std::size_t>(block);
        // A User never overwrites the radio's passwords, and is not pumped after that block.
        const bool skipIdentity = direction == TransferDirection::Write &&
                                  role == AccessRole::User && b == wire::kIdentityBlock;
        const bool moved = direction == TransferDirection::Read
                               ? ReadBlock(port, image, b, echo)
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

}  // namespace

TransferOutcome MoveBlocks(TransferDirection direction, RadioPort& port, RadioImage& image,
                           AccessRole role, LinkObserver& observer) {
    if (direction == TransferDirection::Read) {
        // Read into a copy: only a read that got every block may change the image.
        RadioImage arriving = image;
        const TransferOutcome outcome = MoveBlocksInto(direction, port, arriving, role, observer);
        if (outcome.kind == TransferOutcome::Kind::Complete) {
            image = arriving;
        }
        return outcome;
    }
    return MoveBlocksInto(direction, port, image, role, observer);
}

TransferOutcome TransferImage(TransferDirection direction, RadioImage& image, PortOpener& opener,
                              LinkSession& session, LinkObserver& observer, Milliseconds patience) {
    Connection connection = ConnectForTransfer(opener, session, observer, patience);
    if (!connection.port) {
        return TransferOutcome{TransferOutcome::Kind::NotConnected, 0, connection.end};
    }
    const TransferOutcome outcome =
        MoveBlocks(direction, *connection.port, image, session.role, observer);
    if (outcome.kind == TransferOutcome::Kind::Incomplete) {
        observer.ShowMessage(LinkMessage::TransferIncomplete, BlocksDoneDetail(outcome.blocksDone));
    } else if (outcome.kind == TransferOutcome::Kind::Cancelled) {
        observer.ShowMessage(LinkMessage::TransferCancelled, BlocksDoneDetail(outcome.blocksDone));
    }
    return outcome;
}

}  // namespace radioprog
