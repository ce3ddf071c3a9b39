#include "core/radio/packed_password.h"

#include <algorithm>

namespace radioprog {

std::optional<PackedPassword> PackPassword(std::string_view digits) {
    constexpr std::size_t kMaxDigits = 6;
    if (digits.size() > kMaxDigits ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const auto nibble = [&](std::size_t i) -> unsigned {
        return i < digits.size() ? static_cast<unsigned>(digits[i] - '0') : 0xFu;
    };
    PackedPassword packed{};
    for (std::size_t byte = 0; byte < packed.size(); ++byte) {
        packed[byte] = static_cast<std::uint8_t>((nibble(2 * byte) << 4) | nibble(2 * byte + 1));
    }
    return packed;
}

bool IsPasswordSet(const PackedPassword& password) {
    return (password[0] >> 4) <= 9;
}

}  // namespace radioprog
