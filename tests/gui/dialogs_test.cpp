// The Product Information and COM Setup dialogs in the running program: what they show and what
// OK and Cancel change. F1 is in help_test.cpp.
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "../support/pseudo_terminal.h"
#include "core/doc/port_map.h"
#include "core/link/port_names.h"
#include "core/link/serial_port.h"
#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/link/com_setup_dlg.h"
#include "gui/link/login_dlg.h"
#include "gui/radio/product_info_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

using testing::OnNextModal;
using testing::ScriptedMessages;

class DialogsTest : public ::testing::Test {
protected:
    DialogsTest() {
        testing::PrepareAppFolder(m_dir);
        WriteIni("English");
    }
    void WriteIni(const std::string& language) {
        radioprog::testing::WriteText(m_dir / "Program.ini",
                                      "[Setup]\nLanguage=" + language +
                                          "\nAppName=radioprog-test\nType1=RP-16V\nType2=RP-16U\n"
                                          "Field1=136-174MHz|400-470MHz\nField2=400-470MHz\n"
                                          "[English]\nCompany=Radio Co\nAppName=Radio\n"
                                          "[Chinese]\nCompany=电台公司\nAppName=电台\n");
    }
    void Start(const std::string& language = "English", bool demo = false) {
        WriteIni(language);
        m_app = testing::StartAsAdmin(m_dir.path(), demo);
        ASSERT_NE(m_app->mainFrame(), nullptr);
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }
    AppContext& Context() const { return m_app->context(); }
    // The per-user store the program will use, for what a test sets up before start-up.
    UserStore Store() const { return UserStore(m_dir / "config" / "radioprog" / "user.ini"); }

    template <typename Dialog>
    void RunDialog(const char* command, const std::function<void(Dialog*)>& step) {
        testing::RunDialog<Dialog>(Frame()->action(command), step);
    }
    void ProductInfo(const std::function<void(CProductInfoDlg*)>& step) {
        RunDialog<CProductInfoDlg>("productInformation", step);
    }
    void ComSetup(const std::function<void(CComSetupDlg*)>& step) {
        RunDialog<CComSetupDlg>("comSetup", step);
    }
    static void ClickOk(QDialog* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
    }
    static QStringList Items(const QComboBox* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->itemText(i);
        }
        return items;
    }
    static bool RangeShown(const CProductInfoDlg* dialog) {
        return dialog->startEdit()->isVisible() && dialog->endEdit()->isVisible();
    }
    static bool RangeHidden(const CProductInfoDlg* dialog) {
        return dialog->startEdit()->isHidden() && dialog->endEdit()->isHidden();
    }
    static void SelectField(CProductInfoDlg* dialog, const QString& text) {
        const int index = dialog->fieldList()->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        dialog->fieldList()->setCurrentIndex(index);
    }
    static void TypeRange(CProductInfoDlg* dialog, const QString& start, const QString& end) {
        dialog->startEdit()->clear();
        QTest::keyClicks(dialog->startEdit(), start);
        dialog->endEdit()->clear();
        QTest::keyClicks(dialog->endEdit(), end);
    }
    // Types @p text as the receive frequency of channel @p row and commits it.
    void TypeFrequency(int row, const QString& text) {
        CProgramView* view = Frame()->activeView();
        view->grid().setCurrentCell(row, 1);
        emit view->grid().MouseDown();
        auto* editor = qobject_cast<QLineEdit*>(view->editor(1));
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
};

TEST_F(DialogsTest, ComSetupIsInSetupForTheChannelWindow) {
    Start();
    EXPECT_TRUE(Frame()->menu("menuSetup")->menuAction()->isVisible());
    EXPECT_TRUE(Frame()->menu("menuSetup")->actions().contains(Frame()->action("comSetup")));
    EXPECT_EQ(Frame()->action("comSetup")->text(), "&Com Setup");
    EXPECT_TRUE(Frame()->action("comSetup")->isEnabled());

    // COM Setup is a command of the channel window.
    Frame()->activeFrame()->close();
    EXPECT_FALSE(Frame()->action("comSetup")->isEnabled());
}

