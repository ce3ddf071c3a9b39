// ports, ports bind/unbind, doctor and --trace, run as a user runs them, on a fixture machine.
#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../support/fixture_system.h"
#include "../support/process.h"
#include "../support/pseudo_terminal.h"
#include "../support/temp_dir.h"
#include "core/link/serial_port.h"

namespace radioprog {
namespace {

using testing::FixtureSystem;
using testing::ProcessResult;
using testing::PseudoTerminal;
using testing::RunProcess;
using testing::TempDir;

constexpr const char* kProlificById =
    "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A desk with the cable on a pseudo-terminal, a second cable in minicom's hands, a built-in port
// whose node is missing, and brltty installed with a claim on CH340 cables.
class CliPortsTest : public ::testing::Test {
protected:
    CliPortsTest() {
        m_system.AddUsbAdapter("ttyUSB0", {0x067b, 0x2303, "Prolific Technology Inc.",
                                           "USB-Serial Controller", "", "pl2303"});
        m_system.LinkNode("ttyUSB0", m_cable.slave());
        m_system.AddById(kProlificById, "ttyUSB0");
        m_system.AddUsbAdapter("ttyUSB1", {0x1a86, 0x7523, "", "USB Serial", "", "ch341"});
        m_system.LinkNode("ttyUSB1", m_held.slave());
        m_system.AddProcess(4321, "minicom", {m_held.slave()});
        m_system.AddBuiltInPort("ttyS0");
        m_system.AddProgram("brltty");
        m_system.AddRules(2, "85-brltty.rules",
                          "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\"\n");
    }
    ProcessResult Cli(std::vector<std::string> args, bool fixture = true) {
        std::vector<std::string> global = {"--appdir", m_dir.path().string()};
        if (fixture) {
            global.insert(global.end(), {"--system-root", m_system.top().string()});
        }
        args.insert(args.begin(), global.begin(), global.end());
        return RunProcess(RADIOPROG_CLI, args,
                          {"XDG_CONFIG_HOME=" + (m_dir / "config").string(),
                           "XDG_DATA_HOME=" + (m_dir / "data").string()});
    }
    std::string Dev(const std::string& name) const { return m_system.Dev(name).string(); }
    std::string ById() const { return Dev("serial/by-id/" + std::string(kProlificById)); }

