#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace radioprog {

/// A USB vendor and product id, as `lsusb` writes them ("067b:2303").
struct UsbId {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;

    bool operator==(const UsbId&) const = default;
};

/// A USB-serial chip found in radio programming cables.
struct KnownAdapter {
    UsbId id;
    std::string_view chip;  ///< "Prolific PL2303"
};

/// The common chips of programming cables: CH340/CH341, PL2303, CP210x and FTDI. The udev rule
/// the program installs names exactly these.
std::span<const KnownAdapter> KnownAdapters();

/// The chip of @p id, when it is one of the known adapters.
std::optional<std::string_view> KnownChip(UsbId id);

/// "067b:2303".
std::string UsbIdText(UsbId id);

}  // namespace radioprog
