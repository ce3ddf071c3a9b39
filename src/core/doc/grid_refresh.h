#pragma once

#include <string>
#include <string_view>

#include "core/base/status.h"
#include "core/radio/channel_grid.h"
#include "core/radio/memory_image.h"

namespace radioprog {

struct AppContext;
class CProgramDoc;
class UserStore;

/// The per-user key that mirrors image bytes 0x3D2-0x3D3 as the values `Type` and `Field`.
std::string TypeFieldKey(std::string_view setupAppName);

/// A new document takes `Type` and `Field` from the per-user store (0 when missing) into the
/// image; any other document writes its bytes to the store.
Status ApplyTypeFieldMirror(RadioImage& image, UserStore& store, std::string_view setupAppName,
                            bool newDocument);

/// What filling the grid from an image leaves for the window to show.
struct GridRefresh {
    std::string windowTitle;  ///< the main window's title in its fill form
    Status mirror;            ///< whether the per-user mirror could be written
};

/// Fills the grid from the image, takes the band limits in use from it, runs the Type/Field
/// mirror and builds the main window's title: everything that follows a read or an open.
GridRefresh RefreshGridFromImage(RadioImage& image, ChannelGrid& grid, AppContext& context);
/// The same for a document's texts, as a view does when it first shows them.
GridRefresh RefreshGridFromImage(CProgramDoc& doc, AppContext& context);

}  // namespace radioprog
