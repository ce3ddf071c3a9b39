#include "core/doc/document_session.h"

#include <system_error>

#include "core/doc/app_context.h"

namespace radioprog {

DocumentSession::DocumentSession(AppContext& context, SessionWindow& window,
                                 SessionQuestions& questions)
    : m_context(context), m_window(window), m_questions(questions) {}

std::unique_ptr<CProgramDoc> DocumentSession::New() {
    if (m_window.TransferRunning()) {
        return nullptr;
    }
    if (m_window.DocumentShown() && !m_questions.ConfirmClear()) {
        return nullptr;
    }
    if (!MaybeSave()) {
        return nullptr;
    }
    auto doc = std::make_unique<CProgramDoc>();
    doc->OnNewDocument(m_context);
    return doc;
}

bool DocumentSession::MayReplace() {
    return !m_window.TransferRunning() && MaybeSave();
}

std::unique_ptr<CProgramDoc> DocumentSession::Open() {
    if (!MayReplace()) {
        return nullptr;
    }
    const std::optional<std::filesystem::path> path = m_questions.AskOpenName();
    return path ? OpenFile(*path) : nullptr;
}

std::unique_ptr<CProgramDoc> DocumentSession::OpenFile(const std::filesystem::path& path) {
    auto doc = std::make_unique<CProgramDoc>();
    if (Status opened = doc->OnOpenDocument(path, m_context); !opened) {
        m_questions.ShowProblem(opened.message());
        return nullptr;
    }
    return doc;
}

bool DocumentSession::Save(bool saveAs) {
    CProgramDoc* doc = m_window.Document();
    if (!doc || !m_window.DocumentShown()) {
        return false;
    }
    // A file of another size than a radio file's is never cut by Save: it takes a new name.
    std::optional<std::filesystem::path> path =
        SaveTarget(doc->pathName(), saveAs || doc->SaveWouldCutFile());
    if (!path) {
        path = m_questions.AskSaveName(doc->pathName());
        if (!path) {
            return false;
        }
        path = WithExtension(*path, ".dat");
    }
    m_window.CommitOpenEdit();
    if (Status saved = doc->OnSaveDocument(*path, m_context); !saved) {
        m_questions.ShowProblem(saved.message());
        return false;
    }
    return true;
}

bool DocumentSession::MaybeSave() {
    CProgramDoc* doc = m_window.Document();
    if (!doc || !doc->IsModified()) {
        return true;
    }
    switch (m_questions.AskSaveChanges()) {
        case SessionQuestions::SaveAnswer::Cancel:
            return false;
        case SessionQuestions::SaveAnswer::Discard:
            return true;
        case SessionQuestions::SaveAnswer::Save:
            break;
    }
    m_window.ShowDocument();
    return Save(false);
}

bool DocumentSession::MayExit(bool restarting) {
    if (m_window.TransferRunning()) {
        return false;
    }
    return restarting || MaybeSave();
}

std::optional<std::filesystem::path> DocumentSession::SaveTarget(
    const std::filesystem::path& pathName, bool saveAs) {
    std::error_code ignored;
    if (saveAs || !pathName.is_absolute() || !std::filesystem::exists(pathName, ignored)) {
        return std::nullopt;
    }
    return pathName;
}

// A name that ends in a dot has an empty extension too.
std::filesystem::path DocumentSession::WithExtension(std::filesystem::path chosen,
                                                     std::string_view extension) {
    const std::string name = chosen.filename().string();
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 == name.size()) {
        chosen += extension;
    }
    return chosen;
}

// The base name ends at the last dot: "radio.v2.dat" proposes "radio.v2.pdf".
std::filesystem::path DocumentSession::ExportName(const std::filesystem::path& pathName,
                                                  std::string_view extension) {
    const std::string name = pathName.filename().string();
    const std::size_t dot = name.rfind('.');
    const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    const std::filesystem::path file = base + std::string(extension);
    return pathName.is_absolute() ? pathName.parent_path() / file : file;
}

RestartResult RestartForLanguage(AppContext& context, DocumentSession& session,
                                 const std::function<Status()>& start) {
    RestartResult result;
    if (Status written = context.profile.Save(false).status; !written) {
        result.end = RestartEnd::SettingsNotStored;
        result.detail = written.message();
        return result;
    }
    if (!session.MaybeSave()) {
        result.end = RestartEnd::KeptRunning;
        return result;
    }
    result.roleStored = StoreAccessRole(context);
    if (Status started = start(); !started) {
        result.end = RestartEnd::StartFailed;
        result.detail = started.message();
        return result;
    }
    // From here on the settings file belongs to the new instance.
    context.profile.StopWriteBack();
    return result;
}

}  // namespace radioprog
