// export and import: the channel file (CSV) of a .dat file and back, with the report of every
// row, through the real command-line tool.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../support/process.h"
#include "../support/temp_dir.h"
#include "cli_run.h"

namespace radioprog {
namespace {

using testing::ProcessResult;
using testing::ReadBytes;
using testing::ReadText;
using testing::RunProcess;
using testing::TempDir;
using testing::WriteText;

const std::string kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";

class CliCsvTest : public ::testing::Test {
protected:
    CliCsvTest() {
        WriteText(m_dir / "Program.ini",
                  "[Setup]\nLanguage=English\nAppName=radioprog\n[English]\nAppName=Radio\n");
    }

    ProcessResult Cli(std::vector<std::string> args) {
        return testing::RunCli(m_dir, std::move(args));
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }
    nlohmann::json Channels(const std::string& file) {
        const ProcessResult shown = Cli({"show", file, "--json"});
        EXPECT_EQ(shown.exitCode, 0) << shown.err;
        return nlohmann::json::parse(shown.out)["channels"];
    }
    // A .dat file with channel 1 on 145.5 and channel 9 on 150.
    void TwoChannels(const std::string& name) {
        ASSERT_EQ(Cli({"new", "-o", File(name)}).exitCode, 0);
        ASSERT_EQ(Cli({"set", File(name), "1", "rx=145.5"}).exitCode, 0);
        ASSERT_EQ(Cli({"set", File(name), "9", "rx=150"}).exitCode, 0);
    }

