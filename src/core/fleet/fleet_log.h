#pragma once

#include <filesystem>
#include <string>

#include "core/base/language.h"
#include "core/base/status.h"
#include "core/fleet/fleet_types.h"

namespace radioprog {

/// The log of one fleet run: a CSV file with a header and one row per radio, each row written
/// and flushed to the disk as the radio ends, so that a crash keeps every finished radio. The
/// columns: sequence, port, start, end (local time), admin_password and user_password ("set" or
/// "not set", never the digits), result, detail, backup.
class FleetLog {
public:
    FleetLog() = default;
    ~FleetLog();
    FleetLog(const FleetLog&) = delete;
    FleetLog& operator=(const FleetLog&) = delete;

    /// Creates @p path (replacing a file there) and writes the header.
    [[nodiscard]] Status Create(const std::filesystem::path& path, Language language);
    /// Creates a new log in @p folder named after @p start, YYYYMMDDTHHMMSS.csv, with -2, -3 ...
    /// when a run of the same second has one; makes the folder when it is missing.
    [[nodiscard]] Status CreateIn(const std::filesystem::path& folder, FleetClock::time_point start,
                                  Language language);

    [[nodiscard]] Status Append(const RadioRecord& record);

    const std::filesystem::path& path() const { return m_path; }

private:
    Status WriteAll(const std::string& text);

    int m_fd = -1;
    std::filesystem::path m_path;
    Language m_language = Language::English;
};

/// Where the runs' logs go: `$XDG_DATA_HOME/radioprog/fleet`.
std::filesystem::path FleetLogFolder();

/// The row of @p record as the log holds it, without its line end.
std::vector<std::string> FleetLogFields(const RadioRecord& record);

}  // namespace radioprog
