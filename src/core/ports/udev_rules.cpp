#include "core/ports/udev_rules.h"

#include <fnmatch.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <system_error>

namespace radioprog {
namespace {

namespace fs = std::filesystem;

// The value of the first `KEY=="value"` match of @p line, for any of @p keys.
std::optional<std::string> MatchValue(const std::string& line,
                                      std::initializer_list<std::string_view> keys) {
    for (const std::string_view key : keys) {
        const std::string pattern = std::string(key) + "==\"";
        const auto at = line.find(pattern);
        if (at == std::string::npos) {
            continue;
        }
        const auto start = at + pattern.size();
        const auto end = line.find('"', start);
        if (end != std::string::npos) {
            return line.substr(start, end - start);
        }
    }
    return std::nullopt;
}

bool Glob(const std::string& pattern, const std::string& text) {
    return ::fnmatch(pattern.c_str(), text.c_str(), FNM_CASEFOLD) == 0;
}

std::string Hex(std::uint16_t value, bool padded) {
    char text[8];
    std::snprintf(text, sizeof text, padded ? "%04x" : "%x", value);
    return text;
}

bool LineMatches(const std::string& line, UsbId id) {
    // ENV{PRODUCT} is "vendor/product/release" in unpadded hexadecimal.
    if (const auto product = MatchValue(line, {"ENV{PRODUCT}"})) {
        const auto slash = product->find('/');
        const auto second = product->find('/', slash + 1);
        return slash != std::string::npos &&
               Glob(product->substr(0, slash), Hex(id.vendor, false)) &&
               Glob(product->substr(slash + 1, second - slash - 1), Hex(id.product, false));
    }
    const auto vendor =
        MatchValue(line, {"ATTRS{idVendor}", "ATTR{idVendor}", "ENV{ID_VENDOR_ID}"});
    if (!vendor || !Glob(*vendor, Hex(id.vendor, true))) {
        return false;
    }
    const auto product =
        MatchValue(line, {"ATTRS{idProduct}", "ATTR{idProduct}", "ENV{ID_MODEL_ID}"});
    return !product || Glob(*product, Hex(id.product, true));
}

bool FileHasRule(const fs::path& file, UsbId id, std::string_view assignment) {
    std::ifstream in(file);
    std::string line;
    std::string rule;
    while (std::getline(in, line)) {
        // A rule may go on over several lines, each but the last ending in a backslash.
        if (!line.empty() && line.back() == '\\') {
            rule += line.substr(0, line.size() - 1);
            continue;
        }
        rule += line;
        const auto first = rule.find_first_not_of(" \t");
        const bool comment = first == std::string::npos || rule[first] == '#';
        if (!comment && LineMatches(rule, id) &&
            (assignment.empty() || rule.find(assignment) != std::string::npos)) {
            return true;
        }
        rule.clear();
    }
    return false;
}

}  // namespace

std::vector<fs::path> RuleFiles(const SystemRoots& roots) {
    std::map<std::string, fs::path> byName;
    for (const fs::path& folder : roots.udevRules) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (it->path().extension() == ".rules" && !byName.contains(name)) {
                byName.emplace(name, it->path());
            }
        }
    }
    std::vector<fs::path> files;
    for (auto& [name, path] : byName) {
        files.push_back(std::move(path));
    }
    return files;
}

std::optional<fs::path> FindRuleFor(std::span<const fs::path> files, UsbId id,
                                    std::string_view assignment) {
    const auto found = std::find_if(files.begin(), files.end(), [&](const fs::path& file) {
        return FileHasRule(file, id, assignment);
    });
    if (found == files.end()) {
        return std::nullopt;
    }
    return *found;
}

}  // namespace radioprog
