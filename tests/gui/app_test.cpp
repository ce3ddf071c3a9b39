// The desktop program from start-up to transfers, with real widgets on an offscreen screen and
// the simulated radio on a pseudo-terminal.
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "../support/special_files.h"
#include "core/doc/transfer_options.h"
#include "core/link/serial_port_opener.h"
#include "core/sim/demo_memory.h"
#include "core/sim/pty_radio.h"
#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/link/login_dlg.h"
#include "gui/link/process_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

using testing::OnNextModal;
using testing::ScriptedMessages;
using testing::WaitFor;

class AppTest : public ::testing::Test {
protected:
    AppTest() {
        testing::PrepareAppFolder(m_dir);
        WriteIni("English");
    }
    void WriteIni(const std::string& language) {
        radioprog::testing::WriteText(
            m_dir / "Program.ini",
            "[Setup]\nLanguage=" + language +
                "\nShowLang=1\nAppName=radioprog-test\nType1=RP-16V\nField1=136-174MHz\n"
                "[English]\nCompany=Radio "
                "Co\nAppName=Radio\n[Chinese]\nCompany=电台公司\nAppName=电台\n");
    }
    std::unique_ptr<CProgramApp> StartApp(std::function<void(CLoginDlg*)> login, bool demo = true) {
        StartOptions options;
        options.appDir = m_dir.path().string();
        options.demo = demo;
        auto app = std::make_unique<CProgramApp>(options);
        OnNextModal([login](QWidget* modal) { login(qobject_cast<CLoginDlg*>(modal)); });
        m_started = app->Start();
        return app;
    }
    static void LoginAs(CLoginDlg* dialog, int role, const QString& password) {
        dialog->roleList()->setCurrentIndex(role);
        QTest::keyClicks(dialog->passwordEdit(), password);
        dialog->accept();
    }

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    bool m_started = false;
};

TEST_F(AppTest, AMissingCatalogueEndsStartUpWithItsMessage) {
    std::filesystem::remove(m_dir / "English.qm");
    StartOptions options;
    options.appDir = m_dir.path().string();
    CProgramApp app(options);
    EXPECT_FALSE(app.Start());
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text, "Load language DLL fail");
}

TEST_F(AppTest, TheCatalogueMessageFollowsTheLanguageAndAnEmptyLanguageHasNoCatalogue) {
    struct Case {
        std::string language;
        const char* message;
    };
    for (const Case& c :
         {Case{"Chinese", "加载语言链接库失败"}, Case{"", "Load language DLL fail"}}) {
        WriteIni(c.language);
        std::filesystem::remove(m_dir / "Chinese.qm");
        m_messages.shown.clear();
        StartOptions options;
        options.appDir = m_dir.path().string();
        CProgramApp app(options);
        EXPECT_FALSE(app.Start());
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text, QString::fromUtf8(c.message));
    }
}

// A named pipe would keep the program from ever showing its window: as the file to open it is
// refused and a new document takes its place; as the settings file it ends start-up, with why.
TEST_F(AppTest, APipeInPlaceOfAFileIsReportedInsteadOfWaitedFor) {
    const radioprog::testing::Fifo document(m_dir / "radio.dat");
    StartOptions options;
    options.appDir = m_dir.path().string();
    options.file = QString::fromStdString(document.path().string());
    CProgramApp app(options);
    OnNextModal([](QWidget* modal) { LoginAs(qobject_cast<CLoginDlg*>(modal), 1, ""); });
    ASSERT_TRUE(app.Start());
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text.toStdString(),
              "Cannot open \"" + document.path().string() +
                  "\": it is a named pipe (FIFO), not a regular file");
    ASSERT_NE(app.mainFrame()->activeView(), nullptr);
    EXPECT_EQ(app.mainFrame()->activeView()->document().pathName(), "radioprog-test");

    m_messages.shown.clear();
    std::filesystem::remove(m_dir / "Program.ini");
    const radioprog::testing::Fifo settings(m_dir / "Program.ini");
    StartOptions plain;
    plain.appDir = m_dir.path().string();
    CProgramApp again(plain);
    EXPECT_FALSE(again.Start());
    ASSERT_EQ(m_messages.shown.size(), 2u);
    EXPECT_EQ(m_messages.shown[0].text.toStdString(),
              "Cannot open \"" + settings.path().string() +
                  "\": it is a named pipe (FIFO), not a regular file");
    EXPECT_EQ(m_messages.shown[1].text, "Load language DLL fail");
    EXPECT_FALSE(document.rescued());
    EXPECT_FALSE(settings.rescued());
}

