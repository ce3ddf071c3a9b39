#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "commands.h"
#include "core/doc/about_texts.h"
#include "core/report/report_layout.h"
#include "gui/view/report_renderer.h"
#include "standard_streams.h"

namespace radioprog::cli {
namespace {

struct ReportOptions {
    std::string file;
    std::string output;
    std::optional<std::string> lang;
};

// Without XDG_RUNTIME_DIR Qt takes runtime-<user> in the temporary folder and says so on
// stderr, where a script expects only the tool's own messages. The same folder, made private
// here, keeps it quiet; one that is not private stays unset, so that Qt's warning tells why.
void ProvideRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        return;
    }
    const passwd* user = ::getpwuid(::geteuid());
    const std::string name = user != nullptr && user->pw_name != nullptr
                                 ? std::string(user->pw_name)
                                 : std::to_string(::geteuid());
    const std::string folder =
        (std::filesystem::path(QDir::tempPath().toStdString()) / ("runtime-" + name)).string();
    ::mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
        info.st_uid == ::geteuid() && (info.st_mode & 0777) == 0700) {
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder));
    }
}

// Fonts need a GUI application; without a display of its own the tool draws off screen.
std::unique_ptr<QGuiApplication> StartFonts() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ProvideRuntimeFolder();
    static int argc = 1;
    static char name[] = "radioprog-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The report of FILE as the desktop program prints it: the channels exactly as its grid shows
// them, the owner line from the settings of the report's language.
int RunReport(const GlobalOptions& global, const ReportOptions& options) {
    auto context = MakeContext(global, options.lang);
    if (options.lang) {
        context->languageName = *options.lang == "zh" ? "Chinese" : "English";
    }
    CProgramDoc doc;
    if (Status opened = OpenWithTexts(options.file, *context, doc); !opened) {
        Report(opened.message());
        return kExitFileError;
    }
    const auto fonts = StartFonts();
    const ReportSource source{doc.image(), doc.texts(), context->language, ReportOwner(*context)};
    PrintPageTable table;
    QByteArray pdf;
    if (!gui::ReportPdf(gui::DefaultReportPageLayout(), table, source, pdf)) {
        Report("The report could not be drawn.");
        return kExitFileError;
    }
    if (Status written = WriteOutput(
            options.output, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
            context->language);
        !written) {
        Report(written.message());
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace

Subcommand AddReportCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* sub =
        app.add_subcommand("report", "Write the printed report of a .dat file as a PDF document");
    sub->add_option("file", options->file, "The .dat file")->required();
    sub->add_option("-o,--output", options->output, "The PDF file to write (- for standard output)")
        ->required();
    sub->add_option("--lang", options->lang, "Language of the texts (default: Program.ini's)")
        ->check(CLI::IsMember({"en", "zh"}));
    return {sub, [&global, options] { return RunReport(global, *options); }};
}

}  // namespace radioprog::cli
