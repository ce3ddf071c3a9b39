// F1 in the running program: which help page and anchor it opens, with the pages the build
// copies next to the program, and what the user is told when they cannot be shown.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include "core/base/help_page.h"
#include "gui/app/context_help.h"
#include "gui/app/language_dlg.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/dialogs/optional_features_dlg.h"
#include "gui/dialogs/scan_info_dlg.h"
#include "gui/link/com_setup_dlg.h"
#include "gui/link/find_cable_dlg.h"
#include "gui/link/login_dlg.h"
#include "gui/link/password_dlg.h"
#include "gui/link/port_chooser_dlg.h"
#include "gui/radio/product_info_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"
#include "opened_pages.h"

namespace radioprog::gui {
namespace {

namespace fs = std::filesystem;
using testing::OnNextModal;
using testing::ScriptedMessages;

class HelpTest : public ::testing::Test {
protected:
    HelpTest() { testing::PrepareAppFolder(m_dir); }

    // The pages as the build copied them next to the test program.
    void InstallPages() {
        const fs::path built = QCoreApplication::applicationDirPath().toStdString();
        fs::copy(built / "help", m_dir / "help", fs::copy_options::recursive);
    }
    void Start(const std::string& language = "English") {
        radioprog::testing::WriteText(m_dir / "Program.ini",
                                      "[Setup]\nLanguage=" + language +
                                          "\nAppName=radioprog-test\nType1=RP-16V\n"
                                          "Field1=136-174MHz|400-470MHz\n"
                                          "[English]\nCompany=Radio Co\n"
                                          "[Chinese]\nCompany=电台公司\n");
        m_app = testing::StartAsAdmin(m_dir.path());
        ASSERT_NE(m_app->mainFrame(), nullptr);
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }

    template <typename Dialog>
    void RunDialog(const char* command, const std::function<void(Dialog*)>& step) {
        testing::RunDialog<Dialog>(Frame()->action(command), step);
    }
    static void PressF1(QWidget* control) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_F1);
    }
    QUrl Page(const char* folder, const char* page, const char* anchor = "") const {
        QUrl url = QUrl::fromLocalFile(QString::fromStdString((m_dir / "help" / folder / page)));
        if (*anchor != '\0') {
            url.setFragment(anchor);
        }
        return url;
    }

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
};

// Every control a window numbers leads to a topic written for it: its own anchor on the
// window's page, or the window's page itself for OK and Cancel.
void ExpectATopicForEveryControl(const QWidget* window, std::string_view page) {
    const std::string dialog = HelpDialogName(window).toStdString();
    int numbered = 0;
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        const int id = ControlId(control);
        // A dialog the window owns is a window of its own, with its own numbers.
        if (id == 0 || control->window() != window->window()) {
            continue;
        }
        ++numbered;
        SCOPED_TRACE(id);
        const HelpTopic topic = FindHelpTopic(dialog, id);
        EXPECT_EQ(topic.page, page);
        EXPECT_EQ(topic.anchor.empty(), id == 1 || id == 2) << topic.anchor;
    }
    EXPECT_GT(numbered, 0);
}

TEST_F(HelpTest, EveryNumberedControlOfTheDialogsAndTheChannelViewHasATopic) {
    Start();
    RunDialog<CProductInfoDlg>("productInformation", [](CProductInfoDlg* dialog) {
        EXPECT_EQ(HelpDialogName(dialog), "CProductInfoDlg");
        ExpectATopicForEveryControl(dialog, "product-information.html");
    });
    RunDialog<CComSetupDlg>("comSetup", [](CComSetupDlg* dialog) {
        EXPECT_EQ(HelpDialogName(dialog->portButton(0)), "CComSetupDlg");
        ExpectATopicForEveryControl(dialog, "com-setup.html");
    });
    RunDialog<COptionalFeaturesDlg>("optionalFeatures", [](COptionalFeaturesDlg* dialog) {
        ExpectATopicForEveryControl(dialog, "optional-features.html");
    });
    RunDialog<CScanInfoDlg>("scanInfo", [](CScanInfoDlg* dialog) {
        ExpectATopicForEveryControl(dialog, "scan-information.html");
    });
    RunDialog<CPasswordDlg>("password", [](CPasswordDlg* dialog) {
        ExpectATopicForEveryControl(dialog, "password.html");
    });
    RunDialog<CLanguageDlg>("language", [](CLanguageDlg* dialog) {
        ExpectATopicForEveryControl(dialog, "language.html");
    });
    CProgramView* view = Frame()->activeView();
    EXPECT_EQ(HelpDialogName(view), "");
    ExpectATopicForEveryControl(view, "channels.html");
}

