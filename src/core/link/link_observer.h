#pragma once

#include <optional>
#include <string>

#include "core/radio/packed_password.h"

namespace radioprog {

/// What a connection or transfer tells the user on its way.
enum class LinkMessage {
    CouldNotOpenPort,    ///< the port cannot be opened; the detail says why
    PasswordError,       ///< the radio's password for the role is not the login password
    ProgramInterrupt,    ///< the radio refused the ACK after many failed reads
    TransferIncomplete,  ///< a block failed; the detail says how many of the 62 were done
    TransferCancelled,   ///< the user stopped it; the detail says how many of the 62 were done
    RefusedEntry,        ///< an open cell edit was refused; the detail is the grid's message
};

/// The user's side of a running exchange. The desktop program answers with dialogs and keeps
/// its window alive through `Pump`; the command line answers from its options.
class LinkObserver {
public:
    virtual ~LinkObserver() = default;

    /// Handles at most one waiting event of the application.
    virtual void Pump() {}
    /// Polled after every pump: the user asked to stop.
    virtual bool CancelRequested() const { return false; }
    /// One more image block is done (1 to 62).
    virtual void Progress(int blocksDone) { (void)blocksDone; }
    /// "Communication Error, ..." with Retry and Cancel; true for Retry.
    virtual bool AskRetry() = 0;
    /// Runs the login again with the role fixed; the new login password, or nothing when the
    /// user cancelled.
    virtual std::optional<PackedPassword> ReLogin() = 0;
    virtual void ShowMessage(LinkMessage message, const std::string& detail) = 0;
    /// Asks @p question (why the image may not be a radio's, and whether to write it anyway)
    /// before a write; true to write. An observer that cannot ask answers no.
    virtual bool ConfirmWrite(const std::string& question) {
        (void)question;
        return false;
    }
};

}  // namespace radioprog
