#include "core/link/verify.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace radioprog {

std::vector<std::size_t> DifferingHalfBlocks(const RadioImage& sent, const RadioImage& readBack,
                                             AccessRole role) {
    std::vector<std::size_t> differing;
    for (std::size_t at = 0; at < image::kRadioBytes; at += image::kHalfBlockSize) {
        if (role == AccessRole::User && at == image::kIdentity) {
            continue;
        }
        const auto from = static_cast<std::ptrdiff_t>(at);
        const auto to = from + static_cast<std::ptrdiff_t>(image::kHalfBlockSize);
        if (!std::equal(sent.begin() + from, sent.begin() + to, readBack.begin() + from)) {
            differing.push_back(at);
        }
    }
    return differing;
}

std::string HalfBlockList(const std::vector<std::size_t>& addresses) {
    std::string list;
    for (const std::size_t address : addresses) {
        char text[8];
        std::snprintf(text, sizeof text, "0x%04zX", address);
        list += (list.empty() ? "" : ", ") + std::string(text);
    }
    return list;
}

}  // namespace radioprog
