#include <iostream>
#include <memory>

#include "commands.h"
#include "core/doc/port_map.h"
#include "core/ports/doctor.h"
#include "link_options.h"

namespace radioprog::cli {
namespace {

// Wide enough for the longest mark and check name, with room to spare.
constexpr std::size_t kMarkWidth = 6;
constexpr std::size_t kNameWidth = 14;

struct DoctorOptions {
    LinkOptions link;
    std::optional<std::string> lang;
};

std::string Mark(CheckOutcome outcome, Language language) {
    switch (outcome) {
        case CheckOutcome::Passed:
            return std::string(BilingualText{"ok", "正常"}.In(language));
        case CheckOutcome::Failed:
            return std::string(BilingualText{"FAIL", "失败"}.In(language));
        case CheckOutcome::NotChecked:
            break;
    }
    return "--";
}

std::string Header(const PortReport& report, Language language) {
    const DoctorTarget& target = report.target;
    std::string header;
    if (target.portName != target.device.string()) {
        header += target.portName + ": ";
    }
    if (!target.device.empty() && report.port.device != target.device) {
        header += target.device.string() + " -> ";
    }
    return header + PortLine(report.port, language);
}

void Print(const PortReport& report, Language language) {
    if (!report.target.portName.empty()) {
        std::cout << Header(report, language) << '\n';
    }
    const std::string indent(2 + kMarkWidth + kNameWidth, ' ');
    for (const DoctorCheck& check : report.checks) {
        std::cout << "  " << Padded(Mark(check.outcome, language), kMarkWidth)
                  << Padded(CheckName(check.id, language), kNameWidth) << check.found << '\n';
        if (!check.fix.empty()) {
            std::cout << indent << BilingualText{"fix: ", "解决："}.In(language) << check.fix
                      << '\n';
        }
    }
}

int PrintAll(const std::vector<PortReport>& reports, Language language) {
    bool passed = true;
    for (std::size_t i = 0; i < reports.size(); ++i) {
        std::cout << (i == 0 ? "" : "\n");
        Print(reports[i], language);
        passed = passed && reports[i].Passed();
    }
    std::cout << '\n'
              << (passed ? BilingualText{"Every check passed.", "全部检查通过。"}
                         : BilingualText{"Some checks failed; each says how to fix it.",
                                         "部分检查未通过；每项都说明了解决办法。"})
                     .In(language)
              << '\n';
    return passed ? kExitOk : kExitRefused;
}

std::vector<DoctorTarget> BoundSlots(const UserStore& store) {
    std::vector<DoctorTarget> slots;
    for (int slot = kFirstComSlot; slot <= kLastComSlot; ++slot) {
        if (const auto device = StoredPortDevice(store, slot)) {
            slots.push_back({"COM" + std::to_string(slot), *device});
        }
    }
    return slots;
}

int RunDoctor(const GlobalOptions& global, const DoctorOptions& options) {
    auto context = MakeContext(global, options.lang);
    const Language language = context->language;
    const PortEnvironment environment = PortEnvironment::Current(context->system);
    if (options.link.port.empty()) {
        if (!options.link.trace.empty()) {
            throw UsageError(
                "--trace needs --port: only a port's exchange with the radio is traced");
        }
        std::vector<PortReport> reports;
        for (const DoctorTarget& target :
             MachineTargets(DiscoverPorts(context->system), BoundSlots(context->userStore))) {
            reports.push_back(ExaminePort(target, environment, language));
        }
        if (reports.empty()) {
            reports.push_back(NoPortReport(language));
        }
        return PrintAll(reports, language);
    }
    auto session = StartSession(options.link, *context);
    PortOpener& opener = session->opener();
    const std::string& portName = context->link.portName;
    const PortReport report =
        ExaminePort({portName, opener.DeviceFor(portName)}, environment, language, &opener);
    return session->Finish(PrintAll({report}, language));
}

}  // namespace

Subcommand AddDoctorCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<DoctorOptions>();
    CLI::App* sub = app.add_subcommand(
        "doctor", "Check the serial ports, or one port and whether a radio answers on it");
    sub->add_option("--port", options->link.port,
                    "COM1-COM4, a device such as /dev/ttyUSB0, or \"demo\": check this port and "
                    "send the radio the handshake (nothing else is read)");
    AddTraceOption(*sub, options->link);
    sub->add_option("--lang", options->lang, "Language of the texts: en or zh")
        ->check(CLI::IsMember({"en", "zh"}));
    return {sub, [&global, options] { return RunDoctor(global, *options); }};
}

}  // namespace radioprog::cli
