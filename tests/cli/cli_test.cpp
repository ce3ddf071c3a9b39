#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "../support/process.h"
#include "../support/special_files.h"
#include "../support/temp_dir.h"
#include "cli_run.h"

namespace radioprog {
namespace {

using testing::Fifo;
using testing::ProcessResult;
using testing::ReadBytes;
using testing::RunProcess;
using testing::TempDir;
using testing::WriteText;

/// Runs the command-line tool in a private application folder and a private per-user store.
class CliTest : public ::testing::Test {
protected:
    CliTest() {
        WriteText(m_dir / "Program.ini",
                  "[Setup]\nLanguage=English\nAppName=radioprog\nType1=RP-16V\n"
                  "[English]\nAppName=Radio\n");
    }

    ProcessResult Cli(std::vector<std::string> args) {
        return testing::RunCli(m_dir, std::move(args));
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }

    std::string ShowJson(const std::string& file) {
        const ProcessResult shown = Cli({"show", file, "--json"});
        EXPECT_EQ(shown.exitCode, 0) << shown.err;
        return shown.out;
    }

    TempDir m_dir;
};

TEST_F(CliTest, NewWritesTheImageOfANewDocumentSavedAtOnce) {
    const ProcessResult result = Cli({"new", "-o", File("new.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto bytes = ReadBytes(File("new.dat"));
    ASSERT_EQ(bytes.size(), 1024u);
    const std::vector<std::uint8_t> header(bytes.begin(), bytes.begin() + 16);
    EXPECT_EQ(header, (std::vector<std::uint8_t>{0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                 0x00, 0x03, 0x01, 0x00, 0x02, 0x00, 0x24, 0x11}));
    for (std::size_t at = 0x010; at < 0x110; ++at) {
        const std::size_t inRecord = at % 16;
        const std::uint8_t expected = inRecord == 12 ? 0xF7 : inRecord == 13 ? 0xCF : 0xFF;
        ASSERT_EQ(bytes[at], expected) << std::hex << at;
    }
    struct Expect {
        std::size_t at;
        std::uint8_t value;
    };
    const Expect expected[] = {
        {0x12F, 0x01}, {0x130, 0x04}, {0x131, 0x09}, {0x134, 0x04}, {0x135, 0x01}, {0x136, 0x01},
        {0x139, 0xFF}, {0x13A, 0x05}, {0x13B, 0x02}, {0x160, 0x00}, {0x161, 0x11}, {0x162, 0x09},
        {0x163, 0x15}, {0x164, 0xFF}, {0x165, 0x30}, {0x166, 0x00}, {0x167, 0x30}, {0x168, 0x00},
        {0x17E, 0x00}, {0x17F, 0x00}, {0x1AD, 0x13}, {0x1AE, 0x17}, {0x1AF, 0x64}, {0x1B8, 0x50},
        {0x1B9, 0xFF}, {0x1BA, 0xFF}, {0x1BB, 0xFF}, {0x1BC, 0xFF}, {0x1BD, 0xFF}, {0x3B8, 0xFE},
        {0x3B9, 0xFF}, {0x3C7, 0xFF}, {0x3D2, 0x00}, {0x3D3, 0x00}, {0x3EF, 0xFF}, {0x3F0, 0x00},
        {0x3F1, 0xFF}, {0x3FF, 0xFF}, {0x110, 0xFF}, {0x132, 0xFF},
    };
    for (const Expect& e : expected) {
        EXPECT_EQ(bytes[e.at], e.value) << std::hex << e.at;
    }
}

TEST_F(CliTest, NewPacksThePasswordAndTakesTypeAndFieldFromThePerUserStore) {
    std::filesystem::create_directories(m_dir / "config" / "radioprog");
    WriteText(m_dir / "config" / "radioprog" / "user.ini",
              "[Software\\radioprog]\nType=261\nField=3\n");
    const ProcessResult result = Cli({"new", "-o", File("pw.dat"), "--password", "1234"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto bytes = ReadBytes(File("pw.dat"));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 0x1B8, bytes.begin() + 0x1C0),
              (std::vector<std::uint8_t>{0x50, 0xFF, 0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bytes[0x3D2], 0x05);  // the low byte of 261
    EXPECT_EQ(bytes[0x3D3], 0x03);
}

TEST_F(CliTest, UsageMistakesExitWithTwoAndTouchNothing) {
    ASSERT_EQ(Cli({"new", "-o", File("a.dat")}).exitCode, 0);
    const auto before = ReadBytes(File("a.dat"));
    const std::vector<std::vector<std::string>> mistakes = {
        {"new", "-o", File("b.dat"), "--password", "12a"},
        {"new", "-o", File("b.dat"), "--password", "1234567"},
        {"set", File("a.dat"), "17", "rx=145"},
        {"set", File("a.dat"), "0x1", "rx=145"},
        {"set", File("a.dat"), " 1", "rx=145"},
        {"set", File("a.dat"), "1.0", "rx=145"},
        {"set", File("a.dat"), "1", "volume=3"},
        {"set", File("a.dat"), "1", "rx"},
        {"set", File("a.dat"), "1", "power=Medium"},
        {"set", File("a.dat"), "1", "dec=D024N"},
        {"show", File("a.dat"), "--lang", "fr"},
        {"frobnicate"},
    };
    for (const auto& args : mistakes) {
        const ProcessResult result = Cli(args);
        EXPECT_EQ(result.exitCode, 2) << args[0] << " " << args.back();
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_EQ(ReadBytes(File("a.dat")), before);
    EXPECT_FALSE(std::filesystem::exists(File("b.dat")));
}

TEST_F(CliTest, SetCommitsEachEditLikeTheGridAndShowPrintsIt) {
    ASSERT_EQ(Cli({"new", "-o", File("r.dat")}).exitCode, 0);
    ProcessResult result = Cli({"set", File("r.dat"), "3", "rx=145.0125", "dec=D023N", "power=低",
                                "scan=Yes", "busy=Carrier", "tx=", "wn=Narrow"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string json = ShowJson(File("r.dat"));
    EXPECT_NE(json.find(R"("channel": 3,
      "rx": "145.01250",
      "tx": "145.01250",
      "dec": "D023N",
      "enc": "None",
      "power": "Low",
      "scan": "Yes",
      "busy": "Carrier",
      "wn": "Narrow")"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("band": [
    136,
    174
  ])"),
              std::string::npos);
    const auto bytes = ReadBytes(File("r.dat"));
    EXPECT_EQ(
        std::vector<std::uint8_t>(bytes.begin() + 0x30, bytes.begin() + 0x3A),
        (std::vector<std::uint8_t>{0x50, 0x12, 0x50, 0x14, 0x50, 0x12, 0x50, 0x14, 0x13, 0x28}));
    EXPECT_EQ(bytes[0x17E], 0x04);

    const ProcessResult table = Cli({"show", File("r.dat"), "--lang", "zh"});
    ASSERT_EQ(table.exitCode, 0);
    EXPECT_NE(table.out.find("信道"), std::string::npos);
    EXPECT_NE(
        table.out.find(
            " 3    145.01250  145.01250  D023N       无          低    有        载波      窄"),
        std::string::npos)
        << table.out;
}

TEST_F(CliTest, RefusedInputPrintsTheMessageExitsOneAndKeepsTheFile) {
    ASSERT_EQ(Cli({"new", "-o", File("k.dat")}).exitCode, 0);
    ASSERT_EQ(Cli({"set", File("k.dat"), "1", "rx=150"}).exitCode, 0);
    const auto before = ReadBytes(File("k.dat"));
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"set", File("k.dat"), "1", "rx=145.0130"},
         "Error data Value, please input according the step value(6.25K/5k)."},
        {{"set", File("k.dat"), "1", "power=Low", "tx=180"}, "Out of range,please input again."},
        {{"set", File("k.dat"), "2", "power=Low"}, "Channel 2 has no frequency"},
        {{"set", File("k.dat"), "2", "tx=145.0125"}, "Channel 2 has no frequency: set rx first."},
        {{"set", File("k.dat"), "3", "tx=", "--lang", "zh"}, "信道 3 没有频率：请先设置 rx。"},
        {{"set", File("k.dat"), "1", "rx=abc", "--lang", "zh"}, "超出范围"},
        {{"set", File("k.dat"), "1", "rx=145.0125abc"}, "Error data Value"},
        {{"set", File("k.dat"), "1", "rx=145.0125.5"}, "Error data Value"},
        {{"set", File("k.dat"), "1", "power=Low", "tx=145.0125 junk"}, "Error data Value"},
    };
    for (const Case& c : cases) {
        const ProcessResult result = Cli(c.args);
        EXPECT_EQ(result.exitCode, 1) << c.args.back();
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadBytes(File("k.dat")), before);
}

TEST_F(CliTest, SetReadsACommaAsTheDecimalPoint) {
    ASSERT_EQ(Cli({"new", "-o", File("c.dat")}).exitCode, 0);
    const ProcessResult result = Cli({"set", File("c.dat"), "2", "rx=145,0125", "tx=146,00625"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string json = ShowJson(File("c.dat"));
    EXPECT_NE(json.find(R"("rx": "145.01250",
      "tx": "146.00625")"),
              std::string::npos)
        << json;
}

TEST_F(CliTest, ShowPrintsTheOptionsAndScanSettingsOfANewDocument) {
    ASSERT_EQ(Cli({"new", "-o", File("o.dat")}).exitCode, 0);
    const auto document = nlohmann::json::parse(ShowJson(File("o.dat")));
    EXPECT_EQ(document["options"], nlohmann::json::parse(R"({
        "timeOutTimer": "60", "totPreAlert": "8", "squelchLevel": "4",
        "voiceAnnunciation": "Chinese", "idCode": "", "vox": "Off", "voxGainLevel": "5",
        "voxDelayTime": "1.0", "pttId": "Off", "stunCode": "", "beep": true,
        "batterySaver": true, "removeStunCode": true})"));
    EXPECT_EQ(document["scan"], nlohmann::json::parse(R"({
        "priority": "None", "priorityChannel": "", "lookBackTimeA": "0.9",
        "lookBackTimeB": "1.5", "revertChannel": "", "dropoutDelayTime": "48",
        "txDwellTime": "48"})"));

    const ProcessResult table = Cli({"show", File("o.dat"), "--lang", "zh"});
    ASSERT_EQ(table.exitCode, 0);
    // Both sections follow the channel table.
    const auto channel16 = table.out.find("\n16");
    const auto options = table.out.find("\n可选功能\n");
    const auto scan = table.out.find("\n扫描信息\n");
    ASSERT_NE(channel16, std::string::npos);
    EXPECT_LT(channel16, options);
    EXPECT_LT(options, scan);
    EXPECT_NE(scan, std::string::npos);
    EXPECT_NE(table.out.find("\n  语音报号      中文\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\n  解除遥毙码    [x]\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\n  回看时间 B    1.5\n"), std::string::npos) << table.out;
}

TEST_F(CliTest, ShowReadsTheOptionsAndScanSettingsFromTheirBytes) {
    ASSERT_EQ(Cli({"new", "-o", File("b.dat")}).exitCode, 0);
    auto bytes = ReadBytes(File("b.dat"));
    const std::pair<std::size_t, std::uint8_t> changes[] = {
        {0x130, 0x8C}, {0x131, 0x01}, {0x134, 0x0A}, {0x12F, 0x02}, {0x135, 0x00}, {0x136, 0xFE},
        {0x139, 0x01}, {0x13A, 0x0B}, {0x13B, 0x05}, {0x3B0, '1'},  {0x3B1, '2'},  {0x3B2, 0x00},
        {0x3B8, 0x01}, {0x3B9, 0xA5}, {0x3C0, 'A'},  {0x3C1, ' '},  {0x3C2, 'z'},  {0x3C3, 0xFF},
        {0x160, 0x01}, {0x161, 0x05}, {0x162, 0x0B}, {0x163, 0x01}, {0x164, 0x02}, {0x165, 0x2C},
        {0x166, 0x01}, {0x167, 0x0A}, {0x168, 0x00},
    };
    for (const auto& [at, value] : changes) {
        bytes[at] = value;
    }
    WriteText(m_dir / "b.dat", std::string(bytes.begin(), bytes.end()));

    const auto document = nlohmann::json::parse(ShowJson(File("b.dat")));
    EXPECT_EQ(document["options"], nlohmann::json::parse(R"({
        "timeOutTimer": "180", "totPreAlert": "Off", "squelchLevel": "",
        "voiceAnnunciation": "English", "idCode": "12", "vox": "On", "voxGainLevel": "Off",
        "voxDelayTime": "3.0", "pttId": "On", "stunCode": "A z", "beep": false,
        "batterySaver": false, "removeStunCode": false})"));
    EXPECT_EQ(document["scan"], nlohmann::json::parse(R"({
        "priority": "Fixed", "priorityChannel": " 5", "lookBackTimeA": "1",
        "lookBackTimeB": "0.5", "revertChannel": "Priority", "dropoutDelayTime": "300",
        "txDwellTime": "10"})"));

    const ProcessResult table = Cli({"show", File("b.dat")});
    ASSERT_EQ(table.exitCode, 0);
    EXPECT_NE(table.out.find("\n  Time-Out Timer      180\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\n  Squelch Level\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\n  Beep                [ ]\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\n  Priority Channel     5\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\n  Revert Channel      Priority\n"), std::string::npos) << table.out;
}

TEST_F(CliTest, FileProblemsExitWithSeven) {
    WriteText(m_dir / "short.dat", std::string(1023, '\xFF'));
    ProcessResult result = Cli({"show", File("short.dat")});
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_NE(result.err.find("1023 bytes"), std::string::npos) << result.err;
    result = Cli({"show", File("missing.dat")});
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_NE(result.err.find("missing.dat"), std::string::npos);
    result = Cli({"new", "-o", File("no-folder/x.dat")});
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_NE(result.err.find("x.dat"), std::string::npos);
}

// Every kind of file that is not a plain radio file, through every command that reads one:
// what cannot be a radio file is refused (exit 7) and left as it was; a longer file is used by
// its first 1024 bytes, with a word, and set does not cut it; a link or somebody else's file is
// a radio file like any other, and stays a link or theirs. write is pointed at a port that does
// not exist: exit 3 says the file was taken, exit 7 that it was not.
TEST_F(CliTest, BadFilesThroughEveryCommand) {
    ASSERT_EQ(Cli({"new", "-o", File("good.dat")}).exitCode, 0);
    const auto good = ReadBytes(File("good.dat"));
    const auto make = [this](const std::string& name, std::vector<std::uint8_t> bytes) {
        WriteText(m_dir / name, std::string(bytes.begin(), bytes.end()));
        return File(name);
    };
    const auto padded = [&good](std::size_t size) {
        std::vector<std::uint8_t> bytes = good;
        bytes.resize(size, 0x00);
        return bytes;
    };
    const Fifo fifo(m_dir / "pipe.dat");
    std::filesystem::create_directory(m_dir / "folder.dat");
    make("target.dat", good);
    std::filesystem::create_symlink("target.dat", m_dir / "link.dat");

    enum class Expect { Refused, Longer, Radio };
    struct BadFile {
        std::string path;
        Expect expect;
        std::string says;  ///< why it is refused, or the warning about its size
    };
    const auto holds = [](std::size_t size) {
        return "it holds " + std::to_string(size) + " bytes, a radio file holds 1024";
    };
    const auto longer = [](const std::string& path, std::size_t size) {
        return "\"" + path + "\" holds " + std::to_string(size) +
               " bytes; a radio file holds 1024; only the first 1024 are used\n";
    };
    std::vector<BadFile> files = {
        {make("empty.dat", {}), Expect::Refused, holds(0)},
        {make("one.dat", padded(1)), Expect::Refused, holds(1)},
        {make("short.dat", padded(1023)), Expect::Refused, holds(1023)},
        {make("long.dat", padded(1025)), Expect::Longer, longer(File("long.dat"), 1025)},
        {make("huge.dat", padded(1 << 20)), Expect::Longer, longer(File("huge.dat"), 1 << 20)},
        {File("folder.dat"), Expect::Refused, "it is a folder, not a file"},
        {fifo.path().string(), Expect::Refused, "it is a named pipe (FIFO), not a regular file"},
        {"/dev/zero", Expect::Refused, "it is a device, not a regular file"},
        {File("link.dat"), Expect::Radio, ""},
    };
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0) {
        make("theirs.dat", good);
        ASSERT_EQ(::chown(File("theirs.dat").c_str(), kNobody, kNobody), 0);
        files.push_back({File("theirs.dat"), Expect::Radio, ""});
    }
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.path);
        const bool regular = std::filesystem::is_regular_file(file.path);
        const auto before = regular ? ReadBytes(file.path) : std::vector<std::uint8_t>{};
        const std::string refusal = "Cannot open \"" + file.path + "\": " + file.says + "\n";
        const std::string opened = file.expect == Expect::Longer ? file.says : "";
        const bool refused = file.expect == Expect::Refused;

        ProcessResult result = Cli({"show", file.path});
        EXPECT_EQ(result.exitCode, refused ? 7 : 0);
        EXPECT_EQ(result.err, refused ? refusal : opened);

        result = Cli({"report", file.path, "-o", File("report.pdf")});
        EXPECT_EQ(result.exitCode, refused ? 7 : 0);
        EXPECT_EQ(result.err, refused ? refusal : opened);
        EXPECT_EQ(std::filesystem::exists(File("report.pdf")), !refused);
        std::filesystem::remove(File("report.pdf"));

        result = Cli({"write", "--port", "/dev/radioprog-missing", file.path});
        EXPECT_EQ(result.exitCode, refused ? 7 : 3);
        EXPECT_EQ(result.err.starts_with(refused ? refusal : opened), true) << result.err;

        result = Cli({"set", file.path, "1", "rx=150"});
        const int setExit = file.expect == Expect::Radio ? 0 : 7;
        EXPECT_EQ(result.exitCode, setExit);
        if (file.expect == Expect::Refused) {
            EXPECT_EQ(result.err, refusal);
        }
        if (file.expect != Expect::Radio && regular) {
            EXPECT_EQ(ReadBytes(file.path), before);
        }
    }
    EXPECT_TRUE(std::filesystem::is_symlink(File("link.dat")));
    EXPECT_NE(ShowJson(File("target.dat")).find(R"("rx": "150.00000")"), std::string::npos);
    if (::geteuid() == 0) {
        struct stat info {};
        ASSERT_EQ(::stat(File("theirs.dat").c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, kNobody);
        EXPECT_EQ(info.st_gid, kNobody);
        EXPECT_NE(ShowJson(File("theirs.dat")).find(R"("rx": "150.00000")"), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo.path()));
    EXPECT_TRUE(std::filesystem::is_directory(File("folder.dat")));
    EXPECT_FALSE(fifo.rescued());
}

// The settings and the per-user store are files of their own: as pipes they would hang every
// command.
TEST_F(CliTest, ASettingsFileThatIsNotARegularFileEndsTheRunWithSeven) {
    ASSERT_EQ(Cli({"new", "-o", File("a.dat")}).exitCode, 0);
    std::filesystem::create_directories(m_dir / "config" / "radioprog");
    {
        const Fifo store(m_dir / "config" / "radioprog" / "user.ini");
        const ProcessResult result = Cli({"show", File("a.dat")});
        EXPECT_EQ(result.exitCode, 7);
        EXPECT_EQ(result.err, "Cannot open \"" + store.path().string() +
                                  "\": it is a named pipe (FIFO), not a regular file\n");
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(store.rescued());
        std::filesystem::remove(store.path());
    }
    std::filesystem::remove(m_dir / "Program.ini");
    const Fifo settings(m_dir / "Program.ini");
    const ProcessResult result = Cli({"show", File("a.dat")});
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_EQ(result.err, "Cannot open \"" + settings.path().string() +
                              "\": it is a named pipe (FIFO), not a regular file\n");
    EXPECT_FALSE(settings.rescued());
}

// A longer file is read by its first 1024 bytes, and the user is told; set would cut it to
// 1024 bytes, so it refuses unless told to with --force.
TEST_F(CliTest, ALongerFileIsReadByItsFirst1024Bytes) {
    ASSERT_EQ(Cli({"new", "-o", File("base.dat")}).exitCode, 0);
    ASSERT_EQ(Cli({"set", File("base.dat"), "16", "rx=160"}).exitCode, 0);
    auto bytes = ReadBytes(File("base.dat"));
    bytes.resize(2000, 0x00);
    WriteText(m_dir / "long.dat", std::string(bytes.begin(), bytes.end()));
    const std::string warning = "\"" + File("long.dat") +
                                "\" holds 2000 bytes; a radio file holds 1024; only the first "
                                "1024 are used\n";
    const ProcessResult shown = Cli({"show", File("long.dat"), "--json"});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_NE(shown.out.find(R"("rx": "160.00000")"), std::string::npos);
    EXPECT_EQ(shown.err, warning);

    const ProcessResult refused = Cli({"set", File("long.dat"), "16", "power=Low"});
    EXPECT_EQ(refused.exitCode, 7);
    EXPECT_EQ(refused.err, warning + "Saving would cut \"" + File("long.dat") +
                               "\" to 1024 bytes: give --force to save it anyway\n");
    EXPECT_EQ(ReadBytes(File("long.dat")).size(), 2000u);
    const ProcessResult chinese = Cli({"set", File("long.dat"), "16", "power=Low", "--lang", "zh"});
    EXPECT_EQ(chinese.exitCode, 7);
    EXPECT_NE(chinese.err.find("保存会把“" + File("long.dat") +
                               "”截为 1024 字节：如仍要保存，请加 --force"),
              std::string::npos)
        << chinese.err;

    const ProcessResult forced = Cli({"set", File("long.dat"), "16", "power=Low", "--force"});
    ASSERT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_EQ(ReadBytes(File("long.dat")).size(), 1024u);
    EXPECT_NE(ShowJson(File("long.dat")).find(R"("power": "Low")"), std::string::npos);
}

std::vector<std::string> TemporaryFilesOf(const std::filesystem::path& folder,
                                          const std::string& name) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with("." + name + ".")) {
            found.push_back(entry.path().filename().string());
        }
    }
    return found;
}

// Killed at any moment, a save leaves the old file or the new one, never a torn or empty one;
// the temporary files of the killed saves are swept up by the next save of the file.
TEST_F(CliTest, ASetKilledAtAnyMomentLeavesTheOldFileOrTheNewAndNoLeftovers) {
    ASSERT_EQ(Cli({"new", "-o", File("k.dat")}).exitCode, 0);
    const auto argsFor = [this](int step) {
        return std::vector<std::string>{"set", File("k.dat"), "1",
                                        "rx=" + std::to_string(140 + step % 30)};
    };
    // How long a whole run takes here, so that the kills spread over all of it.
    const auto started = std::chrono::steady_clock::now();
    constexpr int kTimedRuns = 5;
    for (int i = 0; i < kTimedRuns; ++i) {
        ASSERT_EQ(Cli(argsFor(i)).exitCode, 0);
    }
    const auto runTime = (std::chrono::steady_clock::now() - started) / kTimedRuns;
    const std::vector<std::string> environment = {"XDG_CONFIG_HOME=" + (m_dir / "config").string(),
                                                  "XDG_DATA_HOME=" + (m_dir / "data").string()};
    const auto start = [&](int step) {
        std::vector<std::string> args = {"--appdir", m_dir.path().string()};
        const auto edit = argsFor(step);
        args.insert(args.end(), edit.begin(), edit.end());
        return testing::StartProcess(RADIOPROG_CLI, args, environment);
    };

    std::mt19937 random(20240611);
    std::uniform_int_distribution<long long> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(runTime).count());
    // Each outcome: the file afterwards is the old one, the new one, or neither (a fault).
    int kills = 0, keptOld = 0, tookNew = 0, torn = 0, leftoverSightings = 0, finished = 0;
    std::size_t mostLeftovers = 0;
    for (int step = 0; kills < 200 && step < 2000; ++step) {
        const auto before = ReadBytes(File("k.dat"));
        const pid_t pid = start(step);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        const bool killed = WIFSIGNALED(status);
        kills += killed ? 1 : 0;
        finished += killed ? 0 : 1;
        const auto after = ReadBytes(File("k.dat"));
        const std::string shownRx = std::to_string(140 + step % 30) + ".00000";
        // The new file is the old one with channel 1 at the step's frequency.
        const bool isOld = after == before;
        const bool isNew =
            !isOld && after.size() == 1024u &&
            ShowJson(File("k.dat")).find("\"rx\": \"" + shownRx + "\"") != std::string::npos;
        keptOld += isOld ? 1 : 0;
        tookNew += isNew ? 1 : 0;
        torn += !isOld && !isNew ? 1 : 0;
        EXPECT_TRUE(isOld || isNew) << "step " << step << ": " << after.size() << " bytes";
        const std::size_t leftovers = TemporaryFilesOf(m_dir.path(), "k.dat").size();
        leftoverSightings += leftovers > 0 ? 1 : 0;
        mostLeftovers = std::max(mostLeftovers, leftovers);
    }
    EXPECT_GE(kills, 200);
    EXPECT_EQ(torn, 0);
    ASSERT_EQ(Cli({"set", File("k.dat"), "2", "rx=150"}).exitCode, 0);
    EXPECT_EQ(TemporaryFilesOf(m_dir.path(), "k.dat"), std::vector<std::string>{});
    std::cout << "kill loop: run "
              << std::chrono::duration_cast<std::chrono::milliseconds>(runTime).count() << " ms, "
              << kills << " killed, " << finished << " finished first; file kept old " << keptOld
              << ", took new " << tookNew << ", torn " << torn
              << "; a temporary file was left after " << leftoverSightings << " steps (at most "
              << mostLeftovers << " at once)\n";
}

}  // namespace
}  // namespace radioprog
