#pragma once

#include <string>
#include <string_view>

namespace radioprog {

/// Something that answers look-ups of settings by section and key, as `Program.ini` does.
class SettingsSource {
public:
    virtual ~SettingsSource() = default;
    /// The value of @p key in @p section, or the default; see `CIniProfile::GetValue` for how
    /// comments and blanks are treated.
    virtual std::string GetValue(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const = 0;
};

}  // namespace radioprog
