#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/radio/channel_record.h"

namespace radioprog {

/// A frequency field read exactly: whole hertz, and whether digits below 1 Hz were cut off.
struct CsvFrequency {
    std::int64_t hz = 0;
    bool finerThan1Hz = false;
};

/// Reads a frequency or offset field: a number of MHz with a point and up to six decimals (more
/// are cut off and said), an integer, or either followed by " MHz" or " kHz". Nothing for any
/// other text, a sign included.
std::optional<CsvFrequency> ParseCsvFrequency(std::string_view text);
/// @p hz in MHz with six decimals, as the file form writes frequencies: 146520000 -> "146.520000".
std::string CsvMegahertz(std::int64_t hz);

/// Tenths of a hertz as the file form writes a tone: 885 -> "88.5".
std::string CsvCtcss(int tenths);
/// A DCS code (its octal digits read in decimal) as the file form writes it: 23 -> "023".
std::string CsvDcsCode(int code);

/// Power as the file form gives it: watts ("5W", "5.0W", "0.5 W", "5") or High / Low / H / L.
struct CsvPower {
    bool high = true;
    /// True when the watts are not this program's own for the level: 5.0 W for High, 1.0 W for
    /// Low (the file form's convention for this radio).
    bool rounded = false;
};
/// From 3 W up the power is High; an empty field is High, the level of a new channel. Nothing
/// for a text that is neither form, or negative watts.
std::optional<CsvPower> ParseCsvPower(std::string_view text);
/// "5.0W" or "1.0W".
std::string CsvPowerText(bool high);

/// Busy Lock has no column: it travels in Comment as "BusyLock=Carrier" or "BusyLock=QT/DQT".
struct CsvComment {
    BusyLock busyLock = BusyLock::Off;
    /// What else the comment says; the import drops it.
    std::string rest;
};
CsvComment ParseCsvComment(std::string_view text);
/// The comment that carries @p busyLock: empty for Off.
std::string CsvCommentText(BusyLock busyLock);

/// @p text cut to a length that fits a message, on a character boundary, with "..." after it.
std::string ShortCsvText(std::string_view text);

}  // namespace radioprog