TEST_F(DialogsTest, ProductInformationIsTheFirstEditCommandAndNeedsNoChannelWindow) {
    Start();
    const QList<QAction*> edit = Frame()->menu("menuEdit")->actions();
    ASSERT_GE(edit.size(), 2);
    EXPECT_EQ(edit[0], Frame()->action("productInformation"));
    EXPECT_EQ(edit[1], Frame()->action("channelInformation"));
    EXPECT_EQ(edit[0]->text(), "&Product Information");
    Frame()->activeFrame()->close();
    EXPECT_TRUE(Frame()->action("productInformation")->isEnabled());
}

TEST_F(DialogsTest, ProductInformationListsTheTypesAndBandsAndSelectsTheBandInUse) {
    Start();
    ProductInfo([](CProductInfoDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Product Information");
        EXPECT_EQ(Items(dialog->typeList()), (QStringList{"RP-16V", "RP-16U"}));
        EXPECT_EQ(dialog->typeList()->currentIndex(), 0);
        // The first type's bands: choosing another type does not reload them.
        EXPECT_EQ(Items(dialog->fieldList()),
                  (QStringList{"136-174MHz", "400-470MHz", "Customize"}));
        EXPECT_EQ(dialog->fieldList()->currentText(), "136-174MHz");
        EXPECT_TRUE(RangeHidden(dialog));
        dialog->typeList()->setCurrentIndex(1);
        EXPECT_EQ(dialog->fieldList()->count(), 3);

        SelectField(dialog, "Customize");
        EXPECT_TRUE(RangeShown(dialog));
        EXPECT_EQ(dialog->startEdit()->text(), "400");
        EXPECT_EQ(dialog->endEdit()->text(), "470");
        SelectField(dialog, "400-470MHz");
        EXPECT_TRUE(RangeHidden(dialog));
    });
    // Cancel changed nothing.
    EXPECT_EQ(Context().band, BandLimits(136, 174));
    EXPECT_EQ(Frame()->windowTitle(), "Radio  [ Type:RP-16V  Fre:136 - 174MHz ]");

    // A band that no list entry begins with opens as a custom range.
    Context().band = BandLimits(150, 160);
    ProductInfo([](CProductInfoDlg* dialog) {
        EXPECT_EQ(dialog->fieldList()->currentText(), "Customize");
        EXPECT_TRUE(RangeShown(dialog));
        EXPECT_EQ(dialog->startEdit()->text(), "150");
        EXPECT_EQ(dialog->endEdit()->text(), "160");
        testing::Screenshot(dialog, "product-info-en");
    });
}

TEST_F(DialogsTest, AnUpsideDownRangeIsRefusedWithTheDialogLeftOpenAndAnEqualOneIsTaken) {
    Start();
    ProductInfo([this](CProductInfoDlg* dialog) {
        SelectField(dialog, "Customize");
        TypeRange(dialog, "160", "150");
        ClickOk(dialog);
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text, "Frequency input error");
        EXPECT_EQ(m_messages.shown[0].caption, "Error");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(Context().band, BandLimits(136, 174));

        dialog->endEdit()->clear();
        QTest::keyClicks(dialog->endEdit(), "160");
        ClickOk(dialog);
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(Context().band, BandLimits(160, 160));
    EXPECT_EQ(Frame()->windowTitle(), "Radio [ Type:RP-16V Fre:160 - 160MHz ]");
}

TEST_F(DialogsTest, TheRangeFieldsTakeThreeDigitsAndAnEmptyOneKeepsItsValue) {
    Start();
    ProductInfo([](CProductInfoDlg* dialog) {
        SelectField(dialog, "Customize");
        TypeRange(dialog, "4a5-06", "47x12");
        EXPECT_EQ(dialog->startEdit()->text(), "450");
        EXPECT_EQ(dialog->endEdit()->text(), "471");
        dialog->startEdit()->clear();
        ClickOk(dialog);
    });
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text, "The start of the band is not a number; 400 MHz is kept.");
    EXPECT_EQ(Context().band, BandLimits(400, 471));
}

TEST_F(DialogsTest, TheCustomRangeIsKeptFromOneShowingToTheNext) {
    Start();
    ProductInfo([](CProductInfoDlg* dialog) {
        SelectField(dialog, "Customize");
        TypeRange(dialog, "150", "155");
        ClickOk(dialog);
    });
    ProductInfo([](CProductInfoDlg* dialog) {
        SelectField(dialog, "400-470MHz");
        ClickOk(dialog);
    });
    EXPECT_EQ(Context().band, BandLimits(400, 470));
    ProductInfo([](CProductInfoDlg* dialog) {
        EXPECT_EQ(dialog->fieldList()->currentText(), "400-470MHz");
        // What was typed before Cancel is not kept.
        SelectField(dialog, "Customize");
        EXPECT_EQ(dialog->startEdit()->text(), "150");
        EXPECT_EQ(dialog->endEdit()->text(), "155");
        TypeRange(dialog, "200", "300");
    });
    EXPECT_EQ(Frame()->productInfoDialog()->custom().start, 150u);
    EXPECT_EQ(Frame()->productInfoDialog()->custom().end, 155u);
    EXPECT_EQ(Context().band, BandLimits(400, 470));
}

