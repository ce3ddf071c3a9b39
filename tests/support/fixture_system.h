#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/ports/system_roots.h"
#include "temp_dir.h"

namespace radioprog::testing {

/// A machine's tree in a temporary folder, laid out as the kernel and udev lay out the real one:
/// sysfs entries of serial ports (USB adapters with their ids and strings, built-in UARTs,
/// virtual terminals), device nodes, by-id links, processes with their open files, the group
/// file, udev rules and installed programs.
class FixtureSystem {
public:
    static constexpr gid_t kFixtureGroup = 20;

    struct Usb {
        std::uint16_t vendor;
        std::uint16_t product;
        std::string manufacturer;
        std::string productName;
        std::string serial;
        std::string driver;  ///< the interface's driver: ch341, pl2303, cdc_acm, ...
    };

    FixtureSystem() {
        for (const char* folder :
             {"sys/class/tty", "sys/devices", "dev/serial/by-id", "proc", "etc/udev/rules.d",
              "lib/udev/rules.d", "usr/lib/udev/rules.d", "usr/bin"}) {
            std::filesystem::create_directories(m_dir / folder);
        }
        WriteText(top() / "etc" / "group", "root:x:0:\n");
    }

    const std::filesystem::path& top() const { return m_dir.path(); }
    SystemRoots roots() const { return SystemRoots::Under(top()); }
    std::filesystem::path Dev(const std::string& name) const { return top() / "dev" / name; }

    /// A USB adapter on its own USB port, as ttyUSBn (usb-serial drivers) or ttyACMn (cdc_acm).
    void AddUsbAdapter(const std::string& name, const Usb& usb) {
        const auto device = top() / "sys/devices/pci0000:00/0000:00:14.0/usb1" /
                            ("1-" + std::to_string(++m_usbPorts));
        const auto interface = device / (device.filename().string() + ":1.0");
        std::filesystem::create_directories(interface);
        WriteText(device / "idVendor", Hex(usb.vendor) + "\n");
        WriteText(device / "idProduct", Hex(usb.product) + "\n");
        WriteOptional(device / "manufacturer", usb.manufacturer);
        WriteOptional(device / "product", usb.productName);
        WriteOptional(device / "serial", usb.serial);
        WriteText(interface / "bInterfaceNumber", "00\n");
        Link(interface / "driver", top() / "sys/bus/usb/drivers" / usb.driver);
        // A usb-serial driver puts a port device between the interface and the tty; cdc_acm
        // hangs the tty right below the interface.
        auto port = interface;
        if (usb.driver != "cdc_acm") {
            port = interface / name;
            std::filesystem::create_directories(port);
            Link(port / "driver", top() / "sys/bus/usb-serial/drivers" / (usb.driver + "-uart"));
        }
        AddTty(name, port);
    }

    /// A UART of the main board (ttyS0), with the serial core's port device between the tty and
    /// its driver; @p type 0 is a slot without a UART behind it.
    void AddBuiltInPort(const std::string& name, const std::string& type = "4") {
        const auto controller = top() / "sys/devices/pnp0" / ("00:0" + std::to_string(++m_pnp));
        const auto port = controller / (controller.filename().string() + ":0.0");
        std::filesystem::create_directories(port);
        Link(controller / "driver", top() / "sys/bus/pnp/drivers/serial");
        Link(port / "driver", top() / "sys/bus/serial-base/drivers/port");
        Link(port / "subsystem", top() / "sys/bus/serial-base");
        AddTty(name, port);
        WriteText(top() / "sys/class/tty" / name / "type", type + "\n");
    }

    /// A virtual terminal: a tty without a device.
    void AddVirtualTty(const std::string& name) {
        const auto tty = top() / "sys/devices/virtual/tty" / name;
        std::filesystem::create_directories(tty);
        Link(top() / "sys/class/tty" / name, tty);
    }

    /// The device node as a file of its own with @p mode.
    void MakeNode(const std::string& name, mode_t mode) {
        WriteText(Dev(name), "");
        ::chmod(Dev(name).c_str(), mode);
    }
    /// Gives the node a group of its own that is not root's, so that it can stand for dialout:
    /// root may give it any group, anyone else one of their own.
    gid_t GiveNodeAGroup(const std::string& name) const {
        const gid_t gid = ::geteuid() == 0 ? kFixtureGroup : ::getgid();
        if (::chown(Dev(name).c_str(), static_cast<uid_t>(-1), gid) != 0) {
            std::abort();
        }
        return gid;
    }
    /// The device node as a link to a real device, such as a pseudo-terminal.
    void LinkNode(const std::string& name, const std::filesystem::path& target) {
        Link(Dev(name), target);
    }
    /// udev's stable link for the port @p name.
    void AddById(const std::string& link, const std::string& name) {
        std::filesystem::create_symlink("../../" + name, Dev("serial/by-id/" + link));
    }

    /// A running program and the files it has open.
    void AddProcess(int pid, const std::string& program,
                    const std::vector<std::filesystem::path>& openFiles = {}) {
        const auto process = top() / "proc" / std::to_string(pid);
        std::filesystem::create_directories(process / "fd");
        WriteText(process / "comm", program + "\n");
        int fd = 3;
        for (const auto& file : openFiles) {
            Link(process / "fd" / std::to_string(fd++), file);
        }
    }

    void WriteGroups(const std::string& text) { WriteText(top() / "etc" / "group", text); }
    /// A rule file in /etc/udev/rules.d (0), /lib/udev/rules.d (1) or /usr/lib/udev/rules.d (2).
    void AddRules(int folder, const std::string& name, const std::string& text) {
        static const char* kFolders[] = {"etc/udev/rules.d", "lib/udev/rules.d",
                                         "usr/lib/udev/rules.d"};
        WriteText(top() / kFolders[folder] / name, text);
    }
    void AddProgram(const std::string& name) { WriteText(top() / "usr/bin" / name, ""); }

    /// The cable is pulled out: its tty, node and by-id links go.
    void Unplug(const std::string& name) {
        std::filesystem::remove(top() / "sys/class/tty" / name);
        std::filesystem::remove(Dev(name));
        for (const auto& entry : std::filesystem::directory_iterator(Dev("serial/by-id"))) {
            if (std::filesystem::read_symlink(entry.path()).filename() == name) {
                std::filesystem::remove(entry.path());
            }
        }
    }

private:
    static std::string Hex(std::uint16_t value) {
        char text[8];
        std::snprintf(text, sizeof text, "%04x", value);
        return text;
    }
    static void WriteOptional(const std::filesystem::path& file, const std::string& text) {
        if (!text.empty()) {
            WriteText(file, text + "\n");
        }
    }
    static void Link(const std::filesystem::path& link, const std::filesystem::path& target) {
        std::filesystem::create_symlink(target, link);
    }
    void AddTty(const std::string& name, const std::filesystem::path& device) {
        const auto tty = device / "tty" / name;
        std::filesystem::create_directories(tty);
        Link(tty / "device", device);
        Link(top() / "sys/class/tty" / name, tty);
    }

    TempDir m_dir;
    int m_usbPorts = 0;
    int m_pnp = 0;
};

}  // namespace radioprog::testing
