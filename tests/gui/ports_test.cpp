// COM Setup's devices, Change... and Find my cable on a fixture machine, the open failure's
// finding, and Help > Save Serial Trace, in the running program.
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "../support/fixture_system.h"
#include "../support/pseudo_terminal.h"
#include "core/doc/port_map.h"
#include "core/link/serial_port.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/link/com_setup_dlg.h"
#include "gui/link/find_cable_dlg.h"
#include "gui/link/port_chooser_dlg.h"
#include "gui/link/process_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

using radioprog::testing::FixtureSystem;
using radioprog::testing::PseudoTerminal;
using testing::OnNextModal;
using testing::OnNextModalOf;
using testing::ScriptedMessages;
using testing::WaitFor;

const FixtureSystem::Usb kProlific{
    0x067b, 0x2303, "Prolific Technology Inc.", "USB-Serial Controller", "", "pl2303"};
const FixtureSystem::Usb kCh340{0x1a86, 0x7523, "", "USB Serial", "", "ch341"};
const FixtureSystem::Usb kFtdi{0x0403, 0x6001, "FTDI", "FT232R USB UART", "A10K", "ftdi_sio"};
constexpr const char* kProlificById =
    "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";
constexpr const char* kFtdiById = "usb-FTDI_FT232R_USB_UART_A10K-if00-port0";

// A desk: the Prolific cable on COM1, a CH340 cable that minicom holds on COM2, COM3 bound to a
// device that is not there, COM4 to the main board's port whose node is missing; an FTDI cable
// bound to nothing.
class PortsTest : public ::testing::Test {
protected:
    PortsTest() {
        testing::PrepareAppFolder(m_dir);
        m_system.AddUsbAdapter("ttyUSB0", kProlific);
        m_system.LinkNode("ttyUSB0", m_prolific.slave());
        m_system.AddById(kProlificById, "ttyUSB0");
        m_system.AddUsbAdapter("ttyUSB1", kCh340);
        m_system.LinkNode("ttyUSB1", m_ch340.slave());
        m_system.AddProcess(4321, "minicom", {m_ch340.slave()});
        m_system.AddUsbAdapter("ttyUSB2", kFtdi);
        m_system.LinkNode("ttyUSB2", m_ftdi.slave());
        m_system.AddById(kFtdiById, "ttyUSB2");
        m_system.AddBuiltInPort("ttyS0");
        std::string error;
        m_minicom = SerialPort::Open(m_ch340.slave(), kTransferProfile, &error);
        EXPECT_NE(m_minicom, nullptr) << error;
    }
    void Start(const std::string& language = "English", bool demo = false) {
        radioprog::testing::WriteText(m_dir / "Program.ini",
                                      "[Setup]\nLanguage=" + language +
                                          "\nAppName=radioprog-test\n[English]\nCompany=Radio "
                                          "Co\n[Chinese]\nCompany=电台公司\n");
        UserStore store(m_dir / "config" / "radioprog" / "user.ini");
        const std::string devices[] = {ById(kProlificById), Dev("ttyUSB1"), Dev("ttyACM0"),
                                       Dev("ttyS0")};
        for (int slot = 1; slot <= 4; ++slot) {
            ASSERT_TRUE(SetPortDevice(store, slot, devices[slot - 1]).ok());
        }
        ASSERT_TRUE(store.SetInt("Software\\radioprog-test", "com", 1).ok());
        m_app = testing::StartAsAdmin(m_dir.path(), demo);
        ASSERT_NE(m_app->mainFrame(), nullptr);
        m_app->context().system = m_system.roots();
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }
    AppContext& Context() const { return m_app->context(); }
    std::string Dev(const std::string& name) const { return m_system.Dev(name).string(); }
    std::string ById(const std::string& link) const { return Dev("serial/by-id/" + link); }
    std::optional<std::string> Bound(int slot) const {
        return StoredPortDevice(Context().userStore, slot);
    }
    void ComSetup(const std::function<void(CComSetupDlg*)>& step) {
        testing::RunDialog<CComSetupDlg>(Frame()->action("comSetup"), step);
    }
    static std::vector<bool> Enabled(const CComSetupDlg* dialog) {
        std::vector<bool> enabled;
        for (int index = 0; index < 4; ++index) {
            enabled.push_back(dialog->portButton(index)->isEnabled());
        }
        return enabled;
    }
    static int Checked(const CComSetupDlg* dialog) {
        for (int index = 0; index < 4; ++index) {
            if (dialog->portButton(index)->isChecked()) {
                return index;
            }
        }
        return -1;
    }
    static void ClickOk(QDialog* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
    }

