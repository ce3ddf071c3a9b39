#include "core/ports/port_discovery.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <system_error>
#include <tuple>

namespace radioprog {
namespace {

namespace fs = std::filesystem;

// Unix98 pty slaves have the major numbers 136 to 143.
constexpr unsigned kFirstPtyMajor = 136;
constexpr unsigned kLastPtyMajor = 143;
// A device lies a few folders below its USB device; this bounds the walk up.
constexpr int kMaxDepth = 12;

std::string ReadAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

std::string LinkName(const fs::path& link) {
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    return error ? std::string() : target.filename().string();
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

std::optional<std::uint16_t> HexId(const std::string& text) {
    std::uint16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<UsbDetails> ReadUsbDevice(const fs::path& dir) {
    const auto vendor = HexId(ReadAttribute(dir / "idVendor"));
    const auto product = HexId(ReadAttribute(dir / "idProduct"));
    if (!vendor || !product) {
        return std::nullopt;
    }
    return UsbDetails{{*vendor, *product},
                      ReadAttribute(dir / "manufacturer"),
                      ReadAttribute(dir / "product"),
                      ReadAttribute(dir / "serial")};
}

// Up from the port's device: the USB interface names the driver that took the adapter
// ("ch341", not the port's "ch341-uart"), the USB device above it the ids and strings. A port
// without USB takes the first driver that is not the serial core's own.
void ReadDevice(const fs::path& device, const fs::path& sys, DiscoveredPort& port) {
    std::error_code error;
    fs::path dir = fs::canonical(device, error);
    if (error) {
        return;
    }
    const fs::path top = fs::weakly_canonical(sys, error);
    std::string interfaceDriver;
    std::string firstDriver;
    for (int depth = 0; depth < kMaxDepth && dir != top && dir.has_relative_path(); ++depth) {
        if (interfaceDriver.empty() && Exists(dir / "bInterfaceNumber")) {
            interfaceDriver = LinkName(dir / "driver");
        }
        if (auto usb = ReadUsbDevice(dir)) {
            port.usb = std::move(usb);
            break;
        }
        if (firstDriver.empty() && LinkName(dir / "subsystem") != "serial-base") {
            firstDriver = LinkName(dir / "driver");
        }
        dir = dir.parent_path();
    }
    port.driver = !interfaceDriver.empty() ? interfaceDriver : firstDriver;
}

// Folder of by-id links -> where each leads, as written (relative links taken from their folder).
std::vector<std::pair<fs::path, fs::path>> ByIdLinks(const SystemRoots& roots) {
    std::vector<std::pair<fs::path, fs::path>> links;
    std::error_code error;
    const fs::path folder = roots.dev / "serial" / "by-id";
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path target = fs::read_symlink(it->path(), error);
        if (error) {
            error.clear();
            continue;
        }
        links.emplace_back(it->path(), (folder / target).lexically_normal());
    }
    std::sort(links.begin(), links.end());
    return links;
}

fs::path FindById(const fs::path& device, const std::vector<std::pair<fs::path, fs::path>>& links) {
    for (const auto& [link, target] : links) {
        if (target == device.lexically_normal() || SameDevice(link, device)) {
            return link;
        }
    }
    return {};
}

// "ttyUSB10" sorts after "ttyUSB9".
std::tuple<std::string, long, std::string> NameOrder(const std::string& name) {
    const auto digits = name.find_last_not_of("0123456789") + 1;
    long number = -1;
    std::from_chars(name.data() + digits, name.data() + name.size(), number);
    return {name.substr(0, digits), number, name};
}

bool IsPseudoTerminal(const fs::path& device) {
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) {
        return false;
    }
    const unsigned majorNumber = major(info.st_rdev);
    return majorNumber >= kFirstPtyMajor && majorNumber <= kLastPtyMajor;
}

std::optional<DiscoveredPort> ReadTty(const fs::path& entry, const SystemRoots& roots,
                                      const std::vector<std::pair<fs::path, fs::path>>& byId) {
    // Virtual terminals, the console and ptmx have no device; nor has a serial port slot the
    // kernel reserved without finding a UART behind it (type 0).
    if (!Exists(entry / "device") || ReadAttribute(entry / "type") == "0") {
        return std::nullopt;
    }
    DiscoveredPort port;
    port.name = entry.filename().string();
    port.device = roots.dev / port.name;
    port.byId = FindById(port.device, byId);
    ReadDevice(entry / "device", roots.sys, port);
    return port;
}

}  // namespace

std::vector<DiscoveredPort> DiscoverPorts(const SystemRoots& roots) {
    std::vector<DiscoveredPort> ports;
    const auto byId = ByIdLinks(roots);
    std::error_code error;
    for (fs::directory_iterator it(roots.sys / "class" / "tty", error), end; !error && it != end;
         it.increment(error)) {
        if (auto port = ReadTty(it->path(), roots, byId)) {
            ports.push_back(std::move(*port));
        }
    }
    std::sort(ports.begin(), ports.end(), [](const DiscoveredPort& a, const DiscoveredPort& b) {
        return NameOrder(a.name) < NameOrder(b.name);
    });
    return ports;
}

DiscoveredPort IdentifyDevice(const fs::path& device, std::span<const DiscoveredPort> discovered,
                              const SystemRoots& roots) {
    for (const DiscoveredPort& port : discovered) {
        if (LeadsTo(device, port)) {
            return port;
        }
    }
    DiscoveredPort port;
    port.device = device;
    port.byId = FindById(device, ByIdLinks(roots));
    port.pseudoTerminal = IsPseudoTerminal(device);
    return port;
}

fs::path StablePath(const fs::path& device, const SystemRoots& roots) {
    const fs::path folder = roots.dev / "serial" / "by-id";
    if (device.parent_path() == folder) {
        return device;
    }
    const fs::path link = FindById(device, ByIdLinks(roots));
    return link.empty() ? device : link;
}

bool SameDevice(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

bool LeadsTo(const fs::path& device, const DiscoveredPort& port) {
    return !device.empty() &&
           (device == port.device || (!port.byId.empty() && device == port.byId) ||
            SameDevice(device, port.device));
}

std::string DescribePort(const DiscoveredPort& port, Language language) {
    if (port.usb) {
        std::string what;
        if (const auto chip = KnownChip(port.usb->id)) {
            what = *chip;
        } else {
            what = port.usb->manufacturer;
            if (!port.usb->product.empty()) {
                what += (what.empty() ? "" : " ") + port.usb->product;
            }
            if (what.empty()) {
                what = port.driver.empty()
                           ? std::string(BilingualText{"USB adapter", "USB 转换器"}.In(language))
                           : port.driver;
            }
        }
        return what + " (" + UsbIdText(port.usb->id) + ")";
    }
    if (port.pseudoTerminal) {
        return std::string(BilingualText{"pseudo-terminal", "伪终端"}.In(language));
    }
    if (!port.name.empty()) {
        std::string what(BilingualText{"built-in serial port", "内置串口"}.In(language));
        return port.driver.empty() ? what : what + " (" + port.driver + ")";
    }
    return {};
}

std::string PortLine(const DiscoveredPort& port, Language language) {
    const std::string description = DescribePort(port, language);
    return port.device.string() + (description.empty() ? "" : " · " + description);
}

}  // namespace radioprog
