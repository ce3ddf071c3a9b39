#pragma once

#include <cstddef>
#include <cstdint>

#include "core/radio/memory_image.h"

namespace radioprog {

/// One named field of the memory image: the bits @p mask of the byte at @p offset, counted from
/// bit @p shift. Reading gives the bits as a number; writing changes those bits only and keeps
/// every other bit of the byte as found.
struct ImageField {
    const char* name;
    std::size_t offset;
    std::uint8_t mask;  ///< the bits of the byte the field owns
    int shift = 0;

    constexpr int Read(const RadioImage& image) const { return (image[offset] & mask) >> shift; }
    constexpr void Write(RadioImage& image, int value) const {
        image[offset] =
            static_cast<std::uint8_t>((image[offset] & ~mask) | ((value << shift) & mask));
    }
};

/// A 16-bit little-endian word of the memory image.
struct ImageWord {
    const char* name;
    std::size_t offset;

    constexpr int Read(const RadioImage& image) const {
        return image[offset] | image[offset + 1] << 8;
    }
    constexpr void Write(RadioImage& image, int value) const {
        image[offset] = static_cast<std::uint8_t>(value & 0xFF);
        image[offset + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    }
};

/// The fields of the settings bytes, by what reads and writes them. Channel records, the BCD
/// band limits and the codes have codecs of their own (channel_record.h, band_limits.h).
namespace field {

// The Optional Features dialog's fields.
inline constexpr ImageField kVoiceAnnunciation{"Voice Annunciation", image::kVoiceAnnunciation,
                                               0x03};
inline constexpr ImageField kTimeOutTimer{"Time-Out Timer", image::kTimeOutTimer, 0x7F};
inline constexpr ImageField kTotPreAlert{"TOT Pre-Alert", image::kTotPreAlert, 0x0F};
inline constexpr ImageField kSquelchLevel{"Squelch Level", image::kSquelchLevel, 0x0F};
inline constexpr ImageField kBatterySaver{"Battery Saver", image::kBatterySaver, 0x01};
inline constexpr ImageField kBeep{"Beep", image::kBeep, 0x01};
inline constexpr ImageField kVox{"Vox", image::kVoxOnOff, 0xFF};
inline constexpr ImageField kVoxGain{"Vox Gain Level", image::kVoxGain, 0xFF};
inline constexpr ImageField kVoxDelay{"Vox Delay Time", image::kVoxDelay, 0xFF};
inline constexpr ImageField kPttId{"PTT ID", image::kPttId, 0x01};
inline constexpr ImageField kStunMarker{"Stun Code marker", image::kStunMarker, 0xFF};

// The Scan Information dialog's fields, whole bytes and words.
inline constexpr ImageField kPriority{"Priority", image::kScanInformation, 0xFF};
inline constexpr ImageField kPriorityChannel{"Priority Channel", image::kScanInformation + 1, 0xFF};
inline constexpr ImageField kLookBackA{"Look Back Time A", image::kScanInformation + 2, 0xFF};
inline constexpr ImageField kLookBackB{"Look Back Time B", image::kScanInformation + 3, 0xFF};
inline constexpr ImageField kRevertChannel{"Revert Channel", image::kScanInformation + 4, 0xFF};
inline constexpr ImageWord kDropoutDelay{"Dropout Delay Time", image::kScanInformation + 5};
inline constexpr ImageWord kTxDwell{"Tx Dwell Time", image::kScanInformation + 7};

// The printed report reads two of those bytes through narrower masks than the dialog. Every
// value the dialog stores (timer codes 1-40, gain codes 0-10) has no bit beyond the report's
// masks, so both read the same there; for other bytes, such as a radio's own, each keeps the
// reading it is described to have.
inline constexpr ImageField kTimeOutTimerReport{"Time Out Timer", image::kTimeOutTimer, 0x3F};
inline constexpr ImageField kVoxGainReport{"Vox Gain Level", image::kVoxGain, 0x1F};
inline constexpr ImageField kVoxDelayReport{"Vox Delay Time", image::kVoxDelay, 0x07};
inline constexpr ImageField kCallTone{"Call Tone", image::kCallTone, 0xFF};
inline constexpr ImageField kVoxFunction{"VOX Function", image::kFunctionFlags, 0x01};
inline constexpr ImageField kScanFunction{"Scan Function", image::kFunctionFlags, 0x02, 1};

}  // namespace field
}  // namespace radioprog
