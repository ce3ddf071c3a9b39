#include "core/base/text_number.h"

#include <algorithm>
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

// Length of the unsigned decimal number at the front of @p text: digits with an optional point,
// at least one digit, and an exponent only when at least one digit follows it ("1e" is 1 long).
std::size_t NumberLength(std::string_view text) {
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
        return 0;
    }
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
    return end;
}

// The value of a number NumberLength has measured.
double NumberValue(std::string_view number) {
    double value = 0.0;
    const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Like atof: HUGE_VAL on overflow, 0 on underflow.
        const auto exponentAt = number.find_first_of("eE");
        const bool underflow = exponentAt != std::string_view::npos &&
                               exponentAt + 1 < number.size() && number[exponentAt + 1] == '-';
        value = underflow ? 0.0 : HUGE_VAL;
    }
    return value;
}

}  // namespace

std::optional<ScannedNumber> ScanNumber(std::string_view text) {
    text = SkipBlanks(text);
    const bool negative = TakeSign(text);
    const std::size_t length = NumberLength(text);
    if (length == 0) {
        return std::nullopt;
    }
    const double value = NumberValue(text.substr(0, length));
    return ScannedNumber{negative ? -value : value, text.substr(length)};
}

double LeadingNumber(std::string_view text) {
    const auto scanned = ScanNumber(text);
    return scanned ? scanned->value : 0.0;
}

std::optional<double> ReadWholeNumber(std::string_view text) {
    const auto scanned = ScanNumber(text);
    if (!scanned || !OnlyBlanks(scanned->rest) || !std::isfinite(scanned->value)) {
        return std::nullopt;
    }
    return scanned->value;
}

std::optional<int> ReadWholeInt(std::string_view text) {
    text = SkipBlanks(text);
    const bool negative = TakeSign(text);
    std::size_t end = 0;
    long long value = 0;
    while (end < text.size() && IsDigit(text[end])) {
        value = value * 10 + (text[end] - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
            return std::nullopt;
        }
        ++end;
    }
    if (end == 0 || !SkipBlanks(text.substr(end)).empty()) {
        return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
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

std::optional<int> ReadPlainDecimal(std::string_view text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) {
        return std::nullopt;
    }
    return ReadWholeInt(text);
}

bool OnlyBlanks(std::string_view text) {
    return SkipBlanks(text).empty();
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
