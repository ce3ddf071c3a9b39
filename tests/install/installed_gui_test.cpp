// The desktop program over an installed tree (cmake --install into a temporary root): its
// settings layers, catalogue, help pages and pictures come from the installed files, and a
// change of language goes to the user's own settings file and nowhere else. Real widgets on an
// offscreen screen; only the place of the running program is the installed one's.
#include <QComboBox>
#include <QCoreApplication>
#include <QIcon>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <map>

#include "../gui/gui_fixture.h"
#include "../gui/opened_pages.h"
#include "core/doc/settings_layout.h"
#include "gui/app/language_dlg.h"
#include "gui/app/main_frame.h"
#include "gui/app/mdi_client_wnd.h"
#include "gui/app/program_app.h"
#include "gui/link/login_dlg.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {
namespace {

namespace fs = std::filesystem;
using radioprog::testing::ReadText;
using testing::OnNextModal;
using testing::ScriptedMessages;

const fs::path kRoot = RADIOPROG_INSTALL_ROOT;
const fs::path kData = kRoot / "usr/share/radioprog";

// The program as if it were the installed one: its place is the installed binary's.
class InstalledApp : public CProgramApp {
public:
    using CProgramApp::CProgramApp;

protected:
    SettingsPlaces Places() const override {
        SettingsPlaces places = CProgramApp::Places();
        places.executable = kRoot / "usr/bin/radioprog";
        places.dealerFolder = kRoot / "etc/radioprog";
        return places;
    }
};

std::map<fs::path, std::string> Snapshot(const fs::path& folder) {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        files[entry.path()] = entry.is_regular_file() ? ReadText(entry.path()) : "<folder>";
    }
    return files;
}

QImage IconImage(const QIcon& icon) {
    return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
}

class InstalledGui : public ::testing::Test {
protected:
    InstalledGui() : m_installed(Snapshot(kRoot)) {
        ::setenv("XDG_CONFIG_HOME", (m_home / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (m_home / "data").c_str(), 1);
        ::setenv("LANG", "en_US.UTF-8", 1);
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "RADIOPROG_APPDIR"}) {
            ::unsetenv(name);
        }
    }
    ~InstalledGui() override { ::unsetenv("LANG"); }

    void Start(const QString& loginTitle) {
        m_app = std::make_unique<InstalledApp>(StartOptions{});
        QString shownTitle;
        OnNextModal([&shownTitle](QWidget* modal) {
            auto* login = qobject_cast<CLoginDlg*>(modal);
            shownTitle = login->windowTitle();
            login->roleList()->setCurrentIndex(1);
            login->accept();
        });
        ASSERT_TRUE(m_app->Start()) << "start-up ended";
        EXPECT_EQ(shownTitle, loginTitle);
        Frame()->SetRestart(Frame()->restartCommand(), [this](const RestartCommand& command) {
            m_restarts.push_back(command);
            return Status::Ok();
        });
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }
    fs::path UserSettings() const { return m_home / "config/radioprog/Program.ini"; }

    radioprog::testing::TempDir m_home;
    std::map<fs::path, std::string> m_installed;
    ScriptedMessages m_messages;
    testing::OpenedPages m_pages;
    std::unique_ptr<InstalledApp> m_app;
    std::vector<RestartCommand> m_restarts;
};

TEST_F(InstalledGui, StartsFromTheInstalledFilesAndTheLanguageGoesToTheUsersFileOnly) {
    Start("Login");
    const AppContext& context = m_app->context();
    EXPECT_FALSE(context.layout.singleFolder);
    EXPECT_EQ(context.appDirectory, kData);
    EXPECT_EQ(context.language, Language::English) << "the locale is English";
    EXPECT_NE(Frame()->windowTitle().indexOf("Radio Programming Software"), -1)
        << Frame()->windowTitle().toStdString();
    EXPECT_TRUE(m_messages.shown.empty());

    // The pictures are the installed ones.
    const QIcon installedIcon(QString::fromStdString((kData / "title.ico").string()));
    ASSERT_FALSE(installedIcon.isNull());
    EXPECT_EQ(IconImage(Frame()->windowIcon()), IconImage(installedIcon));
    auto* background = Frame()->mdiArea()->findChild<CMdiClientWnd*>();
    ASSERT_NE(background, nullptr);
    QImage installedBackground;
    ASSERT_TRUE(
        installedBackground.load(QString::fromStdString((kData / "background.bmp").string())));
    EXPECT_EQ(background->Picture().toImage().convertToFormat(QImage::Format_RGB32),
              installedBackground.convertToFormat(QImage::Format_RGB32));

    // Setup > Language: F1 opens the installed page, then Chinese, OK.
    testing::RunDialog<CLanguageDlg>(Frame()->action("language"), [](CLanguageDlg* dialog) {
        QTest::keyClick(dialog, Qt::Key_F1);
        EXPECT_TRUE(dialog->englishButton()->isChecked());
        QTest::mouseClick(dialog->chineseButton(), Qt::LeftButton, {},
                          QPoint(8, dialog->chineseButton()->height() / 2));
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    ASSERT_EQ(m_pages.urls.size(), 1);
    const QString page = m_pages.urls[0].toLocalFile();
    EXPECT_EQ(page, QString::fromStdString((kData / "help/en/language.html").string()));
    EXPECT_TRUE(QFileInfo::exists(page));
    ASSERT_EQ(m_restarts.size(), 1u);
    EXPECT_FALSE(m_restarts[0].arguments.contains("--appdir"))
        << m_restarts[0].arguments.join(' ').toStdString();
    EXPECT_EQ(ReadText(UserSettings()), "[Setup]\nLanguage=Chinese\n");
    m_app->Exit();
    m_app.reset();
    EXPECT_EQ(Snapshot(kRoot), m_installed) << "the installed tree was changed";

    // The next start comes up in Chinese, from the user's file.
    Start("登录");
    EXPECT_EQ(m_app->context().language, Language::Chinese);
    m_app->Exit();
    m_app.reset();
    EXPECT_EQ(Snapshot(kRoot), m_installed);
}

TEST_F(InstalledGui, AChineseLocaleStartsInChineseWhenNoSettingsFileNamesALanguage) {
    ::setenv("LANG", "zh_CN.UTF-8", 1);
    Start("登录");
    EXPECT_EQ(m_app->context().language, Language::Chinese);
    EXPECT_FALSE(fs::exists(UserSettings())) << "nothing to write";
    m_app->Exit();
    m_app.reset();
    EXPECT_FALSE(fs::exists(UserSettings()));
}

}  // namespace
}  // namespace radioprog::gui
