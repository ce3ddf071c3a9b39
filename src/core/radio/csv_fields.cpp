#include "core/radio/csv_fields.h"

#include <algorithm>
#include <cstdio>

#include "core/base/ascii_text.h"
#include "core/base/text_number.h"
#include "core/radio/display_texts.h"

namespace radioprog {
namespace {

constexpr std::size_t kMostWholeDigits = 12;
constexpr std::size_t kShortTextBytes = 40;
constexpr double kHighFromWatts = 3.0;
constexpr double kHighWatts = 5.0;
constexpr double kLowWatts = 1.0;
constexpr std::string_view kBusyLockKey = "BusyLock=";

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

// Digits of a frequency times 10^scale, the digits below that left out.
std::optional<CsvFrequency> Scaled(std::string_view whole, std::string_view fraction, int scale) {
    while (whole.size() > 1 && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    if (whole.size() > kMostWholeDigits) {
        return std::nullopt;
    }
    CsvFrequency frequency;
    for (char c : whole) {
        frequency.hz = frequency.hz * 10 + (c - '0');
    }
    for (int i = 0; i < scale; ++i) {
        const auto at = static_cast<std::size_t>(i);
        frequency.hz = frequency.hz * 10 + (at < fraction.size() ? fraction[at] - '0' : 0);
    }
    const auto kept = static_cast<std::size_t>(scale);
    frequency.finerThan1Hz = fraction.size() > kept &&
                             fraction.substr(kept).find_first_not_of('0') != std::string_view::npos;
    return frequency;
}

std::optional<BusyLock> BusyLockNamed(std::string_view value) {
    if (EqualsIgnoringAsciiCase(value, texts::kBusyOff.english) || texts::kBusyOff.Matches(value)) {
        return BusyLock::Off;
    }
    if (EqualsIgnoringAsciiCase(value, texts::kBusyCarrier.english) ||
        texts::kBusyCarrier.Matches(value)) {
        return BusyLock::Carrier;
    }
    if (EqualsIgnoringAsciiCase(value, texts::kBusyQtDqt.english)) {
        return BusyLock::QtDqt;
    }
    return std::nullopt;
}

std::string_view TrimSeparators(std::string_view text) {
    constexpr std::string_view separators = " \t;,";
    const auto first = text.find_first_not_of(separators);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(separators) - first + 1);
}

}  // namespace

std::optional<CsvFrequency> ParseCsvFrequency(std::string_view text) {
    text = TrimBlanks(text);
    int scale = 6;
    if (EndsWithIgnoringAsciiCase(text, "MHz")) {
        text.remove_suffix(3);
    } else if (EndsWithIgnoringAsciiCase(text, "kHz")) {
        text.remove_suffix(3);
        scale = 3;
    }
    text = TrimBlanks(text);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !AllDigits(whole) || !AllDigits(fraction)) {
        return std::nullopt;
    }
    return Scaled(whole.empty() ? "0" : whole, fraction, scale);
}

std::string CsvMegahertz(std::int64_t hz) {
    const std::int64_t magnitude = hz < 0 ? -hz : hz;
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld.%06lld", hz < 0 ? "-" : "",
                  static_cast<long long>(magnitude / 1'000'000),
                  static_cast<long long>(magnitude % 1'000'000));
    return text;
}

std::string CsvCtcss(int tenths) {
    return FormatFixed(tenths / 10.0, 1);
}

std::string CsvDcsCode(int code) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", code);
    return text;
}

std::optional<CsvPower> ParseCsvPower(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return CsvPower{};
    }
    for (std::string_view high : {"High", "H"}) {
        if (EqualsIgnoringAsciiCase(text, high)) {
            return CsvPower{true, false};
        }
    }
    for (std::string_view low : {"Low", "L"}) {
        if (EqualsIgnoringAsciiCase(text, low)) {
            return CsvPower{false, false};
        }
    }
    if (EndsWithIgnoringAsciiCase(text, "W")) {
        text.remove_suffix(1);
    }
    const std::optional<double> watts = ReadWholeNumber(text);
    if (!watts || *watts < 0) {
        return std::nullopt;
    }
    const bool high = *watts >= kHighFromWatts;
    return CsvPower{high, *watts != (high ? kHighWatts : kLowWatts)};
}

std::string CsvPowerText(bool high) {
    return high ? "5.0W" : "1.0W";
}

CsvComment ParseCsvComment(std::string_view text) {
    text = TrimBlanks(text);
    for (std::size_t at = 0; at + kBusyLockKey.size() <= text.size(); ++at) {
        if (!StartsWithIgnoringAsciiCase(text.substr(at), kBusyLockKey)) {
            continue;
        }
        const std::size_t valueStart = at + kBusyLockKey.size();
        const std::size_t valueEnd = std::min(text.find_first_of(" \t;,", valueStart), text.size());
        const auto lock = BusyLockNamed(text.substr(valueStart, valueEnd - valueStart));
        if (!lock) {
            continue;
        }
        const std::string_view before = TrimSeparators(text.substr(0, at));
        const std::string_view after = TrimSeparators(text.substr(valueEnd));
        std::string rest(before);
        if (!before.empty() && !after.empty()) {
            rest += ' ';
        }
        rest += after;
        return {*lock, rest};
    }
    return {BusyLock::Off, std::string(text)};
}

std::string CsvCommentText(BusyLock busyLock) {
    switch (busyLock) {
        case BusyLock::Off:
            break;
        case BusyLock::Carrier:
            return std::string(kBusyLockKey) + std::string(texts::kBusyCarrier.english);
        case BusyLock::QtDqt:
            return std::string(kBusyLockKey) + std::string(texts::kBusyQtDqt.english);
    }
    return {};
}

std::string ShortCsvText(std::string_view text) {
    if (text.size() <= kShortTextBytes) {
        return std::string(text);
    }
    std::size_t cut = kShortTextBytes;
    // Back to the first byte of a UTF-8 character.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return std::string(text.substr(0, cut)) + "...";
}

}  // namespace radioprog