    radioprog::testing::TempDir m_dir;
    FixtureSystem m_system;
    PseudoTerminal m_prolific;
    PseudoTerminal m_ch340;
    PseudoTerminal m_ftdi;
    std::unique_ptr<SerialPort> m_minicom;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
};

TEST_F(PortsTest, ComSetupNamesTheDeviceOfEachPortAndWhyAGreyedOneCannotBeOpened) {
    Start();
    ComSetup([this](CComSetupDlg* dialog) {
        EXPECT_EQ(Enabled(dialog), (std::vector<bool>{true, false, false, false}));
        EXPECT_EQ(Checked(dialog), 0);
        const QString lines[] = {
            QString::fromStdString(Dev("ttyUSB0")) + " · Prolific PL2303 (067b:2303)",
            QString::fromStdString(Dev("ttyUSB1")) + " · QinHeng CH340 (1a86:7523)",
            QString::fromStdString(Dev("ttyACM0")),
            QString::fromStdString(Dev("ttyS0")) + " · built-in serial port (serial)",
        };
        const QString reasons[] = {
            "",
            QString::fromStdString(Dev("ttyUSB1")) + " is open in minicom (pid 4321)",
            QString::fromStdString(Dev("ttyACM0")) + " does not exist",
            "the kernel has ttyS0, but " + QString::fromStdString(Dev("ttyS0")) + " does not exist",
        };
        for (int index = 0; index < 4; ++index) {
            SCOPED_TRACE(index);
            EXPECT_EQ(dialog->portButton(index)->text(), QString("COM%1").arg(index + 1));
            EXPECT_EQ(dialog->deviceLabel(index)->text(), lines[index]);
            EXPECT_EQ(dialog->reasonLabel(index)->text(), reasons[index]);
            EXPECT_EQ(dialog->reasonLabel(index)->isVisible(), index != 0);
        }
        EXPECT_EQ(dialog->changeButton()->text(), "Change...");
        EXPECT_EQ(dialog->findButton()->text(), "Find my cable");
        EXPECT_EQ(dialog->changeButton()->objectName(), "1011");
        EXPECT_EQ(dialog->findButton()->objectName(), "1012");
        testing::Screenshot(dialog, "com-setup-ports-en");
    });
}

TEST_F(PortsTest, ComSetupInChineseSaysTheSameInChinese) {
    Start("Chinese");
    ComSetup([this](CComSetupDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "串口设置");
        EXPECT_EQ(dialog->changeButton()->text(), "更改...");
        EXPECT_EQ(dialog->findButton()->text(), "查找编程线");
        EXPECT_EQ(dialog->deviceLabel(3)->text(),
                  QString::fromStdString(Dev("ttyS0")) + " · 内置串口 (serial)");
        EXPECT_EQ(dialog->reasonLabel(1)->text(),
                  QString::fromStdString(Dev("ttyUSB1")) + " 已被 minicom (pid 4321) 打开");
        EXPECT_EQ(dialog->reasonLabel(2)->text(),
                  QString::fromStdString(Dev("ttyACM0")) + " 不存在");
        testing::Screenshot(dialog, "com-setup-ports-zh");
    });
}

