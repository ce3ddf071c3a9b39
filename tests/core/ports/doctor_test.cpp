#include "core/ports/doctor.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "../../support/fixture_system.h"
#include "../../support/pseudo_terminal.h"
#include "core/link/serial_port_opener.h"
#include "core/sim/pty_radio.h"

namespace radioprog {
namespace {

using testing::FixtureSystem;
using testing::PseudoTerminal;
using Outcome = CheckOutcome;

const FixtureSystem::Usb kCh340{0x1a86, 0x7523, "", "USB Serial", "", "ch341"};
const FixtureSystem::Usb kPl2303{
    0x067b, 0x2303, "Prolific Technology Inc.", "USB-Serial Controller", "", "pl2303"};
const FixtureSystem::Usb kFtdi{0x0403, 0x6001, "FTDI", "FT232R USB UART", "A10K", "ftdi_sio"};
constexpr const char* kBrlttyRule =
    "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\", GOTO=\"brltty_usb_run\"\n";
constexpr const char* kIgnoreCh340 =
    "ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", ENV{ID_MM_DEVICE_IGNORE}=\"1\", "
    "TAG+=\"uaccess\"\n";

class DoctorTest : public ::testing::Test {
protected:
    DoctorTest() { m_environment = Environment(UserIdentity::Current()); }

    PortEnvironment Environment(UserIdentity user) const {
        PortEnvironment environment = PortEnvironment::Current(m_system.roots());
        environment.user = std::move(user);
        return environment;
    }
    PortReport Examine(const std::string& node, PortOpener* radio = nullptr,
                       Language language = Language::English) const {
        return ExaminePort({m_system.Dev(node).string(), m_system.Dev(node)}, m_environment,
                           language, radio);
    }
    static const DoctorCheck& Check(const PortReport& report, CheckId id) {
        for (const DoctorCheck& check : report.checks) {
            if (check.id == id) {
                return check;
            }
        }
        static const DoctorCheck none{};
        ADD_FAILURE() << "no check " << static_cast<int>(id);
        return none;
    }
    static std::vector<Outcome> Outcomes(const PortReport& report) {
        std::vector<Outcome> outcomes;
        for (const DoctorCheck& check : report.checks) {
            outcomes.push_back(check.outcome);
        }
        return outcomes;
    }
    std::string Dev(const std::string& node) const { return m_system.Dev(node).string(); }
    // A cable whose device node is a real pseudo-terminal.
    void PlugPty(const std::string& node, const FixtureSystem::Usb& usb,
                 const std::filesystem::path& pty) {
        m_system.AddUsbAdapter(node, usb);
        m_system.LinkNode(node, pty);
    }

