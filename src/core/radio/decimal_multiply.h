#pragma once

#include <cstdint>

namespace radioprog {

/// The product of two doubles as decimal arithmetic gives it: each factor is first rounded to
/// 15 significant decimal digits, the two decimals are multiplied exactly, and the exact product
/// is rounded once to the nearest double. 145.0125 x 100000 gives 14501250 here, where plain
/// double multiplication gives 14501249.99... and truncates to the wrong code.
double DecimalMultiply(double a, double b);

/// Truncates toward zero into 0..UINT32_MAX; NaN and negative values give 0 and values beyond
/// the range give UINT32_MAX, so a typed number never wraps around into a valid code.
std::uint32_t TruncateToUint32(double value);
/// Truncates toward zero into the int32 range, saturating at its ends; NaN gives 0.
std::int32_t TruncateToInt32(double value);

}  // namespace radioprog
