#include <memory>

#include "cli_observer.h"
#include "commands.h"
#include "link_options.h"
#include "standard_streams.h"

namespace radioprog::cli {
namespace {

struct ReadOptions {
    LinkOptions link;
    std::string output;
};

struct WriteOptions {
    LinkOptions link;
    std::string file;
};

// The image exactly as the radio gave it, in a new document; nothing is written unless every
// block arrived.
int RunRead(const GlobalOptions& global, const ReadOptions& options) {
    auto context = MakeContext(global, std::nullopt);
    auto session = StartSession(options.link, *context);
    CProgramDoc doc;
    doc.OnNewDocument(*context);
    CliObserver observer(context->language, options.link.retries, "Read");
    const TransferOutcome outcome = TransferImage(TransferDirection::Read, doc.image(),
                                                  session->opener(), context->link, observer);
    observer.FinishProgress();
    if (outcome.kind != TransferOutcome::Kind::Complete) {
        return ExitCodeFor(outcome);
    }
    if (Status saved = WriteOutput(options.output, doc.image()); !saved) {
        Report(saved.message());
        return kExitFileError;
    }
    return kExitOk;
}

// Blocks 0-61 of the file as they are: the file is not passed through the grid.
int RunWrite(const GlobalOptions& global, const WriteOptions& options) {
    auto context = MakeContext(global, std::nullopt);
    CProgramDoc doc;
    if (Status opened = doc.OnOpenDocument(options.file, *context); !opened) {
        Report(opened.message());
        return kExitFileError;
    }
    auto session = StartSession(options.link, *context);
    CliObserver observer(context->language, options.link.retries, "Write");
    const TransferOutcome outcome = TransferImage(TransferDirection::Write, doc.image(),
                                                  session->opener(), context->link, observer);
    observer.FinishProgress();
    return ExitCodeFor(outcome);
}

}  // namespace

Subcommand AddReadCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<ReadOptions>();
    CLI::App* sub = app.add_subcommand("read", "Read the radio's memory into a .dat file");
    AddLinkOptions(*sub, options->link, true);
    sub->add_option("-o,--output", options->output,
                    "The .dat file to write (- for standard output)")
        ->required();
    return {sub, [&global, options] { return RunRead(global, *options); }};
}

Subcommand AddWriteCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<WriteOptions>();
    CLI::App* sub = app.add_subcommand("write", "Write a .dat file into the radio's memory");
    AddLinkOptions(*sub, options->link, true);
    sub->add_option("file", options->file, "The .dat file")->required();
    return {sub, [&global, options] { return RunWrite(global, *options); }};
}

}  // namespace radioprog::cli
