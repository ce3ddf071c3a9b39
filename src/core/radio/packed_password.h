#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace radioprog {

/// A password of up to six digits, right-padded with F and read as three hexadecimal bytes:
/// "1234" is 12 34 FF and the empty password FF FF FF.
using PackedPassword = std::array<std::uint8_t, 3>;

/// Packs @p digits; nothing when it is longer than six characters or not all decimal digits.
std::optional<PackedPassword> PackPassword(std::string_view digits);

/// A password counts as set unless the high nibble of its first byte is above 9.
bool IsPasswordSet(const PackedPassword& password);

}  // namespace radioprog
