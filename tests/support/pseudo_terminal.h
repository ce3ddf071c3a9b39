#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <vector>

namespace radioprog::testing {

/// A pseudo-terminal pair: the program under test opens the slave device by its path, the
/// test plays the other end of the line through the master.
class PseudoTerminal {
public:
    PseudoTerminal() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
            std::abort();
        }
        const char* name = ::ptsname(m_master);
        if (name == nullptr) {
            std::abort();
        }
        m_slave = name;
    }
    ~PseudoTerminal() { CloseMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::filesystem::path& slave() const { return m_slave; }

    void Send(std::span<const std::uint8_t> bytes) const {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t put = ::write(m_master, bytes.data() + sent, bytes.size() - sent);
            if (put <= 0) {
                std::abort();
            }
            sent += static_cast<std::size_t>(put);
        }
    }

    /// What the program wrote: up to @p count bytes, waiting at most @p patience for them.
    std::vector<std::uint8_t> Receive(
        std::size_t count,
        std::chrono::milliseconds patience = std::chrono::milliseconds(2000)) const {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        std::vector<std::uint8_t> bytes(count);
        std::size_t received = 0;
        while (received < count) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd watch{m_master, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&watch, 1, static_cast<int>(left.count())) <= 0) {
                break;
            }
            const ssize_t got = ::read(m_master, bytes.data() + received, count - received);
            if (got <= 0) {
                break;
            }
            received += static_cast<std::size_t>(got);
        }
        bytes.resize(received);
        return bytes;
    }

    /// Hangs up the line, as a radio cable pulled out of the computer would.
    void CloseMaster() {
        if (m_master >= 0) {
            ::close(m_master);
            m_master = -1;
        }
    }

private:
    int m_master = -1;
    std::filesystem::path m_slave;
};

}  // namespace radioprog::testing
