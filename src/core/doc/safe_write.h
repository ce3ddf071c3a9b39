#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/doc/backup_store.h"
#include "core/link/block_transfer.h"
#include "core/link/link_observer.h"
#include "core/link/link_session.h"
#include "core/link/port_opener.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// The three steps of a safe write, in order.
enum class SafeWritePhase { BackingUp, Writing, Verifying };

/// "Backing up", "Writing", "Verifying" in @p language.
std::string SafeWritePhaseText(SafeWritePhase phase, Language language);

/// The user's side of a safe write: a link observer that also hears when each phase starts.
/// The block counter of `Progress` starts again at 1 in every phase.
class SafeWriteObserver : public LinkObserver {
public:
    virtual void PhaseStarted(SafeWritePhase phase) { (void)phase; }
    /// With `SafeWriteOptions::confirmChanges`: the radio holds @p radio and the write would
    /// give it @p toWrite; true to write. An observer that cannot ask answers no.
    virtual bool ConfirmChanges(const RadioImage& radio, const RadioImage& toWrite) {
        (void)radio;
        (void)toWrite;
        return false;
    }
};

struct SafeWriteOptions {
    /// Read the radio first and keep its memory as a before-write backup; nothing is written
    /// when that fails.
    bool backup = true;
    /// Read the radio back afterwards and compare.
    bool verify = true;
    /// Show the radio's memory and the one to write to the observer and ask first; a radio
    /// that already holds the memory is not written.
    bool confirmChanges = false;
    /// How long the verify's connection retries quietly (a radio may restart after a write).
    Milliseconds verifyPatience = Milliseconds(10000);
    /// The port as the backup's name tells it; the session's port name when empty.
    std::string portLabel;
    Language language = Language::English;
};

struct SafeWriteResult {
    enum class Kind {
        Verified,         ///< written and read back the same
        Written,          ///< written; verify was turned off
        Unchanged,        ///< the radio already held the memory; nothing written
        VerifyFailed,     ///< read back differently (`differing`) or not read back at all
        WriteIncomplete,  ///< the write stopped after `blocksDone` blocks: the radio holds a mix
        BackupFailed,     ///< the backup could not be read or kept (`backupError`); nothing sent
        NotConnected,     ///< a connection ended (`connectEnd`) in `phase`
        Cancelled,        ///< the user stopped it in `phase`
    };
    Kind kind = Kind::Verified;
    SafeWritePhase phase = SafeWritePhase::BackingUp;  ///< the phase it ended in
    int blocksDone = 0;                                ///< of the phase it ended in
    std::optional<ConnectEnd> connectEnd;
    std::vector<std::size_t> differing;  ///< half-block addresses that read back differently
    std::filesystem::path backupFile;    ///< the before-write backup, when one was kept
    std::string backupError;             ///< why the backup could not be kept
    /// The radio's memory before the write, when it was read.
    std::optional<RadioImage> radioBefore;
};

/// The one way to write a radio safely: reads the radio and keeps its memory in @p backups
/// (unless turned off), writes @p image, reads it back patiently and compares blocks 0-61 (a
/// User's identity record excepted). Each phase is announced to @p observer. Runs on the
/// calling thread and uses nothing but its parameters, so that several radios may be written
/// at once from several threads, each with its own session, opener and observer.
SafeWriteResult SafeWrite(const RadioImage& image, PortOpener& opener, LinkSession& session,
                          const BackupStore& backups, const SafeWriteOptions& options,
                          SafeWriteObserver& observer);

/// What the user is told at the end of a safe write, in @p language: "Written and verified", the
/// differing addresses, the mix a stopped write leaves, why nothing was written. Empty for the
/// ends the link already explained (a connection that ended, a cancel before writing).
std::string SafeWriteMessage(const SafeWriteResult& result, Language language);

}  // namespace radioprog
