#include "core/link/port_names.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <system_error>

namespace radioprog {
namespace {

constexpr std::array<std::string_view, 4> kDefaultDevices = {"/dev/ttyUSB0", "/dev/ttyUSB1",
                                                             "/dev/ttyACM0", "/dev/ttyS0"};

bool IsMappedSlot(int slot) {
    return slot >= kFirstComSlot && slot <= kLastComSlot;
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::optional<int> ComSlot(std::string_view name) {
    constexpr std::string_view kPrefix = "COM";
    if (name.size() <= kPrefix.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kPrefix.size(); ++i) {
        if (AsciiUpper(name[i]) != kPrefix[i]) {
            return std::nullopt;
        }
    }
    const std::string_view digits = name.substr(kPrefix.size());
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    int slot = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), slot);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return slot;
}

std::string DefaultPortDevice(int slot) {
    if (!IsMappedSlot(slot)) {
        return {};
    }
    return std::string(kDefaultDevices[static_cast<std::size_t>(slot - kFirstComSlot)]);
}

std::string ResolvePortDevice(std::string_view portName, const PortBinding& binding) {
    if (const std::optional<int> slot = ComSlot(portName)) {
        return binding(*slot);
    }
    return std::string(portName);
}

}  // namespace radioprog
