#include "core/ports/known_adapters.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace radioprog {
namespace {

constexpr KnownAdapter kAdapters[] = {
    {{0x1a86, 0x7523}, "QinHeng CH340"},       {{0x1a86, 0x7522}, "QinHeng CH340K"},
    {{0x1a86, 0x5523}, "QinHeng CH341"},       {{0x067b, 0x2303}, "Prolific PL2303"},
    {{0x067b, 0x23a3}, "Prolific PL2303GC"},   {{0x067b, 0x23b3}, "Prolific PL2303GB"},
    {{0x067b, 0x23c3}, "Prolific PL2303GT"},   {{0x067b, 0x23d3}, "Prolific PL2303GL"},
    {{0x067b, 0x23e3}, "Prolific PL2303GE"},   {{0x067b, 0x23f3}, "Prolific PL2303GS"},
    {{0x10c4, 0xea60}, "Silicon Labs CP210x"}, {{0x10c4, 0xea70}, "Silicon Labs CP2105"},
    {{0x10c4, 0xea71}, "Silicon Labs CP2108"}, {{0x0403, 0x6001}, "FTDI FT232R"},
    {{0x0403, 0x6010}, "FTDI FT2232"},         {{0x0403, 0x6011}, "FTDI FT4232"},
    {{0x0403, 0x6014}, "FTDI FT232H"},         {{0x0403, 0x6015}, "FTDI FT-X"},
};

}  // namespace

std::span<const KnownAdapter> KnownAdapters() {
    return kAdapters;
}

std::optional<std::string_view> KnownChip(UsbId id) {
    const auto* found =
        std::find_if(std::begin(kAdapters), std::end(kAdapters),
                     [id](const KnownAdapter& adapter) { return adapter.id == id; });
    if (found == std::end(kAdapters)) {
        return std::nullopt;
    }
    return found->chip;
}

std::string UsbIdText(UsbId id) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", id.vendor, id.product);
    return text;
}

}  // namespace radioprog