TEST_F(HelpTest, F1InProductInformationOpensTheFieldOfTheFocusedControl) {
    InstallPages();
    Start();
    testing::OpenedPages opened;
    RunDialog<CProductInfoDlg>("productInformation", [](CProductInfoDlg* dialog) {
        PressF1(dialog->typeList());
        PressF1(dialog->fieldList());
        dialog->fieldList()->setCurrentIndex(dialog->fieldList()->findText("Customize"));
        PressF1(dialog->endEdit());
        // OK is shared by every dialog: it leads to the page of this one.
        PressF1(dialog->findChild<QPushButton*>("1"));
    });
    EXPECT_EQ(opened.urls, (QList<QUrl>{Page("en", "product-information.html", "type"),
                                        Page("en", "product-information.html", "field"),
                                        Page("en", "product-information.html", "custom-end"),
                                        Page("en", "product-information.html")}));
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(HelpTest, F1InComSetupOpensItsPageInTheLanguageOfTheRun) {
    InstallPages();
    Start("Chinese");
    testing::OpenedPages opened;
    RunDialog<CComSetupDlg>("comSetup",
                            [](CComSetupDlg* dialog) { QTest::keyClick(dialog, Qt::Key_F1); });
    EXPECT_EQ(opened.urls, QList<QUrl>{Page("zh", "com-setup.html")});
}

TEST_F(HelpTest, F1OnComSetupsOwnButtonsAndInTheDialogsTheyOpenLeadsToTheirTopics) {
    InstallPages();
    Start();
    testing::OpenedPages opened;
    RunDialog<CComSetupDlg>("comSetup", [](CComSetupDlg* dialog) {
        PressF1(dialog->changeButton());
        PressF1(dialog->findButton());
        testing::OnNextModalOf<CPortChooserDlg>([](CPortChooserDlg* chooser) {
            EXPECT_EQ(HelpDialogName(chooser), "CPortChooserDlg");
            ExpectATopicForEveryControl(chooser, "com-setup.html");
            PressF1(chooser->portList());
            PressF1(chooser->findChild<QPushButton*>("1"));
        });
        QTest::mouseClick(dialog->changeButton(), Qt::LeftButton);
        testing::OnNextModalOf<CFindCableDlg>([](CFindCableDlg* find) {
            ExpectATopicForEveryControl(find, "com-setup.html");
            QTest::keyClick(find, Qt::Key_F1);
        });
        QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
    });
    RequestContextHelp(m_app->context(), 32800, Frame());
    EXPECT_EQ(opened.Names(),
              (QStringList{"com-setup.html#change", "com-setup.html#find-my-cable",
                           "com-setup.html#change", "com-setup.html",
                           "com-setup.html#find-my-cable", "read-write.html#serial-trace"}));
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(HelpTest, HelpOutsideADialogFollowsTheCommandOrControlAndElseOpensTheContents) {
    InstallPages();
    Start();
    testing::OpenedPages opened;
    CProgramView* view = Frame()->activeView();
    RequestContextHelp(m_app->context(), 2127, view);
    RequestContextHelp(m_app->context(), 32774, Frame());
    RequestContextHelp(m_app->context(), 65664, Frame());
    RequestContextHelp(m_app->context(), 4242, Frame());
    EXPECT_EQ(opened.urls, (QList<QUrl>{Page("en", "channels.html", "rx-frequency"),
                                        Page("en", "read-write.html", "write"),
                                        Page("en", "main-window.html"), Page("en", "index.html")}));
}

TEST_F(HelpTest, MissingPagesAreReportedAndNothingIsOpened) {
    Start("Chinese");
    testing::OpenedPages opened;
    RunDialog<CProductInfoDlg>("productInformation",
                               [](CProductInfoDlg* dialog) { PressF1(dialog->fieldList()); });
    EXPECT_TRUE(opened.urls.isEmpty());
    ASSERT_EQ(m_messages.shown.size(), 1u);
    const QString page =
        QString::fromStdString((m_dir / "help" / "zh" / "product-information.html").string());
    EXPECT_TRUE(m_messages.shown[0].text.contains(page)) << m_messages.shown[0].text.toStdString();
    EXPECT_TRUE(m_messages.shown[0].text.contains("缺少帮助页面"));
}

// The screen-less platform has no browser, as a desktop without one would be.
TEST_F(HelpTest, ADesktopWithoutABrowserIsReported) {
    InstallPages();
    Start();
    RequestContextHelp(m_app->context(), 32773, Frame());
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_TRUE(m_messages.shown[0].text.startsWith("No program could be started"));
    EXPECT_TRUE(m_messages.shown[0].text.contains("read-write.html#read"));
}

// A look at one page per language as a simple HTML renderer draws it.
TEST_F(HelpTest, PagesRenderInBothLanguages) {
    InstallPages();
    for (const char* folder : {"en", "zh"}) {
        QTextBrowser browser;
        browser.resize(760, 900);
        browser.setSource(Page(folder, "channels.html"));
        EXPECT_FALSE(browser.toPlainText().isEmpty());
        testing::Screenshot(&browser, QString("help-channels-%1").arg(folder));
    }
}

}  // namespace
}  // namespace radioprog::gui
