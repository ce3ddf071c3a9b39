// Setup > Language with the restart it asks for, and the main window's keys: F1 in the channel
// view, in the window and in its menus, F6 between the panes. Real widgets on an offscreen
// screen, a real Program.ini in a private application folder; only the start of the next
// instance is replaced, so that a test sees what it would be started with.
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include "gui/app/child_frame.h"
#include "gui/app/language_dlg.h"
#include "gui/app/main_frame.h"
#include "gui/app/navigation_bar.h"
#include "gui/app/program_app.h"
#include "gui/dialogs/set_for_selected_dlg.h"
#include "gui/link/login_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"
#include "opened_pages.h"

namespace radioprog::gui {
namespace {

using radioprog::testing::ReadText;
using radioprog::testing::WriteText;
using testing::OnNextModal;
using testing::ScriptedMessages;

struct Settings {
    std::string language = "English";
    std::optional<std::string> showLang = "1";
    bool demo = false;
};

class LanguageTest : public ::testing::Test {
protected:
    LanguageTest() { testing::PrepareAppFolder(m_dir); }

    std::string Ini(const Settings& settings) const {
        std::string setup = "[Setup]\nLanguage=" + settings.language + "\n";
        if (settings.showLang) {
            setup += "ShowLang=" + *settings.showLang + "\n";
        }
        return setup +
               "AppName=radioprog-test\nType1=RP-16V\nField1=136-174MHz\n"
               "[English]\nCompany=Radio Co\nAppName=Radio\n"
               "[Chinese]\nCompany=电台公司\nAppName=电台\n";
    }
    void Start(const Settings& settings = {}) {
        m_ini = Ini(settings);
        WriteText(IniPath(), m_ini);
        m_app = testing::StartAsAdmin(m_dir.path(), settings.demo);
        ASSERT_NE(m_app->mainFrame(), nullptr);
        // The program's own command, started by a stand-in that notes what it saw.
        Frame()->SetRestart(Frame()->restartCommand(), [this](const RestartCommand& command) {
            m_starts.push_back({command, ReadText(IniPath()), LoadAccessRole(Context())});
            return m_startResult;
        });
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }
    AppContext& Context() const { return m_app->context(); }
    CProgramView* View() const { return Frame()->activeView(); }
    std::filesystem::path IniPath() const { return m_dir / "Program.ini"; }

