#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace radioprog {

/// The program's settings file (`Program.ini`) held in memory: read whole at load, answered
/// from memory, written back whole. Keys and values are kept as the bytes they were read
/// (UTF-8 or GBK alike) and are written back in the same bytes.
class CIniProfile {
public:
    /// @param growStep allocation step of the per-section tables (the process-wide store uses 4).
    explicit CIniProfile(int growStep = 4);
    /// Writes the file back (with the backup choice made at load) when write-back is on.
    ~CIniProfile();

    CIniProfile(const CIniProfile&) = delete;
    CIniProfile& operator=(const CIniProfile&) = delete;

    /// The folder `Load` looks in: the application directory.
    void SetDirectory(std::filesystem::path directory);
    const std::filesystem::path& directory() const { return m_directory; }

    /// Loads @p fileName from the application directory; creates it empty when missing.
    bool Load(std::string_view fileName, bool writeBack, bool caseInsensitive, bool backup);
    /// Loads the file at @p fullPath; same rules as `Load`.
    bool LoadFile(const std::filesystem::path& fullPath, bool writeBack, bool caseInsensitive,
                  bool backup);

    std::string GetValue(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    /// Writes the whole file when modified. Returns the name of the backup copy (empty when
    /// none was made). When @p status is given it tells whether the file was written.
    std::string Save(bool backup, Status* status = nullptr);
    void Clear();

    const std::filesystem::path& path() const { return m_path; }
    bool modified() const { return m_modified; }

private:
    struct Section {
        std::string name;
        std::vector<std::string> keys;
        std::vector<std::string> values;
    };

    int FindSection(std::string_view name) const;
    int FindKey(const Section& section, std::string_view key) const;
    bool Same(std::string_view a, std::string_view b) const;
    std::string BackupName();

    int m_growStep;
    std::filesystem::path m_directory;
    std::filesystem::path m_path;
    std::vector<Section> m_sections;
    bool m_caseInsensitive = false;
    bool m_writeBack = false;
    bool m_backup = false;
    bool m_modified = false;
    std::string m_backupName;
};

}  // namespace radioprog
