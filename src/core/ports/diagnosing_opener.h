#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/base/language.h"
#include "core/link/port_opener.h"
#include "core/link/serial_trace.h"
#include "core/ports/doctor.h"

namespace radioprog {

/// Why @p portName (leading to @p device) could not be opened, as the doctor finds it: the
/// finding and the fix of the first check that fails ("COM1: /dev/ttyUSB0 is open in minicom
/// (pid 4321). To fix: close minicom, or end it: kill 4321"), then a line that points to
/// `radioprog-cli doctor`. @p fallback, the opener's own words, when no check fails.
std::string ExplainOpenFailure(const std::string& portName, const std::filesystem::path& device,
                               const std::string& fallback, const PortEnvironment& environment,
                               Language language);

/// Opens through another opener; when an open fails, its error is the doctor's explanation.
class DiagnosingPortOpener final : public PortOpener {
public:
    /// @p roots and @p language are read at each failure; both must outlive the opener.
    DiagnosingPortOpener(PortOpener& inner, const SystemRoots& roots, const Language& language);

    Opened Open(const std::string& portName, const TimeoutProfile& profile) override;
    bool CanOpen(const std::string& portName) override;
    std::string DeviceFor(const std::string& portName) const override;

private:
    PortOpener& m_inner;
    const SystemRoots& m_roots;
    const Language& m_language;
};

/// How the programs open the radio's port: through @p base, every line traced into @p trace
/// when one is given, and a failed open explained by the doctor.
class ExplainedOpener {
public:
    /// @p base, @p trace, @p roots and @p language must outlive this.
    ExplainedOpener(PortOpener& base, SerialTrace* trace, const SystemRoots& roots,
                    const Language& language);

    PortOpener& opener() { return m_diagnosing; }

private:
    std::unique_ptr<TracingPortOpener> m_tracing;
    DiagnosingPortOpener m_diagnosing;
};

}  // namespace radioprog
