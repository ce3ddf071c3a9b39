#include "cli_common.h"

#include <iostream>

#include "core/base/app_directory.h"

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
    if (options.systemRoot) {
        context->system = SystemRoots::Under(*options.systemRoot);
    }
    if (Status store = context->userStore.Check(context->language); !store) {
        throw FileError(store.message());
    }
    return context;
}

void Report(const std::string& message) {
    std::cerr << message << '\n';
}

std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

std::string Padded(const std::string& text, std::size_t width) {
    const std::size_t shown = DisplayWidth(text);
    return text + std::string(width > shown ? width - shown : 0, ' ');
}

Status OpenDocument(const std::string& file, AppContext& context, CProgramDoc& doc) {
    Status opened = doc.OnOpenDocument(file, context);
    if (const std::string warning = doc.OpenWarning(context.language); opened && !warning.empty()) {
        Report(warning);
    }
    return opened;
}

Status OpenWithTexts(const std::string& file, AppContext& context, CProgramDoc& doc) {
    if (Status opened = OpenDocument(file, context, doc); !opened) {
        return opened;
    }
    doc.ShowImage(context.band, context.language);
    return Status::Ok();
}

}  // namespace radioprog::cli
