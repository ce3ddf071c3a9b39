#include "core/fleet/fleet_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "../../support/temp_dir.h"
#include "core/base/csv_table.h"
#include "core/fleet/fleet_texts.h"

namespace radioprog {
namespace {

using testing::ReadText;
using testing::TempDir;

FleetClock::time_point At(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return FleetClock::from_time_t(std::mktime(&local));
}

TEST(FleetLogTest, NamesEachRunAfterItsStartAndNeverReplacesAnother) {
    TempDir dir;
    const auto start = At(2026, 3, 4, 5, 6, 7);
    const auto folder = dir / "data/radioprog/fleet";
    std::vector<std::string> names;
    for (int i = 0; i < 3; ++i) {
        FleetLog log;
        ASSERT_TRUE(log.CreateIn(folder, start, Language::English).ok());
        names.push_back(log.path().filename().string());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"20260304T050607.csv", "20260304T050607-2.csv",
                                               "20260304T050607-3.csv"}));
    EXPECT_EQ(ReadText(folder / names[0]),
              "sequence,port,start,end,admin_password,user_password,result,detail,backup\r\n");
}

TEST(FleetLogTest, ARowSaysWhetherPasswordsAreSetAndHowTheRadioEnded) {
    TempDir dir;
    FleetLog log;
    ASSERT_TRUE(log.Create(dir / "log.csv", Language::English).ok());
    RadioRecord record;
    record.sequence = 7;
    record.port = "/dev/ttyUSB1";
    record.start = At(2026, 12, 10, 14, 30, 5);
    record.end = At(2026, 12, 10, 14, 30, 41);
    record.identity = {true, false};

    const struct {
        RadioOutcome outcome;
        std::string result;
        std::string detail;
    } cases[] = {
        {{RadioResultKind::Verified, 0, {}, "/b/a, b.dat", {}}, "verified", ""},
        {{RadioResultKind::VerifyFailed, 0, {0x1B8, 0x3D8}, {}, {}},
         "verify failed",
         "differs at 0x01B8 0x03D8"},
        {{RadioResultKind::WriteIncomplete, 31, {}, {}, {}},
         "write incomplete",
         "blocks done 31 of 62"},
        {{RadioResultKind::PortError, 0, {}, {}, "no such device"}, "port error", "no such device"},
    };
    for (const auto& c : cases) {
        record.outcome = c.outcome;
        ASSERT_TRUE(log.Append(record).ok());
    }
    CsvTable table;
    ASSERT_TRUE(ReadCsv(ReadText(dir / "log.csv"), table, Language::English).ok());
    ASSERT_EQ(table.records.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::vector<std::string>& row = table.records[i].fields;
        ASSERT_EQ(row.size(), 9u);
        EXPECT_EQ(row[0], "7");
        EXPECT_EQ(row[1], "/dev/ttyUSB1");
        EXPECT_EQ(row[2], "2026-12-10T14:30:05");
        EXPECT_EQ(row[3], "2026-12-10T14:30:41");
        EXPECT_EQ(row[4], "set");
        EXPECT_EQ(row[5], "not set");
        EXPECT_EQ(row[6], cases[i].result);
        EXPECT_EQ(row[7], cases[i].detail);
        EXPECT_EQ(row[8], cases[i].outcome.backupFile);
    }
}

TEST(FleetLogTest, ALogThatCannotBeMadeIsSaid) {
    TempDir dir;
    ASSERT_EQ(::mkdir((dir / "locked").c_str(), 0500), 0);
    FleetLog log;
    const Status made =
        log.CreateIn(dir / "locked" / "fleet", FleetClock::now(), Language::English);
    if (::geteuid() != 0) {
        EXPECT_FALSE(made.ok());
        EXPECT_NE(made.message().find("locked"), std::string::npos) << made.message();
    }
}

TEST(FleetTextsTest, ResultsAndPhasesInBothLanguages) {
    const RadioOutcome failed{RadioResultKind::VerifyFailed, 0, {0x100}, {}, {}};
    EXPECT_EQ(RadioResultText(failed, Language::English), "Verify failed: differs at 0x0100");
    EXPECT_EQ(RadioResultText(failed, Language::Chinese), "校验失败：不同的地址 0x0100");
    PortState writing;
    writing.phase = FleetPhase::Writing;
    writing.blocksDone = 31;
    EXPECT_EQ(PortStateText(writing, Language::English), "Writing 31 of 62");
    EXPECT_EQ(PortStateText(writing, Language::Chinese), "正在写入 31 of 62");
    FleetSummary summary;
    summary.handled = 3;
    summary.verified = 2;
    summary.verifyFailed = 1;
    EXPECT_EQ(FleetSummaryText(summary, Language::English),
              "3 radios: 2 verified, 1 verify failed, 0 write incomplete, 0 other failures");
}

}  // namespace
}  // namespace radioprog
