#pragma once

#include <cstdint>

#include "core/radio/memory_image.h"

namespace radioprog {

/// The band edges in use, program-wide: whole MHz and the same in 10 Hz units (the unit of
/// stored frequencies). Both forms always change together.
class BandLimits {
public:
    static constexpr unsigned kDefaultLower = 136;
    static constexpr unsigned kDefaultUpper = 174;
    static constexpr std::uint32_t kUnitsPerMHz = 100'000;

    BandLimits() { Set(kDefaultLower, kDefaultUpper); }
    BandLimits(unsigned lower, unsigned upper) { Set(lower, upper); }

    void Set(unsigned lower, unsigned upper) {
        SetLower(lower);
        SetUpper(upper);
    }
    void SetLower(unsigned lower) {
        m_lower = lower;
        m_lower10Hz = lower * kUnitsPerMHz;
    }
    void SetUpper(unsigned upper) {
        m_upper = upper;
        m_upper10Hz = upper * kUnitsPerMHz;
    }

    unsigned lower() const { return m_lower; }
    unsigned upper() const { return m_upper; }
    std::uint32_t lower10Hz() const { return m_lower10Hz; }
    std::uint32_t upper10Hz() const { return m_upper10Hz; }

    bool operator==(const BandLimits&) const = default;

private:
    unsigned m_lower = 0;
    unsigned m_upper = 0;
    std::uint32_t m_lower10Hz = 0;
    std::uint32_t m_upper10Hz = 0;
};

/// Reads the three band bytes, taking every nibble as a decimal digit without checking it.
BandLimits ReadBandLimits(const RadioImage& image);
/// Writes the limits' three decimal digits each into the nibbles of the three band bytes.
void WriteBandLimits(const BandLimits& limits, RadioImage& image);

}  // namespace radioprog
