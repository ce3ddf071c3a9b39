#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/status.h"
#include "core/doc/settings_source.h"

namespace radioprog {

/// The program's settings file (`Program.ini`) held in memory: read whole at load, answered
/// from memory, written back whole. Keys and values are kept as the bytes they were read
/// (UTF-8 or GBK alike) and are written back in the same bytes, with the same line endings and
/// the same byte-order mark.
///
/// Comments, blank lines and lines whose key starts with ';', '/', '\\' or '*' are dropped at
/// load. Section names are found from the first to the last (the first of two equal names
/// wins), keys from the last to the first (the last of two equal keys wins). Keys before the
/// first header belong to the section with the empty name.
class CIniProfile : public SettingsSource {
public:
    /// @param growStep allocation step of the per-section tables (the process-wide store uses 4).
    explicit CIniProfile(int growStep = 4);
    /// Writes the file back (with the backup choice made at load) when write-back is on.
    ~CIniProfile() override;

    CIniProfile(const CIniProfile&) = delete;
    CIniProfile& operator=(const CIniProfile&) = delete;

    /// The folder `Load` looks in: the application directory.
    void SetDirectory(std::filesystem::path directory);
    const std::filesystem::path& directory() const { return m_directory; }

    /// Loads @p fileName from the application directory (the current folder when none was
    /// set); creates it empty when missing. A store that already holds a file saves it first
    /// (without a backup) and drops it.
    /// @param writeBack save at destruction.
    /// @param caseInsensitive match section names, keys and stored values without regard to
    ///        letter case; only ASCII letters fold, the bytes of multibyte characters never do.
    /// @param backup copy the file to a numbered backup before the save at destruction.
    /// @param status when given, set to why the file could not be loaded.
    /// @return false when the file can be neither read nor created, or is not a regular file (a
    ///         named pipe, a device); the store is then empty.
    bool Load(std::string_view fileName, bool writeBack, bool caseInsensitive, bool backup,
              Status* status = nullptr);
    /// Loads the file at @p fullPath; same rules as `Load`.
    bool LoadFile(const std::filesystem::path& fullPath, bool writeBack, bool caseInsensitive,
                  bool backup, Status* status = nullptr);
    /// Like `LoadFile`, except that a missing file is neither created nor an error: the store
    /// starts empty and the first `Save` that has something to write creates the file.
    bool LoadFileIfPresent(const std::filesystem::path& fullPath, bool writeBack,
                           bool caseInsensitive, bool backup, Status* status = nullptr);

    /// The value of @p key in the first section named @p section, with a trailing comment
    /// (from the first "//", from a tab followed by ';', from the first "/*") cut off; the
    /// blanks before the comment stay. When the section exists but the key does not, the
    /// default with its blanks trimmed; when the section does not exist, the default as given.
    /// An empty store answers every look-up with the trimmed default.
    std::string GetValue(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const override;
    /// Whether a section named @p section exists (the unnamed one does in every loaded file).
    bool HasSection(std::string_view section) const { return FindSection(section) >= 0; }
    /// Whether the first section named @p section holds @p key.
    bool HasKey(std::string_view section, std::string_view key) const;
    /// Adds or replaces a value; ignored while nothing is loaded. The store counts as modified
    /// only when something was added or the value changed under the store's comparison (a
    /// change of letter case alone does not count in a case-insensitive store).
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    /// How a save ended: the failure of the backup copy or of the write, and the name of the
    /// backup copy made by this store (empty when none was made or nothing could be written).
    struct [[nodiscard]] Saved {
        Status status = Status::Ok();
        std::string backupName;
    };
    /// Writes the whole file, atomically, when modified; the modified flag stays set.
    /// @param backup first copy the file on the disk to a numbered backup beside it (the full
    ///        path followed by ".001", ".002", ...); a store keeps using the name it chose.
    Saved Save(bool backup);
    /// Makes the next `Save` write the file although no change counted, for a value whose
    /// letter case matters to its reader (a case-insensitive store does not count a change of
    /// letter case alone). Ignored while nothing is loaded.
    void MarkModified() { m_modified = !m_path.empty(); }
    /// Gives up the save at destruction, for a store whose file was saved and now belongs to
    /// someone else (the next instance of the program): its content must not be overwritten
    /// with this store's. Look-ups keep working.
    void StopWriteBack() { m_writeBack = false; }
    /// Drops everything loaded; the store is empty afterwards.
    void Clear();

    const std::filesystem::path& path() const { return m_path; }
    bool modified() const { return m_modified; }

private:
    struct Section {
        std::string name;
        std::vector<std::string> keys;
        std::vector<std::string> values;
    };

    enum class IfMissing { Create, StartEmpty };

    bool LoadFrom(const std::filesystem::path& fullPath, bool writeBack, bool caseInsensitive,
                  bool backup, IfMissing ifMissing, Status* status);
    void Parse(std::string_view text);
    void AddSection(std::string_view name);
    int FindSection(std::string_view name) const;
    int FindKey(const Section& section, std::string_view key) const;
    bool Same(std::string_view a, std::string_view b) const;
    Status MakeBackup();
    std::string BackupName() const;
    std::string Serialize() const;

    int m_growStep;
    std::filesystem::path m_directory;
    std::filesystem::path m_path;
    std::vector<Section> m_sections;
    bool m_caseInsensitive = false;
    bool m_writeBack = false;
    bool m_backup = false;
    bool m_modified = false;
    std::string m_backupName;
    // How the loaded file was written, so that saving gives it back the same way.
    bool m_gbk = false;
    bool m_crlf = false;
    bool m_byteOrderMark = false;
};

}  // namespace radioprog