TEST_F(AppTest, CancellingTheLoginEndsStartUp) {
    auto app = StartApp([](CLoginDlg* dialog) { dialog->reject(); });
    EXPECT_FALSE(m_started);
    EXPECT_EQ(app->mainFrame(), nullptr);
}

TEST_F(AppTest, LoginSetsTheRoleAndPasswordAndTheRoleIsKeptForTheNextRun) {
    auto app = StartApp([](CLoginDlg* dialog) {
        testing::Screenshot(dialog, "login-en");
        LoginAs(dialog, 0, "1234");
    });
    ASSERT_TRUE(m_started);
    EXPECT_EQ(app->context().link.role, AccessRole::User);
    EXPECT_EQ(app->context().link.loginPassword, (PackedPassword{0x12, 0x34, 0xFF}));
    EXPECT_EQ(app->mainFrame()->windowTitle(), "Radio  [ Type:RP-16V  Fre:136 - 174MHz ]");
    app->Exit();
    app.reset();
    int shownRole = -1;
    auto again = StartApp([&shownRole](CLoginDlg* dialog) {
        shownRole = dialog->roleList()->currentIndex();
        dialog->accept();
    });
    EXPECT_EQ(shownRole, 0);
}

class ViewTest : public AppTest {
protected:
    void SetUp() override {
        m_app = StartApp([](CLoginDlg* dialog) { LoginAs(dialog, 1, ""); });
        ASSERT_TRUE(m_started);
        m_view = m_app->mainFrame()->activeView();
        ASSERT_NE(m_view, nullptr);
    }
    QLineEdit* RxEditor() const { return qobject_cast<QLineEdit*>(m_view->editor(1)); }
    void Click(int row, int col) {
        m_view->grid().setCurrentCell(row, col);
        emit m_view->grid().MouseDown();
    }
    QStringList Row(int row) const {
        QStringList texts;
        for (int col = 1; col <= 8; ++col) {
            texts << m_view->grid().TextMatrix(row, col);
        }
        return texts;
    }

    std::unique_ptr<CProgramApp> m_app;
    CProgramView* m_view = nullptr;
};

TEST_F(ViewTest, TheGridHasItsHeadersLabelsAndNoChannels) {
    CMSFlexGrid& grid = m_view->grid();
    EXPECT_EQ(grid.Rows(), 17);
    EXPECT_EQ(grid.Cols(), 9);
    EXPECT_EQ(grid.TextMatrix(0, 0), "CH");
    EXPECT_EQ(grid.TextMatrix(0, 8), "W/N");
    EXPECT_EQ(grid.TextMatrix(1, 0), " 1");
    EXPECT_EQ(grid.TextMatrix(16, 0), "16");
    EXPECT_EQ(Row(1), QStringList(8, ""));
    EXPECT_EQ(qobject_cast<QComboBox*>(m_view->editor(3))->count(), 205);
    testing::Screenshot(m_app->mainFrame(), "main-window-new-en");
}

