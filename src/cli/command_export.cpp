#include <iostream>
#include <memory>

#include "commands.h"
#include "core/base/atomic_file.h"
#include "core/radio/csv_exchange.h"

namespace radioprog::cli {
namespace {

struct ExportOptions {
    std::string file;
    std::string output;
};

constexpr const char* kStandardOutput = "-";

// The channels exactly as the file holds them, whatever a grid would show of them.
int RunExport(const GlobalOptions& global, const ExportOptions& options) {
    auto context = MakeContext(global, std::nullopt);
    CProgramDoc doc;
    if (Status opened = doc.OnOpenDocument(options.file, *context); !opened) {
        Report(opened.message());
        return kExitFileError;
    }
    const std::string csv = ExportChannelsCsv(doc.image());
    if (options.output == kStandardOutput) {
        std::cout << csv << std::flush;
        if (!std::cout) {
            Report(
                std::string(BilingualText{"The channel file could not be written to standard "
                                          "output.",
                                          "无法将信道文件写到标准输出。"}
                                .In(context->language)));
            return kExitFileError;
        }
        return kExitOk;
    }
    if (Status written = WriteFileAtomically(options.output, csv); !written) {
        Report(written.message());
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace

Subcommand AddExportCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<ExportOptions>();
    CLI::App* sub = app.add_subcommand(
        "export", "Write the channels of a .dat file as a CSV channel file (21 columns)");
    sub->add_option("file", options->file, "The .dat file")->required();
    sub->add_option("-o,--output", options->output, "The CSV file to write; - for standard output")
        ->required();
    return {sub, [&global, options] { return RunExport(global, *options); }};
}

}  // namespace radioprog::cli
