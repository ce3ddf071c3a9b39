#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/base/language.h"

namespace radioprog {

/// Tone word high bytes (byte 9 / byte 11 of a channel record).
namespace tone {
inline constexpr std::uint8_t kNoneLow = 0x00;
inline constexpr std::uint8_t kNoneHigh = 0xFF;
inline constexpr std::uint8_t kDcsNormal = 0x28;
inline constexpr std::uint8_t kDcsInverted = 0xA8;
/// Set in the high byte when the DCS value needs its ninth bit (codes 400 octal and above).
inline constexpr std::uint8_t kDcsBit8 = 0x01;
/// Codes above this (read as a decimal number, e.g. 371) need the ninth bit.
inline constexpr int kLastNineBitFreeCode = 371;
}  // namespace tone

/// The 83 DCS codes offered in the tone list, as their three octal digits read in decimal (023 ->
/// 23), in list order.
std::span<const int> OfferedDcsCodes();
/// All 107 DCS codes that convert between text and tone word.
std::span<const int> KnownDcsCodes();
/// The 38 CTCSS tones of the tone list, in tenths of a hertz.
std::span<const int> CtcssTones();

/// The code (octal digits read in decimal) of a 9-bit DCS value; 0 when no known code has it.
int DecodeDcs(unsigned nineBitValue);
/// The low byte of the tone word of a code; 0 for a code outside the known set.
std::uint8_t EncodeDcsLowByte(int code);

/// The 205 texts of the tone columns: "None", 38 CTCSS tones, 83 DCS codes normal, 83 inverted.
std::vector<std::string> ToneList(Language language);

}  // namespace radioprog
