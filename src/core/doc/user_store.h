#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/language.h"
#include "core/base/status.h"

namespace radioprog {

/// Per-user settings that outlive a run (the saved port, the Type/Field mirror, the access
/// role, the devices behind the port names): key path + value name -> 4-byte integer or text.
/// Kept in an INI file whose sections are the key paths; key paths and value names match
/// without regard to letter case, text values keep theirs. Every change is written to the disk
/// at once, atomically.
class UserStore {
public:
    explicit UserStore(std::filesystem::path file);

    /// `$XDG_CONFIG_HOME/radioprog/user.ini`, or `~/.config/radioprog/user.ini`.
    static std::filesystem::path DefaultLocation();

    const std::filesystem::path& file() const { return m_file; }

    /// Fails, saying why in @p language, when the file is there but is not a regular file (a
    /// named pipe, a device, a folder): every read would then find nothing and every change
    /// fail. A missing file is fine: the first change creates it.
    Status Check(Language language) const;

    /// The stored value, or nothing when the value (or the whole file) is missing or unreadable.
    std::optional<std::uint32_t> GetInt(std::string_view keyPath, std::string_view name) const;
    std::uint32_t GetInt(std::string_view keyPath, std::string_view name,
                         std::uint32_t defaultValue) const;
    /// Creates the folder and the file when needed.
    Status SetInt(std::string_view keyPath, std::string_view name, std::uint32_t value);

    /// The stored text, or nothing when the value is missing or empty, or the file unreadable.
    std::optional<std::string> GetText(std::string_view keyPath, std::string_view name) const;
    /// Stores @p value exactly as given (letter case included); an empty value reads back as
    /// missing. Refuses text that would not read back the same: a line break, blanks at either
    /// end, or a comment marker ("//", "/*", a tab followed by ';'). Creates the folder and the
    /// file when needed.
    Status SetText(std::string_view keyPath, std::string_view name, std::string_view value);

private:
    Status Store(std::string_view keyPath, std::string_view name, std::string_view value);

    std::filesystem::path m_file;
};

}  // namespace radioprog
