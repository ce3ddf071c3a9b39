#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace radioprog {

/// The radio's programmable memory as the program holds it: byte n is radio address n.
using RadioImage = std::array<std::uint8_t, 1024>;

/// Where everything lives in the radio memory image. Blocks 0-61 are exchanged with the radio;
/// blocks 62-63 exist only in the document and its file.
namespace image {

inline constexpr std::size_t kSize = 1024;
inline constexpr std::size_t kBlockSize = 16;
inline constexpr std::size_t kHalfBlockSize = 8;
inline constexpr std::size_t kBlockCount = 64;
inline constexpr std::size_t kRadioBlockCount = 62;
inline constexpr std::size_t kRadioBytes = kRadioBlockCount * kBlockSize;

inline constexpr std::uint8_t kEmptyByte = 0xFF;

inline constexpr std::size_t kHeader = 0x000;
inline constexpr std::array<std::uint8_t, 16> kNewHeader = {
    0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x03, 0x01, 0x00, 0x02, 0x00, 0x24, 0x11};

inline constexpr int kChannelCount = 16;
inline constexpr std::size_t kChannelRecordSize = 16;
/// Channel n (1-16) is the record in image block n.
constexpr std::size_t ChannelOffset(int channel) {
    return kChannelRecordSize * static_cast<std::size_t>(channel);
}

// Optional features
inline constexpr std::size_t kVoiceAnnunciation = 0x12F;
inline constexpr std::size_t kTimeOutTimer = 0x130;
inline constexpr std::size_t kTotPreAlert = 0x131;
inline constexpr std::size_t kSquelchLevel = 0x134;
inline constexpr std::size_t kBatterySaver = 0x135;
inline constexpr std::size_t kBeep = 0x136;
inline constexpr std::size_t kVoxOnOff = 0x139;
inline constexpr std::size_t kVoxGain = 0x13A;
inline constexpr std::size_t kVoxDelay = 0x13B;

inline constexpr std::size_t kScanInformation = 0x160;
inline constexpr std::array<std::uint8_t, 9> kNewScanInformation = {0x00, 0x11, 0x09, 0x15, 0xFF,
                                                                    0x30, 0x00, 0x30, 0x00};

/// Scan-add flags: bit n-1 of the first byte is channel n (1-8), bit n-9 of the second is n (9-16).
inline constexpr std::size_t kScanAddLow = 0x17E;
inline constexpr std::size_t kScanAddHigh = 0x17F;

/// Band limits: three BCD-nibble bytes, lower L2 L1 | upper U2 U1 | L0 U0.
inline constexpr std::size_t kBandLimits = 0x1AD;

/// The identity record, the second half of block 27: 0x50, a second byte, the Admin password
/// (3 packed bytes) and the User password (3 packed bytes).
inline constexpr std::size_t kIdentity = 0x1B8;
inline constexpr std::size_t kIdentitySize = 8;
inline constexpr std::size_t kIdentityAdminPassword = kIdentity + 2;
inline constexpr std::size_t kIdentityUserPassword = kIdentity + 5;
inline constexpr std::uint8_t kIdentityMarker = 0x50;

inline constexpr std::size_t kIdCode = 0x3B0;
inline constexpr std::size_t kIdCodeSize = 6;
inline constexpr std::size_t kPttId = 0x3B8;
inline constexpr std::size_t kStunMarker = 0x3B9;
inline constexpr std::uint8_t kStunKept = 0xA5;
inline constexpr std::size_t kStunCode = 0x3C0;
inline constexpr std::size_t kStunCodeSize = 6;
inline constexpr std::size_t kFunctionFlags = 0x3C7;

/// Bytes the program only mirrors with the per-user values `Type` and `Field`.
inline constexpr std::size_t kTypeMirror = 0x3D2;
inline constexpr std::size_t kFieldMirror = 0x3D3;

inline constexpr std::size_t kCallTone = 0x3F0;

}  // namespace image
}  // namespace radioprog
