#include "core/radio/image_doubts.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

// An erased memory with the band 136-174 MHz and the identity marker of a new document.
RadioImage Plausible() {
    RadioImage image;
    image.fill(0xFF);
    image[image::kBandLimits] = 0x13;
    image[image::kBandLimits + 1] = 0x17;
    image[image::kBandLimits + 2] = 0x64;
    image[image::kIdentity] = image::kIdentityMarker;
    return image;
}

RadioImage WithBand(std::uint8_t lower, std::uint8_t upper, std::uint8_t units) {
    RadioImage image = Plausible();
    image[image::kBandLimits] = lower;
    image[image::kBandLimits + 1] = upper;
    image[image::kBandLimits + 2] = units;
    return image;
}

// A radio's band lies within 100-1000 MHz, its lower edge below its upper, and its identity
// record begins with 50: anything else is most likely not a radio's memory at all.
TEST(ImageDoubts, NameImpossibleBandsAndAStrangeIdentity) {
    const std::string badIdentity = "its identity record does not begin with 50";
    struct Case {
        const char* what;
        RadioImage image;
        std::vector<std::string> doubts;
    };
    RadioImage noIdentity = Plausible();
    noIdentity[image::kIdentity] = 0x00;
    RadioImage zeros{};
    const Case cases[] = {
        {"136-174", Plausible(), {}},
        {"400-470", WithBand(0x40, 0x47, 0x00), {}},
        {"100-999", WithBand(0x10, 0x99, 0x09), {}},
        {"upside down",
         WithBand(0x17, 0x13, 0x46),
         {"its band limits (174 - 136 MHz) are impossible"}},
        {"no width",
         WithBand(0x13, 0x13, 0x66),
         {"its band limits (136 - 136 MHz) are impossible"}},
        {"below 100",
         WithBand(0x05, 0x17, 0x04),
         {"its band limits (50 - 174 MHz) are impossible"}},
        {"beyond 1000",
         WithBand(0x13, 0xFF, 0x6F),
         {"its band limits (136 - 1665 MHz) are impossible"}},
        {"identity", noIdentity, {badIdentity}},
        {"zeros", zeros, {"its band limits (0 - 0 MHz) are impossible", badIdentity}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ImageDoubts(c.image, Language::English), c.doubts) << c.what;
    }
    EXPECT_EQ(
        ImageDoubts(zeros, Language::Chinese),
        (std::vector<std::string>{"其频段范围（0 - 0 MHz）不可能", "其识别记录不以 50 开头"}));
}

}  // namespace
}  // namespace radioprog
