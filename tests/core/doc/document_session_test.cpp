#include "core/doc/document_session.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "../../support/temp_dir.h"
#include "core/doc/app_context.h"
#include "core/doc/document_commands.h"

namespace radioprog {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;
using SaveAnswer = SessionQuestions::SaveAnswer;

// Answers from a script and writes down every question in the order asked.
class ScriptedQuestions : public SessionQuestions {
public:
    bool ConfirmClear() override {
        asked.push_back("clear");
        return clearAnswer;
    }
    SaveAnswer AskSaveChanges() override {
        asked.push_back("save changes");
        return saveAnswer;
    }
    std::optional<std::filesystem::path> AskSaveName(
        const std::filesystem::path& proposed) override {
        asked.push_back("save name " + proposed.string());
        return saveName;
    }
    std::optional<std::filesystem::path> AskOpenName() override {
        asked.push_back("open name");
        return openName;
    }
    void ShowProblem(const std::string& message) override { asked.push_back("problem " + message); }

    bool clearAnswer = true;
    SaveAnswer saveAnswer = SaveAnswer::Discard;
    std::optional<std::filesystem::path> saveName;
    std::optional<std::filesystem::path> openName;
    std::vector<std::string> asked;
};

class FakeWindow : public SessionWindow {
public:
    CProgramDoc* Document() override { return doc.get(); }
    bool DocumentShown() const override { return doc && shown; }
    bool TransferRunning() const override { return transfer; }
    void CommitOpenEdit() override { ++commits; }
    void ShowDocument() override { shown = true; }

    std::unique_ptr<CProgramDoc> doc;
    bool shown = true;
    bool transfer = false;
    int commits = 0;
};

class DocumentSessionTest : public ::testing::Test {
protected:
    DocumentSessionTest() : m_context(m_dir / "user.ini") {
        WriteText(m_dir / "Program.ini", "[Setup]\nLanguage=English\nAppName=radio\n");
        EXPECT_TRUE(LoadSettings(m_context, m_dir.path()));
    }
    void ShowNewDocument(bool modified) {
        m_window.doc = std::make_unique<CProgramDoc>();
        m_window.doc->OnNewDocument(m_context);
        m_window.doc->SetModifiedFlag(modified);
    }

    TempDir m_dir;
    AppContext m_context;
    FakeWindow m_window;
    ScriptedQuestions m_questions;
    DocumentSession m_session{m_context, m_window, m_questions};
};

TEST_F(DocumentSessionTest, NewAsksToClearThenToSaveAndStopsAtEitherCancel) {
    const struct {
        bool shown;
        bool modified;
        bool clear;
        SaveAnswer save;
        std::vector<std::string> asked;
        bool replaced;
    } cases[] = {
        {true, false, true, SaveAnswer::Cancel, {"clear"}, true},
        {true, false, false, SaveAnswer::Discard, {"clear"}, false},
        {true, true, true, SaveAnswer::Discard, {"clear", "save changes"}, true},
        {true, true, true, SaveAnswer::Cancel, {"clear", "save changes"}, false},
        // A hidden channel window is not cleared in the user's face, but its changes count.
        {false, true, true, SaveAnswer::Discard, {"save changes"}, true},
        {false, false, true, SaveAnswer::Cancel, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.asked));
        ShowNewDocument(c.modified);
        m_window.shown = c.shown;
        m_questions.asked.clear();
        m_questions.clearAnswer = c.clear;
        m_questions.saveAnswer = c.save;
        const auto doc = m_session.New();
        EXPECT_EQ(m_questions.asked, c.asked);
        EXPECT_EQ(doc != nullptr, c.replaced);
    }
}

TEST_F(DocumentSessionTest, NothingIsAskedOrMadeWhileATransferRuns) {
    ShowNewDocument(true);
    m_window.transfer = true;
    EXPECT_EQ(m_session.New(), nullptr);
    EXPECT_EQ(m_session.Open(), nullptr);
    EXPECT_FALSE(m_session.MayExit(false));
    EXPECT_FALSE(m_session.MayExit(true));
    EXPECT_TRUE(m_questions.asked.empty());
}

TEST_F(DocumentSessionTest, YesToSaveChangesOfANewDocumentAsksForANameAndAddsTheExtension) {
    ShowNewDocument(true);
    m_window.shown = false;
    m_questions.saveAnswer = SaveAnswer::Save;
    m_questions.saveName = m_dir / "kept";
    EXPECT_TRUE(m_session.MayExit(false));
    EXPECT_EQ(m_questions.asked, (std::vector<std::string>{"save changes", "save name radio"}));
    EXPECT_TRUE(m_window.shown);  // the user sees what is being saved
    EXPECT_EQ(m_window.commits, 1);
    EXPECT_EQ(ReadText(m_dir / "kept.dat").size(), 1024u);
    EXPECT_FALSE(m_window.doc->IsModified());
    EXPECT_EQ(m_window.doc->title(), "kept.dat");

    // Cancel in the Save As dialog keeps the program running with its changes.
    ShowNewDocument(true);
    m_questions.asked.clear();
    m_questions.saveName.reset();
    EXPECT_FALSE(m_session.MayExit(false));
    EXPECT_TRUE(m_window.doc->IsModified());
    // A restart has offered the document already.
    m_questions.asked.clear();
    EXPECT_TRUE(m_session.MayExit(true));
    EXPECT_TRUE(m_questions.asked.empty());
}

