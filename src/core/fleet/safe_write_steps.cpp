#include "core/fleet/safe_write_steps.h"

#include "core/doc/safe_write.h"

namespace radioprog {
namespace {

using Kind = SafeWriteResult::Kind;

FleetPhase PhaseOf(SafeWritePhase phase) {
    switch (phase) {
        case SafeWritePhase::BackingUp:
            return FleetPhase::BackingUp;
        case SafeWritePhase::Writing:
            return FleetPhase::Writing;
        case SafeWritePhase::Verifying:
            return FleetPhase::Verifying;
    }
    return FleetPhase::Writing;
}

/// The safe write's questions answered for a fleet, where nobody is asked: everything else goes
/// to the run's observer.
class FleetSafeWriteObserver final : public SafeWriteObserver {
public:
    explicit FleetSafeWriteObserver(RadioStepObserver& run) : m_run(run) {}

    void Pump() override { m_run.Pump(); }
    bool CancelRequested() const override { return m_run.CancelRequested(); }
    void Progress(int blocksDone) override { m_run.Progress(blocksDone); }
    bool AskRetry() override { return m_run.AskRetry(); }
    void ShowMessage(LinkMessage message, const std::string& detail) override {
        m_run.ShowMessage(message, detail);
    }
    void PhaseStarted(SafeWritePhase phase) override { m_run.Phase(PhaseOf(phase)); }
    // Nobody is there to type another password; the safe write's check already logs in with the
    // one the written memory gave the radio.
    std::optional<PackedPassword> ReLogin() override { return std::nullopt; }

private:
    RadioStepObserver& m_run;
};

RadioResultKind NotConnectedKind(const SafeWriteResult& result) {
    switch (result.connectEnd.value_or(ConnectEnd::CommunicationError)) {
        case ConnectEnd::PortError:
            return RadioResultKind::PortError;
        case ConnectEnd::PasswordRefused:
            return RadioResultKind::PasswordError;
        case ConnectEnd::Cancelled:
            return RadioResultKind::Cancelled;
        case ConnectEnd::CommunicationError:
        case ConnectEnd::ProgramInterrupt:
            break;
    }
    return RadioResultKind::CommunicationError;
}

RadioOutcome OutcomeOf(const SafeWriteResult& result, Language language) {
    RadioOutcome outcome;
    outcome.backupFile = result.backupFile.string();
    outcome.blocksDone = result.phase == SafeWritePhase::Writing ? result.blocksDone : 0;
    switch (result.kind) {
        case Kind::Verified:
            outcome.kind = RadioResultKind::Verified;
            break;
        case Kind::Unchanged:
        case Kind::Written:
        case Kind::VerifyFailed:
            // Only a read-back that matched counts as verified.
            outcome.kind = RadioResultKind::VerifyFailed;
            outcome.differences = result.differing;
            if (outcome.differences.empty()) {
                outcome.detail = SafeWriteMessage(result, language);
            }
            break;
        case Kind::WriteIncomplete:
            outcome.kind = RadioResultKind::WriteIncomplete;
            break;
        case Kind::BackupFailed:
            outcome.kind = RadioResultKind::BackupFailed;
            outcome.detail = result.backupError;
            break;
        case Kind::NotConnected:
            outcome.kind = NotConnectedKind(result);
            if (result.phase == SafeWritePhase::Writing && result.blocksDone > 0) {
                outcome.kind = RadioResultKind::WriteIncomplete;
            }
            break;
        case Kind::Cancelled:
            outcome.kind = RadioResultKind::Cancelled;
            break;
    }
    return outcome;
}

}  // namespace

SafeWriteSteps::SafeWriteSteps(const RadioImage& image, const BackupStore& backups, bool backup,
                               Language language)
    : m_image(image), m_backups(backups), m_backup(backup), m_language(language) {}

RadioOutcome SafeWriteSteps::Program(PortOpener& opener, LinkSession& session,
                                     RadioStepObserver& observer) const {
    SafeWriteOptions options;
    options.backup = m_backup;
    options.verify = true;
    options.language = m_language;
    FleetSafeWriteObserver safeObserver(observer);
    const SafeWriteResult result =
        SafeWrite(m_image, opener, session, m_backups, options, safeObserver);
    return OutcomeOf(result, m_language);
}

}  // namespace radioprog