TEST_F(DialogsTest, OkSetsTheBandAndTitleAndTheNextTypedFrequencyMustFitIt) {
    const struct {
        std::string language;
        const char* title;
        const char* refusal;
    } cases[] = {
        {"English", "Radio [ Type:RP-16U Fre:400 - 470MHz ]", "Out of range,please input again."},
        {"Chinese", "电台 [ 类型:RP-16U 频率:400 - 470MHz ]", "超出范围，请重新输入。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        Start(c.language);
        m_messages.shown.clear();
        ProductInfo([](CProductInfoDlg* dialog) {
            dialog->typeList()->setCurrentIndex(1);
            SelectField(dialog, "400-470MHz");
            ClickOk(dialog);
        });
        EXPECT_EQ(Frame()->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(Context().band.lower10Hz(), 40000000u);
        EXPECT_EQ(Context().band.upper10Hz(), 47000000u);

        TypeFrequency(1, "145");
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text, QString::fromUtf8(c.refusal));
        EXPECT_EQ(Frame()->activeView()->grid().TextMatrix(1, 1), "");
        TypeFrequency(2, "435");
        EXPECT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(Frame()->activeView()->grid().TextMatrix(2, 1), "435.00000");
        m_app.reset();
    }
}

TEST_F(DialogsTest, ProductInformationInChinese) {
    Start("Chinese");
    Context().band = BandLimits(150, 160);
    ProductInfo([this](CProductInfoDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "产品信息");
        EXPECT_EQ(dialog->findChild<QGroupBox*>()->title(), "类型设置");
        EXPECT_EQ(dialog->fieldList()->currentText(), "自定义");
        EXPECT_TRUE(RangeShown(dialog));
        testing::Screenshot(dialog, "product-info-zh");
        TypeRange(dialog, "160", "150");
        ClickOk(dialog);
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text, "起始频率应小于结束频率");
        EXPECT_TRUE(dialog->isVisible());
    });
}

// COM1 to COM4 bound to pseudo-terminals and missing devices, as a user's port map would be.
class ComSetupTest : public DialogsTest {
protected:
    void BindPorts(std::uint32_t saved) {
        UserStore store = Store();
        ASSERT_TRUE(SetPortDevice(store, 1, m_com1.slave().string()).ok());
        ASSERT_TRUE(SetPortDevice(store, 2, (m_dir / "ttyUSB9").string()).ok());
        ASSERT_TRUE(SetPortDevice(store, 3, m_com3.slave().string()).ok());
        ASSERT_TRUE(SetPortDevice(store, 4, m_com4.slave().string()).ok());
        ASSERT_TRUE(store.SetInt("Software\\radioprog-test", "com", saved).ok());
        // Another program has COM4.
        std::string error;
        m_com4Holder = SerialPort::Open(m_com4.slave(), kTransferProfile, &error);
        ASSERT_NE(m_com4Holder, nullptr) << error;
    }
    std::optional<std::uint32_t> Saved() const {
        return Store().GetInt("Software\\radioprog-test", "com");
    }
    static std::vector<bool> Enabled(const CComSetupDlg* dialog) {
        std::vector<bool> enabled;
        for (int index = 0; index < 4; ++index) {
            enabled.push_back(dialog->portButton(index)->isEnabled());
        }
        return enabled;
    }
    // On the button's circle: a click on the empty part of a wide button does not count.
    static void ClickPort(CComSetupDlg* dialog, int index) {
        QRadioButton* button = dialog->portButton(index);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    static int Checked(const CComSetupDlg* dialog) {
        for (int index = 0; index < 4; ++index) {
            if (dialog->portButton(index)->isChecked()) {
                return index;
            }
        }
        return -1;
    }

    radioprog::testing::PseudoTerminal m_com1;
    radioprog::testing::PseudoTerminal m_com3;
    radioprog::testing::PseudoTerminal m_com4;
    std::unique_ptr<SerialPort> m_com4Holder;
};

TEST_F(ComSetupTest, ShowsWhichPortsOpenChecksTheSavedOneAndOkMakesTheChoiceCurrent) {
    BindPorts(1);
    Start();
    EXPECT_EQ(Context().link.portName, "COM1");
    ComSetup([this](CComSetupDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "COM Setup");
        EXPECT_EQ(dialog->findChild<QGroupBox*>()->title(), "COM");
        for (int index = 0; index < 4; ++index) {
            QRadioButton* button = dialog->findChild<QRadioButton*>(QString::number(1007 + index));
            EXPECT_EQ(button, dialog->portButton(index));
            EXPECT_EQ(button->text(), QString("COM%1").arg(index + 1));
        }
        EXPECT_EQ(Enabled(dialog), (std::vector<bool>{true, false, true, false}));
        EXPECT_EQ(Checked(dialog), 0);
        testing::Screenshot(dialog, "com-setup-en");
        ClickPort(dialog, 2);
        ClickOk(dialog);
    });
    EXPECT_EQ(Context().link.portName, "com3");
    EXPECT_EQ(Saved(), 3u);
    // The next exchange opens the device behind COM3.
    EXPECT_EQ(ResolvePortDevice(Context().link.portName, Context().userStore),
              m_com3.slave().string());

