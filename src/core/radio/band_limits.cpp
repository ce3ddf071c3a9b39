#include "core/radio/band_limits.h"

namespace radioprog {
namespace {
unsigned High(std::uint8_t byte) {
    return byte >> 4;
}
unsigned Low(std::uint8_t byte) {
    return byte & 0x0Fu;
}
}  // namespace

BandLimits ReadBandLimits(const RadioImage& image) {
    const std::uint8_t lowerPair = image[image::kBandLimits];
    const std::uint8_t upperPair = image[image::kBandLimits + 1];
    const std::uint8_t units = image[image::kBandLimits + 2];
    return BandLimits(100 * High(lowerPair) + 10 * Low(lowerPair) + High(units),
                      100 * High(upperPair) + 10 * Low(upperPair) + Low(units));
}

void WriteBandLimits(const BandLimits& limits, RadioImage& image) {
    // A limit above 999 cannot come from the dialog (three digits); one read from a damaged image
    // is written back truncated to a byte, never beyond it.
    const auto pack = [](unsigned high, unsigned low) {
        return static_cast<std::uint8_t>((high << 4) | (low & 0x0Fu));
    };
    const unsigned lower = limits.lower();
    const unsigned upper = limits.upper();
    image[image::kBandLimits] = pack(lower / 100, (lower / 10) % 10);
    image[image::kBandLimits + 1] = pack(upper / 100, (upper / 10) % 10);
    image[image::kBandLimits + 2] = pack(lower % 10, upper % 10);
}

}  // namespace radioprog
