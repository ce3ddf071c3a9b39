#include "core/radio/tones.h"

#include <cstdio>

#include "core/base/text_number.h"
#include "core/radio/display_texts.h"

namespace radioprog {
namespace {

constexpr std::array<int, 83> kOffered = {
    23,  25,  26,  31,  32,  43,  47,  51,  54,  65,  71,  72,  73,  74,  114, 115, 116,
    125, 131, 132, 134, 143, 152, 155, 156, 162, 165, 172, 174, 205, 223, 226, 243, 244,
    245, 251, 261, 263, 265, 271, 306, 311, 315, 331, 343, 346, 351, 364, 365, 371, 411,
    412, 413, 423, 431, 432, 445, 464, 465, 466, 503, 506, 516, 532, 546, 565, 606, 612,
    624, 627, 631, 632, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

constexpr std::array<int, 24> kNotOffered = {17,  36,  50,  53,  122, 145, 212, 225,
                                             246, 252, 255, 266, 274, 325, 332, 356,
                                             446, 452, 454, 455, 462, 523, 526, 645};

constexpr std::array<int, 38> kCtcss = {670,  719,  744,  770,  797,  825,  854,  885,  915,  948,
                                        974,  1000, 1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318,
                                        1365, 1413, 1462, 1514, 1567, 1622, 1679, 1738, 1799, 1862,
                                        1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503};

// A code's digits are octal: D754 has the value 0o754 = 492.
constexpr unsigned OctalValue(int code) {
    return static_cast<unsigned>((code / 100) * 64 + ((code / 10) % 10) * 8 + code % 10);
}

constexpr std::array<int, 107> MakeKnown() {
    std::array<int, 107> all{};
    std::size_t i = 0;
    for (int code : kOffered) {
        all[i++] = code;
    }
    for (int code : kNotOffered) {
        all[i++] = code;
    }
    return all;
}
constexpr std::array<int, 107> kKnown = MakeKnown();

constexpr std::array<int, 512> MakeDecodeTable() {
    std::array<int, 512> table{};
    for (int code : kKnown) {
        table[OctalValue(code)] = code;
    }
    return table;
}
constexpr std::array<int, 512> kDecode = MakeDecodeTable();

constexpr std::array<std::uint8_t, 778> MakeEncodeTable() {
    std::array<std::uint8_t, 778> table{};
    for (int code : kKnown) {
        table[static_cast<std::size_t>(code)] = static_cast<std::uint8_t>(OctalValue(code) & 0xFFu);
    }
    return table;
}
constexpr std::array<std::uint8_t, 778> kEncode = MakeEncodeTable();

std::string DcsText(int code, char polarity) {
    char text[16];
    std::snprintf(text, sizeof text, "D%03d%c", code, polarity);
    return text;
}

}  // namespace

std::span<const int> OfferedDcsCodes() {
    return kOffered;
}
std::span<const int> KnownDcsCodes() {
    return kKnown;
}
std::span<const int> CtcssTones() {
    return kCtcss;
}

int DecodeDcs(unsigned nineBitValue) {
    return nineBitValue < kDecode.size() ? kDecode[nineBitValue] : 0;
}

std::uint8_t EncodeDcsLowByte(int code) {
    return code >= 0 && static_cast<std::size_t>(code) < kEncode.size()
               ? kEncode[static_cast<std::size_t>(code)]
               : 0;
}

std::vector<std::string> ToneList(Language language) {
    std::vector<std::string> list;
    list.reserve(1 + kCtcss.size() + 2 * kOffered.size());
    list.emplace_back(texts::kNone.In(language));
    for (int tenths : kCtcss) {
        list.push_back(FormatFixed(tenths / 10.0, 1));
    }
    for (char polarity : {'N', 'I'}) {
        for (int code : kOffered) {
            list.push_back(DcsText(code, polarity));
        }
    }
    return list;
}

}  // namespace radioprog
