#include "core/fleet/fleet_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "core/base/atomic_file.h"
#include "core/base/csv_table.h"
#include "core/base/user_folders.h"
#include "core/fleet/fleet_texts.h"

namespace radioprog {
namespace {

const std::vector<std::string> kHeader = {"sequence", "port",           "start",
                                          "end",      "admin_password", "user_password",
                                          "result",   "detail",         "backup"};

std::tm LocalTime(FleetClock::time_point time) {
    const std::time_t seconds = FleetClock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

std::string Format(FleetClock::time_point time, const char* format) {
    const std::tm local = LocalTime(time);
    std::array<char, 32> text{};
    std::strftime(text.data(), text.size(), format, &local);
    return text.data();
}

std::string SetWord(bool set) {
    return set ? "set" : "not set";
}

}  // namespace

FleetLog::~FleetLog() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

Status FleetLog::Create(const std::filesystem::path& path, Language language) {
    m_language = language;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return Status::Error(CannotWrite(path, std::strerror(errno), language));
    }
    m_fd = fd;
    m_path = path;
    return WriteAll(DelimitedLine(kHeader, ','));
}

Status FleetLog::CreateIn(const std::filesystem::path& folder, FleetClock::time_point start,
                          Language language) {
    m_language = language;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return Status::Error(CannotWrite(folder, error.message(), language));
    }
    const std::string stem = Format(start, "%Y%m%dT%H%M%S");
    for (int n = 1;; ++n) {
        const std::filesystem::path path =
            folder / (n == 1 ? stem + ".csv" : stem + "-" + std::to_string(n) + ".csv");
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            m_fd = fd;
            m_path = path;
            return WriteAll(DelimitedLine(kHeader, ','));
        }
        if (errno != EEXIST) {
            return Status::Error(CannotWrite(path, std::strerror(errno), language));
        }
    }
}

Status FleetLog::Append(const RadioRecord& record) {
    return WriteAll(DelimitedLine(FleetLogFields(record), ','));
}

// A row is on the disk before the next radio starts: the log is what is left after a crash.
Status FleetLog::WriteAll(const std::string& text) {
    if (m_fd < 0) {
        return Status::Error(CannotWrite(m_path, "the log is not open", m_language));
    }
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t put = ::write(m_fd, text.data() + written, text.size() - written);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return Status::Error(CannotWrite(m_path, std::strerror(errno), m_language));
        }
        written += static_cast<std::size_t>(put);
    }
    if (::fdatasync(m_fd) != 0) {
        return Status::Error(CannotWrite(m_path, std::strerror(errno), m_language));
    }
    return Status::Ok();
}

std::filesystem::path FleetLogFolder() {
    return UserDataFolder() / "fleet";
}

std::vector<std::string> FleetLogFields(const RadioRecord& record) {
    const char* kTime = "%Y-%m-%dT%H:%M:%S";
    return {std::to_string(record.sequence),
            record.port,
            Format(record.start, kTime),
            Format(record.end, kTime),
            SetWord(record.identity.adminPasswordSet),
            SetWord(record.identity.userPasswordSet),
            std::string(RadioResultWord(record.outcome.kind)),
            RadioResultDetail(record.outcome),
            record.outcome.backupFile};
}

}  // namespace radioprog