    FixtureSystem m_system;
    PortEnvironment m_environment;
};

TEST_F(DoctorTest, ACableThatWorksPassesEveryCheckAndTheLineKeepsItsSettings) {
    PseudoTerminal pty;
    PlugPty("ttyUSB0", kCh340, pty.slave());
    const PortReport report = Examine("ttyUSB0");
    EXPECT_TRUE(report.Passed());
    EXPECT_EQ(report.FirstFailure(), nullptr);
    EXPECT_EQ(Outcomes(report), std::vector<Outcome>(6, Outcome::Passed));
    const UserIdentity me = UserIdentity::Current();
    const std::vector<std::string> found = {
        Dev("ttyUSB0") + " exists",
        me.name + " may read and write " + Dev("ttyUSB0"),
        "brltty is not installed",
        "ModemManager is not running; the udev rule 60-radioprog.rules is not installed",
        "no other program has " + Dev("ttyUSB0") + " open",
        "the line takes 9600 8N1",
    };
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(report.checks[i].found, found[i]);
        EXPECT_TRUE(report.checks[i].fix.empty());
    }
    EXPECT_EQ(report.port.name, "ttyUSB0");
    EXPECT_EQ(Check(Examine("ttyUSB0", nullptr, Language::Chinese), CheckId::Line).found,
              "线路接受 9600 8N1");
}

TEST_F(DoctorTest, AMissingDeviceIsNamedForWhatItIsAndNothingElseIsChecked) {
    m_system.AddUsbAdapter("ttyUSB3", kCh340);  // the kernel has it, /dev does not
    m_system.AddById("usb-gone-if00-port0", "ttyUSB9");
    const auto byId = m_system.Dev("serial/by-id/usb-gone-if00-port0");
    const struct {
        const char* what;
        DoctorTarget target;
        std::string found;
        std::string fix;
    } cases[] = {
        {"the kernel knows it",
         {Dev("ttyUSB3"), m_system.Dev("ttyUSB3")},
         "the kernel has ttyUSB3, but " + Dev("ttyUSB3") + " does not exist",
         "container"},
        {"a cable bound by its by-id link",
         {"COM2", byId},
         byId.string() + " does not exist: the cable it names is not plugged in",
         "radioprog-cli ports bind COM2 DEVICE"},
        {"nothing at all",
         {"COM1", m_system.Dev("ttyUSB0")},
         Dev("ttyUSB0") + " does not exist",
         "plug the cable in"},
        {"a name that leads nowhere",
         {"COM7", {}},
         "COM7 leads to no device: only COM1 to COM4 are bound to devices",
         "COM1 to COM4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PortReport report = ExaminePort(c.target, m_environment, Language::English);
        ASSERT_NE(report.FirstFailure(), nullptr);
        EXPECT_EQ(report.FirstFailure()->id, CheckId::Device);
        EXPECT_EQ(report.FirstFailure()->found, c.found);
        EXPECT_NE(report.FirstFailure()->fix.find(c.fix), std::string::npos)
            << report.FirstFailure()->fix;
        std::vector<Outcome> expected(6, Outcome::NotChecked);
        expected[0] = Outcome::Failed;
        EXPECT_EQ(Outcomes(report), expected);
    }
}

TEST_F(DoctorTest, NoPermissionNamesTheGroupToJoinOrToLogInAgainFor) {
    m_system.AddUsbAdapter("ttyUSB1", kPl2303);
    m_system.MakeNode("ttyUSB1", 0660);
    const std::string group = std::to_string(m_system.GiveNodeAGroup("ttyUSB1"));
    UserIdentity tech{::getuid() + 1, "tech", 4242, {4242}};
    const struct {
        const char* what;
        const char* members;
        mode_t mode;
        std::string found;
        std::string fix;
    } cases[] = {
        {"not in the group", "", 0660,
         Dev("ttyUSB1") + " belongs to group dialout, and tech is not in it",
         "sudo usermod -aG dialout tech, then log out and in again; or install the udev rule "
         "60-radioprog.rules, which lets whoever is logged in open the cable"},
        {"joined after logging in", "tech", 0660,
         Dev("ttyUSB1") + " belongs to group dialout; tech is in it, but this login began before "
                          "that",
         "log out and in again"},
        {"the group may not use it either", "tech", 0600,
         Dev("ttyUSB1") + " lets neither tech nor its group dialout read and write it "
                          "(permissions 0600)",
         "install the udev rule 60-radioprog.rules, which lets whoever is logged in open the "
         "cable, or ask the administrator for access to it"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_system.WriteGroups("dialout:x:" + group + ":" + c.members + "\n");
        ::chmod(m_system.Dev("ttyUSB1").c_str(), c.mode);
        m_environment = Environment(tech);
        const PortReport report = Examine("ttyUSB1");
        const DoctorCheck& access = Check(report, CheckId::Access);
        EXPECT_EQ(access.outcome, Outcome::Failed);
        EXPECT_EQ(access.found, c.found);
        EXPECT_EQ(access.fix, c.fix);
        EXPECT_EQ(report.FirstFailure(), &access);
        // The line is not tried by whom it would refuse.
        EXPECT_EQ(Check(report, CheckId::Line).outcome, Outcome::NotChecked);
    }
    const DoctorCheck chinese =
        Check(Examine("ttyUSB1", nullptr, Language::Chinese), CheckId::Access);
    EXPECT_EQ(chinese.fix,
              "请安装 udev 规则 60-radioprog.rules，让已登录的用户可以打开编程线，"
              "或请管理员授予访问权限");
}

TEST_F(DoctorTest, BrlttyFailsOnlyWhenItsRulesClaimTheAdapter) {
    PseudoTerminal ch340;
    PseudoTerminal ftdi;
    PlugPty("ttyUSB0", kCh340, ch340.slave());
    PlugPty("ttyUSB2", kFtdi, ftdi.slave());
    EXPECT_EQ(Check(Examine("ttyUSB0"), CheckId::Brltty).found, "brltty is not installed");

    m_system.AddProgram("brltty");
    m_system.AddRules(2, "85-brltty.rules", std::string("# Device: 1A86:7523\n") + kBrlttyRule);
    const DoctorCheck claimed = Check(Examine("ttyUSB0"), CheckId::Brltty);
    EXPECT_EQ(claimed.outcome, Outcome::Failed);
    EXPECT_EQ(claimed.found,
              "brltty is installed and its rules (" +
                  (m_system.top() / "usr/lib/udev/rules.d/85-brltty.rules").string() +
                  ") claim 1a86:7523: it takes the cable for a braille display");
    EXPECT_EQ(claimed.fix,
              "if nobody here reads a braille display: sudo apt remove brltty, then "
              "unplug the cable and plug it in again");
    const DoctorCheck other = Check(Examine("ttyUSB2"), CheckId::Brltty);
    EXPECT_EQ(other.outcome, Outcome::Passed);
    EXPECT_EQ(other.found, "brltty is installed; its rules leave 0403:6001 alone");

    // A local copy of the rules that leaves the cable out hides the packaged one.
    m_system.AddRules(0, "85-brltty.rules", "# emptied by the administrator\n");
    EXPECT_EQ(Check(Examine("ttyUSB0"), CheckId::Brltty).outcome, Outcome::Passed);
}

TEST_F(DoctorTest, ModemManagerFailsWhenItRunsAndNoRuleKeepsItOffTheAdapter) {
    PseudoTerminal ch340;
    PseudoTerminal prolific;
    PlugPty("ttyUSB0", kCh340, ch340.slave());
    PlugPty("ttyUSB1", kPl2303, prolific.slave());
    m_system.AddProcess(612, "ModemManager");
    m_system.AddRules(0, "60-radioprog.rules", kIgnoreCh340);
    const std::string rule = (m_system.top() / "etc/udev/rules.d/60-radioprog.rules").string();

    const DoctorCheck kept = Check(Examine("ttyUSB0"), CheckId::ModemManager);
    EXPECT_EQ(kept.outcome, Outcome::Passed);
    EXPECT_EQ(kept.found,
              "ModemManager is running, and " + rule + " tells it to leave 1a86:7523 alone");

    const DoctorCheck probed = Check(Examine("ttyUSB1"), CheckId::ModemManager);
    EXPECT_EQ(probed.outcome, Outcome::Failed);
    EXPECT_EQ(probed.found,
              "ModemManager is running and no udev rule tells it to leave 067b:2303 "
              "alone: it may send modem commands down the cable; the udev rule is "
              "installed: " +
                  rule);
    EXPECT_NE(probed.fix.find("sudo systemctl disable --now ModemManager"), std::string::npos);
}

TEST_F(DoctorTest, ABusyPortNamesTheProgramThatHoldsItAndHowToFreeIt) {
    PseudoTerminal pty;
    PlugPty("ttyUSB2", kFtdi, pty.slave());
    const struct {
        const char* program;
        std::string fix;
    } cases[] = {
        {"minicom", "close minicom, or end it: kill 4321"},
        {"ModemManager", "sudo systemctl disable --now ModemManager"},
        {"brltty", "sudo apt remove brltty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        std::filesystem::remove_all(m_system.top() / "proc" / "4321");
        // The kernel shows the file the holder opened by its real path.
        m_system.AddProcess(4321, c.program, {pty.slave()});
        const PortReport report = Examine("ttyUSB2");
        const DoctorCheck& free = Check(report, CheckId::Free);
        EXPECT_EQ(free.outcome, Outcome::Failed);
        EXPECT_EQ(free.found, Dev("ttyUSB2") + " is open in " + c.program + " (pid 4321)");
        EXPECT_NE(free.fix.find(c.fix), std::string::npos) << free.fix;
        EXPECT_EQ(Check(report, CheckId::Line).outcome, Outcome::NotChecked);
    }
}

TEST_F(DoctorTest, APortHeldByThisProgramOrWhereTheProcessTableDoesNotShowIsStillBusy) {
    PseudoTerminal pty;
    PlugPty("ttyUSB0", kCh340, pty.slave());
    std::string error;
    // This very process holds it, as another exchange of the program would.
    const auto transfer = SerialPort::Open(pty.slave(), kTransferProfile, &error);
    ASSERT_NE(transfer, nullptr) << error;
    m_environment.roots.proc = "/proc";
    PortReport report = Examine("ttyUSB0");
    EXPECT_EQ(Check(report, CheckId::Free).found,
              Dev("ttyUSB0") + " is in use by this program, in another exchange with the radio");
    EXPECT_EQ(Check(report, CheckId::Free).fix, "wait until that exchange ends, then try again");
    EXPECT_EQ(Check(report, CheckId::Line).outcome, Outcome::NotChecked);

    // Held by someone the process table does not show: only the line's lock tells.
    m_environment.roots.proc = m_system.top() / "proc";
    report = Examine("ttyUSB0");
    const DoctorCheck& free = Check(report, CheckId::Free);
    EXPECT_EQ(free.outcome, Outcome::Failed);
    EXPECT_EQ(free.found, Dev("ttyUSB0") + " is in use by a program this user cannot see");
    EXPECT_NE(free.fix.find("sudo fuser -v " + Dev("ttyUSB0")), std::string::npos);
}

TEST_F(DoctorTest, ALineThatRefusesTheSettingsIsToldWithTheDriversWords) {
    m_system.AddUsbAdapter("ttyUSB0", kCh340);
    m_system.MakeNode("ttyUSB0", 0666);
    using Result = SerialPort::LineCheck::Result;
    const struct {
        SerialPort::LineCheck line;
        std::string found;
    } cases[] = {
        {{Result::Refused, EINVAL, {}}, "the line refuses 9600 8N1 (Invalid argument)"},
        {{Result::Different, 0, "4800 8N1"}, "the line was given 9600 8N1 but reports 4800 8N1"},
        {{Result::OpenFailed, EIO, {}}, Dev("ttyUSB0") + " cannot be opened (Input/output error)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.found);
        m_environment.checkLine = [&c](const std::filesystem::path&) { return c.line; };
        const DoctorCheck line = Check(Examine("ttyUSB0"), CheckId::Line);
        EXPECT_EQ(line.outcome, Outcome::Failed);
        EXPECT_EQ(line.found, c.found);
        EXPECT_NE(line.fix.find("unplug the cable and plug it in again"), std::string::npos);
    }
    // The real line of a file that is no terminal.
    m_environment.checkLine = SerialPort::CheckLine;
    const DoctorCheck file = Check(Examine("ttyUSB0"), CheckId::Line);
    EXPECT_EQ(file.found,
              Dev("ttyUSB0") + " is not a serial port (Inappropriate ioctl for device)");
}

TEST_F(DoctorTest, TheRadioCheckSendsTheHandshakeAndTellsWhetherARadioAnswered) {
    PtyRadio::Started radio = PtyRadio::Start(RadioSimulator(RadioImage{}), {});
    ASSERT_NE(radio.radio, nullptr) << radio.error;
    PseudoTerminal silent;
    PlugPty("ttyUSB0", kCh340, radio.radio->devicePath());
    PlugPty("ttyUSB1", kCh340, silent.slave());
    SerialPortOpener opener([](int) { return std::string(); });

    const PortReport answered = Examine("ttyUSB0", &opener);
    ASSERT_EQ(answered.checks.size(), 7u);
    EXPECT_EQ(answered.checks[6].found, "the radio answered 06 to the handshake");
    EXPECT_TRUE(answered.Passed());

    const PortReport quiet = Examine("ttyUSB1", &opener);
    EXPECT_EQ(quiet.checks[6].outcome, Outcome::Failed);
    EXPECT_EQ(quiet.checks[6].found, "no answer to the handshake");
    EXPECT_NE(quiet.checks[6].fix.find("switch the radio on"), std::string::npos);
    // The handshake and nothing else went down the line.
    EXPECT_EQ(silent.Receive(9, std::chrono::milliseconds(200)),
              (std::vector<std::uint8_t>{0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x5D}));

    // A port that fails a check is not asked.
    m_system.AddProcess(4321, "minicom", {silent.slave()});
    EXPECT_EQ(Check(Examine("ttyUSB1", &opener), CheckId::Radio).outcome, Outcome::NotChecked);
}

TEST(DoctorTargets, EveryPortOnceAndTheBoundSlotsThatAreNoneOfThem) {
    FixtureSystem system;
    system.AddUsbAdapter("ttyUSB0", kPl2303);
    system.MakeNode("ttyUSB0", 0660);
    system.AddById("usb-Prolific-if00-port0", "ttyUSB0");
    const auto ports = DiscoverPorts(system.roots());
    const auto byId = system.Dev("serial/by-id/usb-Prolific-if00-port0");
    const auto gone = system.Dev("serial/by-id/usb-gone-if00-port0");
    const std::vector<DoctorTarget> slots = {
        {"COM1", byId}, {"COM2", gone}, {"COM3", gone}, {"COM4", system.Dev("ttyUSB0")}};
    const auto targets = MachineTargets(ports, slots);
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0].device, system.Dev("ttyUSB0"));
    EXPECT_EQ(targets[1].portName, "COM2");
    EXPECT_EQ(targets[1].device, gone);

    const PortReport none = NoPortReport(Language::English);
    ASSERT_EQ(none.checks.size(), 1u);
    EXPECT_EQ(none.checks[0].found, "no serial port found");
    EXPECT_FALSE(none.Passed());
    EXPECT_EQ(CheckName(CheckId::Access, Language::Chinese), "权限");
}

}  // namespace
}  // namespace radioprog