TEST_F(ViewTest, EnterOnANewChannelFillsTheRowAndMovesOn) {
    Click(4, 1);
    ASSERT_TRUE(RxEditor()->isVisible());
    QTest::keyClicks(RxEditor(), "145.5");
    QTest::keyClick(RxEditor(), Qt::Key_Return);
    EXPECT_EQ(Row(4),
              (QStringList{"145.50000", "145.50000", "None", "None", "High", "No", "Off", "Wide"}));
    EXPECT_EQ(m_view->grid().Row(), 4);
    EXPECT_EQ(m_view->grid().Col(), 2);
    EXPECT_TRUE(m_view->editor(2)->isVisible());
    EXPECT_FALSE(RxEditor()->isVisible());
    EXPECT_TRUE(m_view->document().IsModified());
}

TEST_F(ViewTest, ARefusedFrequencyIsReportedEmptiesTheRowAndStays) {
    Click(2, 1);
    QTest::keyClicks(RxEditor(), "146");
    QTest::keyClick(RxEditor(), Qt::Key_Return);
    Click(2, 1);
    RxEditor()->setText("145.512");
    QTest::keyClick(RxEditor(), Qt::Key_Return);
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].caption, "Caution");
    EXPECT_EQ(m_messages.shown[0].text,
              "Error data Value, please input according the step value(6.25K/5k).");
    EXPECT_EQ(Row(2), QStringList(8, ""));
    EXPECT_EQ(m_view->grid().Col(), 1);
}

// Typed in the grid as in set: a comma for the point is understood, a value with anything
// after its number is refused.
TEST_F(ViewTest, TheGridTakesACommaForThePointAndRefusesTrailingCharacters) {
    Click(3, 1);
    QTest::keyClicks(RxEditor(), "145,0125");
    QTest::keyClick(RxEditor(), Qt::Key_Return);
    EXPECT_EQ(Row(3)[0], "145.01250");
    for (const char* typed : {"145.0125abc", "145.0125.5", "145.0125 junk"}) {
        m_messages.shown.clear();
        Click(3, 1);
        RxEditor()->setText(typed);
        QTest::keyClick(RxEditor(), Qt::Key_Return);
        ASSERT_EQ(m_messages.shown.size(), 1u) << typed;
        EXPECT_EQ(m_messages.shown[0].text,
                  "Error data Value, please input according the step value(6.25K/5k).");
        EXPECT_EQ(Row(3), QStringList(8, "")) << typed;
    }
}

TEST_F(ViewTest, EnterOnTheLastCellGoesBackToChannelOne) {
    Click(16, 1);
    QTest::keyClicks(RxEditor(), "150");
    QTest::keyClick(RxEditor(), Qt::Key_Return);
    Click(16, 8);
    QTest::keyClick(m_view->editor(8), Qt::Key_Return);
    EXPECT_EQ(m_view->grid().Row(), 1);
    EXPECT_EQ(m_view->grid().Col(), 1);
}

TEST_F(ViewTest, ScrollingDiscardsTheOpenEdit) {
    m_view->grid().resize(300, 120);
    Click(1, 1);
    QTest::keyClicks(RxEditor(), "150");
    m_view->grid().verticalScrollBar()->setValue(3);
    EXPECT_FALSE(RxEditor()->isVisible());
    EXPECT_EQ(m_view->grid().TextMatrix(1, 1), "");
}

TEST_F(ViewTest, AReadThroughTheProgressDialogFillsTheGrid) {
    m_app->mainFrame()->action("read")->trigger();
    CProcessDlg* dialog = m_view->progressDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Read Data");
    testing::Screenshot(dialog, "progress-read-en");
    // Write while the dialog waits: OK now writes, and the caption says so.
    m_app->mainFrame()->action("write")->trigger();
    EXPECT_EQ(dialog->windowTitle(), "Write Data");
    m_app->mainFrame()->action("read")->trigger();
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([this] { return m_view->progressDialog() == nullptr; }));
    EXPECT_TRUE(m_messages.shown.empty()) << m_messages.shown[0].text.toStdString();
    EXPECT_EQ(Row(1),
              (QStringList{"145.01250", "145.61250", "88.5", "88.5", "High", "No", "Off", "Wide"}));
    EXPECT_EQ(Row(4)[2], "D754I");
    EXPECT_FALSE(m_app->context().newDocument);
    testing::Screenshot(m_app->mainFrame(), "main-window-demo-read-en");
}

