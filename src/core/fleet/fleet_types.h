#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace radioprog {

/// What one port of a fleet run is doing.
enum class FleetPhase {
    WaitingForRadio,    ///< asking for a radio every half second
    BackingUp,          ///< reading the radio's memory before the write
    Writing,            ///< writing the fleet's memory
    Verifying,          ///< reading the radio back and comparing
    WaitingForRemoval,  ///< the radio is done; waiting for it to stop answering
    Finished,           ///< the run is over for this port
};

/// What the radio said about itself when it answered: whether each password is set. The digits
/// are never kept.
struct RadioIdentity {
    bool adminPasswordSet = false;
    bool userPasswordSet = false;
};

/// How one radio of the fleet ended.
enum class RadioResultKind {
    Verified,            ///< written, read back and equal to the fleet's memory
    VerifyFailed,        ///< written, but the read-back differs (`differences`) or failed
    WriteIncomplete,     ///< the write stopped part-way (`blocksDone`): the radio holds a mix
    BackupFailed,        ///< the backup could not be read or kept, so nothing was written
    PasswordError,       ///< the radio refused the login password
    CommunicationError,  ///< the radio stopped answering before the write began
    PortError,           ///< the port could not be opened
    Cancelled,           ///< the run was stopped while this radio was being programmed
};

/// The per-radio work's account of one radio.
struct RadioOutcome {
    RadioResultKind kind = RadioResultKind::Verified;
    /// The blocks written when the write stopped (WriteIncomplete, Cancelled while writing).
    int blocksDone = 0;
    /// The half-block addresses the read-back differed at (VerifyFailed).
    std::vector<std::size_t> differences;
    /// Where the memory the radio held before the write was kept; empty when none was.
    std::string backupFile;
    /// What the engines said on the way (a port error's cause, say).
    std::string detail;
};

using FleetClock = std::chrono::system_clock;

/// One radio of a run, as the log keeps it.
struct RadioRecord {
    int sequence = 0;  ///< 1 for the first radio taken in the whole run
    std::string port;
    FleetClock::time_point start;
    FleetClock::time_point end;
    RadioIdentity identity;
    RadioOutcome outcome;
    /// The processor time the port's thread spent on this radio's work.
    std::chrono::nanoseconds cpuTime{0};
};

/// One port's state for the live display.
struct PortState {
    std::size_t index = 0;  ///< the port's place in the run's list
    std::string port;
    FleetPhase phase = FleetPhase::WaitingForRadio;
    int blocksDone = 0;  ///< of the current phase's 62
    int radiosDone = 0;  ///< radios this port has finished
    int sequence = 0;    ///< the radio being programmed, 0 when none
    /// Why no radio is found (the port cannot be opened: the cause); empty otherwise.
    std::string note;
};

/// How many radios ended how, over the whole run.
struct FleetSummary {
    int handled = 0;
    int verified = 0;
    int verifyFailed = 0;
    int incomplete = 0;  ///< write incomplete, or cancelled part-way
    int otherFailures = 0;
    /// The first radio that ended in one of the other failures, for the exit code.
    std::optional<RadioResultKind> firstOtherFailure;
    bool cancelled = false;
    /// Set when a row could not be written to the log; the message says why.
    std::string logError;
};

}  // namespace radioprog
