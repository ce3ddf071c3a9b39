#include "core/doc/program_doc.h"

#include <algorithm>

#include "core/base/atomic_file.h"
#include "core/base/regular_file.h"
#include "core/doc/app_context.h"
#include "core/radio/channel_codec.h"
#include "core/radio/display_texts.h"
#include "core/radio/image_doubts.h"

namespace radioprog {
namespace {

std::string TooShort(const std::filesystem::path& path, std::size_t size, Language language) {
    const std::string bytes = std::to_string(size);
    return CannotOpen(path,
                      language == Language::Chinese
                          ? "它只有 " + bytes + " 字节，对讲机文件为 1024 字节"
                          : "it holds " + bytes + " bytes, a radio file holds 1024",
                      language);
}

std::string TooLong(const std::filesystem::path& path, std::uintmax_t size, Language language) {
    const std::string bytes = std::to_string(size);
    if (language == Language::Chinese) {
        return "“" + path.string() + "”有 " + bytes +
               " 字节；对讲机文件为 1024 字节；只使用前 1024 字节";
    }
    return "\"" + path.string() + "\" holds " + bytes +
           " bytes; a radio file holds 1024; only the first 1024 are used";
}

}  // namespace

bool CProgramDoc::OnNewDocument(AppContext& context) {
    SetModifiedFlag(false);
    m_openedSize = image::kSize;
    m_doubtful = false;
    m_image = NewRadioImage(context.link.loginPassword);
    m_texts = TextGrid();
    m_history.Clear();
    m_title = std::string(texts::kChannelInformation.In(context.language));
    m_pathName = context.SetupAppName();
    context.newDocument = true;
    return true;
}

Status CProgramDoc::OnOpenDocument(const std::filesystem::path& path, AppContext& context) {
    FileStart file;
    if (Status read = ReadRegularFile(path, image::kSize, context.language, file); !read) {
        return read;
    }
    return OnOpenDocument(file, path, context);
}

Status CProgramDoc::OnOpenDocument(const FileStart& file, const std::filesystem::path& path,
                                   AppContext& context) {
    if (file.bytes.size() < image::kSize) {
        return Status::Error(TooShort(path, file.bytes.size(), context.language));
    }
    std::copy(file.bytes.begin(), file.bytes.end(), m_image.begin());
    m_openedSize = file.size;
    m_doubtful = !ImageDoubts(m_image, context.language).empty();
    m_texts = TextGrid();
    m_history.Clear();
    m_pathName = path;
    m_title = path.filename().string();
    SetModifiedFlag(false);
    context.newDocument = false;
    Changed();
    return Status::Ok();
}

Status CProgramDoc::OnSaveDocument(const std::filesystem::path& path, const AppContext& context) {
    StoreTexts(context.band);
    if (Status status = WriteFileAtomically(path, m_image, context.language); !status) {
        return status;
    }
    m_pathName = path;
    m_title = path.filename().string();
    m_openedSize = image::kSize;
    m_doubtful = false;
    m_history.MarkSaved();
    SetModifiedFlag(false);
    return Status::Ok();
}

std::string CProgramDoc::OpenWarning(Language language) const {
    std::string warning =
        m_openedSize != image::kSize ? TooLong(m_pathName, m_openedSize, language) : "";
    const std::string doubt =
        m_doubtful ? RadioFileDoubt(m_pathName.string(), m_image, language) : "";
    if (!doubt.empty()) {
        warning += (warning.empty() ? "" : "\n") + doubt;
    }
    return warning;
}

void CProgramDoc::SetModifiedFlag(bool modified) {
    if (modified == m_modified) {
        return;
    }
    m_modified = modified;
    if (m_observer) {
        m_observer->ModifiedFlagChanged(modified);
    }
}

bool CProgramDoc::Edit(const DocumentEdit& edit, const Change& change) {
    DocumentState before = State();
    change(m_image, m_texts);
    const bool changed = edit.kind == DocumentEdit::Kind::Read || State() != before;
    if (changed) {
        m_history.Record(edit, std::move(before));
        SetModifiedFlag(true);
        Changed();
    }
    return changed;
}

bool CProgramDoc::Edit(const DocumentEdit& edit, BandLimits& bandInUse, const Change& change) {
    DocumentState before = State();
    const BandLimits bandBefore = bandInUse;
    change(m_image, m_texts);
    const bool changed =
        edit.kind == DocumentEdit::Kind::Read || State() != before || bandInUse != bandBefore;
    if (changed) {
        m_history.Record(edit, std::move(before), bandBefore);
        SetModifiedFlag(true);
        Changed();
    }
    return changed;
}

std::optional<DocumentEdit> CProgramDoc::Travel(Step step, BandLimits& bandInUse) {
    DocumentState state = State();
    const DocumentEdit* edit = (m_history.*step)(state, bandInUse);
    if (!edit) {
        return std::nullopt;
    }
    const DocumentEdit travelled = *edit;
    m_image = state.image;
    m_texts.SetCells(state.texts);
    SetModifiedFlag(m_history.Modified());
    Changed();
    return travelled;
}

std::optional<DocumentEdit> CProgramDoc::Undo(BandLimits& bandInUse) {
    return Travel(&UndoHistory::Undo, bandInUse);
}

std::optional<DocumentEdit> CProgramDoc::Redo(BandLimits& bandInUse) {
    return Travel(&UndoHistory::Redo, bandInUse);
}

std::optional<StringId> CProgramDoc::CommitCell(int row, int col, const std::string& typed,
                                                const BandLimits& bandInUse, Language language) {
    std::optional<StringId> refusal;
    Edit(DocumentEdit::OfCell(row, col), [&](RadioImage&, TextGrid& texts) {
        texts.SetCurrentCell(row, col);
        texts.OpenEditor(typed);
        refusal = CommitEditedCell(texts, bandInUse, language);
    });
    return refusal;
}

void CProgramDoc::Synchronise(const Change& change) {
    change(m_image, m_texts);
    Changed();
}

void CProgramDoc::ShowImage(BandLimits& bandInUse, Language language) {
    Synchronise([&](RadioImage& image, TextGrid& texts) {
        ImageToGrid(image, texts, bandInUse, language);
    });
}

void CProgramDoc::StoreTexts(const BandLimits& bandInUse) {
    Synchronise([&](RadioImage& image, TextGrid& texts) { GridToImage(texts, bandInUse, image); });
}

void CProgramDoc::Changed() {
    if (m_observer) {
        m_observer->DocumentChanged();
    }
}

void CProgramDoc::DetachFromFile(std::string title) {
    m_title = std::move(title);
    m_pathName.clear();
}

}  // namespace radioprog