TEST_F(ViewTest, CancelBeforeOkSendsNothingAndASilentPortIsReported) {
    m_app->mainFrame()->action("read")->trigger();
    QTest::mouseClick(m_view->progressDialog()->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([this] { return m_view->progressDialog() == nullptr; }));

    m_app->context().link.portName = (m_dir / "no-such-device").string();
    m_app->mainFrame()->action("write")->trigger();
    QTest::mouseClick(m_view->progressDialog()->okButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([this] { return m_view->progressDialog() == nullptr; }));
    ASSERT_FALSE(m_messages.shown.empty());
    EXPECT_TRUE(m_messages.shown[0].text.startsWith("Could not Open the Port"))
        << m_messages.shown[0].text.toStdString();
}

TEST_F(ViewTest, SaveWritesTheGridAndOpenReadsItBack) {
    Click(3, 1);
    QTest::keyClicks(RxEditor(), "146.52");
    QTest::keyClick(RxEditor(), Qt::Key_Return);
    const QString path = QString::fromStdString((m_dir / "saved.dat").string());
    ASSERT_TRUE(m_view->Save(path).ok());
    EXPECT_FALSE(m_view->document().IsModified());
    const auto bytes = radioprog::testing::ReadBytes(m_dir / "saved.dat");
    ASSERT_EQ(bytes.size(), 1024u);
    EXPECT_EQ(bytes[0x33], 0x14);
    EXPECT_EQ(bytes[0x32], 0x65);

    radioprog::testing::WriteText(m_dir / "short.dat", "short");
    EXPECT_FALSE(
        m_app->mainFrame()->OpenDocument(QString::fromStdString((m_dir / "short.dat").string())));
    EXPECT_NE(m_messages.shown.back().text.indexOf("short.dat"), -1);
    ASSERT_TRUE(m_app->mainFrame()->OpenDocument(path));
    CProgramView* reopened = m_app->mainFrame()->activeView();
    EXPECT_EQ(reopened->grid().TextMatrix(3, 1), "146.52000");
}

// Triggers Save and answers a Save As dialog, should one come, with Cancel; true when it came.
bool SaveAskedForAName(CMainFrame* frame) {
    bool asked = false;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&asked] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            asked = qobject_cast<QFileDialog*>(modal) != nullptr;
            static_cast<QDialog*>(modal)->reject();
        }
    });
    answer.start();
    frame->action("save")->trigger();
    return asked;
}

// Saving a file of any other size than 1024 bytes over itself would cut it: Save asks for a
// name instead, and cancelling that leaves the file as it was.
TEST_F(ViewTest, AFileThatIsNotRadioSizedIsOpenedWithAWordAndSavedOnlyUnderANewName) {
    const QString radio = QString::fromStdString((m_dir / "radio.dat").string());
    ASSERT_TRUE(m_view->Save(radio).ok());
    auto bytes = radioprog::testing::ReadBytes(m_dir / "radio.dat");
    bytes.resize(1025, 0x0A);
    const std::string big = (m_dir / "big.dat").string();
    radioprog::testing::WriteText(big, std::string(bytes.begin(), bytes.end()));
    m_messages.shown.clear();

    CMainFrame* frame = m_app->mainFrame();
    ASSERT_TRUE(frame->OpenDocument(QString::fromStdString(big)));
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(
        m_messages.shown[0].text.toStdString(),
        "\"" + big + "\" holds 1025 bytes; a radio file holds 1024; only the first 1024 are used");

    EXPECT_TRUE(SaveAskedForAName(frame));
    EXPECT_EQ(std::filesystem::file_size(big), 1025u);

    const std::string copy = (m_dir / "copy.dat").string();
    OnNextModal([&copy](QWidget* modal) {
        auto* name = modal->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(copy));
        static_cast<QDialog*>(modal)->accept();
    });
    frame->action("save")->trigger();
    EXPECT_EQ(std::filesystem::file_size(copy), 1024u);
    EXPECT_EQ(std::filesystem::file_size(big), 1025u);
    EXPECT_EQ(frame->activeView()->document().pathName(), copy);
}

