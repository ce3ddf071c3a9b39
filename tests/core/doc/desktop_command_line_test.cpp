#include "core/doc/desktop_command_line.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

using Action = DesktopCommandLine::Action;

TEST(DesktopCommandLine, ReadsTheProgramsOptionsOneFileAndQtsOwnOptions) {
    struct Case {
        std::vector<std::string> arguments;
        Action action;
        std::optional<std::string> appDir;
        bool demo;
        std::optional<std::string> file;
        std::vector<std::string> qt;
    };
    const Case cases[] = {
        {{}, Action::Run, std::nullopt, false, std::nullopt, {}},
        {{"radio.dat"}, Action::Run, std::nullopt, false, "radio.dat", {}},
        {{"--demo", "--appdir", "/opt/r", "a.dat"}, Action::Run, "/opt/r", true, "a.dat", {}},
        {{"--appdir=/opt/r"}, Action::Run, "/opt/r", false, std::nullopt, {}},
        {{"-platform", "offscreen", "--style", "Fusion", "-reverse", "x.dat"},
         Action::Run,
         std::nullopt,
         false,
         "x.dat",
         {"-platform", "offscreen", "--style", "Fusion", "-reverse"}},
        {{"-session", "1234_5", "-display", ":1"},
         Action::Run,
         std::nullopt,
         false,
         std::nullopt,
         {"-session", "1234_5", "-display", ":1"}},
        // After "--" a name that starts with a dash is a file.
        {{"--", "-odd.dat"}, Action::Run, std::nullopt, false, "-odd.dat", {}},
        {{"-"}, Action::Run, std::nullopt, false, "-", {}},
        // Help and version win over whatever stands beside them.
        {{"--demo", "--help", "--bogus"}, Action::Help, std::nullopt, true, std::nullopt, {}},
        {{"--version"}, Action::Version, std::nullopt, false, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        const DesktopCommandLine line = ParseDesktopCommandLine(c.arguments, Language::English);
        const std::string shown = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.action, c.action) << shown << line.error;
        EXPECT_EQ(line.appDir, c.appDir) << shown;
        EXPECT_EQ(line.demo, c.demo) << shown;
        EXPECT_EQ(line.file, c.file) << shown;
        EXPECT_EQ(line.qtArguments, c.qt) << shown;
    }
}

TEST(DesktopCommandLine, AnUnknownOptionAMissingValueOrASecondFileIsAnError) {
    struct Case {
        std::vector<std::string> arguments;
        Language language;
        std::string error;
    };
    const Case cases[] = {
        {{"--bogus"}, Language::English, "unknown option: --bogus"},
        {{"-demo"}, Language::English, "unknown option: -demo"},
        {{"--demo=1"}, Language::English, "unknown option: --demo=1"},
        {{"--help=me"}, Language::English, "unknown option: --help=me"},
        {{"-h"}, Language::English, "unknown option: -h"},
        {{"--appdir"}, Language::English, "the option needs a folder: --appdir"},
        {{"-platform"}, Language::English, "the option needs a value: -platform"},
        {{"a.dat", "b.dat"}, Language::English, "only one file can be opened: b.dat"},
        {{"--bogus"}, Language::Chinese, "未知选项：--bogus"},
        {{"a.dat", "b.dat"}, Language::Chinese, "只能打开一个文件：b.dat"},
    };
    for (const Case& c : cases) {
        const DesktopCommandLine line = ParseDesktopCommandLine(c.arguments, c.language);
        EXPECT_EQ(line.action, Action::Error) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.error, c.error);
    }
}

TEST(DesktopCommandLine, TheHelpNamesEveryOptionInBothLanguages) {
    for (Language language : {Language::English, Language::Chinese}) {
        const std::string help = DesktopHelp(language);
        for (const char* option : {"--appdir", "--demo", "--help", "--version", "-platform"}) {
            EXPECT_NE(help.find(option), std::string::npos) << option;
        }
    }
    EXPECT_NE(DesktopHelp(Language::Chinese).find("用法"), std::string::npos);
}

}  // namespace
}  // namespace radioprog
