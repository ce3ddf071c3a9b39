#include "core/radio/frequency_rule.h"

#include "core/base/text_number.h"
#include "core/radio/decimal_multiply.h"

namespace radioprog {

std::string FrequencyText(std::uint32_t value10Hz) {
    return FormatFixed(value10Hz / static_cast<double>(BandLimits::kUnitsPerMHz), 5);
}

std::uint32_t TypedFrequency10Hz(std::string_view text) {
    return TruncateToUint32(DecimalMultiply(LeadingNumber(text), BandLimits::kUnitsPerMHz));
}

FrequencyEntry CheckFrequency(std::string_view typed, const BandLimits& band) {
    const double megahertz = LeadingNumber(typed);
    FrequencyEntry entry{FrequencyVerdict::Accepted, FormatFixed(megahertz, 5),
                         TruncateToUint32(DecimalMultiply(megahertz, BandLimits::kUnitsPerMHz))};
    // A negative or huge number saturates instead of wrapping, so it can only be out of range.
    const bool beyondRange = megahertz < 0 || entry.value10Hz == UINT32_MAX;
    if (beyondRange || entry.value10Hz < band.lower10Hz() || entry.value10Hz > band.upper10Hz()) {
        entry.verdict = FrequencyVerdict::OutOfRange;
    } else if (entry.value10Hz % kStep5kHz != 0 && entry.value10Hz % kStep6_25kHz != 0) {
        entry.verdict = FrequencyVerdict::OffStep;
    }
    return entry;
}

}  // namespace radioprog
