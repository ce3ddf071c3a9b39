#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/radio/band_limits.h"

namespace radioprog {

/// What the entry rule says of a typed frequency.
enum class FrequencyVerdict { Accepted, OutOfRange, OffStep };

struct FrequencyEntry {
    FrequencyVerdict verdict;
    std::string shownText;    ///< the value as the grid shows it, "%3.5f" in MHz
    std::uint32_t value10Hz;  ///< the value in 10 Hz units, as stored
};

/// Channel steps in 10 Hz units: 5 kHz and 6.25 kHz.
inline constexpr std::uint32_t kStep5kHz = 500;
inline constexpr std::uint32_t kStep6_25kHz = 625;

/// Text shown for a frequency in 10 Hz units, e.g. 14501250 -> "145.01250".
std::string FrequencyText(std::uint32_t value10Hz);
/// A typed text as 10 Hz units: its leading number times 100000 in decimal arithmetic, truncated.
std::uint32_t TypedFrequency10Hz(std::string_view text);

/// Reads a typed frequency, checks it against the band (both edges included) and the steps. The
/// step test uses the typed value, not the rounded text: 145.012499 is off-step. The text must
/// be one number, a comma standing for the decimal point: anything after the number makes it
/// off-step; a text that does not begin with a number reads as 0 and so is out of range.
FrequencyEntry CheckFrequency(std::string_view typed, const BandLimits& band);

}  // namespace radioprog
