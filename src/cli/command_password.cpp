#include <iostream>
#include <memory>

#include "commands.h"
#include "core/link/password_service.h"
#include "link_options.h"

namespace radioprog::cli {
namespace {

struct PasswordOptions {
    LinkOptions link;
    std::string userPassword;
};

int ExitCodeFor(const PasswordResult& result) {
    switch (result.result) {
        case PasswordExchange::Done:
        case PasswordExchange::ModifySuccess:
            return kExitOk;
        case PasswordExchange::CouldNotOpenPort:
            return kExitPortError;
        case PasswordExchange::NoAck:
            return kExitCommunicationError;
        case PasswordExchange::PasswordError:
            return kExitPasswordError;
        case PasswordExchange::InvalidPassword:
            return kExitRefused;
    }
    return kExitCommunicationError;
}

int ReportResult(const PasswordResult& result, Language language) {
    const std::string message = PasswordMessage(result.result, language);
    if (!message.empty()) {
        Report(message);
    }
    if (!result.detail.empty()) {
        Report(result.detail);
    }
    return ExitCodeFor(result);
}

int RunQuery(const GlobalOptions& global, const PasswordOptions& options) {
    auto context = MakeContext(global, std::nullopt);
    auto session = StartSession(options.link, *context);
    RadioImage image = NewRadioImage(context->link.loginPassword);
    const PasswordResult result = OnQuery(session->opener(), context->link, image);
    if (result.result == PasswordExchange::Done) {
        // An empty line on stdout would read as a password of no digits.
        if (HasUserPassword(image)) {
            std::cout << ShowUserPassword(image) << '\n';
        } else {
            Report(std::string(kNoUserPassword.In(context->language)));
        }
    }
    return session->Finish(ReportResult(result, context->language));
}

int RunChange(const GlobalOptions& global, const PasswordOptions& options) {
    if (!PackPassword(options.userPassword)) {
        throw UsageError("--user-password takes up to six digits");
    }
    auto context = MakeContext(global, std::nullopt);
    auto session = StartSession(options.link, *context);
    RadioImage image = NewRadioImage(context->link.loginPassword);
    return session->Finish(
        ReportResult(OnChange(session->opener(), context->link, image, options.userPassword),
                     context->language));
}

}  // namespace

std::vector<Subcommand> AddPasswordCommands(CLI::App& app, const GlobalOptions& global) {
    CLI::App* password =
        app.add_subcommand("password", "Query or change the radio's User password");
    password->require_subcommand(1);

    auto query = std::make_shared<PasswordOptions>();
    CLI::App* querySub = password->add_subcommand("query", "Print the radio's User password");
    AddLinkOptions(*querySub, query->link, false);

    auto change = std::make_shared<PasswordOptions>();
    CLI::App* changeSub = password->add_subcommand("change", "Set the radio's User password");
    AddLinkOptions(*changeSub, change->link, false);
    changeSub->add_option("--user-password", change->userPassword, "The new User password")
        ->required();

    return {{querySub, [&global, query] { return RunQuery(global, *query); }},
            {changeSub, [&global, change] { return RunChange(global, *change); }}};
}

}  // namespace radioprog::cli