// The desktop program's Open and Save over the same bad files as the command line's: what
// cannot be a radio file is refused with why, a file of any other size is opened with a word
// and saved only under a new name, a link or somebody else's file is saved as it was.
TEST_F(ViewTest, BadFilesThroughOpenAndSave) {
    const QString good = QString::fromStdString((m_dir / "good.dat").string());
    ASSERT_TRUE(m_view->Save(good).ok());
    const auto bytes = radioprog::testing::ReadBytes(m_dir / "good.dat");
    const auto make = [this, &bytes](const std::string& name, std::size_t size) {
        std::vector<std::uint8_t> content = bytes;
        content.resize(size, 0x00);
        radioprog::testing::WriteText(m_dir / name, std::string(content.begin(), content.end()));
        return (m_dir / name).string();
    };
    const radioprog::testing::Fifo fifo(m_dir / "pipe.dat");
    std::filesystem::create_directory(m_dir / "folder.dat");
    make("target.dat", 1024);
    std::filesystem::create_symlink("target.dat", m_dir / "link.dat");
    enum class Expect { Refused, Renamed, Saved };
    struct BadFile {
        std::string path;
        Expect expect;
        std::string says;
    };
    std::vector<BadFile> files = {
        {make("empty.dat", 0), Expect::Refused, "it holds 0 bytes, a radio file holds 1024"},
        {make("short.dat", 1023), Expect::Refused, "it holds 1023 bytes, a radio file holds 1024"},
        {make("huge.dat", 1 << 20), Expect::Renamed, "holds 1048576 bytes"},
        {(m_dir / "folder.dat").string(), Expect::Refused, "it is a folder, not a file"},
        {fifo.path().string(), Expect::Refused, "it is a named pipe (FIFO), not a regular file"},
        {"/dev/zero", Expect::Refused, "it is a device, not a regular file"},
        {(m_dir / "link.dat").string(), Expect::Saved, ""},
    };
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(make("theirs.dat", 1024).c_str(), kNobody, kNobody), 0);
        files.push_back({(m_dir / "theirs.dat").string(), Expect::Saved, ""});
    }
    CMainFrame* frame = m_app->mainFrame();
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.path);
        m_messages.shown.clear();
        const bool opened = frame->OpenDocument(QString::fromStdString(file.path));
        EXPECT_EQ(opened, file.expect != Expect::Refused);
        if (file.expect == Expect::Saved) {
            EXPECT_TRUE(m_messages.shown.empty());
        } else {
            ASSERT_EQ(m_messages.shown.size(), 1u);
            EXPECT_NE(m_messages.shown[0].text.toStdString().find(file.says), std::string::npos)
                << m_messages.shown[0].text.toStdString();
        }
        if (opened) {
            const auto before = std::filesystem::file_size(file.path);
            EXPECT_EQ(SaveAskedForAName(frame), file.expect == Expect::Renamed);
            EXPECT_EQ(std::filesystem::file_size(file.path), before);
        }
    }
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir / "link.dat"));
    if (::geteuid() == 0) {
        struct stat info {};
        ASSERT_EQ(::stat((m_dir / "theirs.dat").c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, kNobody);
        EXPECT_EQ(info.st_gid, kNobody);
    }
    EXPECT_FALSE(fifo.rescued());
}

