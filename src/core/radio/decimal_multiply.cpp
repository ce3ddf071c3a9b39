#include "core/radio/decimal_multiply.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace radioprog {
namespace {

/// A double rounded to 15 significant digits: value = mantissa x 10^exponent.
struct Decimal15 {
    std::int64_t mantissa = 0;
    int exponent = 0;
};

Decimal15 ToDecimal15(double value) {
    // Scientific with 14 decimals is "%.14e": exactly 15 significant digits, correctly rounded,
    // without a locale and several times faster than printf (an import commits many rows).
    char text[40];
    const auto written =
        std::to_chars(text, text + sizeof text - 1, value, std::chars_format::scientific, 14);
    *written.ptr = '\0';
    Decimal15 result;
    bool negative = false;
    const char* p = text;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            result.mantissa = result.mantissa * 10 + (*p - '0');
        }
    }
    result.exponent = std::atoi(p + 1) - 14;
    if (negative) {
        result.mantissa = -result.mantissa;
    }
    return result;
}

std::string ToText(__int128 value) {
    const bool negative = value < 0;
    unsigned __int128 magnitude = negative ? static_cast<unsigned __int128>(-(value + 1)) + 1
                                           : static_cast<unsigned __int128>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? "-" + digits : digits;
}

}  // namespace

double DecimalMultiply(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return a * b;
    }
    if (a == 0.0 || b == 0.0) {
        return 0.0;
    }
    const Decimal15 x = ToDecimal15(a);
    const Decimal15 y = ToDecimal15(b);
    // Two 15-digit mantissas make at most 30 digits, well inside 128 bits: the product is exact.
    const __int128 product = static_cast<__int128>(x.mantissa) * y.mantissa;
    const std::string exact = ToText(product) + "e" + std::to_string(x.exponent + y.exponent);
    double result = 0.0;
    const auto [end, error] = std::from_chars(exact.data(), exact.data() + exact.size(), result);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow or underflow; the direction tells which.
        const bool tiny = x.exponent + y.exponent < 0;
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return product < 0 ? -magnitude : magnitude;
    }
    return result;
}

std::uint32_t TruncateToUint32(double value) {
    if (!(value > 0.0)) {
        return 0;
    }
    if (value >= 4294967296.0) {
        return std::numeric_limits<std::uint32_t>::max();
    }
    return static_cast<std::uint32_t>(value);
}

std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= -2147483648.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= 2147483647.0) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace radioprog
