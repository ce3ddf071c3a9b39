#include "core/radio/frequency_rule.h"

#include <algorithm>

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
    // Where a comma is the decimal separator, 145,0125 is what the user means by 145.0125.
    std::string text(typed);
    std::replace(text.begin(), text.end(), ',', '.');
    const auto scanned = ScanNumber(text);
    const double megahertz = scanned ? scanned->value : 0.0;
    FrequencyEntry entry{FrequencyVerdict::Accepted, FormatFixed(megahertz, 5),
                         TruncateToUint32(DecimalMultiply(megahertz, BandLimits::kUnitsPerMHz))};
    // "145.0125 junk" or "145.0125.5" is a mistyped value, not the number it begins with.
    const bool trailing = scanned && !OnlyBlanks(scanned->rest);
    // A negative or huge number saturates instead of wrapping, so it can only be out of range.
    const bool beyondRange = megahertz < 0 || entry.value10Hz == UINT32_MAX;
    if (trailing) {
        entry.verdict = FrequencyVerdict::OffStep;
    } else if (beyondRange || entry.value10Hz < band.lower10Hz() ||
               entry.value10Hz > band.upper10Hz()) {
        entry.verdict = FrequencyVerdict::OutOfRange;
    } else if (entry.value10Hz % kStep5kHz != 0 && entry.value10Hz % kStep6_25kHz != 0) {
        entry.verdict = FrequencyVerdict::OffStep;
    }
    return entry;
}

}  // namespace radioprog
