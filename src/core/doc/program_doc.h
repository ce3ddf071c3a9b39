#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "base/language.h"
#include "base/status.h"
#include "radio/channel_grid.h"
#include "radio/memory_image.h"
#include "radio/packed_password.h"

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

    /// Reads the first 1024 bytes of @p path. A shorter or unreadable file, or anything but a
    /// regular file, fails with a message in the run's language and leaves the document as it
    /// was. A longer file opens; `OpenWarning` then says so. Clears the new-document flag.
    Status OnOpenDocument(const std::filesystem::path& path, AppContext& context);

    /// What the user should know about the file just opened, in @p language: a size other than
    /// 1024 bytes, an image that may not be a radio's (see `ImageDoubts`). Empty when it is a
    /// radio file; empty again after a save.
    std::string OpenWarning(Language language) const;
    /// True after opening a file longer than 1024 bytes, until the document is saved: saving
    /// over that file would cut it to the image's 1024 bytes.
    bool SaveWouldCutFile() const { return m_openedSize > image::kSize; }

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
    std::uintmax_t m_openedSize = image::kSize;  ///< of the file opened, until the next save
    bool m_doubtful = false;  ///< the image opened may not be a radio's, until the next save
};

/// The default image of a new document, with @p loginPassword as its Admin password.
RadioImage NewRadioImage(const PackedPassword& loginPassword);

}  // namespace radioprog