TEST_F(PortsTest, ChangeBindsTheCheckedPortByItsStableNameAndCancelPutsTheBindingBack) {
    Start();
    ComSetup([this](CComSetupDlg* dialog) {
        OnNextModalOf<CPortChooserDlg>([this](CPortChooserDlg* chooser) {
            EXPECT_EQ(chooser->windowTitle(), "Change Port");
            QListWidget* list = chooser->portList();
            ASSERT_EQ(list->count(), 4);
            EXPECT_EQ(list->item(1)->text(), QString::fromStdString(Dev("ttyUSB0")) +
                                                 " · Prolific PL2303 (067b:2303)  (COM1)");
            EXPECT_EQ(list->item(2)->text(), QString::fromStdString(Dev("ttyUSB1")) +
                                                 " · QinHeng CH340 (1a86:7523)  (COM2)\n    " +
                                                 QString::fromStdString(Dev("ttyUSB1")) +
                                                 " is open in minicom (pid 4321)");
            // It starts at the device COM1 stands for now.
            EXPECT_EQ(list->currentRow(), 1);
            EXPECT_EQ(chooser->deviceEdit()->text(), QString::fromStdString(ById(kProlificById)));
            testing::Screenshot(chooser, "port-chooser-en");
            list->setCurrentRow(3);
            EXPECT_EQ(chooser->deviceEdit()->text(), QString::fromStdString(ById(kFtdiById)));
            ClickOk(chooser);
        });
        QTest::mouseClick(dialog->changeButton(), Qt::LeftButton);
        EXPECT_EQ(Bound(1), ById(kFtdiById));
        EXPECT_EQ(dialog->deviceLabel(0)->text(),
                  QString::fromStdString(Dev("ttyUSB2")) + " · FTDI FT232R (0403:6001)");
        EXPECT_EQ(Checked(dialog), 0);
        dialog->reject();
    });
    EXPECT_EQ(Bound(1), ById(kProlificById));

    // A path typed, kept by OK: a pseudo-terminal is taken as it is.
    PseudoTerminal simulator;
    const QString typed = QString::fromStdString(simulator.slave().string());
    ComSetup([&typed](CComSetupDlg* dialog) {
        OnNextModalOf<CPortChooserDlg>([&typed](CPortChooserDlg* chooser) {
            chooser->deviceEdit()->setText(typed);
            ClickOk(chooser);
        });
        QTest::mouseClick(dialog->changeButton(), Qt::LeftButton);
        EXPECT_EQ(dialog->deviceLabel(0)->text(), typed + " · pseudo-terminal");
        ClickOk(dialog);
    });
    EXPECT_EQ(Bound(1), simulator.slave().string());
    EXPECT_EQ(Context().link.portName, "com1");

    // Opened again, it offers the device COM1 stands for, which is none of the listed ports.
    ComSetup([&typed](CComSetupDlg* dialog) {
        OnNextModalOf<CPortChooserDlg>([&typed](CPortChooserDlg* chooser) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(chooser));
            EXPECT_EQ(chooser->deviceEdit()->text(), typed);
            EXPECT_EQ(chooser->portList()->currentItem(), nullptr);
        });
        QTest::mouseClick(dialog->changeButton(), Qt::LeftButton);
    });
}

TEST_F(PortsTest, FindMyCableBindsThePortThatComesBackAfterTheCableWasPulled) {
    Start();
    // Nothing checkable: the cable goes to COM1.
    m_prolific.CloseMaster();
    ComSetup([this](CComSetupDlg* dialog) {
        OnNextModalOf<CFindCableDlg>([this](CFindCableDlg* find) {
            EXPECT_EQ(find->windowTitle(), "Find My Cable");
            EXPECT_EQ(find->stageLabel()->text(), "Waiting for the cable to be unplugged...");
            m_system.Unplug("ttyUSB2");
            EXPECT_TRUE(WaitFor(
                [find] { return find->stageLabel()->text() == "Now plug the cable back in..."; }));
            testing::Screenshot(find, "find-cable-en");
            m_system.AddUsbAdapter("ttyUSB3", kFtdi);
            m_system.LinkNode("ttyUSB3", m_ftdi.slave());
            m_system.AddById(kFtdiById, "ttyUSB3");
            EXPECT_TRUE(WaitFor([find] { return !find->isVisible(); }));
            ASSERT_TRUE(find->found());
            EXPECT_EQ(find->found()->name, "ttyUSB3");
        });
        QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
        EXPECT_EQ(Bound(1), ById(kFtdiById));
        EXPECT_EQ(dialog->deviceLabel(0)->text(),
                  QString::fromStdString(Dev("ttyUSB3")) + " · FTDI FT232R (0403:6001)");
        EXPECT_EQ(Checked(dialog), 0);
        ClickOk(dialog);
    });
    EXPECT_EQ(Context().link.portName, "com1");

    // Cancelled, it binds nothing.
    ComSetup([](CComSetupDlg* dialog) {
        OnNextModalOf<CFindCableDlg>([](CFindCableDlg* find) { find->reject(); });
        QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
    });
    EXPECT_EQ(Bound(1), ById(kFtdiById));
}

