#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/base/language.h"
#include "core/base/regular_file.h"
#include "core/base/status.h"
#include "core/base/string_table.h"
#include "core/doc/document_edit.h"
#include "core/doc/undo_history.h"
#include "core/radio/band_limits.h"
#include "core/radio/channel_grid.h"
#include "core/radio/memory_image.h"
#include "core/radio/new_image.h"
#include "core/radio/packed_password.h"
#include "core/radio/text_grid.h"

namespace radioprog {

struct AppContext;

/// Told when the document changed, so that a window shows it.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    /// The channel texts or the image may differ from what is shown: after an edit, or after the
    /// texts were filled from the image.
    virtual void DocumentChanged() = 0;
    virtual void ModifiedFlagChanged(bool modified) = 0;
};

/// The document: one radio memory image, the channel texts that are its working copy in the
/// channel grid, a title and a path name. A `.dat` file is exactly the 1024 image bytes, blocks
/// 62-63 included.
///
/// Every change of the user's goes through Edit(), which says what changed and sets the
/// modified mark. Image to grid and grid to image keep the texts and the image in step
/// (Synchronise()); they are no change of the user's.
class CProgramDoc {
public:
    /// A fresh image with every default a new radio memory holds, the login password as its
    /// Admin password; the title "Channel Information" and the path name `Setup` `AppName`.
    /// Sets the new-document flag.
    bool OnNewDocument(AppContext& context);

    /// Reads the first 1024 bytes of @p path. A shorter or unreadable file, or anything but a
    /// regular file, fails with a message in the run's language and leaves the document as it
    /// was. A longer file opens; `OpenWarning` then says so. Clears the new-document flag.
    [[nodiscard]] Status OnOpenDocument(const std::filesystem::path& path, AppContext& context);
    /// Opens the bytes @p file read from somewhere else than a file (standard input), named
    /// @p path in messages; the same rules of size.
    [[nodiscard]] Status OnOpenDocument(const FileStart& file, const std::filesystem::path& path,
                                        AppContext& context);

    /// What the user should know about the file just opened, in @p language: a size other than
    /// 1024 bytes, an image that may not be a radio's (see `ImageDoubts`). Empty when it is a
    /// radio file; empty again after a save.
    std::string OpenWarning(Language language) const;
    /// True after opening a file longer than 1024 bytes, until the document is saved: saving
    /// over that file would cut it to the image's 1024 bytes.
    bool SaveWouldCutFile() const { return m_openedSize > image::kSize; }

    /// Stores the texts and the band limits in use into the image, then writes the image to
    /// @p path atomically; on failure the old file is kept and the message says why.
    [[nodiscard]] Status OnSaveDocument(const std::filesystem::path& path,
                                        const AppContext& context);

    const RadioImage& image() const { return m_image; }
    /// The channel texts as the grid shows them (rows 1-16, columns 1-8).
    const TextGrid& texts() const { return m_texts; }
    DocumentState State() const { return {m_image, m_texts.cells()}; }
    const std::string& title() const { return m_title; }
    const std::filesystem::path& pathName() const { return m_pathName; }
    bool IsModified() const { return m_modified; }
    /// The document no longer stands for the file it came from: it takes @p title, and Save
    /// asks for a name. For a backup opened to look at or restore, which must stay as it is.
    void DetachFromFile(std::string title);
    void SetModifiedFlag(bool modified);

    /// The one way the user changes the document: runs @p change on the image and the texts,
    /// then, when anything changed (a read always does), records the state before as one undo
    /// step, marks the document modified and tells the observer. Returns whether the document
    /// changed.
    using Change = std::function<void(RadioImage& image, TextGrid& texts)>;
    bool Edit(const DocumentEdit& edit, const Change& change);
    /// The same for an edit that may change the program-wide @p bandInUse too (a read, Product
    /// Information): its undo puts the band back as well.
    bool Edit(const DocumentEdit& edit, BandLimits& bandInUse, const Change& change);

    /// Takes the last edit back, @p bandInUse too when it changed it; the modified mark is
    /// cleared when the document is back where it was last saved. Returns the edit undone, or
    /// nothing when there was none.
    std::optional<DocumentEdit> Undo(BandLimits& bandInUse);
    /// Does the last undone edit again.
    std::optional<DocumentEdit> Redo(BandLimits& bandInUse);
    /// The steps: what the next undo and redo are. It ends with the document; New and Open
    /// start it afresh.
    const UndoHistory& history() const { return m_history; }

    /// Commits @p typed into cell (@p row, @p col) as closing its in-place editor does. Returns
    /// the refusal to show, if any; the cells it empties are empty already.
    std::optional<StringId> CommitCell(int row, int col, const std::string& typed,
                                       const BandLimits& bandInUse, Language language);

    /// Keeps the texts and the image in step (image to grid, grid to image, the per-user
    /// mirror): never marks the document modified.
    void Synchronise(const Change& change);
    /// Image to grid: the texts show the image, whose band limits become @p bandInUse.
    void ShowImage(BandLimits& bandInUse, Language language);
    /// Grid to image: the texts and @p bandInUse go into the image.
    void StoreTexts(const BandLimits& bandInUse);

    /// At most one observer; null to stop.
    void SetObserver(DocumentObserver* observer) { m_observer = observer; }

private:
    void Changed();
    using Step = const DocumentEdit* (UndoHistory::*)(DocumentState&, BandLimits&);
    std::optional<DocumentEdit> Travel(Step step, BandLimits& bandInUse);

    RadioImage m_image{};
    TextGrid m_texts;
    std::string m_title;
    std::filesystem::path m_pathName;
    bool m_modified = false;
    DocumentObserver* m_observer = nullptr;
    UndoHistory m_history;
    std::uintmax_t m_openedSize = image::kSize;  ///< of the file opened, until the next save
    bool m_doubtful = false;  ///< the image opened may not be a radio's, until the next save
};

}  // namespace radioprog
