#include "core/ports/doctor.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iterator>
#include <optional>
#include <system_error>

#include "core/link/connection.h"
#include "core/link/port_names.h"
#include "core/link/serial_port.h"
#include "core/ports/fill_text.h"
#include "core/ports/port_access.h"
#include "core/ports/process_table.h"
#include "core/ports/udev_rules.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;
using LineResult = SerialPort::LineCheck::Result;

constexpr std::string_view kModemManager = "ModemManager";
constexpr std::string_view kBrltty = "brltty";
constexpr std::string_view kIgnoreAssignment = "ENV{ID_MM_DEVICE_IGNORE}=\"1\"";

DoctorCheck Pass(CheckId id, std::string found) {
    return {id, CheckOutcome::Passed, std::move(found), {}};
}

DoctorCheck Fail(CheckId id, std::string found, std::string fix) {
    return {id, CheckOutcome::Failed, std::move(found), std::move(fix)};
}

DoctorCheck NotChecked(CheckId id, Language language) {
    return {id,
            CheckOutcome::NotChecked,
            std::string(BilingualText{"not checked", "未检查"}.In(language)),
            {}};
}

std::string SystemText(int errnoValue) {
    return std::error_code(errnoValue, std::generic_category()).message();
}

std::string Octal(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// Everything the checks are made from, gathered once.
struct Facts {
    bool exists = false;
    std::optional<AccessVerdict> access;
    std::vector<fs::path> rules;
    std::vector<DeviceHolder> holders;  ///< other programs
    bool heldHere = false;              ///< by this very process, in another exchange
    std::optional<SerialPort::LineCheck> line;

    bool Busy() const {
        return !holders.empty() || heldHere ||
               (line && (line->result == LineResult::Busy ||
                         (line->result == LineResult::OpenFailed && line->error == EBUSY)));
    }
};

DoctorCheck CheckDevice(const DoctorTarget& target, const DiscoveredPort& port, const Facts& facts,
                        const SystemRoots& roots, Language language) {
    const std::string device = target.device.string();
    if (target.device.empty()) {
        return Fail(CheckId::Device,
                    FillText({"{} leads to no device: only COM1 to COM4 are bound to devices",
                              "{} 不对应任何设备：只有 COM1 到 COM4 绑定了设备"},
                             language, {target.portName}),
                    FillText({"name COM1 to COM4, or a device such as /dev/ttyUSB0",
                              "请指定 COM1 到 COM4，或 /dev/ttyUSB0 之类的设备"},
                             language));
    }
    if (facts.exists) {
        if (port.device != target.device) {
            return Pass(CheckId::Device,
                        FillText({"{} leads to {}, which exists", "{} 指向 {}，该设备存在"},
                                 language, {device, port.device.string()}));
        }
        return Pass(CheckId::Device, FillText({"{} exists", "{} 存在"}, language, {device}));
    }
    if (!port.name.empty()) {
        return Fail(
            CheckId::Device,
            FillText({"the kernel has {}, but {} does not exist", "内核中有 {}，但 {} 不存在"},
                     language, {port.name, device}),
            FillText({"the device node is missing: udev did not make it, or this is a "
                      "container without the computer's devices; run the program where "
                      "the cable is plugged in",
                      "缺少设备节点：udev 没有创建它，或者这是一个没有本机设备的容器；"
                      "请在插着编程线的系统中运行本程序"},
                     language));
    }
    if (target.device.parent_path() == roots.dev / "serial" / "by-id") {
        return Fail(CheckId::Device,
                    FillText({"{} does not exist: the cable it names is not plugged in",
                              "{} 不存在：它所指的编程线没有插上"},
                             language, {device}),
                    FillText({"plug that cable in; for another cable see radioprog-cli ports and "
                              "bind it: radioprog-cli ports bind {} DEVICE",
                              "请插上这根编程线；若换了编程线，请用 radioprog-cli ports 查看，并用 "
                              "radioprog-cli ports bind {} 设备 绑定"},
                             language, {target.portName}));
    }
    // A COM name is what the user binds; a device named directly would go to COM1.
    const std::string slot = ComSlot(target.portName) ? target.portName : "COM1";
    return Fail(CheckId::Device, FillText({"{} does not exist", "{} 不存在"}, language, {device}),
                FillText({"plug the cable in; radioprog-cli ports lists the serial ports this "
                          "computer has, and radioprog-cli ports bind {} DEVICE binds one",
                          "请插上编程线；radioprog-cli ports 列出本机的串口，radioprog-cli ports "
                          "bind {} 设备 可绑定其中之一"},
                         language, {slot}));
}

DoctorCheck CheckAccessOf(const fs::path& device, const AccessVerdict& access,
                          const UserIdentity& user, Language language) {
    const std::string path = device.string();
    if (access.allowed) {
        return Pass(CheckId::Access, FillText({"{} may read and write {}", "{} 可以读写 {}"},
                                              language, {user.name, path}));
    }
    const std::string& group = access.groupName;
    if (access.groupGrants && access.accountHasGroup) {
        return Fail(CheckId::Access,
                    FillText({"{} belongs to group {}; {} is in it, but this login began before "
                              "that",
                              "{} 属于 {} 组；{} 已在该组中，但本次登录早于加入该组"},
                             language, {path, group, user.name}),
                    FillText({"log out and in again", "请注销后重新登录"}, language));
    }
    if (access.groupGrants && access.owner.gid != 0) {
        return Fail(CheckId::Access,
                    FillText({"{} belongs to group {}, and {} is not in it",
                              "{} 属于 {} 组，而 {} 不在该组中"},
                             language, {path, group, user.name}),
                    FillText({"sudo usermod -aG {} {}, then log out and in again; or install the "
                              "udev rule 60-radioprog.rules, which lets whoever is logged in open "
                              "the cable",
                              "执行 sudo usermod -aG {} {}，然后注销并重新登录；或者安装 udev 规则 "
                              "60-radioprog.rules，让已登录的用户可以打开编程线"},
                             language, {group, user.name}));
    }
    return Fail(CheckId::Access,
                FillText({"{} lets neither {} nor its group {} read and write it (permissions {})",
                          "{} 既不允许 {} 也不允许其所属的 {} 组读写（权限 {}）"},
                         language, {path, user.name, group, Octal(access.owner.mode)}),
                FillText({"install the udev rule 60-radioprog.rules, which lets whoever is logged "
                          "in open the cable, or ask the administrator for access to it",
                          "请安装 udev 规则 60-radioprog.rules，让已登录的用户可以打开编程线，"
                          "或请管理员授予访问权限"},
                         language));
}

bool BrlttyInstalled(const std::vector<fs::path>& rules, const SystemRoots& roots) {
    const bool ruled = std::any_of(rules.begin(), rules.end(), [](const fs::path& file) {
        return file.filename().string().find(kBrltty) != std::string::npos;
    });
    return ruled ||
           std::any_of(roots.programs.begin(), roots.programs.end(), [](const fs::path& folder) {
               std::error_code error;
               return fs::exists(folder / kBrltty, error);
           });
}

std::string BrlttyFix(Language language) {
    return FillText(
        {"if nobody here reads a braille display: sudo apt remove brltty, then unplug "
         "the cable and plug it in again",
         "如果这里没有人使用盲文显示器：执行 sudo apt remove brltty，然后拔下编程线再插上"},
        language);
}

DoctorCheck CheckBrltty(const DiscoveredPort& port, const std::vector<fs::path>& rules,
                        const SystemRoots& roots, Language language) {
    if (!port.usb) {
        return Pass(CheckId::Brltty, FillText({"not a USB adapter", "不是 USB 转换器"}, language));
    }
    if (!BrlttyInstalled(rules, roots)) {
        return Pass(CheckId::Brltty,
                    FillText({"brltty is not installed", "未安装 brltty"}, language));
    }
    const std::string id = UsbIdText(port.usb->id);
    std::vector<fs::path> brlttyRules;
    std::copy_if(
        rules.begin(), rules.end(), std::back_inserter(brlttyRules),
        [](const fs::path& f) { return f.filename().string().find(kBrltty) != std::string::npos; });
    if (const auto rule = FindRuleFor(brlttyRules, port.usb->id)) {
        return Fail(CheckId::Brltty,
                    FillText({"brltty is installed and its rules ({}) claim {}: it takes the cable "
                              "for a braille display",
                              "已安装 brltty，其规则（{}）认领 {}：它把编程线当作盲文显示器"},
                             language, {rule->string(), id}),
                    BrlttyFix(language));
    }
    return Pass(CheckId::Brltty, FillText({"brltty is installed; its rules leave {} alone",
                                           "已安装 brltty；其规则不涉及 {}"},
                                          language, {id}));
}

std::string OwnRuleState(const std::vector<fs::path>& rules, Language language) {
    const auto own = std::find_if(rules.begin(), rules.end(), [](const fs::path& file) {
        return file.filename() == kRadioprogRules;
    });
    if (own == rules.end()) {
        return FillText({"the udev rule {} is not installed", "未安装 udev 规则 {}"}, language,
                        {kRadioprogRules});
    }
    return FillText({"the udev rule is installed: {}", "已安装 udev 规则：{}"}, language,
                    {own->string()});
}

std::string ModemManagerFix(Language language) {
    return FillText(
        {"install the udev rule 60-radioprog.rules into /etc/udev/rules.d, run sudo "
         "udevadm control --reload and plug the cable in again; or stop ModemManager: "
         "sudo systemctl disable --now ModemManager",
         "请把 udev 规则 60-radioprog.rules 安装到 /etc/udev/rules.d，执行 sudo udevadm "
         "control --reload 并重新插上编程线；或停止 ModemManager：sudo systemctl "
         "disable --now ModemManager"},
        language);
}

DoctorCheck CheckModemManager(const DiscoveredPort& port, const std::vector<fs::path>& rules,
                              const SystemRoots& roots, Language language) {
    const std::string ownRule = OwnRuleState(rules, language);
    if (!IsRunning(kModemManager, roots)) {
        return Pass(CheckId::ModemManager,
                    FillText({"ModemManager is not running; {}", "ModemManager 未运行；{}"},
                             language, {ownRule}));
    }
    if (!port.usb) {
        return Pass(CheckId::ModemManager,
                    FillText({"ModemManager is running; it does not probe this kind of port; {}",
                              "ModemManager 正在运行；它不探测这类串口；{}"},
                             language, {ownRule}));
    }
    const std::string id = UsbIdText(port.usb->id);
    if (const auto rule = FindRuleFor(rules, port.usb->id, kIgnoreAssignment)) {
        return Pass(CheckId::ModemManager,
                    FillText({"ModemManager is running, and {} tells it to leave {} alone",
                              "ModemManager 正在运行，而 {} 让它不碰 {}"},
                             language, {rule->string(), id}));
    }
    return Fail(CheckId::ModemManager,
                FillText({"ModemManager is running and no udev rule tells it to leave {} alone: it "
                          "may send modem commands down the cable; {}",
                          "ModemManager 正在运行，且没有 udev 规则让它不碰 {}：它可能向编程线发送"
                          "调制解调器命令；{}"},
                         language, {id, ownRule}),
                ModemManagerFix(language));
}

std::string HolderList(const std::vector<DeviceHolder>& holders) {
    std::string list;
    for (const DeviceHolder& holder : holders) {
        list += (list.empty() ? "" : ", ") + holder.program + " (pid " +
                std::to_string(holder.pid) + ")";
    }
    return list;
}

std::string HolderFix(const DeviceHolder& holder, Language language) {
    if (holder.program == kModemManager) {
        return ModemManagerFix(language);
    }
    if (holder.program == kBrltty) {
        return BrlttyFix(language);
    }
    return FillText({"close {}, or end it: kill {}", "请关闭 {}，或结束它：kill {}"}, language,
                    {holder.program, std::to_string(holder.pid)});
}

DoctorCheck CheckFree(const fs::path& device, const Facts& facts, Language language) {
    const std::string path = device.string();
    if (!facts.holders.empty()) {
        return Fail(CheckId::Free,
                    FillText({"{} is open in {}", "{} 已被 {} 打开"}, language,
                             {path, HolderList(facts.holders)}),
                    HolderFix(facts.holders.front(), language));
    }
    if (facts.heldHere) {
        return Fail(
            CheckId::Free,
            FillText({"{} is in use by this program, in another exchange with the radio",
                      "{} 正被本程序的另一次对讲机通信占用"},
                     language, {path}),
            FillText({"wait until that exchange ends, then try again", "请等那次通信结束后再试"},
                     language));
    }
    if (facts.Busy()) {
        return Fail(CheckId::Free,
                    FillText({"{} is in use by a program this user cannot see",
                              "{} 正被一个本用户看不到的程序占用"},
                             language, {path}),
                    FillText({"close the other program that uses the cable (a terminal program, "
                              "another radio program); sudo fuser -v {} names it",
                              "请关闭使用编程线的其他程序（终端程序、其他写频软件）；sudo fuser -v "
                              "{} 可查出是哪个程序"},
                             language, {path}));
    }
    if (!facts.line) {
        return NotChecked(CheckId::Free, language);
    }
    return Pass(CheckId::Free, FillText({"no other program has {} open", "没有其他程序打开 {}"},
                                        language, {path}));
}

std::string ReplugFix(Language language) {
    return FillText({"unplug the cable and plug it in again; if that does not help, the adapter "
                     "or its driver is faulty: try another cable",
                     "请拔下编程线再插上；如果无效，说明转换器或其驱动有问题：请换一根编程线"},
                    language);
}

DoctorCheck CheckLineSettings(const fs::path& device, const SerialPort::LineCheck& line,
                              Language language) {
    const std::string path = device.string();
    switch (line.result) {
        case LineResult::Accepted:
            return Pass(CheckId::Line,
                        FillText({"the line takes 9600 8N1", "线路接受 9600 8N1"}, language));
        case LineResult::NotTerminal:
            return Fail(CheckId::Line,
                        FillText({"{} is not a serial port ({})", "{} 不是串口（{}）"}, language,
                                 {path, SystemText(line.error)}),
                        FillText({"choose the cable's device: radioprog-cli ports lists them",
                                  "请选择编程线的设备：radioprog-cli ports 会列出它们"},
                                 language));
        case LineResult::Refused:
            return Fail(CheckId::Line,
                        FillText({"the line refuses 9600 8N1 ({})", "线路拒绝 9600 8N1（{}）"},
                                 language, {SystemText(line.error)}),
                        ReplugFix(language));
        case LineResult::Different:
            return Fail(CheckId::Line,
                        FillText({"the line was given 9600 8N1 but reports {}",
                                  "线路已设为 9600 8N1，但报告为 {}"},
                                 language, {line.settings}),
                        ReplugFix(language));
        case LineResult::OpenFailed:
        case LineResult::Busy:
            break;
    }
    return Fail(CheckId::Line,
                FillText({"{} cannot be opened ({})", "无法打开 {}（{}）"}, language,
                         {path, SystemText(line.error)}),
                ReplugFix(language));
}

DoctorCheck CheckRadio(PortOpener& opener, const std::string& portName, Language language) {
    PortOpener::Opened opened = opener.Open(portName, kTransferProfile);
    if (!opened.port) {
        return Fail(CheckId::Radio,
                    FillText({"{} could not be opened: {}", "无法打开 {}：{}"}, language,
                             {portName, opened.error}),
                    ReplugFix(language));
    }
    SendHandshake(*opened.port);
    const RadioPort::ReadResult answer = opened.port->Read(1);
    if (answer.bytes.empty()) {
        return Fail(
            CheckId::Radio, FillText({"no answer to the handshake", "握手没有回应"}, language),
            FillText({"switch the radio on, push the cable fully into the radio's socket "
                      "and try again; a cable that works but gets no answer may be wired "
                      "for another radio",
                      "请打开对讲机电源，把编程线完全插入对讲机插孔后重试；编程线正常却无回应，"
                      "可能是为其他型号对讲机接线的"},
                     language));
    }
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", answer.bytes[0]);
    return Pass(CheckId::Radio,
                FillText({"the radio answered {} to the handshake", "对讲机对握手回应了 {}"},
                         language, {hex}));
}

Facts Gather(const fs::path& device, const PortEnvironment& environment) {
    Facts facts;
    std::error_code error;
    facts.exists = fs::exists(device, error);
    if (!facts.exists) {
        return facts;
    }
    facts.access = CheckAccess(device, environment.user, environment.roots);
    facts.rules = RuleFiles(environment.roots);
    for (DeviceHolder& holder : FindHolders(device, environment.roots)) {
        if (holder.pid == environment.ownPid) {
            facts.heldHere = true;
        } else {
            facts.holders.push_back(std::move(holder));
        }
    }
    if (facts.access && facts.access->allowed && !facts.Busy()) {
        facts.line = environment.checkLine(device);
    }
    return facts;
}

}  // namespace