TEST_F(ViewTest, TheChannelWindowHidesAndComesBack) {
    CChildFrame* frame = m_app->mainFrame()->activeFrame();
    frame->close();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(m_app->mainFrame()->action("save")->isEnabled());
    m_app->mainFrame()->action("channelInformation")->trigger();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(m_app->mainFrame()->action("save")->isEnabled());
}

// New asks before clearing the window; a changed document is offered for saving first, and
// Cancel at either question keeps everything as it was.
TEST_F(ViewTest, NewAsksBeforeClearingAndOffersToSaveAChangedDocument) {
    CMainFrame* frame = m_app->mainFrame();
    Click(2, 1);
    QTest::keyClicks(RxEditor(), "146");
    QTest::keyClick(RxEditor(), Qt::Key_Return);
    ASSERT_TRUE(m_view->document().IsModified());

    struct Case {
        std::deque<QMessageBox::StandardButton> answers;
        QStringList questions;
        bool replaced;
    };
    const QString cleared = "All data will be Cleared!";
    const QString save = "Save changes?";
    const Case cases[] = {
        {{QMessageBox::Cancel}, {cleared}, false},
        {{QMessageBox::Ok, QMessageBox::Cancel}, {cleared, save}, false},
        {{QMessageBox::Ok, QMessageBox::No}, {cleared, save}, true},
    };
    for (const Case& c : cases) {
        m_messages.shown.clear();
        m_messages.answers = c.answers;
        CProgramView* before = frame->activeView();
        frame->action("new")->trigger();
        WaitFor([] { return true; });
        QStringList questions;
        for (const auto& shown : m_messages.shown) {
            questions << shown.text;
        }
        EXPECT_EQ(questions, c.questions);
        CProgramView* after = frame->activeView();
        EXPECT_EQ(after != before, c.replaced) << questions.join("|").toStdString();
        EXPECT_EQ(after->grid().TextMatrix(2, 1), c.replaced ? "" : "146.00000");
    }
    // The fresh document is unchanged, so a second New asks only the first question.
    m_messages.shown.clear();
    m_messages.answers = {QMessageBox::Ok};
    frame->action("new")->trigger();
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text, cleared);
}

TEST_F(ViewTest, LeavingTheProgramOffersToSaveAndYesWritesTheFile) {
    CMainFrame* frame = m_app->mainFrame();
    const QString path = QString::fromStdString((m_dir / "kept.dat").string());
    ASSERT_TRUE(m_view->Save(path).ok());
    Click(5, 1);
    QTest::keyClicks(RxEditor(), "150.0125");
    QTest::keyClick(RxEditor(), Qt::Key_Return);

    m_messages.answers = {QMessageBox::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(m_messages.shown.back().text, "Save changes?");

    m_messages.answers = {QMessageBox::Yes};
    EXPECT_TRUE(frame->close());
    const auto bytes = radioprog::testing::ReadBytes(m_dir / "kept.dat");
    ASSERT_EQ(bytes.size(), 1024u);
    // Channel 5's receive frequency, BCD from the low byte: 150.01250 MHz.
    EXPECT_EQ(bytes[image::ChannelOffset(5) + 3], 0x15);
    EXPECT_EQ(bytes[image::ChannelOffset(5) + 0], 0x50);
}

// A demo run whose radio cannot start still starts, with the serial ports, and says why.
TEST_F(AppTest, ADemoRadioThatCannotStartIsReported) {
    class NoDemoRadio : public CProgramApp {
    public:
        using CProgramApp::CProgramApp;

    protected:
        PtyRadio::Started StartDemoRadio() override { return {nullptr, "no pseudo-terminal left"}; }
    };
    StartOptions options;
    options.appDir = m_dir.path().string();
    options.demo = true;
    NoDemoRadio app(options);
    OnNextModal([](QWidget* modal) { LoginAs(qobject_cast<CLoginDlg*>(modal), 1, ""); });
    ASSERT_TRUE(app.Start());
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text,
              "The demo radio could not be started; COM1 is a serial port.\n"
              "no pseudo-terminal left");
    EXPECT_NE(app.mainFrame()->activeView(), nullptr);
}

