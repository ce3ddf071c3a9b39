#include "core/doc/recent_files.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <system_error>

#include "core/base/ascii_text.h"

namespace radioprog {
namespace {

constexpr std::string_view kKey = "Software\\radioprog\\Recent File List";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

std::string ValueName(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

std::filesystem::path Absolute(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute).lexically_normal();
}

bool NeedsEscape(unsigned char byte) {
    return byte < 0x21 || byte == 0x7F || byte == '%' || byte == '*' || byte == ';' || byte == '\\';
}

int HexValue(char digit) {
    const auto at =
        kHexDigits.find(static_cast<char>(std::toupper(static_cast<unsigned char>(digit))));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

RecentFiles RecentFiles::Load(const UserStore& store) {
    RecentFiles recent;
    for (std::size_t i = 0; i < kMaxCount; ++i) {
        const std::optional<std::string> stored = store.GetText(kKey, ValueName(i));
        if (!stored) {
            continue;
        }
        if (const auto path = DecodeStoredPath(*stored);
            path && path->is_absolute() &&
            std::find(recent.m_entries.begin(), recent.m_entries.end(), *path) ==
                recent.m_entries.end()) {
            recent.m_entries.push_back(*path);
        }
    }
    return recent;
}

Status RecentFiles::Store(UserStore& store) const {
    for (std::size_t i = 0; i < kMaxCount; ++i) {
        const std::string value = i < m_entries.size() ? EncodeStoredPath(m_entries[i]) : "";
        if (Status stored = store.SetText(kKey, ValueName(i), value); !stored) {
            return stored;
        }
    }
    return Status::Ok();
}

void RecentFiles::Add(const std::filesystem::path& path) {
    const std::filesystem::path absolute = Absolute(path);
    Remove(absolute);
    m_entries.insert(m_entries.begin(), absolute);
    if (m_entries.size() > kMaxCount) {
        m_entries.resize(kMaxCount);
    }
}

void RecentFiles::Remove(const std::filesystem::path& path) {
    const std::filesystem::path absolute = Absolute(path);
    std::erase(m_entries, absolute);
}

bool RecentFiles::DropMissing() {
    return std::erase_if(m_entries, [](const std::filesystem::path& path) {
               std::error_code error;
               return !std::filesystem::is_regular_file(path, error);
           }) > 0;
}

std::string RecentMenuText(std::size_t index, const std::filesystem::path& path,
                           const std::filesystem::path& home) {
    std::string shown = path.string();
    const std::string homeText = home.lexically_normal().string();
    if (!home.empty() && homeText != "/" && shown.starts_with(homeText + "/")) {
        shown = "~" + shown.substr(homeText.size());
    }
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (const char c : shown) {
        text += c == '&' ? "&&" : std::string(1, c);
    }
    return text;
}

std::string EncodeStoredPath(const std::filesystem::path& path) {
    std::string text;
    for (const char c : path.string()) {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEscape(byte)) {
            text += '%';
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0x0F];
        } else {
            text += c;
        }
    }
    return text;
}

std::optional<std::filesystem::path> DecodeStoredPath(const std::string& text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return std::filesystem::path(decoded);
}

std::optional<std::filesystem::path> DroppedDocument(
    const std::vector<std::filesystem::path>& localFiles) {
    for (const std::filesystem::path& file : localFiles) {
        const std::string extension = file.extension().string();
        if (extension.size() == 4 && StartsWithIgnoringAsciiCase(extension, ".dat")) {
            return file;
        }
    }
    return std::nullopt;
}

}  // namespace radioprog