TEST_F(DocumentSessionTest, SaveAsksForANameOnlyWhenTheDocumentHasNoFileOrSaveAsWasChosen) {
    WriteText(m_dir / "there.dat", std::string(1024, '\0'));
    const struct {
        std::filesystem::path pathName;
        bool saveAs;
        bool asks;
    } cases[] = {
        {m_dir / "there.dat", false, false},
        {m_dir / "there.dat", true, true},
        {m_dir / "gone.dat", false, true},
        {"there.dat", false, true},  // not a full path
        {"", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pathName.string() + (c.saveAs ? " as" : ""));
        EXPECT_EQ(DocumentSession::SaveTarget(c.pathName, c.saveAs).has_value(), !c.asks);
    }

    const struct {
        const char* chosen;
        const char* saved;
    } names[] = {
        {"a", "a.dat"},
        {"a.bin", "a.bin"},
        {"a.", "a..dat"},
        {"dir.x/a", "dir.x/a.dat"},
    };
    for (const auto& n : names) {
        EXPECT_EQ(DocumentSession::WithExtension(n.chosen, ".dat"), n.saved);
    }
    EXPECT_EQ(DocumentSession::WithExtension("report", ".pdf"), "report.pdf");
}

TEST(ExportName, IsTheDocumentsNameWithTheExportsExtensionBesideItsFile) {
    const struct {
        const char* pathName;
        const char* proposed;
    } cases[] = {
        {"/home/tech/radio.dat", "/home/tech/radio.pdf"},
        {"/home/tech/radio.v2.dat", "/home/tech/radio.v2.pdf"},
        {"/home/tech/noext", "/home/tech/noext.pdf"},
        {"radioprog", "radioprog.pdf"},  // a new document's name, no folder yet
        {"", ".pdf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DocumentSession::ExportName(c.pathName, ".pdf"), c.proposed) << c.pathName;
    }
}

TEST_F(DocumentSessionTest, SaveNeverCutsALongerFileItAsksForANewName) {
    WriteText(m_dir / "big.dat", std::string(2000, '\x11'));
    m_window.doc = std::make_unique<CProgramDoc>();
    ASSERT_TRUE(m_window.doc->OnOpenDocument(m_dir / "big.dat", m_context));
    m_questions.saveName = m_dir / "radio";
    EXPECT_TRUE(m_session.Save(false));
    EXPECT_EQ(m_questions.asked,
              std::vector<std::string>{"save name " + (m_dir / "big.dat").string()});
    EXPECT_EQ(ReadText(m_dir / "big.dat").size(), 2000u);
    EXPECT_EQ(ReadText(m_dir / "radio.dat").size(), 1024u);
    // Saved as a radio file, it is one: the next Save writes without asking.
    m_questions.asked.clear();
    EXPECT_TRUE(m_session.Save(false));
    EXPECT_TRUE(m_questions.asked.empty());
}

TEST_F(DocumentSessionTest, AFailedSaveOrOpenIsSaidAndKeepsWhatThereWas) {
    ShowNewDocument(true);
    std::filesystem::create_directories(m_dir / "taken.dat");
    m_questions.saveName = m_dir / "taken.dat";
    EXPECT_FALSE(m_session.Save(true));
    ASSERT_EQ(m_questions.asked.size(), 2u);
    EXPECT_NE(m_questions.asked[1].find("problem "), std::string::npos);
    EXPECT_NE(m_questions.asked[1].find("taken.dat"), std::string::npos);
    EXPECT_TRUE(m_window.doc->IsModified());

    m_questions.asked.clear();
    m_questions.saveAnswer = SaveAnswer::Discard;
    m_questions.openName = m_dir / "missing.dat";
    EXPECT_EQ(m_session.Open(), nullptr);
    ASSERT_EQ(m_questions.asked.size(), 3u);
    EXPECT_EQ(m_questions.asked[0], "save changes");
    EXPECT_EQ(m_questions.asked[1], "open name");
    EXPECT_NE(m_questions.asked[2].find("missing.dat"), std::string::npos);
}

TEST_F(DocumentSessionTest, TheRestartStoresTheLanguageFirstAndStopsWhereTheUserOrTheSystemSays) {
    ShowNewDocument(true);
    m_context.profile.SetValue("Setup", "Language", "Chinese");
    int starts = 0;
    const auto start = [&starts] {
        ++starts;
        return Status::Ok();
    };

    m_questions.saveAnswer = SaveAnswer::Cancel;
    RestartResult result = RestartForLanguage(m_context, m_session, start);
    EXPECT_EQ(result.end, RestartEnd::KeptRunning);
    EXPECT_NE(ReadText(m_dir / "Program.ini").find("Language=Chinese"), std::string::npos);
    EXPECT_EQ(starts, 0);

    result =
        RestartForLanguage(m_context, m_session, [] { return Status::Error("no such program"); });
    EXPECT_EQ(result.end, RestartEnd::KeptRunning);
    m_questions.saveAnswer = SaveAnswer::Discard;
    result =
        RestartForLanguage(m_context, m_session, [] { return Status::Error("no such program"); });
    EXPECT_EQ(result.end, RestartEnd::StartFailed);
    EXPECT_EQ(result.detail, "no such program");

    {
        AppContext ending(m_dir / "user.ini");
        EXPECT_TRUE(LoadSettings(ending, m_dir.path()));
        ending.profile.SetValue("Setup", "Language", "Chinese");
        DocumentSession session(ending, m_window, m_questions);
        result = RestartForLanguage(ending, session, start);
        EXPECT_EQ(result.end, RestartEnd::Restarting);
        EXPECT_TRUE(result.roleStored);
        EXPECT_EQ(starts, 1);
        // The settings file belongs to the new instance now: this one's end writes nothing.
        ending.profile.SetValue("Setup", "Language", "English");
    }
    EXPECT_NE(ReadText(m_dir / "Program.ini").find("Language=Chinese"), std::string::npos);
}

TEST_F(DocumentSessionTest, ARestartWhoseLanguageCannotBeStoredStartsNothing) {
    std::filesystem::remove(m_dir / "Program.ini");
    std::filesystem::create_directories(m_dir / "Program.ini");
    m_context.profile.SetValue("Setup", "Language", "Chinese");
    bool started = false;
    const RestartResult result = RestartForLanguage(m_context, m_session, [&started] {
        started = true;
        return Status::Ok();
    });
    EXPECT_EQ(result.end, RestartEnd::SettingsNotStored);
    EXPECT_FALSE(result.detail.empty());
    EXPECT_FALSE(started);
}

TEST(DecideCommands, FollowTheDocumentTheTransferAndTheRole) {
    const CommandStates none = DecideCommands({});
    EXPECT_FALSE(none.documentMenusVisible);
    EXPECT_TRUE(none.newDocument && none.open && none.printSetup);
    EXPECT_FALSE(none.save || none.read || none.print || none.channelInformation);

    const CommandSituation shown{.documentExists = true, .documentShown = true};
    const CommandStates user = DecideCommands(shown);
    EXPECT_TRUE(user.documentMenusVisible && user.save && user.read && user.write && user.print &&
                user.optionalFeatures && user.scanInfo && user.language);
    EXPECT_FALSE(user.password);
    EXPECT_FALSE(user.passwordOffered);
    EXPECT_TRUE(user.channelEdits);
    EXPECT_FALSE(user.undo || user.redo);
    CommandSituation steps = shown;
    steps.canUndo = true;
    EXPECT_TRUE(DecideCommands(steps).undo);
    EXPECT_FALSE(DecideCommands(steps).redo);
    steps.canRedo = true;
    steps.transferRunning = true;
    EXPECT_FALSE(DecideCommands(steps).undo || DecideCommands(steps).redo ||
                 DecideCommands(steps).channelEdits);

    CommandSituation admin = shown;
    admin.role = AccessRole::Admin;
    EXPECT_TRUE(DecideCommands(admin).password);
    EXPECT_TRUE(DecideCommands(admin).passwordOffered);

    // During a transfer only what cannot disturb it stays: the document's own file commands.
    admin.transferRunning = true;
    const CommandStates busy = DecideCommands(admin);
    EXPECT_FALSE(busy.newDocument || busy.open || busy.password || busy.print ||
                 busy.optionalFeatures || busy.scanInfo || busy.language);
    EXPECT_TRUE(busy.save && busy.read && busy.comSetup);

    // A hidden channel window is still a document: its menus stay, Channel Information brings
    // it back, the rest waits.
    const CommandStates hidden = DecideCommands({.documentExists = true});
    EXPECT_TRUE(hidden.documentMenusVisible && hidden.channelInformation);
    EXPECT_FALSE(hidden.save || hidden.read || hidden.optionalFeatures);

    EXPECT_TRUE(DecideCommands({.showLanguage = true}).languageOffered);
    EXPECT_FALSE(DecideCommands({}).languageOffered);
}

}  // namespace
}  // namespace radioprog