    // Cancel keeps everything, whatever was clicked.
    ComSetup([](CComSetupDlg* dialog) {
        EXPECT_EQ(Checked(dialog), 2);
        ClickPort(dialog, 0);
        EXPECT_EQ(Checked(dialog), 0);
        dialog->reject();
    });
    EXPECT_EQ(Context().link.portName, "com3");
    EXPECT_EQ(Saved(), 3u);

    // A new channel window starts from the saved port.
    Context().link.portName = "COM4";
    Frame()->NewDocument();
    EXPECT_EQ(Context().link.portName, "COM3");
}

TEST_F(ComSetupTest, ASavedPortThatDoesNotOpenIsNotCheckedAndOkWithoutAChoiceKeepsThePort) {
    for (const std::uint32_t saved : {2u, 4u, 7u}) {
        SCOPED_TRACE(saved);
        BindPorts(saved);
        Start();
        EXPECT_EQ(Context().link.portName, QString("COM%1").arg(saved).toStdString());
        ComSetup([](CComSetupDlg* dialog) {
            EXPECT_EQ(Checked(dialog), -1);
            ClickOk(dialog);
            EXPECT_FALSE(dialog->isVisible());
        });
        EXPECT_EQ(Context().link.portName, QString("COM%1").arg(saved).toStdString());
        EXPECT_EQ(Saved(), saved);
        m_app.reset();
        m_com4Holder.reset();
    }
}

TEST_F(DialogsTest, TheDemoRadioIsCom1AndAPortThatCannotBeSavedIsSaidInTheStatusBar) {
    Start("English", /*demo=*/true);
    // Nothing can be written where the per-user store should be.
    std::filesystem::remove_all(m_dir / "config" / "radioprog");
    std::filesystem::create_directories(m_dir / "config");
    radioprog::testing::WriteText(m_dir / "config" / "radioprog", "in the way");
    Context().link.portName = "COM2";
    ComSetup([](CComSetupDlg* dialog) {
        EXPECT_TRUE(dialog->portButton(0)->isEnabled());
        dialog->portButton(0)->click();
        ClickOk(dialog);
    });
    EXPECT_EQ(Context().link.portName, "com1");
    // The message names the folder that could not be made.
    const QString folder = QString::fromStdString((m_dir / "config" / "radioprog").string());
    EXPECT_NE(Frame()->statusBar()->currentMessage().indexOf(folder), -1)
        << Frame()->statusBar()->currentMessage().toStdString();
}

TEST_F(ComSetupTest, ComSetupInChinese) {
    BindPorts(3);
    Start("Chinese");
    ComSetup([](CComSetupDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "串口设置");
        EXPECT_EQ(Checked(dialog), 2);
        testing::Screenshot(dialog, "com-setup-zh");
    });
    EXPECT_EQ(Frame()->action("comSetup")->text(), "串口设置(&C)");
    EXPECT_EQ(Frame()->action("productInformation")->text(), "产品信息(&P)");
}

}  // namespace
}  // namespace radioprog::gui
