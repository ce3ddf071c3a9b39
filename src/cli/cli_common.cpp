#include "cli_common.h"

#include <iostream>

#include "core/base/app_directory.h"

namespace radioprog::cli {

std::unique_ptr<AppContext> MakeContext(const GlobalOptions& options,
                                        const std::optional<std::string>& lang) {
    auto context = std::make_unique<AppContext>();
    LoadSettings(*context, ResolveAppDirectory(options.appDir));
    if (lang) {
        context->language = *lang == "zh" ? Language::Chinese : Language::English;
    }
    return context;
}

void Report(const std::string& message) {
    std::cerr << message << '\n';
}

Status OpenWithTexts(const std::string& file, AppContext& context, CProgramDoc& doc) {
    if (Status opened = doc.OnOpenDocument(file, context); !opened) {
        return opened;
    }
    doc.ShowImage(context.band, context.language);
    return Status::Ok();
}

}  // namespace radioprog::cli
