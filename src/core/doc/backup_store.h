#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/language.h"
#include "core/base/status.h"
#include "core/radio/memory_image.h"

namespace radioprog {

class UserStore;

/// Why a radio's memory was kept.
enum class BackupKind { Read, BeforeWrite };

/// "read" or "before-write": the kind as file names and the command line spell it.
std::string_view BackupKindName(BackupKind kind);

/// How many backups are kept: none older than maxAgeDays and no more than maxFiles, the oldest
/// going first, but never one of the newest keepNewest.
struct BackupLimits {
    int maxAgeDays = 365;
    int maxFiles = 500;
    int keepNewest = 20;
};

/// The limits of the per-user store (section `Software\radioprog\Backups`, values `MaxAgeDays`
/// and `MaxFiles`), the defaults for what it does not hold.
BackupLimits StoredBackupLimits(const UserStore& store);

/// One kept memory, as the folder holds it.
struct BackupEntry {
    std::filesystem::path file;
    std::chrono::system_clock::time_point time;
    std::string timeText;  ///< "YYYY-MM-DD HH:MM:SS", local time
    BackupKind kind = BackupKind::Read;
    std::string port;  ///< the port's name as the file name holds it
    /// Channels with a receive frequency; nothing when the file cannot be read as a memory.
    std::optional<int> filledChannels;
};

/// The port name made fit for a file name: every character other than a letter, a digit, '.'
/// and '_' becomes '_', and leading dots and '_' are dropped ("/dev/ttyUSB0" gives
/// "dev_ttyUSB0").
std::string FileSafePortName(std::string_view portName);

/// The folder of memories kept from radios: `YYYYMMDDTHHMMSS-read-PORT.dat` after every
/// complete read, `YYYYMMDDTHHMMSS-before-write-PORT.dat` before every write (local time;
/// `-2`, `-3` before `.dat` when the name is taken). Every file is written whole or not at all,
/// never over another, so that several radios may be backed up at once from several threads.
/// Files of other names in the folder are never touched.
class BackupStore {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    /// @param now the time of the run; the system clock unless a test gives its own.
    explicit BackupStore(std::filesystem::path folder, BackupLimits limits = {}, Clock now = {});

    /// `$XDG_DATA_HOME/radioprog/backups`, or `~/.local/share/radioprog/backups`.
    static std::filesystem::path DefaultFolder();

    const std::filesystem::path& folder() const { return m_folder; }

    struct Saved {
        Status status = Status::Ok();
        std::filesystem::path file;  ///< the backup written; empty on failure
    };
    /// Keeps @p image as a backup of @p kind from @p portName, creating the folder when needed,
    /// then prunes. A failure (full disk, no permission) leaves no file and says why in
    /// @p language.
    Saved Save(const RadioImage& image, BackupKind kind, std::string_view portName,
               Language language) const;

    /// Every backup, newest first.
    std::vector<BackupEntry> List() const;

    /// Removes what the limits no longer keep; what cannot be removed stays.
    void Prune() const;

private:
    std::filesystem::path m_folder;
    BackupLimits m_limits;
    Clock m_now;
};

}  // namespace radioprog
