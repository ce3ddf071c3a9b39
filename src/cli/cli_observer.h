#pragma once

#include <optional>
#include <string>

#include "core/base/language.h"
#include "core/doc/safe_write.h"

namespace radioprog::cli {

/// Answers the engines from the command line: Retry as often as --retries allows (or by asking
/// when a person is at the terminal), a new password only when one can be typed, progress as a
/// bar on stderr when it is a terminal, and every message on stderr.
class CliObserver : public SafeWriteObserver {
public:
    CliObserver(Language language, std::optional<int> retries, std::string action);

    void Progress(int blocksDone) override;
    bool AskRetry() override;
    std::optional<PackedPassword> ReLogin() override;
    void ShowMessage(LinkMessage message, const std::string& detail) override;
    /// The progress bar is named after the phase.
    void PhaseStarted(SafeWritePhase phase) override;

    /// Ends the progress line, if one was drawn.
    void FinishProgress();

private:
    Language m_language;
    std::optional<int> m_retries;
    std::string m_action;
    bool m_interactive;
    bool m_progressShown = false;
};

}  // namespace radioprog::cli
