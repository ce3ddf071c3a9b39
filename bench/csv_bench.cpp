// A channel file of 100 000 rows, reported: read, parsed, every row given its fate (rows beyond
// channel 16 skipped) and the report put into words, in under a second. Three files: rows placed
// by Location, rows in file order, and rows that are all skipped for a tone the radio does not
// have, found only after each row's frequencies were typed into a grid row. Then the same through
// radioprog-cli import --dry-run, with the text report and with the JSON report. Each is timed on
// the wall clock and in processor time; the goal is judged on the processor time, the program's
// own, as a machine shared with other work stretches the wall clock.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/doc/csv_import.h"

extern char** environ;

using namespace radioprog;
using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

namespace {

constexpr int kRows = 100'000;
constexpr double kGoalSeconds = 1.0;

const char* const kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";

// Rows as a spreadsheet of a large radio holds them: names, tones, shifts, comments.
std::string File(bool locations, const char* tone) {
    std::string text = kHeader;
    char row[256];
    for (int i = 0; i < kRows; ++i) {
        const int khz = 144000 + (i * 5) % 4000;
        std::snprintf(row, sizeof row,
                      "%s,Memory %d,%d.%03d000,+,0.600000,Tone,%s,88.5,023,NN,023,Tone->Tone,"
                      "FM,5.00,,5.0W,BusyLock=Carrier,,,,\r\n",
                      locations ? std::to_string(i).c_str() : "", i, khz / 1000, khz % 1000, tone);
        text += row;
    }
    return text;
}

struct Times {
    double wall = 0;
    double processor = 0;
};

double ProcessorSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double TimevalSeconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

// Runs the tool; its exit code, and its processor time in @p times.
int RunCli(const std::string& cli, const std::vector<std::string>& args, Times& times) {
    std::vector<std::string> all = {cli};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    rusage usage{};
    const auto start = Clock::now();
    ::wait4(pid, &status, 0, &usage);
    times.wall = Seconds(Clock::now() - start).count();
    times.processor = TimevalSeconds(usage.ru_utime) + TimevalSeconds(usage.ru_stime);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool Report(const char* name, const Times& times) {
    const bool met = times.processor < kGoalSeconds;
    std::printf("%-40s processor %.3f s, wall %.3f s  (goal < %.1f s: %s)\n", name, times.processor,
                times.wall, kGoalSeconds, met ? "met" : "MISSED");
    return met;
}

}  // namespace

int main() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "radioprog-csv-bench";
    std::filesystem::create_directories(folder);
    const struct {
        const char* name;
        const char* file;
        bool locations;
        const char* tone;
        int stored;
    } cases[] = {
        {"by Location (from 0), 16 stored", "located.csv", true, "100.0", 16},
        {"in file order, 16 stored", "ordered.csv", false, "100.0", 16},
        {"every row typed in, skipped (69.3 Hz)", "skipped.csv", false, "69.3", 0},
    };
    bool allMet = true;
    for (const auto& c : cases) {
        const auto path = folder / c.file;
        std::ofstream(path, std::ios::binary) << File(c.locations, c.tone);
        const auto start = Clock::now();
        const double processorStart = ProcessorSeconds();
        CsvImportPlan plan;
        const Status status = PlanCsvImportFile(path, BandLimits(), Language::English, plan);
        const std::vector<std::string> report = CsvImportReport(plan, Language::English);
        const Times times{Seconds(Clock::now() - start).count(),
                          ProcessorSeconds() - processorStart};
        if (!status || plan.rows.size() != static_cast<std::size_t>(kRows) ||
            plan.StoredCount() != c.stored || report.size() < plan.rows.size()) {
            std::fprintf(stderr, "%s: unexpected plan (%s, %zu rows, %d stored)\n", c.name,
                         status.message().c_str(), plan.rows.size(), plan.StoredCount());
            return 1;
        }
        allMet = Report(c.name, times) && allMet;
    }

    const std::string cli = RADIOPROG_CLI;
    const std::string dat = (folder / "radio.dat").string();
    Times times;
    if (RunCli(cli, {"new", "-o", dat}, times) != 0) {
        std::fprintf(stderr, "radioprog-cli new failed\n");
        return 1;
    }
    for (const bool json : {false, true}) {
        std::vector<std::string> args = {"import", (folder / "located.csv").string(), dat,
                                         "--dry-run"};
        if (json) {
            args.push_back("--json");
        }
        const int exitCode = RunCli(cli, args, times);
        if (exitCode != 1) {
            std::fprintf(stderr, "radioprog-cli import exited %d, not 1\n", exitCode);
            return 1;
        }
        allMet = Report(json ? "radioprog-cli import --dry-run --json"
                             : "radioprog-cli import --dry-run",
                        times) &&
                 allMet;
    }
    std::filesystem::remove_all(folder);
    return allMet ? 0 : 1;
}
