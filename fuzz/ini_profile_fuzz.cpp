// Loads arbitrary bytes as a settings file, changes it, saves it and loads it again: nothing may
// crash, and every value that could be looked up before the save must look the same after it.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/ascii_text.h"
#include "core/base/status.h"
#include "core/doc/ini_profile.h"

namespace {

using radioprog::CIniProfile;
using radioprog::Status;

constexpr std::string_view kBlanks = " \t\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kDefault = " default ";
constexpr std::size_t kMaxLookups = 64;
constexpr std::size_t kMaxValueBytes = 24;

// A fresh folder for each input: libFuzzer ends without running static destructors, so a folder
// kept for the whole run would stay behind. Memory-backed when possible: every save syncs.
class Workspace {
public:
    Workspace() {
        std::error_code error;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, error)) {
            base = std::filesystem::temp_directory_path();
        }
        std::string pattern = (base / "ini-profile-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        m_folder = pattern;
    }
    ~Workspace() {
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    std::filesystem::path File() const { return m_folder / "Program.ini"; }

private:
    std::filesystem::path m_folder;
};

// Bytes other than printable ASCII shown as \xNN, so that a report can be pasted into a test.
std::string Escaped(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            text += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            text += hex;
        }
    }
    return text;
}

[[noreturn]] void Fail(const char* what, std::string_view section, std::string_view key,
                       std::string_view before, std::string_view after) {
    std::fprintf(stderr,
                 "%s\n  section \"%s\"\n  key     \"%s\"\n  before  \"%s\"\n  after   \"%s\"\n",
                 what, Escaped(section).c_str(), Escaped(key).c_str(), Escaped(before).c_str(),
                 Escaped(after).c_str());
    std::abort();
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
}

std::string FlipAsciiCase(std::string_view text) {
    std::string flipped(text);
    for (char& c : flipped) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            c = static_cast<char>(c ^ 0x20);
        }
    }
    return flipped;
}

struct Lookup {
    std::string section;
    std::string key;
};

struct Scan {
    std::vector<Lookup> lookups;
    // A key that is certain to be written back as a key of the same section.
    std::optional<std::size_t> writable;
    // A header "[]" after the first line: saved without a header, its keys join the section
    // before it, which changes what that section answers.
    bool emptyHeader = false;
};

// The sections and keys a reader of the text would find, gathered without the store's help,
// together with their letter-case twins.
Scan ScanText(std::string_view text) {
    Scan scan;
    scan.lookups = {{"Setup", "Language"}, {"", ""}, {"Fuzz", "Key"}};
    std::string section;
    text = WithoutByteOrderMark(text);
    while (!text.empty()) {
        const auto lineEnd = text.find('\n');
        const std::string_view line = Trim(text.substr(0, lineEnd));
        text.remove_prefix(lineEnd == std::string_view::npos ? text.size() : lineEnd + 1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            scan.emptyHeader = scan.emptyHeader || section.empty();
            continue;
        }
        const std::string key(Trim(line.substr(0, line.find('='))));
        if (key.empty() || scan.lookups.size() + 2 > kMaxLookups) {
            continue;
        }
        if (!scan.writable &&
            std::string_view(";/\\*").find(key.front()) == std::string_view::npos) {
            scan.writable = scan.lookups.size();
        }
        scan.lookups.push_back({section, key});
        scan.lookups.push_back({FlipAsciiCase(section), FlipAsciiCase(key)});
    }
    return scan;
}

// A value made from the input's last bytes, kept on one line and starting and ending with a
// letter so that it is not trimmed and cannot close a "[...]" header.
std::string ValueFrom(std::string_view input) {
    std::string value = "v";
    for (const char c : input.substr(input.size() - std::min(input.size(), kMaxValueBytes))) {
        if (c != '\n') {
            value += c;
        }
    }
    return value + "v";
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Save(CIniProfile& store) {
    const Status status = store.Save(false).status;
    if (!status.ok()) {
        std::fprintf(stderr, "save failed: %s\n", status.message().c_str());
        std::abort();
    }
}

void RoundTrip(const Workspace& workspace, std::string_view input, bool caseInsensitive) {
    const std::filesystem::path file = workspace.File();
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(input.data(), static_cast<std::streamsize>(input.size()));

    CIniProfile first;
    if (!first.LoadFile(file, false, caseInsensitive, false)) {
        std::abort();
    }
    const Scan scan = ScanText(input);
    const std::string value = ValueFrom(input);
    first.SetValue("Fuzz", "Key", value);
    if (scan.writable) {
        const Lookup& writable = scan.lookups[*scan.writable];
        first.SetValue(writable.section, writable.key, value);
    }
    std::vector<std::string> before;
    before.reserve(scan.lookups.size());
    for (const Lookup& lookup : scan.lookups) {
        before.push_back(first.GetValue(lookup.section, lookup.key, kDefault));
    }
    Save(first);
    const std::string saved = ReadFile(file);

    CIniProfile second;
    if (!second.LoadFile(file, false, caseInsensitive, false)) {
        std::abort();
    }
    // Whether the file reads as UTF-8 or GBK decides which bytes fold together. Dropped comment
    // lines can change that, and then a case-insensitive look-up may rightly match another key.
    const bool sameEncoding = radioprog::IsValidUtf8(WithoutByteOrderMark(input)) ==
                              radioprog::IsValidUtf8(WithoutByteOrderMark(saved));
    if (scan.emptyHeader || (caseInsensitive && !sameEncoding)) {
        return;
    }
    for (std::size_t i = 0; i < scan.lookups.size(); ++i) {
        const Lookup& lookup = scan.lookups[i];
        const std::string after = second.GetValue(lookup.section, lookup.key, kDefault);
        if (after != before[i]) {
            Fail("a value changed in the round trip", lookup.section, lookup.key, before[i], after);
        }
    }
    // A saved file is already in its written-back form: saving it again changes no byte.
    second.SetValue("Fuzz", "Key", "changed");
    second.SetValue("Fuzz", "Key", value);
    Save(second);
    const std::string again = ReadFile(file);
    if (again != saved) {
        Fail("a second save changed the file", "", "", saved, again);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Workspace workspace;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    RoundTrip(workspace, input, true);
    RoundTrip(workspace, input, false);
    return 0;
}
