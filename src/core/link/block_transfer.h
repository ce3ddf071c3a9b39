#pragma once

#include <cstdint>
#include <optional>

#include "core/link/connection.h"
#include "core/radio/memory_image.h"

namespace radioprog {

enum class TransferDirection { Read = 0, Write = 1 };

namespace wire {
inline constexpr std::uint8_t kReadCommand = 0x52;   // "R"
inline constexpr std::uint8_t kWriteCommand = 0x57;  // "W"
inline constexpr std::uint8_t kHalfBlockLength = 0x08;
inline constexpr std::size_t kReadReplySize = 12;
inline constexpr std::size_t kReadReplyData = 4;
/// The block whose second half is the identity record, which a User never writes.
inline constexpr std::size_t kIdentityBlock = image::kIdentity / image::kBlockSize;
}  // namespace wire

/// The image blocks a transfer moves: 0 to 61.
inline constexpr int kTransferBlocks = static_cast<int>(image::kRadioBlockCount);

/// How a transfer ended.
struct TransferOutcome {
    enum class Kind {
        Complete,      ///< all 62 blocks moved
        Incomplete,    ///< a block failed; blocksDone say how far it got
        Cancelled,     ///< the user cancelled between blocks
        NotConnected,  ///< the connection ended; `connectEnd` says how
    };
    Kind kind = Kind::Complete;
    int blocksDone = 0;
    std::optional<ConnectEnd> connectEnd;
};

/// Moves image blocks 0-61 over a connected port, a half-block at a time, pumping the
/// application and checking for Cancel after every block. A User's write skips the identity
/// record. A failed block ends the loop; the caller learns how many blocks were done. A read
/// changes @p image only when every block arrived. When the radio's first read reply repeats
/// the command's address and length in bytes 1-3, every later reply must too: one that does
/// not is asked for once more, and a second bad reply ends the read as incomplete.
TransferOutcome MoveBlocks(TransferDirection direction, RadioPort& port, RadioImage& image,
                           AccessRole role, LinkObserver& observer);

/// Connects and moves the blocks: the whole exchange of a Read or Write after its commit and
/// grid to image. The port is closed when this returns. An incomplete transfer
/// and a cancelled one are reported through the observer with how far they got. @p patience is
/// the connection's (see ConnectForTransfer).
TransferOutcome TransferImage(TransferDirection direction, RadioImage& image, PortOpener& opener,
                              LinkSession& session, LinkObserver& observer,
                              Milliseconds patience = Milliseconds(0));

}  // namespace radioprog
