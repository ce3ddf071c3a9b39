#pragma once

#include <filesystem>
#include <string>

#include "core/base/status.h"
#include "core/radio/channel_grid.h"
#include "core/radio/memory_image.h"
#include "core/radio/new_image.h"

namespace radioprog {

struct AppContext;

/// The document: one radio memory image with its title and path name. A `.dat` file is exactly
/// the 1024 image bytes, blocks 62-63 included.
class CProgramDoc {
public:
    /// A fresh image with every default a new radio memory holds, the login password as its
    /// Admin password; the title "Channel Information" and the path name `Setup` `AppName`.
    /// Sets the new-document flag.
    bool OnNewDocument(AppContext& context);

    /// Reads the first 1024 bytes of @p path. A shorter or unreadable file fails with a message
    /// and leaves the document as it was. Clears the new-document flag.
    Status OnOpenDocument(const std::filesystem::path& path, AppContext& context);

    /// Stores the grid's texts and the band limits in use into the image, then writes the image
    /// to @p path atomically; on failure the old file is kept and the message says why.
    Status OnSaveDocument(const std::filesystem::path& path, const ChannelGrid& grid,
                          const AppContext& context);

    RadioImage& image() { return m_image; }
    const RadioImage& image() const { return m_image; }
    const std::string& title() const { return m_title; }
    const std::filesystem::path& pathName() const { return m_pathName; }
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified) { m_modified = modified; }

private:
    RadioImage m_image{};
    std::string m_title;
    std::filesystem::path m_pathName;
    bool m_modified = false;
};

}  // namespace radioprog
