#include "base/text_number.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace radioprog {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    return text.substr(i);
}

// Consumes a leading sign; true for a minus.
bool TakeSign(std::string_view& text) {
    if (text.empty() || (text[0] != '+' && text[0] != '-')) {
        return false;
    }
    const bool negative = text[0] == '-';
    text.remove_prefix(1);
    return negative;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    text = SkipBlanks(text);
    const bool negative = TakeSign(text);
    std::size_t end = 0;
    std::size_t digits = 0;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
        ++digits;
    }
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && IsDigit(text[end])) {
            ++end;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    // An exponent counts only when at least one digit follows it ("1e" reads as 1).
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponentEnd = end + 1;
        if (exponentEnd < text.size() && (text[exponentEnd] == '+' || text[exponentEnd] == '-')) {
            ++exponentEnd;
        }
        if (exponentEnd < text.size() && IsDigit(text[exponentEnd])) {
            while (exponentEnd < text.size() && IsDigit(text[exponentEnd])) {
                ++exponentEnd;
            }
            end = exponentEnd;
        }
    }
    double value = 0.0;
    const auto [ptr, error] = std::from_chars(text.data(), text.data() + end, value);
    if (error == std::errc::result_out_of_range) {
        // Like atof: HUGE_VAL on overflow, 0 on underflow.
        const auto exponentAt = text.substr(0, end).find_first_of("eE");
        const bool underflow = exponentAt != std::string_view::npos && exponentAt + 1 < end &&
                               text[exponentAt + 1] == '-';
        value = underflow ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

std::optional<ScannedInt> ScanInt(std::string_view text) {
    text = SkipBlanks(text);
    const bool negative = TakeSign(text);
    std::size_t end = 0;
    long long value = 0;
    while (end < text.size() && IsDigit(text[end])) {
        if (value <= std::numeric_limits<int>::max()) {
            value = value * 10 + (text[end] - '0');
        }
        ++end;
    }
    if (end == 0) {
        return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max()) {
        value = std::numeric_limits<int>::max();
    } else if (value < std::numeric_limits<int>::min()) {
        value = std::numeric_limits<int>::min();
    }
    return ScannedInt{static_cast<int>(value), text.substr(end)};
}

int LeadingInt(std::string_view text) {
    const auto scanned = ScanInt(text);
    return scanned ? scanned->value : 0;
}

std::string FormatFixed(double value, int decimals) {
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc()) {
        return {};
    }
    return std::string(buffer, end);
}

}  // namespace radioprog
