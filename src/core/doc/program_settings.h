#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/status.h"
#include "core/doc/ini_profile.h"
#include "core/doc/settings_layout.h"
#include "core/doc/settings_source.h"

namespace radioprog {

/// The program's settings: the `Program.ini` files of a layout, read whole at load. A look-up
/// is answered by the last layer that holds the key; what the program changes goes to the
/// last layer only, and only that layer is ever written, atomically. All layers match section
/// names and keys without regard to letter case.
class ProgramSettings : public SettingsSource {
public:
    ProgramSettings() = default;
    /// Writes the last layer back when write-back is on and it was changed.
    ~ProgramSettings() override;

    ProgramSettings(const ProgramSettings&) = delete;
    ProgramSettings& operator=(const ProgramSettings&) = delete;

    /// Reads every layer of @p layout, dropping whatever was loaded before. A one-folder
    /// layout creates its file when missing, as the settings file always was; the layers of an
    /// installed program that are missing are simply empty.
    /// @return what went wrong: the layers that exist but could not be read, which then count
    ///         as empty. A one-folder file that cannot be created is not reported: the
    ///         missing language says enough.
    Status Load(const SettingsLayout& layout);

    /// The value of the last layer that holds @p key in @p section. When none does, the
    /// default with its blanks trimmed if some layer has the section, else the default as
    /// given; the same rules as `CIniProfile::GetValue` for one file.
    std::string GetValue(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const override;
    /// Adds or replaces the value in the written layer; when that layer could not be read, the
    /// change is lost and the next `Save` says so.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    /// Writes the written layer, creating its folder when needed, when it was changed; the
    /// failure of the write, or of a lost change, and the backup copy made (see
    /// `CIniProfile::Save`).
    CIniProfile::Saved Save(bool backup);
    /// See `CIniProfile::MarkModified`.
    void MarkModified() { m_written.MarkModified(); }
    /// See `CIniProfile::StopWriteBack`.
    void StopWriteBack() { m_writeBack = false; }
    bool modified() const { return m_written.modified(); }

    /// The file the program writes.
    const std::filesystem::path& writtenPath() const { return m_writtenPath; }

private:
    /// The layers from the first to the last, the written one included.
    std::vector<const CIniProfile*> Layers() const;

    std::vector<std::unique_ptr<CIniProfile>> m_readOnly;
    CIniProfile m_written{4};
    std::filesystem::path m_writtenPath;
    bool m_writeBack = false;
    bool m_changeLost = false;  ///< a change was asked of a written layer that could not be read
};

}  // namespace radioprog
