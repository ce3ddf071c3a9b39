#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/base/status.h"
#include "core/doc/user_store.h"

namespace radioprog {

/// The documents opened or saved last, for the File menu: the newest first, each once, at
/// most four, kept in the per-user store for the next run.
class RecentFiles {
public:
    static constexpr std::size_t kMaxCount = 4;

    /// The list kept in @p store; entries that cannot be read back are left out.
    static RecentFiles Load(const UserStore& store);
    /// Keeps the list in @p store for the next run.
    Status Store(UserStore& store) const;

    /// Puts @p path (made absolute) first; an entry already there moves up, the oldest beyond
    /// four drops off.
    void Add(const std::filesystem::path& path);
    void Remove(const std::filesystem::path& path);
    /// Drops the entries whose file no longer exists; true when any was dropped.
    bool DropMissing();

    const std::vector<std::filesystem::path>& entries() const { return m_entries; }

private:
    std::vector<std::filesystem::path> m_entries;
};

/// The File menu's text for entry @p index (0 for the newest): "&1 ~/radios/a.dat", the home
/// folder shortened to "~" and every "&" of the path doubled so that it shows as itself.
std::string RecentMenuText(std::size_t index, const std::filesystem::path& path,
                           const std::filesystem::path& home);

/// A path as the per-user store keeps it: percent-encoded where the store's text would not
/// read back the same (blanks, controls, '%', '*', ';', '\\'), and decoded again. Decoding
/// gives nothing for a text that is not such an encoding.
std::string EncodeStoredPath(const std::filesystem::path& path);
std::optional<std::filesystem::path> DecodeStoredPath(const std::string& text);

/// The `.dat` file a drop on the window opens: the first local file whose name ends in ".dat"
/// in any letter case; nothing when there is none.
std::optional<std::filesystem::path> DroppedDocument(
    const std::vector<std::filesystem::path>& localFiles);

}  // namespace radioprog
