#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "core/base/locale_language.h"
#include "core/base/version.h"
#include "core/doc/desktop_command_line.h"
#include "gui/app/program_app.h"

namespace {

constexpr int kExitUsage = 2;

// The options are read before Qt starts, so that --help and --version need no display.
radioprog::gui::StartOptions StartOptionsFrom(const radioprog::DesktopCommandLine& line) {
    radioprog::gui::StartOptions options;
    options.appDir = line.appDir;
    options.demo = line.demo;
    options.file = QString::fromStdString(line.file.value_or(""));
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    using radioprog::DesktopCommandLine;
    const radioprog::Language language = radioprog::LanguageOfEnvironment();
    const DesktopCommandLine line = radioprog::ParseDesktopCommandLine(
        std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), language);
    switch (line.action) {
        case DesktopCommandLine::Action::Help:
            std::fputs(radioprog::DesktopHelp(language).c_str(), stdout);
            return 0;
        case DesktopCommandLine::Action::Version:
            std::puts(radioprog::VersionLine("radioprog").c_str());
            return 0;
        case DesktopCommandLine::Action::Error: {
            const radioprog::BilingualText more{"Try 'radioprog --help' for more information.",
                                                "请用“radioprog --help”查看更多信息。"};
            std::fprintf(stderr, "radioprog: %s\n%s\n", line.error.c_str(),
                         std::string(more.In(language)).c_str());
            return kExitUsage;
        }
        case DesktopCommandLine::Action::Run:
            break;
    }
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(RADIOPROG_APP_ID);
    radioprog::gui::CProgramApp app(StartOptionsFrom(line));
    if (!app.Start()) {
        return 0;
    }
    const int result = QApplication::exec();
    app.Exit();
    return result;
}
