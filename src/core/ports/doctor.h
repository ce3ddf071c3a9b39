#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/link/port_opener.h"
#include "core/link/serial_port.h"
#include "core/ports/port_discovery.h"
#include "core/ports/system_roots.h"
#include "core/ports/user_identity.h"

namespace radioprog {

/// The machine a port is examined on: its folders, the user, and the process that asks (whose
/// own open files are no other program's).
struct PortEnvironment {
    using LineChecker = std::function<SerialPort::LineCheck(const std::filesystem::path&)>;

    SystemRoots roots;
    UserIdentity user;
    int ownPid = 0;
    /// Tries the radio's settings on a line and puts its own back.
    LineChecker checkLine = SerialPort::CheckLine;

    /// This user and this process, on @p roots.
    static PortEnvironment Current(const SystemRoots& roots);
};

/// The checks of a port, in the order they are made.
enum class CheckId { Device, Access, Brltty, ModemManager, Free, Line, Radio };

enum class CheckOutcome { Passed, Failed, NotChecked };

struct DoctorCheck {
    CheckId id = CheckId::Device;
    CheckOutcome outcome = CheckOutcome::NotChecked;
    std::string found;  ///< what was found, in words
    std::string fix;    ///< what to do about it; only when the check failed
};

/// The check's short name: "device", "access", "brltty", ...
std::string CheckName(CheckId id, Language language);

/// A port the doctor is asked about.
struct DoctorTarget {
    std::string portName;          ///< as the user named it: "COM1", "/dev/ttyUSB0"
    std::filesystem::path device;  ///< where it leads; empty for a name that leads nowhere
};

struct PortReport {
    DoctorTarget target;
    DiscoveredPort port;  ///< what the device is
    std::vector<DoctorCheck> checks;

    bool Passed() const;
    /// The first check that failed; null when none did.
    const DoctorCheck* FirstFailure() const;
};

/// Examines a port: the device exists; the user may open it; brltty does not claim the
/// adapter; ModemManager leaves it alone; no other program holds it; the line takes 9600 8N1;
/// and, given @p radio, whether a radio answers the handshake on it (nothing else is read).
/// A check that cannot be made after an earlier one failed is not checked. Looking at the
/// line leaves its settings as they were.
PortReport ExaminePort(const DoctorTarget& target, const PortEnvironment& environment,
                       Language language, PortOpener* radio = nullptr);

/// The ports to examine when none was named: every serial port of the machine, then every
/// device of @p boundSlots that is none of them (a cable bound by its by-id path and not
/// plugged in, say), each once.
std::vector<DoctorTarget> MachineTargets(std::span<const DiscoveredPort> discovered,
                                         std::span<const DoctorTarget> boundSlots);

/// The report when the machine has no serial port at all.
PortReport NoPortReport(Language language);

}  // namespace radioprog
