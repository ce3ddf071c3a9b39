#include "core/doc/backup_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <functional>
#include <regex>
#include <thread>

#include "core/base/atomic_file.h"
#include "core/base/regular_file.h"
#include "core/base/user_folders.h"
#include "core/doc/user_store.h"
#include "core/radio/channel_record.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;
using SystemClock = std::chrono::system_clock;

constexpr std::string_view kLimitsKey = "Software\\radioprog\\Backups";
constexpr int kMostClashes = 1000;
// A staging file outlives its backup only when the program was killed in between.
constexpr std::chrono::hours kStaleStaging(24);
constexpr std::string_view kStagingPrefix = ".staging-";

// YYYYMMDDTHHMMSS-KIND-PORT[-N].dat; a file-safe port holds no '-'.
const std::regex& BackupName() {
    static const std::regex name(
        R"(^([0-9]{8})T([0-9]{6})-(read|before-write)-([A-Za-z0-9._]+?)(?:-([0-9]+))?\.dat$)");
    return name;
}

std::string Stamp(SystemClock::time_point time, const char* format) {
    const std::time_t seconds = SystemClock::to_time_t(time);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

int Digits(const std::string& text, std::size_t from, std::size_t count) {
    return std::stoi(text.substr(from, count));
}

SystemClock::time_point FromStamp(const std::string& date, const std::string& time) {
    std::tm local{};
    local.tm_year = Digits(date, 0, 4) - 1900;
    local.tm_mon = Digits(date, 4, 2) - 1;
    local.tm_mday = Digits(date, 6, 2);
    local.tm_hour = Digits(time, 0, 2);
    local.tm_min = Digits(time, 2, 2);
    local.tm_sec = Digits(time, 4, 2);
    local.tm_isdst = -1;
    return SystemClock::from_time_t(std::mktime(&local));
}

std::optional<int> FilledChannels(const fs::path& file) {
    FileStart start;
    if (!ReadRegularFile(file, image::kSize, Language::English, start) ||
        start.bytes.size() < image::kSize) {
        return std::nullopt;
    }
    RadioImage memory{};
    std::copy_n(start.bytes.begin(), image::kSize, memory.begin());
    int filled = 0;
    for (int channel = 1; channel <= image::kChannelCount; ++channel) {
        filled += ChannelRecordView(memory, channel).IsEmpty() ? 0 : 1;
    }
    return filled;
}

struct Named {
    BackupEntry entry;
    std::string stamp;  // date and time as the name holds them, for the order
    int sequence = 1;
};

bool Newer(const Named& a, const Named& b) {
    return std::tie(a.stamp, a.sequence) > std::tie(b.stamp, b.sequence);
}

std::vector<Named> Scan(const fs::path& folder) {
    std::vector<Named> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::smatch match;
        if (!std::regex_match(name, match, BackupName()) || !it->is_regular_file(error)) {
            continue;
        }
        Named named;
        named.stamp = match[1].str() + match[2].str();
        named.sequence = match[5].matched ? std::stoi(match[5].str()) : 1;
        named.entry.file = it->path();
        named.entry.time = FromStamp(match[1], match[2]);
        named.entry.timeText = Stamp(named.entry.time, "%Y-%m-%d %H:%M:%S");
        named.entry.kind = match[3] == "read" ? BackupKind::Read : BackupKind::BeforeWrite;
        named.entry.port = match[4];
        found.push_back(std::move(named));
    }
    std::sort(found.begin(), found.end(), Newer);
    return found;
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string StagingName() {
    return std::string(kStagingPrefix) + std::to_string(::getpid()) + "-" +
           std::to_string(std::hash<std::thread::id>{}(std::this_thread::get_id())) + ".dat";
}

// Gives the whole staged file the first free name: a link never replaces a file, so two
// backups of the same second cannot overwrite each other.
// After the highest number the base already has, so that the order of the names stays the
// order of the backups even when older ones of the same second were pruned.
int FirstFreeNumber(const fs::path& folder, const std::string& base) {
    int highest = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::smatch match;
        if (name.rfind(base, 0) == 0 && std::regex_match(name, match, BackupName()) &&
            match[1].str() + "T" + match[2].str() + "-" + match[3].str() + "-" + match[4].str() ==
                base) {
            highest = std::max(highest, match[5].matched ? std::stoi(match[5].str()) : 1);
        }
    }
    return highest + 1;
}

