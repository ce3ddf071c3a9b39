#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "core/link/radio_port.h"

namespace radioprog {

/// A serial device opened for the radio: raw 8N1 at 9600 baud without flow control, held
/// exclusively, with reads and writes bounded by a time-out profile.
class SerialPort final : public RadioPort {
public:
    /// Opens @p device for reading and writing and configures the line. The device is held
    /// exclusively: a second open, by this or another process, fails as busy until this port
    /// is destroyed. A line that another program holds, with a lock or with the exclusive-access
    /// flag alone, is refused as in use, also for root.
    /// @param error when given, set to the reason on failure ("no such device: /dev/ttyUSB0").
    /// @return the open port, or null on failure.
    static std::unique_ptr<SerialPort> Open(const std::filesystem::path& device,
                                            const TimeoutProfile& profile, std::string* error);

    /// Whether Open would succeed on @p device right now: it exists, is a terminal and nobody
    /// holds it. The device is let go at once, with its line settings as they were found, so
    /// that asking disturbs no program that uses the line.
    static bool CanOpen(const std::filesystem::path& device);

    /// What a line makes of the radio's settings.
    struct LineCheck {
        enum class Result {
            Accepted,     ///< the driver reports 9600 8N1 back
            OpenFailed,   ///< the device could not be opened; `error` says why
            NotTerminal,  ///< the device is no terminal at all
            Busy,         ///< another holder has the line locked
            Refused,      ///< the driver refused the settings; `error` says why
            Different,    ///< the driver took them but reports `settings` back
        };
        Result result = Result::OpenFailed;
        int error = 0;         ///< errno of the failed call
        std::string settings;  ///< what the driver reports: "4800 7E2"
    };

    /// Applies the radio's settings to @p device as Open does and reads them back from the
    /// driver. The line is held exclusively while it is asked and gets its own settings back
    /// before it is let go, so a check leaves the line as it was.
    static LineCheck CheckLine(const std::filesystem::path& device);

    /// Gives up the exclusive hold and closes the device.
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    /// Returns as soon as @p count bytes are in, or when the profile's total time-out (counted
    /// from the call) or interval time-out (counted from the last byte received) runs out, or
    /// at once with what has come when the other side has hung up. A zero interval or a zero
    /// total (constant and multiplier both zero) is not used.
    ReadResult Read(std::size_t count) override;
    /// Hands all of @p bytes to the driver within the profile's write time-out (zero: no
    /// limit). Does not wait for them to leave the wire.
    bool Write(std::span<const std::uint8_t> bytes) override;
    /// Drops received input only; written bytes still queued for output are kept.
    void PurgeInput() override;
    void Sleep(Milliseconds duration) override;

    const std::filesystem::path& device() const { return m_device; }
    const TimeoutProfile& profile() const { return m_profile; }

private:
    SerialPort(int fd, std::filesystem::path device, const TimeoutProfile& profile);

    int m_fd;
    std::filesystem::path m_device;
    TimeoutProfile m_profile;
};

/// Why @p device could not be opened, from the errno of the failed call, in words a Linux user
/// can act on: "no such device: ...", "permission denied: ... belongs to group dialout; ...",
/// "... is in use by another program", "... is not a serial port", or the system's text.
std::string DescribeOpenError(const std::filesystem::path& device, int errnoValue);

}  // namespace radioprog
