#include "cli_common.h"

#include <iostream>

#include "base/app_directory.h"
#include "radio/channel_codec.h"

namespace radioprog::cli {

std::unique_ptr<AppContext> MakeContext(const GlobalOptions& options,
                                        const std::optional<std::string>& lang) {
    auto context = std::make_unique<AppContext>();
    if (Status loaded = LoadSettings(*context, ResolveAppDirectory(options.appDir)); !loaded) {
        throw FileError(loaded.message());
    }
    if (lang) {
        context->language = *lang == "zh" ? Language::Chinese : Language::English;
    }
    if (Status store = context->userStore.Check(context->language); !store) {
        throw FileError(store.message());
    }
    return context;
}

void Report(const std::string& message) {
    std::cerr << message << '\n';
}

Status OpenDocument(const std::string& file, AppContext& context, CProgramDoc& doc) {
    Status opened = doc.OnOpenDocument(file, context);
    if (const std::string warning = doc.OpenWarning(context.language); opened && !warning.empty()) {
        Report(warning);
    }
    return opened;
}

Status OpenIntoGrid(const std::string& file, AppContext& context, CProgramDoc& doc,
                    TextGrid& grid) {
    if (Status opened = OpenDocument(file, context, doc); !opened) {
        return opened;
    }
    ImageToGrid(doc.image(), grid, context.band, context.language);
    return Status::Ok();
}

}  // namespace radioprog::cli
