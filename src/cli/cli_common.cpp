#include "cli_common.h"

#include <iostream>

#include "core/doc/settings_layout.h"
#include "core/radio/channel_codec.h"

namespace radioprog::cli {

std::unique_ptr<AppContext> MakeContext(const GlobalOptions& options,
                                        const std::optional<std::string>& lang) {
    auto context = std::make_unique<AppContext>();
    if (const Status loaded =
            LoadSettings(*context, ResolveSettingsLayout(RunPlaces(options.appDir)));
        !loaded) {
        Report(loaded.message());
    }
    if (lang) {
        context->language = *lang == "zh" ? Language::Chinese : Language::English;
    }
    return context;
}

void Report(const std::string& message) {
    std::cerr << message << '\n';
}

Status OpenIntoGrid(const std::string& file, AppContext& context, CProgramDoc& doc,
                    TextGrid& grid) {
    if (Status opened = doc.OnOpenDocument(file, context); !opened) {
        return opened;
    }
    ImageToGrid(doc.image(), grid, context.band, context.language);
    return Status::Ok();
}

}  // namespace radioprog::cli
