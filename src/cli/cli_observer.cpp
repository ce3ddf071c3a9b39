#include "cli_observer.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>

#include "cli_common.h"
#include "core/base/string_table.h"
#include "core/link/block_transfer.h"
#include "core/link/link_messages.h"

namespace radioprog::cli {
namespace {

constexpr int kBarWidth = 40;

std::string ReadLineWithoutEcho() {
    termios saved{};
    const bool terminal = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::cerr << '\n';
    }
    return line;
}

}  // namespace

CliObserver::CliObserver(Language language, std::optional<int> retries, std::string action)
    : m_language(language),
      m_retries(retries),
      m_action(std::move(action)),
      m_interactive(::isatty(STDIN_FILENO) == 1) {}

void CliObserver::Progress(int blocksDone) {
    if (::isatty(STDERR_FILENO) != 1) {
        return;
    }
    const int filled = blocksDone * kBarWidth / kTransferBlocks;
    std::cerr << '\r' << m_action << " [" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') << "] "
              << blocksDone << '/' << kTransferBlocks << std::flush;
    m_progressShown = true;
}

void CliObserver::PhaseStarted(SafeWritePhase phase) {
    FinishProgress();
    m_action = SafeWritePhaseText(phase, m_language);
}

void CliObserver::FinishProgress() {
    if (m_progressShown) {
        std::cerr << '\n';
        m_progressShown = false;
    }
}

bool CliObserver::AskRetry() {
    FinishProgress();
    Report(std::string(StringText(StringId::CommunicationError, m_language)));
    if (m_retries) {
        if (*m_retries <= 0) {
            return false;
        }
        --*m_retries;
        Report("Retrying...");
        return true;
    }
    if (!m_interactive) {
        return false;
    }
    std::cerr << "Retry? [y/N] " << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

std::optional<PackedPassword> CliObserver::ReLogin() {
    if (!m_interactive) {
        return std::nullopt;
    }
    for (;;) {
        std::cerr << "Password (up to six digits, empty line to give up): " << std::flush;
        const std::string typed = ReadLineWithoutEcho();
        if (typed.empty() || !std::cin) {
            return std::nullopt;
        }
        if (const auto packed = PackPassword(typed)) {
            return packed;
        }
    }
}

void CliObserver::ShowMessage(LinkMessage message, const std::string& detail) {
    FinishProgress();
    if (message == LinkMessage::TransferIncomplete || message == LinkMessage::TransferCancelled) {
        Report(LinkMessageText(message, m_language) + detail);
        return;
    }
    if (const std::string text = LinkMessageText(message, m_language); !text.empty()) {
        Report(text);
    }
    if (!detail.empty()) {
        Report(detail);
    }
}

}  // namespace radioprog::cli
