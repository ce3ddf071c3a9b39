#include "core/doc/grid_refresh.h"

#include "core/doc/app_context.h"
#include "core/doc/program_doc.h"
#include "core/radio/channel_codec.h"
#include "core/radio/product_info.h"

namespace radioprog {
namespace {
constexpr std::string_view kTypeValue = "Type";
constexpr std::string_view kFieldValue = "Field";
}  // namespace

std::string TypeFieldKey(std::string_view setupAppName) {
    return "Software\\" + std::string(setupAppName);
}

Status ApplyTypeFieldMirror(RadioImage& image, UserStore& store, std::string_view setupAppName,
                            bool newDocument) {
    const std::string key = TypeFieldKey(setupAppName);
    if (newDocument) {
        image[image::kTypeMirror] = static_cast<std::uint8_t>(store.GetInt(key, kTypeValue, 0));
        image[image::kFieldMirror] = static_cast<std::uint8_t>(store.GetInt(key, kFieldValue, 0));
        return Status::Ok();
    }
    if (Status status = store.SetInt(key, kTypeValue, image[image::kTypeMirror]); !status) {
        return status;
    }
    return store.SetInt(key, kFieldValue, image[image::kFieldMirror]);
}

GridRefresh RefreshGridFromImage(RadioImage& image, ChannelGrid& grid, AppContext& context) {
    ImageToGrid(image, grid, context.band, context.language);
    GridRefresh refresh{.windowTitle = {},
                        .mirror = ApplyTypeFieldMirror(
                            image, context.userStore, context.SetupAppName(), context.newDocument)};
    refresh.windowTitle =
        FillFormTitle(context.TitleAppName(), context.profile.GetValue("Setup", "Type1", ""),
                      context.band, context.language);
    return refresh;
}

GridRefresh RefreshGridFromImage(CProgramDoc& doc, AppContext& context) {
    GridRefresh refresh{{}, Status::Ok()};
    doc.Synchronise([&](RadioImage& image, TextGrid& texts) {
        refresh = RefreshGridFromImage(image, texts, context);
    });
    return refresh;
}

}  // namespace radioprog