TEST_F(AppTest, ChineseRunShowsChineseTexts) {
    WriteIni("Chinese");
    auto app = StartApp([](CLoginDlg* dialog) {
        EXPECT_EQ(dialog->roleList()->itemText(1), "管理员");
        testing::Screenshot(dialog, "login-zh");
        LoginAs(dialog, 1, "");
    });
    ASSERT_TRUE(m_started);
    CProgramView* view = app->mainFrame()->activeView();
    EXPECT_EQ(view->grid().TextMatrix(0, 1), "接收频率");
    EXPECT_EQ(app->mainFrame()->windowTitle(), "电台  [ 类型:RP-16V  频率:136 - 174MHz ]");
    EXPECT_EQ(app->mainFrame()->action("read")->text(), "读频(&R)");
    app->mainFrame()->action("read")->trigger();
    testing::Screenshot(view->progressDialog(), "progress-read-zh");
    QTest::mouseClick(view->progressDialog()->okButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([view] { return view->progressDialog() == nullptr; }));
    EXPECT_EQ(view->grid().TextMatrix(1, 5), "高");
    testing::Screenshot(app->mainFrame(), "main-window-demo-read-zh");
}

}  // namespace
}  // namespace radioprog::gui

namespace radioprog::gui {
namespace {

// A radio of the test's own, reached by its device path, for the transfers the demo radio
// cannot show.
class TransferTest : public AppTest {
protected:
    void StartWith(int role, const QString& password, const SimFaults& faults = {}, int baud = 0,
                   PackedPassword admin = {0xFF, 0xFF, 0xFF}) {
        m_app = StartApp([role, password](CLoginDlg* dialog) { LoginAs(dialog, role, password); });
        ASSERT_TRUE(m_started);
        RadioSimulator simulator(DemoMemory(), faults);
        simulator.SetAdminPassword(admin);
        PtyRadio::Options options;
        options.baud = baud;
        PtyRadio::Started started = PtyRadio::Start(simulator, options);
        ASSERT_TRUE(started.radio) << started.error;
        m_radio = std::move(started.radio);
        m_app->context().link.portName = m_radio->devicePath();
        m_view = m_app->mainFrame()->activeView();
    }
    void Run(const char* command) {
        m_app->mainFrame()->action(command)->trigger();
        QTest::mouseClick(m_view->progressDialog()->okButton(), Qt::LeftButton);
    }
    bool Finished() {
        return WaitFor([this] { return m_view->progressDialog() == nullptr; }, 60000);
    }

    std::unique_ptr<CProgramApp> m_app;
    std::unique_ptr<PtyRadio> m_radio;
    CProgramView* m_view = nullptr;
};

TEST_F(TransferTest, AUserWriteNeverSendsTheIdentityRecord) {
    StartWith(0, "");
    const RadioImage before = m_radio->memory();
    Run("write");
    ASSERT_TRUE(Finished());
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text, "Written and verified");
    EXPECT_EQ(m_radio->stats().halfBlocksWritten, 123u);
    const RadioImage after = m_radio->memory();
    EXPECT_TRUE(std::equal(after.begin() + image::kIdentity, after.begin() + image::kIdentity + 8,
                           before.begin() + image::kIdentity));
    // The grid of the new document went out: channel 1 is empty on the radio now.
    EXPECT_EQ(after[image::ChannelOffset(1) + 3], 0xFF);
}

TEST_F(TransferTest, AWriteOfAFileThatMayNotBeARadiosAsksFirst) {
    StartWith(1, "");
    radioprog::testing::WriteText(m_dir / "zeros.dat", std::string(1024, '\0'));
    ASSERT_TRUE(
        m_app->mainFrame()->OpenDocument(QString::fromStdString((m_dir / "zeros.dat").string())));
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_NE(m_messages.shown[0].text.indexOf("may not be a radio file"), -1);
    m_view = m_app->mainFrame()->activeView();
    // The new channel window took the saved port; this test's radio is elsewhere.
    m_app->context().link.portName = m_radio->devicePath();
    const RadioImage before = m_radio->memory();

    m_messages.shown.clear();
    m_messages.answers = {QMessageBox::No};
    Run("write");
    ASSERT_TRUE(Finished());
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text,
              "The memory to write may not be a radio's: its band limits (0 - 0 MHz) are "
              "impossible; its identity record does not begin with 50.\n"
              "Write it to the radio anyway?");
    EXPECT_EQ(m_radio->stats().halfBlocksWritten, 0u);
    EXPECT_EQ(m_radio->memory(), before);

