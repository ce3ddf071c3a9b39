#include <QLineEdit>
#include <QProgressBar>
#include <QTableWidget>

#include "core/sim/pty_radio.h"
#include "gui/app/context_help.h"
#include "gui/app/main_frame.h"
#include "gui/link/fleet_write_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

using namespace std::chrono_literals;

class FleetTest : public ::testing::Test {
protected:
    FleetTest() {
        testing::PrepareAppFolder(m_dir);
        ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
        radioprog::testing::WriteText(m_dir / "Program.ini",
                                      "[Setup]\nLanguage=English\nAppName=radioprog-test\n"
                                      "Type1=RP-16V\n[English]\nCompany=Radio Co\n");
        m_app = testing::StartAsAdmin(m_dir.path());
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }
    CProgramView* View() const { return Frame()->activeView(); }

    void TypeRx(int row, const QString& rx) {
        View()->grid().setCurrentCell(row, 1);
        emit View()->grid().MouseDown();
        auto* editor = qobject_cast<QLineEdit*>(View()->editor(1));
        editor->selectAll();
        QTest::keyClicks(editor, rx);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    radioprog::testing::TempDir m_dir;
    std::unique_ptr<CProgramApp> m_app;
};

TEST_F(FleetTest, WritesTheDocumentToARadioWhileTheWindowStaysUsable) {
    ASSERT_NE(View(), nullptr);
    TypeRx(1, "145.5");
    PtyRadio::Options paced;
    paced.baud = 9600;
    PtyRadio::Started radio =
        PtyRadio::Start(RadioSimulator(NewRadioImage(*PackPassword(""))), paced);
    ASSERT_NE(radio.radio, nullptr) << radio.error;

    QAction* command = Frame()->action("fleetWrite");
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(CommandId(command), 32820);
    ASSERT_TRUE(command->isEnabled());
    command->trigger();
    CFleetWriteDlg* dialog = View()->fleetDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isModal());
    dialog->ChoosePort(QString::fromStdString(radio.radio->devicePath()));
    dialog->SetCount(1);
    ASSERT_TRUE(dialog->Start());
    const RadioImage written = View()->document().image();

    // The grid takes an edit while the radio is being written.
    QTest::qWait(300);
    EXPECT_TRUE(dialog->running());
    TypeRx(2, "146.0");
    EXPECT_EQ(View()->grid().TextMatrix(2, 1), "146.00000");

    QElapsedTimer waited;
    waited.start();
    while (dialog->running() && waited.elapsed() < 120000) {
        QTest::qWait(50);
    }
    ASSERT_FALSE(dialog->running());
    QTableWidget* table = dialog->table();
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 4)->text(), "Verified");
    EXPECT_EQ(qobject_cast<QProgressBar*>(table->cellWidget(0, 2))->value(), 62);
    EXPECT_TRUE(dialog->summary().startsWith("1 radio: 1 verified"))
        << dialog->summary().toStdString();
    EXPECT_TRUE(std::filesystem::exists(dialog->logFile().toStdString()));
    EXPECT_TRUE(dialog->logFile().startsWith(QString::fromStdString((m_dir / "data").string())));
    // The radio holds the document as it was when the run started, the later edit not.
    const RadioImage radioMemory = radio.radio->memory();
    EXPECT_TRUE(
        std::equal(written.begin(), written.begin() + image::kRadioBytes, radioMemory.begin()));
    dialog->close();
}

TEST_F(FleetTest, StartWithoutAPortSaysSo) {
    testing::ScriptedMessages messages;
    Frame()->action("fleetWrite")->trigger();
    CFleetWriteDlg* dialog = View()->fleetDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->Start());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Check at least one port.");
    dialog->close();
}

}  // namespace
}  // namespace radioprog::gui
