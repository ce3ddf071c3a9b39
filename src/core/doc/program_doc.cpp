#include "core/doc/program_doc.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "core/base/atomic_file.h"
#include "core/doc/app_context.h"
#include "core/radio/channel_codec.h"
#include "core/radio/display_texts.h"

namespace radioprog {
namespace {

std::string OpenError(const std::filesystem::path& path, std::string_view cause) {
    return "Cannot open \"" + path.string() + "\": " + std::string(cause);
}

}  // namespace

bool CProgramDoc::OnNewDocument(AppContext& context) {
    SetModifiedFlag(false);
    m_image = NewRadioImage(context.link.loginPassword);
    m_texts = TextGrid();
    m_title = std::string(texts::kChannelInformation.In(context.language));
    m_pathName = context.SetupAppName();
    context.newDocument = true;
    return true;
}

Status CProgramDoc::OnOpenDocument(const std::filesystem::path& path, AppContext& context) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return Status::Error(OpenError(path, "it is a folder"));
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Status::Error(OpenError(path, std::strerror(errno)));
    }
    RadioImage loaded{};
    file.read(reinterpret_cast<char*>(loaded.data()), static_cast<std::streamsize>(loaded.size()));
    const auto got = file.gcount();
    if (file.bad()) {
        return Status::Error(OpenError(path, "the file could not be read"));
    }
    if (got < static_cast<std::streamsize>(loaded.size())) {
        return Status::Error(
            OpenError(path, "it holds " + std::to_string(got) + " bytes, a radio file holds 1024"));
    }
    m_image = loaded;
    m_texts = TextGrid();
    m_pathName = path;
    m_title = path.filename().string();
    SetModifiedFlag(false);
    context.newDocument = false;
    Changed();
    return Status::Ok();
}

Status CProgramDoc::OnSaveDocument(const std::filesystem::path& path, const AppContext& context) {
    StoreTexts(context.band);
    if (Status status = WriteFileAtomically(path, m_image); !status) {
        return status;
    }
    m_pathName = path;
    m_title = path.filename().string();
    SetModifiedFlag(false);
    return Status::Ok();
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
    const DocumentState before = State();
    change(m_image, m_texts);
    const bool changed = edit.kind == DocumentEdit::Kind::Read || State() != before;
    if (changed) {
        SetModifiedFlag(true);
        Changed();
    }
    return changed;
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

}  // namespace radioprog