PortEnvironment PortEnvironment::Current(const SystemRoots& roots) {
    return {roots, UserIdentity::Current(), static_cast<int>(::getpid()), SerialPort::CheckLine};
}

std::string CheckName(CheckId id, Language language) {
    switch (id) {
        case CheckId::Device:
            return std::string(BilingualText{"device", "设备"}.In(language));
        case CheckId::Access:
            return std::string(BilingualText{"access", "权限"}.In(language));
        case CheckId::Brltty:
            return "brltty";
        case CheckId::ModemManager:
            return "ModemManager";
        case CheckId::Free:
            return std::string(BilingualText{"free", "占用"}.In(language));
        case CheckId::Line:
            return std::string(BilingualText{"line", "线路"}.In(language));
        case CheckId::Radio:
            return std::string(BilingualText{"radio", "对讲机"}.In(language));
    }
    return {};
}

bool PortReport::Passed() const {
    return FirstFailure() == nullptr;
}

const DoctorCheck* PortReport::FirstFailure() const {
    const auto failed = std::find_if(checks.begin(), checks.end(), [](const DoctorCheck& check) {
        return check.outcome == CheckOutcome::Failed;
    });
    return failed == checks.end() ? nullptr : &*failed;
}

PortReport ExaminePort(const DoctorTarget& target, const PortEnvironment& environment,
                       Language language, PortOpener* radio) {
    PortReport report;
    report.target = target;
    const std::vector<DiscoveredPort> discovered = DiscoverPorts(environment.roots);
    report.port = IdentifyDevice(target.device, discovered, environment.roots);
    const Facts facts = target.device.empty() ? Facts{} : Gather(target.device, environment);
    auto& checks = report.checks;
    checks.push_back(CheckDevice(target, report.port, facts, environment.roots, language));
    const auto notChecked = [&](std::initializer_list<CheckId> ids) {
        for (const CheckId id : ids) {
            checks.push_back(NotChecked(id, language));
        }
    };
    if (!facts.exists) {
        notChecked({CheckId::Access, CheckId::Brltty, CheckId::ModemManager, CheckId::Free,
                    CheckId::Line});
        if (radio != nullptr) {
            notChecked({CheckId::Radio});
        }
        return report;
    }
    if (facts.access) {
        checks.push_back(CheckAccessOf(target.device, *facts.access, environment.user, language));
    } else {
        notChecked({CheckId::Access});
    }
    checks.push_back(CheckBrltty(report.port, facts.rules, environment.roots, language));
    checks.push_back(CheckModemManager(report.port, facts.rules, environment.roots, language));
    checks.push_back(CheckFree(target.device, facts, language));
    const bool lineUsable = facts.line && !facts.Busy();
    if (lineUsable) {
        checks.push_back(CheckLineSettings(target.device, *facts.line, language));
    } else {
        notChecked({CheckId::Line});
    }
    if (radio != nullptr) {
        if (report.Passed()) {
            checks.push_back(CheckRadio(*radio, target.portName, language));
        } else {
            notChecked({CheckId::Radio});
        }
    }
    return report;
}

