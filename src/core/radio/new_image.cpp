#include "core/radio/new_image.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace radioprog {
namespace {

struct ByteDefault {
    std::size_t offset;
    std::uint8_t value;
};

constexpr ByteDefault kNewFeatureBytes[] = {
    {image::kVoiceAnnunciation, 0x01}, {image::kTimeOutTimer, 0x04}, {image::kTotPreAlert, 0x09},
    {image::kSquelchLevel, 0x04},      {image::kBatterySaver, 0x01}, {image::kBeep, 0x01},
    {image::kVoxGain, 0x05},           {image::kVoxDelay, 0x02},     {image::kScanAddLow, 0x00},
    {image::kScanAddHigh, 0x00},       {image::kPttId, 0xFE},        {image::kCallTone, 0x00},
};
constexpr std::uint8_t kNewBandLimits[] = {0x13, 0x17, 0x64};  // 136-174 MHz
constexpr std::uint8_t kIdentitySecondByte = 0xFF;

}  // namespace

RadioImage NewRadioImage(const PackedPassword& loginPassword) {
    RadioImage image;
    image.fill(image::kEmptyByte);
    std::copy(image::kNewHeader.begin(), image::kNewHeader.end(), image.begin() + image::kHeader);
    for (const ByteDefault& byte : kNewFeatureBytes) {
        image[byte.offset] = byte.value;
    }
    std::copy(image::kNewScanInformation.begin(), image::kNewScanInformation.end(),
              image.begin() + image::kScanInformation);
    std::copy(std::begin(kNewBandLimits), std::end(kNewBandLimits),
              image.begin() + image::kBandLimits);
    image[image::kIdentity] = image::kIdentityMarker;
    image[image::kIdentity + 1] = kIdentitySecondByte;
    std::copy(loginPassword.begin(), loginPassword.end(),
              image.begin() + image::kIdentityAdminPassword);
    return image;
}

}  // namespace radioprog