Status Publish(const fs::path& staged, const fs::path& folder, const std::string& base,
               Language language, fs::path& published) {
    const int first = FirstFreeNumber(folder, base);
    for (int n = first; n < first + kMostClashes; ++n) {
        const fs::path target =
            folder / (base + (n == 1 ? std::string() : "-" + std::to_string(n)) + ".dat");
        if (::link(staged.c_str(), target.c_str()) == 0) {
            published = target;
            SyncFolder(folder);
            return Status::Ok();
        }
        if (errno != EEXIST) {
            return Status::Error(CannotWrite(target, std::strerror(errno), language));
        }
    }
    return Status::Error(
        CannotWrite(folder / (base + ".dat"), "too many backups of one second", language));
}

}  // namespace

std::string_view BackupKindName(BackupKind kind) {
    return kind == BackupKind::Read ? "read" : "before-write";
}

BackupLimits StoredBackupLimits(const UserStore& store) {
    BackupLimits limits;
    const auto positive = [&](std::string_view name, int fallback) {
        const std::uint32_t value =
            store.GetInt(kLimitsKey, name, static_cast<std::uint32_t>(fallback));
        return value > 0 && value < 1000000 ? static_cast<int>(value) : fallback;
    };
    limits.maxAgeDays = positive("MaxAgeDays", limits.maxAgeDays);
    limits.maxFiles = positive("MaxFiles", limits.maxFiles);
    return limits;
}

std::string FileSafePortName(std::string_view portName) {
    std::string safe;
    for (const char c : portName) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '_';
        safe += kept ? c : '_';
    }
    safe.erase(0, safe.find_first_not_of("._"));
    return safe.empty() ? std::string("port") : safe;
}

BackupStore::BackupStore(fs::path folder, BackupLimits limits, Clock now)
    : m_folder(std::move(folder)), m_limits(limits), m_now(std::move(now)) {
    if (!m_now) {
        m_now = [] { return SystemClock::now(); };
    }
}

fs::path BackupStore::DefaultFolder() {
    return UserDataFolder() / "backups";
}

BackupStore::Saved BackupStore::Save(const RadioImage& image, BackupKind kind,
                                     std::string_view portName, Language language) const {
    Saved saved;
    std::error_code error;
    fs::create_directories(m_folder, error);
    if (error) {
        saved.status = Status::Error(CannotWrite(m_folder, error.message(), language));
        return saved;
    }
    const std::string base = Stamp(m_now(), "%Y%m%dT%H%M%S") + "-" +
                             std::string(BackupKindName(kind)) + "-" + FileSafePortName(portName);
    const fs::path staged = m_folder / StagingName();
    saved.status = WriteFileAtomically(staged, std::span(image), language);
    if (saved.status) {
        saved.status = Publish(staged, m_folder, base, language, saved.file);
    }
    fs::remove(staged, error);
    if (saved.status) {
        Prune();
    }
    return saved;
}

std::vector<BackupEntry> BackupStore::List() const {
    std::vector<BackupEntry> entries;
    for (Named& named : Scan(m_folder)) {
        named.entry.filledChannels = FilledChannels(named.entry.file);
        entries.push_back(std::move(named.entry));
    }
    return entries;
}

void BackupStore::Prune() const {
    const SystemClock::time_point now = m_now();
    const auto maxAge = std::chrono::hours(24) * m_limits.maxAgeDays;
    const std::vector<Named> found = Scan(m_folder);
    std::error_code error;
    for (std::size_t i = static_cast<std::size_t>(std::max(m_limits.keepNewest, 0));
         i < found.size(); ++i) {
        const bool tooMany = i >= static_cast<std::size_t>(m_limits.maxFiles);
        if (tooMany || now - found[i].entry.time > maxAge) {
            fs::remove(found[i].entry.file, error);
        }
    }
    for (fs::directory_iterator it(m_folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code timeError;
        const auto written = fs::last_write_time(it->path(), timeError);
        if (name.rfind(kStagingPrefix, 0) == 0 && !timeError &&
            fs::file_time_type::clock::now() - written > kStaleStaging) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

}  // namespace radioprog