    TempDir m_dir;
    FixtureSystem m_system;
    PseudoTerminal m_cable;
    PseudoTerminal m_held;
};

TEST_F(CliPortsTest, PortsNamesEveryPortWhatItIsItsSlotAndWhetherItOpens) {
    const ProcessResult result = Cli({"ports"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string expected =
        Dev("ttyS0") + " · built-in serial port (serial)\n" +
        "    driver: serial\n"
        "    cannot be opened now: the kernel has ttyS0, but " +
        Dev("ttyS0") + " does not exist\n" + Dev("ttyUSB0") + " · Prolific PL2303 (067b:2303)\n" +
        "    by-id:  " + ById() + "\n" +
        "    driver: pl2303\n"
        "    can be opened now\n" +
        Dev("ttyUSB1") + " · QinHeng CH340 (1a86:7523)\n" +
        "    driver: ch341\n"
        "    cannot be opened now: brltty is installed and its rules (" +
        (m_system.top() / "usr/lib/udev/rules.d/85-brltty.rules").string() +
        ") claim 1a86:7523: it takes the cable for a braille display\n"
        "\n"
        "COM1  /dev/ttyUSB0 (default)\n"
        "COM2  /dev/ttyUSB1 (default)\n"
        "COM3  /dev/ttyACM0 (default)\n"
        "COM4  /dev/ttyS0 (default)\n";
    EXPECT_EQ(result.out, expected);

    const auto json = nlohmann::json::parse(Cli({"ports", "--json", "--lang", "zh"}).out);
    ASSERT_EQ(json["ports"].size(), 3u);
    const auto& prolific = json["ports"][1];
    EXPECT_EQ(prolific["device"], Dev("ttyUSB0"));
    EXPECT_EQ(prolific["name"], "ttyUSB0");
    EXPECT_EQ(prolific["byId"], ById());
    EXPECT_EQ(prolific["driver"], "pl2303");
    EXPECT_EQ(prolific["usb"]["vendorId"], "067b");
    EXPECT_EQ(prolific["usb"]["productId"], "2303");
    EXPECT_EQ(prolific["usb"]["manufacturer"], "Prolific Technology Inc.");
    EXPECT_EQ(prolific["openable"], true);
    EXPECT_TRUE(prolific["reason"].is_null());
    EXPECT_EQ(json["ports"][0]["description"], "内置串口 (serial)");
    EXPECT_TRUE(json["ports"][0]["usb"].is_null());
    EXPECT_EQ(json["ports"][2]["openable"], false);
    EXPECT_EQ(json["slots"][3],
              (nlohmann::json{{"slot", "COM4"}, {"device", "/dev/ttyS0"}, {"bound", false}}));
}

TEST_F(CliPortsTest, BindStoresTheByIdLinkAndUnbindGivesTheDefaultBack) {
    ProcessResult result = Cli({"ports", "bind", "COM2", "ttyUSB0"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "COM2  " + ById() + " -> " + Dev("ttyUSB0") + " · Prolific PL2303 (067b:2303)\n");
    auto json = nlohmann::json::parse(Cli({"ports", "--json"}).out);
    EXPECT_EQ(json["ports"][1]["slots"], nlohmann::json::array({"COM2"}));
    EXPECT_EQ(json["slots"][1],
              (nlohmann::json{{"slot", "COM2"}, {"device", ById()}, {"bound", true}}));
    EXPECT_TRUE(Contains(testing::ReadText(m_dir / "config/radioprog/user.ini"), "COM2=" + ById()));

    // A device that is not there is bound, with a word about it.
    result = Cli({"ports", "bind", "com3", Dev("ttyACM4")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err,
              "Note: " + Dev("ttyACM4") + " does not exist now; the slot is bound all the same.\n");

    result = Cli({"ports", "unbind", "COM2"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "COM2  /dev/ttyUSB1\n");
    json = nlohmann::json::parse(Cli({"ports", "--json"}).out);
    EXPECT_EQ(json["slots"][1]["bound"], false);

    for (const char* slot : {"COM5", "COM0", "ttyUSB0"}) {
        SCOPED_TRACE(slot);
        result = Cli({"ports", "bind", slot, "ttyUSB0"});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, std::string(slot) + " is not one of the ports COM1 to COM4\n");
    }
    // The per-user store cannot be written: its folder is a file.
    std::filesystem::remove_all(m_dir / "config");
    std::filesystem::create_directories(m_dir / "config");
    testing::WriteText(m_dir / "config/radioprog", "in the way");
    result = Cli({"ports", "bind", "COM1", "ttyUSB0"});
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_TRUE(Contains(result.err, (m_dir / "config/radioprog").string())) << result.err;
}

TEST_F(CliPortsTest, TheDoctorNamesTheCauseOfEachPortAndExitsOneWhenAnyCheckFails) {
    const ProcessResult result = Cli({"doctor"});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    const std::string& out = result.out;
    EXPECT_TRUE(Contains(out, "  FAIL  device        the kernel has ttyS0, but " + Dev("ttyS0") +
                                  " does not exist\n"))
        << out;
    EXPECT_TRUE(Contains(out, "  ok    line          the line takes 9600 8N1\n"));
    EXPECT_TRUE(Contains(out, "  FAIL  brltty        brltty is installed and its rules")) << out;
    EXPECT_TRUE(Contains(out,
                         "                      fix: if nobody here reads a braille "
                         "display: sudo apt remove brltty"));
    EXPECT_TRUE(
        Contains(out, "  FAIL  free          " + Dev("ttyUSB1") +
                          " is open in minicom (pid 4321)\n"
                          "                      fix: close minicom, or end it: kill 4321\n"))
        << out;
    EXPECT_TRUE(Contains(out, "  --    line          not checked\n"));
    EXPECT_TRUE(out.ends_with("\nSome checks failed; each says how to fix it.\n"));
    // The port with the cable passes all six checks.
    const auto start = out.find(Dev("ttyUSB0") + " · ");
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(Count(out.substr(start, out.find("\n\n", start) - start), "  ok    "), 6u);

    // Checked alone, it passes.
    const ProcessResult alone = Cli({"doctor", "--port", ById(), "--lang", "zh"});
    EXPECT_EQ(alone.exitCode, 1) << alone.out;  // no radio answers on the pseudo-terminal
    EXPECT_TRUE(alone.out.starts_with(ById() + " -> " + Dev("ttyUSB0") + " · Prolific PL2303"))
        << alone.out;
    EXPECT_TRUE(Contains(alone.out, "  失败  对讲机        握手没有回应\n")) << alone.out;
}

TEST_F(CliPortsTest, TheDoctorTellsOfABoundCableThatIsNotPluggedInAndOfANameWithoutADevice) {
    ASSERT_EQ(Cli({"ports", "bind", "COM1", Dev("serial/by-id/usb-gone-if00-port0")}).exitCode, 0);
    ProcessResult result = Cli({"doctor"});
    EXPECT_TRUE(Contains(result.out, "COM1: " + Dev("serial/by-id/usb-gone-if00-port0") + "\n" +
                                         "  FAIL  device        " +
                                         Dev("serial/by-id/usb-gone-if00-port0") +
                                         " does not exist: the cable it names is not plugged in\n"))
        << result.out;
    result = Cli({"doctor", "--port", "COM7"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Contains(result.out, "COM7 leads to no device")) << result.out;
    result = Cli({"doctor", "--trace", (m_dir / "t.txt").string()});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(Contains(result.err, "--trace needs --port")) << result.err;
}

TEST_F(CliPortsTest, TheDoctorAsksTheDemoRadioAndTracesTheHandshake) {
    const std::string trace = (m_dir / "doctor.trace").string();
    const ProcessResult result = Cli({"doctor", "--port", "demo", "--trace", trace}, false);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_TRUE(
        Contains(result.out, "  ok    radio         the radio answered 06 to the handshake\n"))
        << result.out;
    EXPECT_TRUE(result.out.ends_with("\nEvery check passed.\n"));
    const std::string text = testing::ReadText(trace);
    EXPECT_EQ(Count(text, "  ->  handshake      "), 8u) << text;
    EXPECT_EQ(Count(text, "  <-  handshake      06\n"), 1u) << text;
    // Nothing else was read.
    EXPECT_EQ(Count(text, "identity"), 1u) << text;  // the header's word only
}

TEST_F(CliPortsTest, AReadOfTheDemoRadioIsTracedByteForByteAndAFailedOpenIsExplained) {
    const std::string trace = (m_dir / "read.trace").string();
    ProcessResult result =
        Cli({"read", "--port", "demo", "-o", (m_dir / "demo.dat").string(), "--trace", trace});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string text = testing::ReadText(trace);
    EXPECT_TRUE(
        text.starts_with("# radioprog serial trace. It holds the radio's identity record "
                         "and so its passwords.\n"));
    EXPECT_EQ(Count(text, "  ->  identity       02\n"), 1u);
    EXPECT_EQ(Count(text, "  <-  identity       50 "), 1u);
    EXPECT_EQ(Count(text, "  ->  read 0x"), 124u);
    EXPECT_EQ(Count(text, "  <-  read 0x"), 124u);
    EXPECT_EQ(Count(text, "  ->  read 0x01B8    52 01 B8 08\n"), 1u);

    // COM2 stands for a cable that is not there.
    result = Cli({"read", "--port", "COM2", "-o", (m_dir / "x.dat").string(), "--trace", trace});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(
        result.err,
        "Could not Open the Port,Please check whether the Port are occupied or the device are "
        "ok\nCOM2: /dev/ttyUSB1 does not exist. To fix: plug the cable in; radioprog-cli ports "
        "lists "
        "the serial ports this computer has, and radioprog-cli ports bind COM2 DEVICE binds "
        "one\nFor a full check run: radioprog-cli doctor --port COM2\n");
    EXPECT_TRUE(Contains(testing::ReadText(trace), "# Could not open /dev/ttyUSB1 ("));
    // Bound to the CH340 cable that brltty has taken.
    ASSERT_EQ(Cli({"ports", "bind", "COM2", "ttyUSB1"}).exitCode, 0);
    std::string error;
    const auto taken = SerialPort::Open(m_held.slave(), kTransferProfile, &error);
    ASSERT_NE(taken, nullptr) << error;
    result = Cli({"password", "query", "--port", "COM2"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_TRUE(Contains(result.err,
                         "Cound not open the port\nCOM2: brltty is installed and its "
                         "rules (" +
                             (m_system.top() / "usr/lib/udev/rules.d/85-brltty.rules").string() +
                             ") claim 1a86:7523: it takes the cable for a braille "
                             "display. To fix: if nobody here reads a braille display: sudo "
                             "apt remove brltty, then unplug the cable and plug it in "
                             "again\nFor a full check run: radioprog-cli doctor "
                             "--port COM2\n"))
        << result.err;

    // A trace that cannot be written makes a done read a file error.
    result = Cli({"read", "--port", "demo", "-o", (m_dir / "demo.dat").string(), "--trace",
                  (m_dir / "no/such/folder/t").string()});
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_TRUE(Contains(result.err, "no/such/folder/t")) << result.err;
}

// Another account, as root makes one: it may not use the cable until it joins the group.
TEST_F(CliPortsTest, TheDoctorTellsAnotherUserWhichGroupToJoin) {
    if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0) {
        GTEST_SKIP() << "needs root to run the tool as another user";
    }
    m_system.MakeNode("ttyACM0", 0660);
    const gid_t group = m_system.GiveNodeAGroup("ttyACM0");
    m_system.WriteGroups("dialout:x:" + std::to_string(group) + ":nobody\n");
    std::filesystem::permissions(m_system.top(), std::filesystem::perms::all,
                                 std::filesystem::perm_options::add);
    std::filesystem::permissions(m_dir.path(), std::filesystem::perms::all,
                                 std::filesystem::perm_options::add);
    const ProcessResult result =
        RunProcess("/usr/bin/setpriv",
                   {"--reuid=65534", "--regid=65534", "--clear-groups", RADIOPROG_CLI,
                    "--system-root", m_system.top().string(), "--appdir", m_dir.path().string(),
                    "doctor", "--port", Dev("ttyACM0")},
                   {"XDG_CONFIG_HOME=" + (m_dir / "nobody").string()});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_TRUE(Contains(result.out, "  FAIL  access        " + Dev("ttyACM0") +
                                         " belongs to group dialout; nobody is in it, but this "
                                         "login began before that\n"
                                         "                      fix: log out and in again\n"))
        << result.out << result.err;
}

}  // namespace
}  // namespace radioprog
