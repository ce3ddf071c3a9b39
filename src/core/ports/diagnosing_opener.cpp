#include "core/ports/diagnosing_opener.h"

#include "core/ports/fill_text.h"

namespace radioprog {

std::string ExplainOpenFailure(const std::string& portName, const std::filesystem::path& device,
                               const std::string& fallback, const PortEnvironment& environment,
                               Language language) {
    std::string explanation = fallback;
    if (!device.empty()) {
        const PortReport report = ExaminePort({portName, device}, environment, language);
        if (const DoctorCheck* failed = report.FirstFailure()) {
            const std::string finding =
                failed->found + std::string(BilingualText{". To fix: ", "。解决："}.In(language)) +
                failed->fix;
            explanation = portName == device.string() ? finding : portName + ": " + finding;
        }
    }
    return explanation + "\n" +
           FillText({"For a full check run: radioprog-cli doctor --port {}",
                     "完整检查请运行：radioprog-cli doctor --port {}"},
                    language, {portName});
}

DiagnosingPortOpener::DiagnosingPortOpener(PortOpener& inner, const SystemRoots& roots,
                                           const Language& language)
    : m_inner(inner), m_roots(roots), m_language(language) {}

PortOpener::Opened DiagnosingPortOpener::Open(const std::string& portName,
                                              const TimeoutProfile& profile) {
    Opened opened = m_inner.Open(portName, profile);
    if (!opened.port) {
        opened.error = ExplainOpenFailure(portName, m_inner.DeviceFor(portName), opened.error,
                                          PortEnvironment::Current(m_roots), m_language);
    }
    return opened;
}

bool DiagnosingPortOpener::CanOpen(const std::string& portName) {
    return m_inner.CanOpen(portName);
}

std::string DiagnosingPortOpener::DeviceFor(const std::string& portName) const {
    return m_inner.DeviceFor(portName);
}

namespace {

std::unique_ptr<TracingPortOpener> TraceInto(PortOpener& base, SerialTrace* trace) {
    return trace == nullptr ? nullptr : std::make_unique<TracingPortOpener>(base, *trace);
}

}  // namespace

ExplainedOpener::ExplainedOpener(PortOpener& base, SerialTrace* trace, const SystemRoots& roots,
                                 const Language& language)
    : m_tracing(TraceInto(base, trace)),
      m_diagnosing(m_tracing ? static_cast<PortOpener&>(*m_tracing) : base, roots, language) {}

}  // namespace radioprog
