#pragma once

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

namespace radioprog::testing {

/// A named pipe for code that must refuse it. Code that opens it for reading waits for a writer
/// forever; so that such a fault ends in a failed test and not in a hang, a writer comes after
/// @p patience, and goes at once (the reader then sees an empty file). `rescued` says whether
/// anybody had to be let go like that.
class Fifo {
public:
    explicit Fifo(std::filesystem::path path,
                  std::chrono::milliseconds patience = std::chrono::milliseconds(3000))
        : m_path(std::move(path)) {
        if (::mkfifo(m_path.c_str(), 0644) != 0) {
            std::abort();
        }
        m_writer = std::thread([this, patience] { FreeWaitingReaders(patience); });
    }
    ~Fifo() {
        m_done = true;
        m_writer.join();
    }
    Fifo(const Fifo&) = delete;
    Fifo& operator=(const Fifo&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    bool rescued() const { return m_rescued; }

private:
    void FreeWaitingReaders(std::chrono::milliseconds patience) {
        const auto start = std::chrono::steady_clock::now();
        while (!m_done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (std::chrono::steady_clock::now() - start < patience) {
                continue;
            }
            // Without a reader a non-blocking open for writing fails, so this frees only a
            // reader that is there.
            const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                m_rescued = true;
                ::close(fd);
            }
        }
    }

    std::filesystem::path m_path;
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_rescued{false};
    std::thread m_writer;
};

/// A listening Unix socket bound to a path, removed with the object.
class UnixSocket {
public:
    explicit UnixSocket(std::filesystem::path path) : m_path(std::move(path)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (m_path.string().size() >= sizeof address.sun_path) {
            std::abort();
        }
        std::strcpy(address.sun_path, m_path.c_str());
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_fd, 1) != 0) {
            std::abort();
        }
    }
    ~UnixSocket() {
        ::close(m_fd);
        ::unlink(m_path.c_str());
    }
    UnixSocket(const UnixSocket&) = delete;
    UnixSocket& operator=(const UnixSocket&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    int m_fd = -1;
};

}  // namespace radioprog::testing
