#pragma once

#include <string>
#include <utility>

namespace radioprog {

/// The outcome of an operation that can fail: success, or a message for the user.
class [[nodiscard]] Status {
public:
    static Status Ok() { return Status(); }
    static Status Error(std::string message) { return Status(std::move(message)); }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const std::string& message() const { return m_message; }

private:
    Status() = default;
    explicit Status(std::string message) : m_failed(true), m_message(std::move(message)) {}

    bool m_failed = false;
    std::string m_message;
};

}  // namespace radioprog
