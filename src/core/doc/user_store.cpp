#include "core/doc/user_store.h"

#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>
#include <utility>

#include "core/base/regular_file.h"
#include "core/base/user_folders.h"
#include "core/doc/ini_profile.h"

namespace radioprog {
namespace {

constexpr std::uint64_t kLargestNegative = 0x80000000u;

// Values are written as unsigned decimal; a hand-edited file may hold the signed form of the
// same four bytes ("-1" for 4294967295). Anything else is treated as not there.
std::optional<std::uint32_t> ParseStoredInt(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const bool negative = text.starts_with('-');
    if (negative) {
        text.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (negative) {
        if (magnitude > kLargestNegative) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>((~magnitude + 1) &
                                          std::numeric_limits<std::uint32_t>::max());
    }
    if (magnitude > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(magnitude);
}

// What the INI reader trims or cuts off, or what would split the line, cannot be stored as
// text: the value read back would differ from the one written.
bool ReadsBackAsWritten(std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        return false;
    }
    if (!value.empty() && (std::string_view(" \t").find(value.front()) != std::string_view::npos ||
                           std::string_view(" \t").find(value.back()) != std::string_view::npos)) {
        return false;
    }
    for (const std::string_view marker : {"//", "\t;", "/*"}) {
        if (value.find(marker) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

UserStore::UserStore(std::filesystem::path file) : m_file(std::move(file)) {}

std::filesystem::path UserStore::DefaultLocation() {
    return UserConfigFolder() / "user.ini";
}

Status UserStore::Check(Language language) const {
    const FileKind kind = KindOfFile(m_file);
    if (kind == FileKind::Missing || kind == FileKind::Regular || kind == FileKind::Unknown) {
        return Status::Ok();
    }
    return Status::Error(CannotOpen(m_file, NotARegularFile(kind, language), language));
}

std::optional<std::uint32_t> UserStore::GetInt(std::string_view keyPath,
                                               std::string_view name) const {
    CIniProfile store;
    if (!store.LoadFileIfPresent(m_file, false, true, false)) {
        return std::nullopt;
    }
    return ParseStoredInt(store.GetValue(keyPath, name, ""));
}

std::uint32_t UserStore::GetInt(std::string_view keyPath, std::string_view name,
                                std::uint32_t defaultValue) const {
    return GetInt(keyPath, name).value_or(defaultValue);
}

Status UserStore::SetInt(std::string_view keyPath, std::string_view name, std::uint32_t value) {
    return Store(keyPath, name, std::to_string(value));
}

std::optional<std::string> UserStore::GetText(std::string_view keyPath,
                                              std::string_view name) const {
    CIniProfile store;
    if (!store.LoadFileIfPresent(m_file, false, true, false)) {
        return std::nullopt;
    }
    std::string value = store.GetValue(keyPath, name, "");
    if (value.empty()) {
        return std::nullopt;
    }
    return value;
}

Status UserStore::SetText(std::string_view keyPath, std::string_view name, std::string_view value) {
    if (!ReadsBackAsWritten(value)) {
        return Status::Error("Cannot store \"" + std::string(value) + "\" as " + std::string(name) +
                             ": it would not read back the same");
    }
    return Store(keyPath, name, value);
}

Status UserStore::Store(std::string_view keyPath, std::string_view name, std::string_view value) {
    if (m_file.has_parent_path()) {
        std::error_code error;
        std::filesystem::create_directories(m_file.parent_path(), error);
        if (error) {
            return Status::Error("Cannot create the folder \"" + m_file.parent_path().string() +
                                 "\": " + error.message());
        }
    }
    CIniProfile store;
    if (Status loaded = Status::Ok();
        !store.LoadFileIfPresent(m_file, false, true, false, &loaded)) {
        return loaded;
    }
    // The store compares values without regard to case, so "/dev/ttyusb0" over "/dev/ttyUSB0"
    // would count as no change and never reach the disk; a device path's case matters.
    if (store.GetValue(keyPath, name, "") != value) {
        store.SetValue(keyPath, name, "");
    }
    store.SetValue(keyPath, name, value);
    return store.Save(false).status;
}

}  // namespace radioprog