TEST_F(PortsTest, FindMyCableInChinese) {
    Start("Chinese");
    ComSetup([this](CComSetupDlg* dialog) {
        OnNextModalOf<CFindCableDlg>([this](CFindCableDlg* find) {
            EXPECT_EQ(find->windowTitle(), "查找编程线");
            EXPECT_EQ(find->stageLabel()->text(), "正在等待拔下编程线...");
            m_system.Unplug("ttyUSB2");
            EXPECT_TRUE(WaitFor(
                [find] { return find->stageLabel()->text() == "现在请重新插上编程线..."; }));
            testing::Screenshot(find, "find-cable-zh");
        });
        QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
        OnNextModalOf<CPortChooserDlg>([](CPortChooserDlg* chooser) {
            EXPECT_EQ(chooser->windowTitle(), "更改串口");
            testing::Screenshot(chooser, "port-chooser-zh");
        });
        QTest::mouseClick(dialog->changeButton(), Qt::LeftButton);
    });
}

TEST_F(PortsTest, APortThatCannotBeOpenedIsExplainedByTheDoctorsFinding) {
    Start();
    Context().link.portName = "COM3";
    Frame()->action("read")->trigger();
    CProgramView* view = Frame()->activeView();
    QTest::mouseClick(view->progressDialog()->okButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([view] { return view->progressDialog() == nullptr; }));
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text,
              "Could not Open the Port,Please check whether the Port are occupied or the device "
              "are ok\n\nCOM3: " +
                  QString::fromStdString(Dev("ttyACM0")) +
                  " does not exist. To fix: plug the cable in; radioprog-cli ports lists the "
                  "serial ports this computer has, and radioprog-cli ports bind COM3 DEVICE "
                  "binds one\nFor a full check run: radioprog-cli doctor --port COM3");
}

TEST_F(PortsTest, SaveSerialTraceSavesEveryByteOfTheLastExchange) {
    Start("English", /*demo=*/true);
    QAction* save = Frame()->action("saveSerialTrace");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "Save Serial &Trace...");
    EXPECT_TRUE(Frame()->menu("menuHelp")->actions().contains(save));
    save->trigger();
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text,
              "There is no serial trace yet: it is kept from the next "
              "Read, Write or password exchange on.");

    Frame()->action("read")->trigger();
    CProgramView* view = Frame()->activeView();
    QTest::mouseClick(view->progressDialog()->okButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([view] { return view->progressDialog() == nullptr; }));
    ASSERT_EQ(m_messages.shown.size(), 1u) << m_messages.shown.back().text.toStdString();
    const std::string file = (m_dir / "trace").string();
    OnNextModal([&file](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(file));
        static_cast<QDialog*>(dialog)->accept();
    });
    save->trigger();
    const std::string text = radioprog::testing::ReadText(file);
    EXPECT_TRUE(
        text.starts_with("# radioprog serial trace. It holds the radio's identity record "
                         "and so its passwords.\n"))
        << text.substr(0, 200);
    EXPECT_NE(text.find("  ->  handshake      02\n"), std::string::npos);
    EXPECT_NE(text.find("  <-  identity       50 "), std::string::npos);
    EXPECT_NE(text.find("  ->  read 0x03D8    52 03 D8 08\n"), std::string::npos) << text;
    EXPECT_NE(Frame()->statusBar()->currentMessage().indexOf("It holds the radio's passwords"), -1);
}

}  // namespace
}  // namespace radioprog::gui
