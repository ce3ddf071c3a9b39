#include "cli_common.h"

#include <iostream>

#include "core/doc/settings_layout.h"
#include "core/radio/channel_codec.h"
#include "standard_streams.h"

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

std::string ExitCodeList(Language language) {
    std::string list(BilingualText{"Exit codes:", "退出码："}.In(language));
    list += '\n';
    for (const ExitCodeMeaning& code : kExitCodes) {
        list += "  " + std::to_string(code.number) + "  " + std::string(code.meaning.In(language)) +
                '\n';
    }
    return list;
}

void Report(const std::string& message) {
    std::cerr << message << '\n';
}

Status OpenIntoGrid(const std::string& file, AppContext& context, CProgramDoc& doc,
                    TextGrid& grid) {
    if (Status opened = doc.OnOpenDocument(InputPath(file), context); !opened) {
        return opened;
    }
    ImageToGrid(doc.image(), grid, context.band, context.language);
    return Status::Ok();
}

Status SaveDocument(CProgramDoc& doc, const std::string& output, const ChannelGrid& grid,
                    const AppContext& context) {
    if (!IsStandardStream(output)) {
        return doc.OnSaveDocument(output, grid, context);
    }
    GridToImage(grid, context.band, doc.image());
    return WriteOutput(output, doc.image());
}

}  // namespace radioprog::cli
