#include <memory>

#include "commands.h"
#include "core/doc/grid_refresh.h"
#include "core/doc/program_doc.h"
#include "core/radio/text_grid.h"
#include "password_source.h"

namespace radioprog::cli {
namespace {

struct NewOptions {
    std::string output;
    PasswordSource password;
};

// What the program writes for New followed at once by Save: the grid is filled from the new
// image first, so the per-user Type/Field values reach it, then stored back.
int RunNew(const GlobalOptions& global, const NewOptions& options) {
    auto context = MakeContext(global, std::nullopt);
    context->link.loginPassword = LoginPassword(options.password, context->language);
    CProgramDoc doc;
    doc.OnNewDocument(*context);
    RefreshGridFromImage(doc, *context);
    if (Status saved = SaveDocument(doc, options.output, *context); !saved) {
        Report(saved.message());
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace

Subcommand AddNewCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<NewOptions>();
    CLI::App* sub = app.add_subcommand("new", "Write the memory of a new document to a .dat file");
    sub->add_option("-o,--output", options->output,
                    "The .dat file to write (- for standard output)")
        ->required();
    AddPasswordOptions(*sub, options->password,
                       "Login password (up to six digits), kept as the Admin password");
    return {sub, [&global, options] { return RunNew(global, *options); }};
}

}  // namespace radioprog::cli