    // Without a 50 in its identity record the radio no longer answers: no verify.
    TransferOptions noVerify;
    noVerify.verifyAfterWrite = false;
    ASSERT_TRUE(StoreTransferOptions(m_app->context().userStore, noVerify));
    m_messages.answers = {QMessageBox::Yes};
    Run("write");
    ASSERT_TRUE(Finished());
    // Asked again, and this time the radio was reached.
    ASSERT_GE(m_messages.shown.size(), 2u);
    EXPECT_EQ(m_messages.shown[1].text, m_messages.shown[0].text);
    EXPECT_EQ(m_radio->stats().halfBlocksWritten, 124u);
}

TEST_F(TransferTest, APasswordErrorAsksForThePasswordWithTheRoleFixed) {
    StartWith(1, "99", {}, 0, {0x12, 0x34, 0xFF});
    bool roleListEnabled = true;
    m_messages.answers = {QMessageBox::Ok};
    OnNextModal([&roleListEnabled](QWidget* modal) {
        auto* login = qobject_cast<CLoginDlg*>(modal);
        ASSERT_NE(login, nullptr);
        roleListEnabled = login->roleList()->isEnabled();
        QTest::keyClicks(login->passwordEdit(), "1234");
        login->accept();
    });
    Run("read");
    ASSERT_TRUE(Finished());
    EXPECT_FALSE(roleListEnabled);
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text, "Password Error");
    EXPECT_EQ(m_messages.shown[0].caption, "Error");
    EXPECT_EQ(m_view->grid().TextMatrix(2, 1), "146.52000");
}

TEST_F(TransferTest, CancelDuringAReadKeepsTheGridAndTheDocumentNew) {
    StartWith(1, "", {}, 9600);
    // The transfer pumps the application itself, so the click has to come from a timer that
    // fires inside those pumps.
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [this, &watcher] {
        CProcessDlg* dialog = m_view->progressDialog();
        if (dialog && dialog->bar()->value() >= 3) {
            watcher.stop();
            // Leaving the program waits for the transfer; the window stays.
            m_app->mainFrame()->close();
            EXPECT_TRUE(m_app->mainFrame()->isVisible());
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        }
    });
    watcher.start();
    Run("read");
    ASSERT_TRUE(Finished());
    EXPECT_EQ(m_view->grid().TextMatrix(1, 1), "");
    EXPECT_TRUE(m_app->context().newDocument);
    EXPECT_LT(m_radio->stats().halfBlocksRead, 124u);
}

TEST_F(TransferTest, ARadioThatStopsPartWaySaysHowFarTheReadGot) {
    SimFaults faults;
    faults.stopAfter = 30;
    StartWith(1, "", faults);
    Run("read");
    ASSERT_TRUE(Finished());
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_NE(m_messages.shown[0].text.indexOf("15 of 62"), -1)
        << m_messages.shown[0].text.toStdString();
    // Nothing of the radio landed: the new document is as it was.
    EXPECT_EQ(m_view->grid().TextMatrix(2, 1), "");
    EXPECT_TRUE(m_app->context().newDocument);
    EXPECT_FALSE(m_view->document().IsModified());
}

}  // namespace
}  // namespace radioprog::gui
