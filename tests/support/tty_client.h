#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace radioprog::testing {

/// The program's end of a serial line in a few lines of termios: raw 8N1, blocking reads bounded
/// by a time-out, purging of the input only.
class TtyClient {
public:
    explicit TtyClient(const std::string& path) {
        m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios settings{};
        if (m_fd >= 0 && ::tcgetattr(m_fd, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::cfsetspeed(&settings, B9600);
            ::tcsetattr(m_fd, TCSANOW, &settings);
        }
    }
    ~TtyClient() { Close(); }
    TtyClient(const TtyClient&) = delete;
    TtyClient& operator=(const TtyClient&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    void Close() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

    bool Send(const std::vector<std::uint8_t>& bytes) {
        return ::write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    /// As the program sends it: one byte at a time, each after a 2 ms pause and a purge.
    void SendHandshake() {
        constexpr std::uint8_t kHandshake[] = {0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x5D};
        for (const std::uint8_t byte : kHandshake) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            PurgeInput();
            Send({byte});
        }
    }

    void PurgeInput() { ::tcflush(m_fd, TCIFLUSH); }

    /// Reads until @p count bytes came, the line was hung up or @p timeout passed.
    std::vector<std::uint8_t> Read(std::size_t count, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::vector<std::uint8_t> bytes;
        while (bytes.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd line{m_fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&line, 1, static_cast<int>(left.count())) <= 0) {
                break;
            }
            std::uint8_t buffer[64];
            const std::size_t wanted = std::min(sizeof buffer, count - bytes.size());
            const ssize_t got = ::read(m_fd, buffer, wanted);
            if (got <= 0) {
                break;
            }
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        return bytes;
    }

private:
    int m_fd = -1;
};

}  // namespace radioprog::testing
