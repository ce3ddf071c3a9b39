#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/status.h"
#include "core/doc/program_doc.h"

namespace radioprog {

struct AppContext;

/// How the document commands ask the user. The desktop program answers with its message boxes
/// and file dialogs; tests answer from a script.
class SessionQuestions {
public:
    enum class SaveAnswer { Save, Discard, Cancel };

    virtual ~SessionQuestions() = default;
    /// "All data will be Cleared!" with OK and Cancel; true for OK.
    virtual bool ConfirmClear() = 0;
    /// "Save changes?" with Yes, No and Cancel.
    virtual SaveAnswer AskSaveChanges() = 0;
    /// The file to save to, proposing @p proposed; nothing when the user cancelled.
    virtual std::optional<std::filesystem::path> AskSaveName(
        const std::filesystem::path& proposed) = 0;
    /// The file to open; nothing when the user cancelled.
    virtual std::optional<std::filesystem::path> AskOpenName() = 0;
    /// Something failed; @p message says what and why.
    virtual void ShowProblem(const std::string& message) = 0;
};

/// The channel window as the document commands see it.
class SessionWindow {
public:
    virtual ~SessionWindow() = default;
    /// The document of the channel window, shown or hidden; null before the first one.
    virtual CProgramDoc* Document() = 0;
    /// Whether the channel window is on screen (a closed one is only hidden).
    virtual bool DocumentShown() const = 0;
    virtual bool TransferRunning() const = 0;
    /// Commits the cell whose in-place editor is open, as every command does first.
    virtual void CommitOpenEdit() = 0;
    /// Brings the hidden channel window back, so that the user sees what is being saved.
    virtual void ShowDocument() = 0;
};

/// The order of the questions of New, Open, Save, Exit and the restart for a new language, and
/// when Save needs a name: the rules of the desktop program's document commands, without a
/// window.
class DocumentSession {
public:
    DocumentSession(AppContext& context, SessionWindow& window, SessionQuestions& questions);

    /// New: when a channel window is shown, "All data will be Cleared!" first, then the
    /// changed document is offered for saving. The new document, or null when the user kept
    /// the old one.
    std::unique_ptr<CProgramDoc> New();
    /// Whether the document may give way to another one now: never during a transfer; a changed
    /// document is offered for saving first.
    bool MayReplace();
    /// Open: the changed document is offered for saving, then a file is asked for and opened.
    /// Null when the user stopped or the file could not be opened (said already).
    std::unique_ptr<CProgramDoc> Open();
    /// Opens @p path as a new document; null, with the reason said, when it cannot be opened.
    std::unique_ptr<CProgramDoc> OpenFile(const std::filesystem::path& path);
    /// Saves the shown document; @p saveAs asks for a name even when it has one.
    bool Save(bool saveAs);
    /// Whether a document that differs from its file may be dropped: "Save changes?", and Yes
    /// saves it. True when there is nothing to lose.
    bool MaybeSave();
    /// Whether the program may end now: never during a transfer; a restart has offered the
    /// document for saving already.
    bool MayExit(bool restarting);

    /// Where Save writes without asking: @p pathName when it is an existing file given by a
    /// full path; nothing when Save has to ask for a name (a new document, Save As).
    static std::optional<std::filesystem::path> SaveTarget(const std::filesystem::path& pathName,
                                                           bool saveAs);
    /// A name chosen in a save dialog: @p extension (".dat", ".pdf") is added when it has none.
    static std::filesystem::path WithExtension(std::filesystem::path chosen,
                                               std::string_view extension);
    /// The name an export (PDF, CSV) proposes: the document's file with @p extension instead of
    /// its own, in the document's folder when it has one.
    static std::filesystem::path ExportName(const std::filesystem::path& pathName,
                                            std::string_view extension);

private:
    AppContext& m_context;
    SessionWindow& m_window;
    SessionQuestions& m_questions;
};

/// What ends the restart for a new language, for the window to say.
enum class RestartEnd {
    Restarting,         ///< the new instance runs; this one must close now
    SettingsNotStored,  ///< the language could not be stored; the program runs on
    KeptRunning,        ///< the user kept the document; the language comes with the next start
    StartFailed,        ///< the new instance could not be started; the program runs on
};

struct RestartResult {
    RestartEnd end = RestartEnd::Restarting;
    std::string detail;  ///< why, for SettingsNotStored and StartFailed
    Status roleStored =
        Status::Ok();  ///< whether the access role could be kept for the new instance
};

/// After a change of language: the settings file is written first, so that the choice survives
/// whatever follows; the document is offered for saving; the access role is stored for the new
/// instance's Login; then @p start starts the new instance. Once it runs, this instance stops
/// writing the settings file back.
RestartResult RestartForLanguage(AppContext& context, DocumentSession& session,
                                 const std::function<Status()>& start);

}  // namespace radioprog
