#include "cli_common.h"

#include <algorithm>
#include <iostream>

#include "core/base/app_directory.h"
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
    Status opened = IsStandardStream(file) ? OpenStandardInput(context, doc)
                                           : doc.OnOpenDocument(file, context);
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

Status SaveDocument(CProgramDoc& doc, const std::string& output, const AppContext& context) {
    if (!IsStandardStream(output)) {
        return doc.OnSaveDocument(output, context);
    }
    doc.StoreTexts(context.band);
    return WriteOutput(output, doc.image(), context.language);
}

Status OpenStandardInput(AppContext& context, CProgramDoc& doc) {
    FileStart start;
    char chunk[4096];
    while (std::cin.read(chunk, sizeof chunk) || std::cin.gcount() > 0) {
        const auto got = static_cast<std::size_t>(std::cin.gcount());
        const std::size_t kept =
            std::min(got, image::kSize - std::min(image::kSize, start.bytes.size()));
        start.bytes.append(chunk, kept);
        start.size += got;
    }
    if (std::cin.bad()) {
        return Status::Error(
            CannotOpen(kStandardStream, "standard input could not be read", context.language));
    }
    return doc.OnOpenDocument(start, kStandardStream, context);
}

}  // namespace radioprog::cli
