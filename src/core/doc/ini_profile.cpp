#include "core/doc/ini_profile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <system_error>
#include <utility>

#include "core/base/ascii_text.h"
#include "core/base/atomic_file.h"
#include "core/base/regular_file.h"

namespace radioprog {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Lines whose key starts with one of these are comments: "; x", "// x", "/* x", "\ x", "* x".
constexpr std::string_view kCommentStarts = ";/\\*";
constexpr std::size_t kBackupDigits = 3;

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

bool IsGbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

enum class ReadResult { Read, Missing, Failed };

// Only a regular file is read: a named pipe would wait for a writer, a device would give what it
// produces. A missing file is created when asked (O_CREAT without O_TRUNC: a file that appears
// meanwhile is read, not emptied).
ReadResult ReadWholeFile(const std::filesystem::path& path, bool create, std::string& bytes,
                         Status& status) {
    FileStart file;
    status =
        ReadRegularFile(path, std::numeric_limits<std::size_t>::max(), Language::English, file);
    if (status) {
        bytes = std::move(file.bytes);
        return ReadResult::Read;
    }
    if (!file.missing) {
        return ReadResult::Failed;
    }
    if (!create) {
        return ReadResult::Missing;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        status = Status::Error(CannotOpen(path, std::strerror(errno), Language::English));
        return ReadResult::Failed;
    }
    ::close(fd);
    return ReadWholeFile(path, false, bytes, status) == ReadResult::Read ? ReadResult::Read
                                                                         : ReadResult::Failed;
}

// The number a backup's name ends with: its last three characters read as decimal digits,
// as far as they go ("Program.ini.007" gives 7, "Program.ini" gives 0).
int TrailingNumber(std::string_view name) {
    const std::string_view tail = name.substr(name.size() - std::min<std::size_t>(name.size(), 3));
    int number = 0;
    for (const char c : tail) {
        if (c < '0' || c > '9') {
            break;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace

CIniProfile::CIniProfile(int growStep) : m_growStep(std::max(growStep, 1)) {}

// The end of a store has no one left to tell of a failed write; a caller that must know saves
// first.
CIniProfile::~CIniProfile() {
    if (m_writeBack) {
        static_cast<void>(Save(m_backup));
    }
    Clear();
}

void CIniProfile::SetDirectory(std::filesystem::path directory) {
    m_directory = std::move(directory);
}

bool CIniProfile::Load(std::string_view fileName, bool writeBack, bool caseInsensitive, bool backup,
                       Status* status) {
    std::filesystem::path folder = m_directory;
    if (folder.empty()) {
        std::error_code error;
        folder = std::filesystem::current_path(error);
    }
    return LoadFile(folder / fileName, writeBack, caseInsensitive, backup, status);
}

bool CIniProfile::LoadFile(const std::filesystem::path& fullPath, bool writeBack,
                           bool caseInsensitive, bool backup, Status* status) {
    return LoadFrom(fullPath, writeBack, caseInsensitive, backup, IfMissing::Create, status);
}

bool CIniProfile::LoadFileIfPresent(const std::filesystem::path& fullPath, bool writeBack,
                                    bool caseInsensitive, bool backup, Status* status) {
    return LoadFrom(fullPath, writeBack, caseInsensitive, backup, IfMissing::StartEmpty, status);
}

bool CIniProfile::LoadFrom(const std::filesystem::path& fullPath, bool writeBack,
                           bool caseInsensitive, bool backup, IfMissing ifMissing, Status* status) {
    if (!m_path.empty()) {
        static_cast<void>(Save(false));
        Clear();
    }
    m_writeBack = writeBack;
    m_caseInsensitive = caseInsensitive;
    m_backup = backup;

    std::string bytes;
    Status read = Status::Ok();
    const ReadResult result = ReadWholeFile(fullPath, ifMissing == IfMissing::Create, bytes, read);
    if (status != nullptr) {
        *status = result == ReadResult::Failed ? read : Status::Ok();
    }
    switch (result) {
        case ReadResult::Failed:
            return false;
        case ReadResult::Missing:
            bytes.clear();
            break;
        case ReadResult::Read:
            break;
    }
    m_path = fullPath;
    Parse(bytes);
    return true;
}

void CIniProfile::Parse(std::string_view text) {
    m_byteOrderMark = text.starts_with(kByteOrderMark);
    if (m_byteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    m_gbk = !IsValidUtf8(text);
    const auto firstBreak = text.find('\n');
    m_crlf = firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r';

    AddSection("");
    while (!text.empty()) {
        const auto lineEnd = text.find('\n');
        const std::string_view line = Trim(text.substr(0, lineEnd));
        text.remove_prefix(lineEnd == std::string_view::npos ? text.size() : lineEnd + 1);

        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            AddSection(line.substr(1, line.size() - 2));
            continue;
        }
        const auto equals = line.find('=');
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
        if (key.empty() || kCommentStarts.find(key.front()) != std::string_view::npos) {
            continue;
        }
        Section& section = m_sections.back();
        section.keys.emplace_back(key);
        section.values.emplace_back(value);
    }
}

void CIniProfile::AddSection(std::string_view name) {
    if (m_sections.size() == m_sections.capacity()) {
        m_sections.reserve(m_sections.capacity() + static_cast<std::size_t>(m_growStep));
    }
    m_sections.push_back(Section{std::string(name), {}, {}});
}

int CIniProfile::FindSection(std::string_view name) const {
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        if (Same(m_sections[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CIniProfile::FindKey(const Section& section, std::string_view key) const {
    for (std::size_t i = section.keys.size(); i-- > 0;) {
        if (Same(section.keys[i], key)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool CIniProfile::Same(std::string_view a, std::string_view b) const {
    if (!m_caseInsensitive) {
        return a == b;
    }
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        // A GBK lead byte and the byte after it are one character, whatever that second byte
        // looks like: its trail may be an ASCII letter that must not fold.
        if (m_gbk && IsGbkLead(Byte(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
            continue;
        }
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

bool CIniProfile::HasKey(std::string_view section, std::string_view key) const {
    const int sectionIndex = FindSection(section);
    return sectionIndex >= 0 &&
           FindKey(m_sections[static_cast<std::size_t>(sectionIndex)], key) >= 0;
}

std::string CIniProfile::GetValue(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    // An empty store behaves as if every section existed without keys: callers get the same
    // trimmed defaults whether or not the file could be loaded.
    if (m_sections.empty()) {
        return std::string(Trim(defaultValue));
    }
    const int sectionIndex = FindSection(section);
    if (sectionIndex < 0) {
        return std::string(defaultValue);
    }
    const Section& found = m_sections[static_cast<std::size_t>(sectionIndex)];
    const int keyIndex = FindKey(found, key);
    if (keyIndex < 0) {
        return std::string(Trim(defaultValue));
    }
    std::string_view value = found.values[static_cast<std::size_t>(keyIndex)];
    for (const std::string_view marker : {"//", "\t;", "/*"}) {
        value = value.substr(0, value.find(marker));
    }
    return std::string(value);
}

void CIniProfile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    if (m_path.empty()) {
        return;
    }
    int sectionIndex = FindSection(section);
    if (sectionIndex < 0) {
        AddSection(section);
        sectionIndex = static_cast<int>(m_sections.size() - 1);
        m_modified = true;
    }
    Section& target = m_sections[static_cast<std::size_t>(sectionIndex)];
    const int keyIndex = FindKey(target, key);
    if (keyIndex < 0) {
        target.keys.emplace_back(key);
        target.values.emplace_back(value);
        m_modified = true;
        return;
    }
    std::string& stored = target.values[static_cast<std::size_t>(keyIndex)];
    if (!Same(stored, value)) {
        m_modified = true;
    }
    stored = value;
}

CIniProfile::Saved CIniProfile::Save(bool backup) {
    if (!m_modified) {
        return {};
    }
    if (backup) {
        if (Status copied = MakeBackup(); !copied) {
            return {std::move(copied), {}};
        }
    }
    if (Status written = WriteFileAtomically(m_path, Serialize()); !written) {
        return {std::move(written), {}};
    }
    return {Status::Ok(), m_backupName};
}

// A backup that cannot be made stops the save: overwriting the only copy is what the caller
// asked to be protected from.
Status CIniProfile::MakeBackup() {
    std::error_code error;
    if (!std::filesystem::exists(m_path, error)) {
        return Status::Ok();
    }
    const std::string name = m_backupName.empty() ? BackupName() : m_backupName;
    std::filesystem::copy_file(m_path, name, std::filesystem::copy_options::overwrite_existing,
                               error);
    if (error) {
        return Status::Error("Cannot copy \"" + m_path.string() + "\" to \"" + name +
                             "\": " + error.message());
    }
    m_backupName = name;
    return Status::Ok();
}

// The full path followed by one more than the largest number that ends a name beginning with
// the file's stem, so that backups of "Program.ini" count up as Program.ini.001, .002, ...
std::string CIniProfile::BackupName() const {
    const std::string fileName = m_path.filename().string();
    const std::string stem = fileName.substr(0, fileName.rfind('.'));
    const std::filesystem::path folder =
        m_path.has_parent_path() ? m_path.parent_path() : std::filesystem::path(".");
    int largest = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.starts_with(stem)) {
            largest = std::max(largest, TrailingNumber(name));
        }
    }
    std::string number = std::to_string(largest + 1);
    if (number.size() < kBackupDigits) {
        number.insert(0, kBackupDigits - number.size(), '0');
    }
    return m_path.string() + "." + number;
}

std::string CIniProfile::Serialize() const {
    const std::string_view lineEnd = m_crlf ? "\r\n" : "\n";
    std::string text;
    for (const Section& section : m_sections) {
        if (!section.name.empty()) {
            text.append("[").append(section.name).append("]").append(lineEnd);
        }
        for (std::size_t i = 0; i < section.keys.size(); ++i) {
            text += section.keys[i];
            if (!section.keys[i].empty()) {
                text += '=';
            }
            text.append(section.values[i]).append(lineEnd);
        }
    }
    // Blank lines before a first key that begins with U+FEFF are not written back; without a
    // mark of its own in front, the next load would take the key's first character for one.
    if (m_byteOrderMark || text.starts_with(kByteOrderMark)) {
        text.insert(0, kByteOrderMark);
    }
    return text;
}

void CIniProfile::Clear() {
    m_path.clear();
    m_sections = {};
    m_modified = false;
    m_backupName.clear();
    m_gbk = false;
    m_crlf = false;
    m_byteOrderMark = false;
}

}  // namespace radioprog