    TempDir m_dir;
};

// A newcomer exports the demo memory, edits it in a spreadsheet and imports it back. The
// sample memory comes with the build, next to the tool.
TEST_F(CliCsvTest, TheDemoMemoryGoesOutEditedAndComesBack) {
    std::filesystem::copy_file(
        std::filesystem::path(RADIOPROG_CLI).parent_path() / "samples" / "demo.dat",
        File("demo.dat"));
    ProcessResult result = Cli({"export", File("demo.dat"), "-o", File("demo.csv")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string csv = ReadText(File("demo.csv"));
    ASSERT_TRUE(csv.starts_with(kHeader)) << csv;
    const ProcessResult toStdout = Cli({"export", File("demo.dat"), "-o", "-"});
    EXPECT_EQ(toStdout.exitCode, 0);
    EXPECT_EQ(toStdout.out, csv);

    // Back into a new file, everything as it was.
    ASSERT_EQ(Cli({"new", "-o", File("copy.dat")}).exitCode, 0);
    result = Cli({"import", File("demo.csv"), File("copy.dat")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Channels(File("copy.dat")), Channels(File("demo.dat")));

    // The spreadsheet's edits: channel 2 moves and narrows, a named channel 7 comes in.
    std::string edited = csv;
    const std::string before = "2,,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,";
    const auto at = edited.find(before);
    ASSERT_NE(at, std::string::npos) << csv;
    edited.replace(at, before.size(),
                   "2,,146.550000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,");
    edited +=
        "7,Club,147.000000,+,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,"
        "5.0W,,,,,\r\n";
    WriteText(File("edited.csv"), edited);
    result = Cli({"import", File("edited.csv"), File("demo.dat")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(
        result.err.find("Row 7 (Location 7) -> channel 7: stored\n"
                        "  note: Name \"Club\" dropped: channels of this radio have no names"),
        std::string::npos)
        << result.err;
    const nlohmann::json channels = Channels(File("demo.dat"));
    EXPECT_EQ(channels[1]["rx"], "146.55000");
    EXPECT_EQ(channels[1]["wn"], "Narrow");
    EXPECT_EQ(channels[6]["tx"], "147.60000");
    EXPECT_EQ(channels[6]["enc"], "100.0");
}

TEST_F(CliCsvTest, ExitCodesAndWhatIsWrittenFollowTheRowsAndTheFlags) {
    const std::string file = kHeader +
                             "1,,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,"
                             "1.0W,,,,,\r\n"
                             "2,,118.100000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,"
                             "5.0W,,,,,\r\n";
    WriteText(File("mixed.csv"), file);
    WriteText(File("good.csv"), file.substr(0, file.find("2,,118")));
    const struct {
        const char* name;
        std::string csv;
        std::vector<std::string> flags;
        int exitCode;
        bool written;
        bool channel9Kept;
    } cases[] = {
        {"all stored", "good.csv", {}, 0, true, true},
        {"a row skipped: the rest is stored", "mixed.csv", {}, 1, true, true},
        {"strict with a skipped row writes nothing", "mixed.csv", {"--strict"}, 1, false, true},
        {"strict without one writes", "good.csv", {"--strict"}, 0, true, true},
        {"a dry run never writes", "good.csv", {"--dry-run", "--replace"}, 0, false, true},
        {"replace empties the other channels", "mixed.csv", {"--replace"}, 1, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TwoChannels("radio.dat");
        const auto before = ReadBytes(File("radio.dat"));
        std::vector<std::string> args = {"import", File(c.csv), File("radio.dat")};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        const ProcessResult result = Cli(args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        if (!c.written) {
            EXPECT_EQ(ReadBytes(File("radio.dat")), before);
            continue;
        }
        const nlohmann::json channels = Channels(File("radio.dat"));
        EXPECT_EQ(channels[0]["rx"], "146.52000");
        EXPECT_EQ(channels[0]["power"], "Low");
        EXPECT_EQ(channels[1]["rx"], "");
        EXPECT_EQ(channels[8]["rx"], c.channel9Kept ? "150.00000" : "");
    }
}

TEST_F(CliCsvTest, TheJsonReportHasOneEntryPerDataRow) {
    WriteText(File("plan.csv"),
              "# a plan\nLocation,Name,Frequency,Tone,rToneFreq,Bank\n"
              "1,Home,146.52,,,A\n"
              "2,,146.54,Tone,69.3,A\n"
              ",,,,,\n"
              "20,,146.56,,,B\n");
    ASSERT_EQ(Cli({"new", "-o", File("radio.dat")}).exitCode, 0);
    ProcessResult result = Cli({"import", File("plan.csv"), File("radio.dat"), "--json"});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    const nlohmann::json expected = {
        {"rows",
         {
             {{"row", 3},
              {"location", "1"},
              {"channel", 1},
              {"status", "stored"},
              {"reason", nullptr},
              {"notes", {"Name \"Home\" dropped: channels of this radio have no names"}}},
             {{"row", 4},
              {"location", "2"},
              {"channel", 2},
              {"status", "skipped"},
              {"reason", "rToneFreq 69.3 Hz is a tone this radio does not have"},
              {"notes", nlohmann::json::array()}},
             {{"row", 6},
              {"location", "20"},
              {"channel", nullptr},
              {"status", "skipped"},
              {"reason", "beyond 16 channels"},
              {"notes", nlohmann::json::array()}},
         }},
        {"unknown_columns", {"Bank"}},
    };
    EXPECT_EQ(nlohmann::json::parse(result.out), expected) << result.out;

    // Without a Location column there is none to give; the words follow --lang.
    WriteText(File("plain.csv"), "Frequency,Mode\n146.52,AM\n");
    result = Cli({"import", File("plain.csv"), File("radio.dat"), "--json", "--lang", "zh"});
    const nlohmann::json row = nlohmann::json::parse(result.out)["rows"][0];
    EXPECT_EQ(row["location"], nullptr);
    EXPECT_EQ(row["reason"], "无法保存模式 AM：本机只有 FM（宽）和 NFM（窄）");
}

TEST_F(CliCsvTest, FilesThatCannotBeReadOrWrittenExitWithSeven) {
    ASSERT_EQ(Cli({"new", "-o", File("radio.dat")}).exitCode, 0);
    WriteText(File("good.csv"), "Frequency\n146.52\n");
    WriteText(File("names.csv"), "Location,Name\n1,Home\n");
    std::filesystem::create_directories(m_dir / "folder");
    const auto before = ReadBytes(File("radio.dat"));
    const struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{"import", File("good.csv"), File("missing.dat")}, "missing.dat"},
        {{"import", File("missing.csv"), File("radio.dat")}, "missing.csv"},
        {{"import", File("names.csv"), File("radio.dat")}, "no Frequency column"},
        {{"export", File("missing.dat"), "-o", File("out.csv")}, "missing.dat"},
        {{"export", File("radio.dat"), "-o", File("folder")}, "folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const ProcessResult result = Cli(c.args);
        EXPECT_EQ(result.exitCode, 7);
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadBytes(File("radio.dat")), before);
    EXPECT_FALSE(std::filesystem::exists(File("missing.dat")));
    EXPECT_FALSE(std::filesystem::exists(File("out.csv")));
    EXPECT_EQ(Cli({"import", File("good.csv")}).exitCode, 2);
    EXPECT_EQ(Cli({"export", File("radio.dat")}).exitCode, 2);
}

}  // namespace
}  // namespace radioprog