std::vector<DoctorTarget> MachineTargets(std::span<const DiscoveredPort> discovered,
                                         std::span<const DoctorTarget> boundSlots) {
    std::vector<DoctorTarget> targets;
    for (const DiscoveredPort& port : discovered) {
        targets.push_back({port.device.string(), port.device});
    }
    for (const DoctorTarget& slot : boundSlots) {
        const bool known =
            std::any_of(discovered.begin(), discovered.end(),
                        [&](const DiscoveredPort& port) { return LeadsTo(slot.device, port); }) ||
            std::any_of(targets.begin(), targets.end(),
                        [&](const DoctorTarget& target) { return slot.device == target.device; });
        if (!slot.device.empty() && !known) {
            targets.push_back(slot);
        }
    }
    return targets;
}

PortReport NoPortReport(Language language) {
    PortReport report;
    report.checks.push_back(Fail(
        CheckId::Device, FillText({"no serial port found", "未找到串口"}, language),
        FillText({"plug the cable in: a USB cable shows as /dev/ttyUSB0 or /dev/ttyACM0, and "
                  "radioprog-cli ports lists it",
                  "请插上编程线：USB 编程线会显示为 /dev/ttyUSB0 或 /dev/ttyACM0，radioprog-cli "
                  "ports 会列出它"},
                 language)));
    return report;
}

}  // namespace radioprog