    // Opens Setup > Language and runs @p step on the dialog; a dialog left open is cancelled.
    void Language(const std::function<void(CLanguageDlg*)>& step) {
        testing::RunDialog<CLanguageDlg>(Frame()->action("language"), step);
    }
    // Chooses 0 English or 1 Chinese and presses OK, or Cancel when @p ok is false.
    void Choose(int language, bool ok = true) {
        Language([language, ok](CLanguageDlg* dialog) {
            QRadioButton* button =
                language == 1 ? dialog->chineseButton() : dialog->englishButton();
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
            ASSERT_TRUE(button->isChecked());
            QTest::mouseClick(dialog->findChild<QPushButton*>(ok ? "1" : "2"), Qt::LeftButton);
        });
    }
    static int Checked(const CLanguageDlg* dialog) {
        return dialog->chineseButton()->isChecked()   ? 1
               : dialog->englishButton()->isChecked() ? 0
                                                      : -1;
    }
    // The settings file as it would be after the dialog stored @p language.
    std::string IniWith(const std::string& language) const {
        Settings settings;
        settings.language = language;
        return Ini(settings);
    }
    // Ends the program as main() does.
    void EndProgram() {
        m_app->Exit();
        m_app.reset();
    }
    void TypeFrequency(int row, const QString& text) {
        View()->grid().setCurrentCell(row, 1);
        emit View()->grid().MouseDown();
        auto* editor = qobject_cast<QLineEdit*>(View()->editor(1));
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    int Asked(const QString& text) const {
        return static_cast<int>(
            std::count_if(m_messages.shown.begin(), m_messages.shown.end(),
                          [&text](const auto& shown) { return shown.text == text; }));
    }

    struct Started {
        RestartCommand command;
        std::string ini;
        std::optional<AccessRole> storedRole;  ///< the role the new instance's Login will offer
    };

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
    std::string m_ini;
    std::vector<Started> m_starts;
    Status m_startResult = Status::Ok();
};

TEST_F(LanguageTest, OkWithTheOtherLanguageWritesTheFileThenStartsTheProgramAgain) {
    Start();
    EXPECT_EQ(Frame()->action("language")->text(), "&Language");
    EXPECT_TRUE(Frame()->menu("menuSetup")->actions().contains(Frame()->action("language")));
    Language([](CLanguageDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Language");
        EXPECT_EQ(dialog->findChild<QRadioButton*>("1006")->text(), "English");
        EXPECT_EQ(dialog->findChild<QRadioButton*>("1007")->text(), "Chinese");
        EXPECT_EQ(Checked(dialog), 0);
        testing::Screenshot(dialog, "language-en");
    });
    Choose(1);

    ASSERT_EQ(m_starts.size(), 1u);
    EXPECT_EQ(m_starts[0].command.program, QCoreApplication::applicationFilePath());
    EXPECT_EQ(m_starts[0].command.arguments,
              (QStringList{"--appdir", QString::fromStdString(m_dir.path().string())}));
    EXPECT_EQ(m_starts[0].ini, IniWith("Chinese"));
    EXPECT_EQ(m_starts[0].storedRole, AccessRole::Admin);
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_TRUE(m_messages.shown.empty());

    // The new instance owns the file now: the end of this one leaves its changes alone.
    WriteText(IniPath(), IniWith("English"));
    EndProgram();
    EXPECT_EQ(ReadText(IniPath()), IniWith("English"));
}

TEST_F(LanguageTest, AChineseDemoRunGoesBackToEnglishAndStaysADemo) {
    Start({.language = "Chinese", .demo = true});
    EXPECT_EQ(Frame()->action("language")->text(), "语言(&L)");
    Language([](CLanguageDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "语言");
        EXPECT_EQ(dialog->englishButton()->text(), "英文");
        EXPECT_EQ(dialog->chineseButton()->text(), "中文");
        EXPECT_EQ(dialog->findChild<QPushButton*>("1")->text(), "确定");
        EXPECT_EQ(Checked(dialog), 1);
        testing::Screenshot(dialog, "language-zh");
    });
    Choose(0);
    ASSERT_EQ(m_starts.size(), 1u);
    EXPECT_EQ(m_starts[0].command.arguments,
              (QStringList{"--appdir", QString::fromStdString(m_dir.path().string()), "--demo"}));
    EXPECT_EQ(m_starts[0].ini, IniWith("English"));
}

TEST_F(LanguageTest, TheRunningLanguageOrCancelStoresNothingAndTheProgramRunsOn) {
    struct Case {
        const char* what;
        int language;
        bool ok;
    };
    for (const Case& c : {Case{"same language", 0, true}, Case{"cancel", 1, false}}) {
        SCOPED_TRACE(c.what);
        Start();
        Choose(c.language, c.ok);
        EXPECT_TRUE(m_starts.empty());
        EXPECT_TRUE(Frame()->isVisible());
        EXPECT_FALSE(View()->languageDialog()->changed());
        EXPECT_EQ(Context().profile.GetValue("Setup", "Language", ""), "English");
        EndProgram();
        EXPECT_EQ(ReadText(IniPath()), m_ini);
    }
}

TEST_F(LanguageTest, AStoredChangeRestartsAgainOnTheNextOkAndTheDialogShowsIt) {
    Start();
    m_startResult = Status::Error("cannot run the program");
    Choose(1);
    // The failed start is said; the program runs on and the choice waits in the file.
    ASSERT_EQ(m_starts.size(), 1u);
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_NE(m_messages.shown[0].text.indexOf("cannot run the program"), -1);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(ReadText(IniPath()), IniWith("Chinese"));

    m_startResult = Status::Ok();
    Language([](CLanguageDlg* dialog) {
        EXPECT_EQ(Checked(dialog), 1);
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    ASSERT_EQ(m_starts.size(), 2u);
    EXPECT_EQ(m_starts[1].ini, IniWith("Chinese"));
    EXPECT_FALSE(Frame()->isVisible());
}

TEST_F(LanguageTest, ChoosingTheRunningLanguageAgainUndoesAWaitingChange) {
    Start();
    m_startResult = Status::Error("cannot run the program");
    Choose(1);
    m_startResult = Status::Ok();
    Choose(0);
    ASSERT_EQ(m_starts.size(), 2u);
    EXPECT_EQ(m_starts[1].ini, IniWith("English"));
}

// Only "Chinese" in exactly these letters starts Chinese; the store matches without regard to
// case, yet the file must get the letters that work.
TEST_F(LanguageTest, ALowerCaseChineseIsRewrittenSoThatTheNextStartIsChinese) {
    // The catalogue is found by the name as written, as on a file system that ignores case.
    std::filesystem::copy_file(m_dir / "Chinese.qm", m_dir / "chinese.qm");
    Start({.language = "chinese"});
    EXPECT_EQ(Context().language, radioprog::Language::English);
    Choose(1);
    ASSERT_EQ(m_starts.size(), 1u);
    EXPECT_EQ(m_starts[0].ini, IniWith("Chinese"));
}

TEST_F(LanguageTest, TheRestartOffersToSaveAModifiedDocumentFirst) {
    const QString saveChanges = "Save changes?";
    struct Case {
        QMessageBox::StandardButton answer;
        bool restarts;
        bool savedSecondChannel;
    };
    for (const Case& c : {Case{QMessageBox::Yes, true, true}, Case{QMessageBox::No, true, false},
                          Case{QMessageBox::Cancel, false, false}}) {
        SCOPED_TRACE(c.answer);
        m_starts.clear();
        m_messages.shown.clear();
        Start();
        const QString path = QString::fromStdString((m_dir / "channels.dat").string());
        TypeFrequency(1, "145.5");
        ASSERT_TRUE(View()->Save(path).ok());
        TypeFrequency(2, "146.5");
        ASSERT_TRUE(View()->document().IsModified());
        m_messages.answers = {c.answer};
        Choose(1);

        EXPECT_EQ(Asked(saveChanges), 1);
        EXPECT_EQ(m_starts.size(), c.restarts ? 1u : 0u);
        EXPECT_EQ(Frame()->isVisible(), !c.restarts);
        // The choice is in the file whatever the answer.
        EXPECT_EQ(ReadText(IniPath()), IniWith("Chinese"));
        const auto bytes = radioprog::testing::ReadBytes(m_dir / "channels.dat");
        ASSERT_EQ(bytes.size(), 1024u);
        // Channel 2's receive frequency, 146.50000 MHz as BCD, only when it was saved.
        EXPECT_EQ(bytes[0x23] == 0x14 && bytes[0x22] == 0x65, c.savedSecondChannel);
        if (!c.restarts) {
            EXPECT_EQ(m_messages.shown.back().text,
                      "The language you chose takes effect the next time the program starts.");
            EXPECT_TRUE(View()->document().IsModified());
        }
        EndProgram();
        EXPECT_EQ(ReadText(IniPath()), IniWith("Chinese"));
    }
}

TEST_F(LanguageTest, SetupOffersLanguageOnlyWhenShowLangIsANonzeroNumber) {
    struct Case {
        std::optional<std::string> showLang;
        bool shown;
    };
    for (const Case& c : {Case{std::nullopt, false}, Case{"", false}, Case{"0", false},
                          Case{"x", false}, Case{"1", true}}) {
        SCOPED_TRACE(c.showLang.value_or("(missing)"));
        Start({.showLang = c.showLang});
        QAction* language = Frame()->action("language");
        ASSERT_NE(language, nullptr);
        EXPECT_EQ(language->isVisible(), c.shown);
        EXPECT_TRUE(Frame()->action("comSetup")->isVisible());
        EndProgram();
    }
}

TEST(ProgramRestart, StartsTheCommandOnItsOwnAndSaysWhyAStartFailed) {
    radioprog::testing::TempDir dir;
    const QString marker = QString::fromStdString((dir / "started").string());
    const Status started = StartDetached(
        {"/bin/sh",
         {"-c", "printf '%s %s' \"$0\" \"$1\" > \"$2\"", "--appdir", "/apps/x", marker}});
    ASSERT_TRUE(started.ok()) << started.message();
    ASSERT_TRUE(
        testing::WaitFor([&dir] { return ReadText(dir / "started") == "--appdir /apps/x"; }, 5000));

    const QString missing = QString::fromStdString((dir / "no-such-program").string());
    const Status failed = StartDetached({missing, {}});
    ASSERT_FALSE(failed.ok());
    EXPECT_NE(failed.message().find("no-such-program"), std::string::npos) << failed.message();
}

class KeysTest : public LanguageTest {
protected:
    void SetUp() override {
        // The pages as the build copied them next to the test program.
        std::filesystem::copy(QCoreApplication::applicationDirPath().toStdString() + "/help",
                              m_dir / "help", std::filesystem::copy_options::recursive);
        Start();
        Frame()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    }
    // Presses @p key on the widget that has the focus, as the keyboard would.
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    }
    void Click(int row, int col) {
        View()->grid().setCurrentCell(row, col);
        emit View()->grid().MouseDown();
    }
    QWidget* Tree() const { return Frame()->navigationBar()->GetTree(); }

    testing::OpenedPages m_help;
};

TEST_F(KeysTest, F1InTheViewAsksForTheFocusedControlAndElsewhereForTheWindow) {
    View()->grid().setFocus();
    Press(Qt::Key_F1);
    for (int col : {1, 2, 5, 8}) {
        Click(1, col);
        ASSERT_EQ(QApplication::focusWidget(), View()->editor(col));
        Press(Qt::Key_F1);
    }
    Tree()->setFocus();
    Press(Qt::Key_F1);
    EXPECT_EQ(m_help.Names(), (QStringList{"channels.html#grid", "channels.html#rx-frequency",
                                           "channels.html#tx-frequency", "channels.html#power",
                                           "channels.html#wide-narrow", "main-window.html"}));
}

TEST_F(KeysTest, F1InTheLanguageDialogAsksForItsPage) {
    Language([](CLanguageDlg* dialog) { QTest::keyClick(dialog, Qt::Key_F1); });
    EXPECT_EQ(m_help.Names(), QStringList{"language.html"});
}

TEST_F(KeysTest, F1InSetForSelectedAsksForItsTopic) {
    testing::OnNextModalOf<CSetForSelectedDlg>([](CSetForSelectedDlg* dialog) {
        dialog->valueList()->setFocus();
        QTest::keyClick(dialog, Qt::Key_F1);
    });
    Frame()->action("setForSelected")->trigger();
    EXPECT_EQ(m_help.Names(), QStringList{"channels.html#set-for-selected"});
}

TEST_F(KeysTest, F1WithAMenuItemHighlightedAsksForItsCommand) {
    struct Case {
        const char* menu;
        const char* command;
        const char* page;
    };
    for (const Case& c : {Case{"menuProgram", "read", "read-write.html#read"},
                          Case{"menuSetup", "language", "language.html"},
                          Case{"menuFile", "new", "main-window.html#new"},
                          Case{"menuFile", "exit", "main-window.html#exit"},
                          Case{"menuHelp", "about", "main-window.html#about"},
                          Case{"menuEdit", "cut", "channels.html#clipboard"},
                          Case{"menuEdit", "insertChannel", "channels.html#rows"},
                          Case{"menuEdit", "moveDown", "channels.html#rows"},
                          Case{"menuEdit", "setForSelected", "channels.html#set-for-selected"}}) {
        SCOPED_TRACE(c.command);
        m_help.urls.clear();
        QMenu* menu = Frame()->menu(c.menu);
        menu->popup(Frame()->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(Frame()->action(c.command));
        QTest::keyClick(menu, Qt::Key_F1);
        menu->hide();
        EXPECT_EQ(m_help.Names(), QStringList{c.page});
    }
}

TEST_F(KeysTest, F6AndShiftF6MoveTheFocusBetweenTheTreeAndTheChannelWindow) {
    View()->grid().setFocus();
    Press(Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), Tree());
    // Channel 1's editor is open from the start, so it is the channel window's focus.
    Press(Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), View()->editor(1));
    Press(Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Tree());

    // An open edit gets the focus back, and a focus in it counts as the channel window's.
    Click(3, 1);
    Tree()->setFocus();
    Press(Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), View()->editor(1));
    Press(Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), Tree());

    // Without the bar there is one pane left.
    Frame()->action("controlBar")->trigger();
    Press(Qt::Key_F6);
    EXPECT_TRUE(View()->isAncestorOf(QApplication::focusWidget()));
}

}  // namespace
}  // namespace radioprog::gui
