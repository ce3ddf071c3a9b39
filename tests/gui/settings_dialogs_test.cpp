// The Optional Features, Scan Information and Password dialogs in the running program, on the
// active document's image: what they show, which bytes OK, Cancel, Query and Change leave, and
// who may reach them.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "core/sim/demo_memory.h"
#include "core/sim/pty_radio.h"
#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/app/navigation_bar.h"
#include "gui/app/program_app.h"
#include "gui/dialogs/optional_features_dlg.h"
#include "gui/dialogs/scan_info_dlg.h"
#include "gui/dialogs/spin_arrows.h"
#include "gui/link/login_dlg.h"
#include "gui/link/password_dlg.h"
#include "gui/link/process_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"
#include "opened_pages.h"

namespace radioprog::gui {
namespace {

using testing::OnNextModal;
using testing::ScriptedMessages;

using testing::kElsewhere;

struct RunOptions {
    std::string language = "English";
    int role = 1;
    QString password;
    bool demo = false;
};

RunOptions InChinese(bool demo = false) {
    RunOptions run;
    run.language = "Chinese";
    run.demo = demo;
    return run;
}

class SettingsDialogsTest : public ::testing::Test {
protected:
    SettingsDialogsTest() { testing::PrepareAppFolder(m_dir); }
    ~SettingsDialogsTest() override { QCursor::setPos(kElsewhere); }

    void Start(const RunOptions& run = {}) {
        radioprog::testing::WriteText(m_dir / "Program.ini",
                                      "[Setup]\nLanguage=" + run.language +
                                          "\nAppName=radioprog-test\nType1=RP-16V\n"
                                          "Field1=136-174MHz\n[English]\nCompany=Radio Co\n"
                                          "AppName=Radio\n[Chinese]\nCompany=电台公司\n"
                                          "AppName=电台\n");
        StartOptions options;
        options.appDir = m_dir.path().string();
        options.demo = run.demo;
        m_app = std::make_unique<CProgramApp>(options);
        OnNextModal([role = run.role, password = run.password](QWidget* modal) {
            auto* login = qobject_cast<CLoginDlg*>(modal);
            login->roleList()->setCurrentIndex(role);
            QTest::keyClicks(login->passwordEdit(), password);
            login->accept();
        });
        ASSERT_TRUE(m_app->Start());
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }
    AppContext& Context() const { return m_app->context(); }
    CProgramView* View() const { return Frame()->activeView(); }
    const RadioImage& Image() const { return View()->document().image(); }
    /// Puts bytes into the image as a file or a radio would have them: no edit of the user's.
    void ChangeImage(const std::function<void(RadioImage&)>& change) const {
        View()->document().Synchronise([&](RadioImage& image, TextGrid&) { change(image); });
    }
    bool Modified() const { return View()->document().IsModified(); }

    template <typename Dialog>
    void RunDialog(const char* command, const std::function<void(Dialog*)>& step) {
        testing::RunDialog<Dialog>(Frame()->action(command), step);
    }
    void OptionalFeatures(const std::function<void(COptionalFeaturesDlg*)>& step) {
        RunDialog<COptionalFeaturesDlg>("optionalFeatures", step);
    }
    void ScanInfo(const std::function<void(CScanInfoDlg*)>& step) {
        RunDialog<CScanInfoDlg>("scanInfo", step);
    }
    void Password(const std::function<void(CPasswordDlg*)>& step) {
        RunDialog<CPasswordDlg>("password", step);
    }
    static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static QPushButton* Button(QDialog* dialog, int id) {
        return dialog->findChild<QPushButton*>(QString::number(id));
    }
    static QStringList Items(const QComboBox* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->itemText(i);
        }
        return items;
    }
    static void Retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // Types @p text as the receive frequency of channel @p row and commits it.
    void TypeFrequency(int row, const QString& text) {
        View()->grid().setCurrentCell(row, 1);
        emit View()->grid().MouseDown();
        auto* editor = qobject_cast<QLineEdit*>(View()->editor(1));
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    std::vector<std::uint8_t> Bytes(std::size_t from, std::size_t count) const {
        return {Image().begin() + static_cast<std::ptrdiff_t>(from),
                Image().begin() + static_cast<std::ptrdiff_t>(from + count)};
    }

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
};

// --- Optional Features ---

// Every byte the dialog owns, with the bits it does not own set to show they are left alone.
void FillOptionBytes(RadioImage& image, std::uint8_t value) {
    for (std::size_t at = image::kVoiceAnnunciation; at <= image::kVoxDelay; ++at) {
        image[at] = value;
    }
    for (std::size_t at = image::kIdCode; at < image::kStunCode + image::kStunCodeSize; ++at) {
        image[at] = value;
    }
}

TEST_F(SettingsDialogsTest, OptionalFeaturesIsInEditAfterChannelInformationWithItsControls) {
    Start();
    const QList<QAction*> edit = Frame()->menu("menuEdit")->actions();
    ASSERT_GE(edit.size(), 5);  // the editing commands follow, after a separator
    EXPECT_TRUE(edit[4]->isSeparator());
    EXPECT_EQ(edit[1], Frame()->action("channelInformation"));
    EXPECT_EQ(edit[2], Frame()->action("optionalFeatures"));
    EXPECT_EQ(edit[3], Frame()->action("scanInfo"));
    EXPECT_EQ(edit[2]->text(), "&Optional Features");
    EXPECT_EQ(edit[3]->text(), "Scan Info");
    // The frame keeps one dialog for its whole life.
    COptionalFeaturesDlg* kept = Frame()->optionalFeaturesDialog();
    OptionalFeatures([kept](COptionalFeaturesDlg* dialog) {
        EXPECT_EQ(dialog, kept);
        EXPECT_EQ(dialog->windowTitle(), "Optional Features");
        for (int id : {1118, 1130, 1116, 1117, 1122, 1121, 1123, 1018}) {
            auto* list = dialog->findChild<QComboBox*>(QString::number(id));
            ASSERT_NE(list, nullptr) << id;
            EXPECT_FALSE(list->isEditable()) << id;
        }
        for (int id : {1017, 1019}) {
            auto* code = dialog->findChild<QLineEdit*>(QString::number(id));
            ASSERT_NE(code, nullptr) << id;
            Retype(code, "1234567");
            EXPECT_EQ(code->text(), "123456");
        }
        for (int id : {1016, 1005, 1020}) {
            EXPECT_NE(dialog->findChild<QCheckBox*>(QString::number(id)), nullptr) << id;
        }
        EXPECT_EQ(Button(dialog, 1)->text(), "OK");
        EXPECT_EQ(Button(dialog, 2)->text(), "Cancel");
        QStringList labels;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            labels << label->text();
        }
        for (const char* label :
             {"Time-Out Timer", "TOT Pre-Alert", "Squelch Level", "Voice Annunciation", "ID Code",
              "Vox", "Vox Gain Level", "Vox Delay Time", "PTT ID", "Stun Code"}) {
            EXPECT_TRUE(labels.contains(label)) << label;
        }
        EXPECT_EQ(dialog->beepBox()->text(), "Beep");
        EXPECT_EQ(dialog->batterySaverBox()->text(), "Battery Saver");
        EXPECT_EQ(dialog->removeStunCodeBox()->text(), "Remove Stun Code");
    });
}

TEST_F(SettingsDialogsTest, OptionalFeaturesOnAnAllFfImageShowsTheFallbacksAndOkStoresThem) {
    Start();
    ChangeImage([](RadioImage& image) { FillOptionBytes(image, 0xFF); });
    const RadioImage before = Image();
    OptionalFeatures([](COptionalFeaturesDlg* dialog) {
        for (OptionList empty : {OptionList::TimeOutTimer, OptionList::TotPreAlert,
                                 OptionList::SquelchLevel, OptionList::VoiceAnnunciation}) {
            EXPECT_EQ(dialog->list(empty)->currentIndex(), -1);
            EXPECT_EQ(dialog->list(empty)->currentText(), "");
        }
        EXPECT_EQ(dialog->list(OptionList::Vox)->currentText(), "Off");
        EXPECT_EQ(dialog->list(OptionList::VoxGainLevel)->currentText(), "Off");
        EXPECT_EQ(dialog->list(OptionList::VoxDelayTime)->currentText(), "0.3");
        EXPECT_EQ(dialog->list(OptionList::PttId)->currentText(), "On");
        EXPECT_TRUE(dialog->beepBox()->isChecked());
        EXPECT_TRUE(dialog->batterySaverBox()->isChecked());
        EXPECT_TRUE(dialog->removeStunCodeBox()->isChecked());
        EXPECT_EQ(dialog->idCodeEdit()->text(), "");
        EXPECT_EQ(dialog->stunCodeEdit()->text(), "");
        Click(Button(dialog, 1));
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(Image()[0x130], 0x80);
    EXPECT_EQ(Image()[0x131], 0xF0);
    EXPECT_EQ(Image()[0x134], 0xFF);
    EXPECT_EQ(Image()[0x12F], 0xFF);
    EXPECT_EQ(Bytes(0x139, 3), (std::vector<std::uint8_t>{0, 0, 0}));
    EXPECT_EQ(Bytes(0x3B0, 6), std::vector<std::uint8_t>(6, 0x00));
    EXPECT_EQ(Bytes(0x3C0, 6), std::vector<std::uint8_t>(6, 0x00));
    EXPECT_EQ(Image()[0x3B9], 0xFF);
    // Nothing outside the dialog's bytes moved.
    for (std::size_t at = 0; at < Image().size(); ++at) {
        const bool owned = (at >= 0x12F && at <= 0x13B) || (at >= 0x3B0 && at <= 0x3C5);
        if (!owned) {
            EXPECT_EQ(Image()[at], before[at]) << at;
        }
    }
    EXPECT_TRUE(Modified());
}

TEST_F(SettingsDialogsTest, OptionalFeaturesShowsARealisticImageCancelKeepsItAndOkStoresChanges) {
    Start();
    ChangeImage([](RadioImage& image) {
        image[0x12F] = 0xFE;  // English; bits 2-7 not the dialog's
        image[0x130] = 0x80 | 40;
        image[0x131] = 0x53;
        image[0x134] = 0x25;
        image[0x135] = 0x00;
        image[0x136] = 0x01;
        image[0x139] = 0x01;
        image[0x13A] = 0x0B;
        image[0x13B] = 0x03;
        const std::uint8_t idCode[] = {'1', '2', 0x00, 0x00, 0x00, 0x00};
        std::copy(std::begin(idCode), std::end(idCode), image.begin() + 0x3B0);
        image[0x3B8] = 0xFE;
        image[0x3B9] = 0xA5;
        const std::uint8_t stunCode[] = {'A', ' ', 'b', 0xFF, 0x41, 0x41};
        std::copy(std::begin(stunCode), std::end(stunCode), image.begin() + 0x3C0);
    });
    const RadioImage loaded = Image();

    // Cancel after changing every control.
    OptionalFeatures([](COptionalFeaturesDlg* dialog) {
        EXPECT_EQ(dialog->list(OptionList::TimeOutTimer)->currentText(), "600");
        EXPECT_EQ(dialog->list(OptionList::TotPreAlert)->currentText(), "2");
        EXPECT_EQ(dialog->list(OptionList::SquelchLevel)->currentText(), "5");
        EXPECT_EQ(dialog->list(OptionList::VoiceAnnunciation)->currentText(), "English");
        EXPECT_EQ(dialog->list(OptionList::Vox)->currentText(), "On");
        EXPECT_EQ(dialog->list(OptionList::VoxGainLevel)->currentText(), "Off");
        EXPECT_EQ(dialog->list(OptionList::VoxDelayTime)->currentText(), "1.5");
        EXPECT_EQ(dialog->list(OptionList::PttId)->currentText(), "Off");
        EXPECT_FALSE(dialog->batterySaverBox()->isChecked());
        EXPECT_TRUE(dialog->beepBox()->isChecked());
        EXPECT_FALSE(dialog->removeStunCodeBox()->isChecked());
        EXPECT_EQ(dialog->idCodeEdit()->text(), "12");
        EXPECT_EQ(dialog->stunCodeEdit()->text(), "A b");
        testing::Screenshot(dialog, "optional-features-en");
        for (OptionList which :
             {OptionList::TimeOutTimer, OptionList::TotPreAlert, OptionList::SquelchLevel,
              OptionList::VoiceAnnunciation, OptionList::Vox, OptionList::VoxGainLevel,
              OptionList::VoxDelayTime, OptionList::PttId}) {
            dialog->list(which)->setCurrentIndex(1);
        }
        Retype(dialog->idCodeEdit(), "999");
        Retype(dialog->stunCodeEdit(), "888");
        for (QCheckBox* box :
             {dialog->beepBox(), dialog->batterySaverBox(), dialog->removeStunCodeBox()}) {
            Click(box);
        }
        Click(Button(dialog, 2));
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(Image(), loaded);
    EXPECT_FALSE(Modified());

    // The next showing starts from the image again, not from what was cancelled; OK stores.
    OptionalFeatures([](COptionalFeaturesDlg* dialog) {
        EXPECT_EQ(dialog->idCodeEdit()->text(), "12");
        EXPECT_EQ(dialog->list(OptionList::PttId)->currentText(), "Off");
        dialog->list(OptionList::TimeOutTimer)->setCurrentIndex(0);
        dialog->list(OptionList::VoiceAnnunciation)->setCurrentIndex(1);
        Retype(dialog->idCodeEdit(), "7A");
        Click(dialog->removeStunCodeBox());
        Click(Button(dialog, 1));
    });
    EXPECT_EQ(Image()[0x130], 0x81);
    EXPECT_EQ(Image()[0x12F], 0xFD);
    EXPECT_EQ(Image()[0x131], 0x53);
    EXPECT_EQ(Image()[0x134], 0x25);
    EXPECT_EQ(Image()[0x13A], 0x00);
    EXPECT_EQ(Bytes(0x3B0, 6), (std::vector<std::uint8_t>{'7', 'A', 0, 0, 0, 0}));
    EXPECT_EQ(Image()[0x3B8], 0xFE);
    EXPECT_EQ(Image()[0x3B9], 0x00);
    EXPECT_EQ(Bytes(0x3C0, 6), (std::vector<std::uint8_t>{'A', ' ', 'b', 0, 0, 0}));
    EXPECT_TRUE(Modified());
}

TEST_F(SettingsDialogsTest, OkThatChangesNoByteLeavesTheDocumentUnmodified) {
    Start();
    OptionalFeatures([](COptionalFeaturesDlg* dialog) { Click(Button(dialog, 1)); });
    View()->document().SetModifiedFlag(false);
    // The second OK stores what the first one left.
    OptionalFeatures([](COptionalFeaturesDlg* dialog) { Click(Button(dialog, 1)); });
    EXPECT_FALSE(Modified());
}

TEST_F(SettingsDialogsTest, TheCodeEditsKeepSixCharactersThatOneByteEachCanHold) {
    Start();
    OptionalFeatures([](COptionalFeaturesDlg* dialog) {
        // Typed and pasted text alike.
        Retype(dialog->idCodeEdit(), "1");
        dialog->idCodeEdit()->insert(QString::fromUtf8("€2 中ab34"));
        EXPECT_EQ(dialog->idCodeEdit()->text(), "12 ab3");
        Retype(dialog->stunCodeEdit(), "");
        dialog->stunCodeEdit()->insert(QString::fromUtf8("é9"));
        EXPECT_EQ(dialog->stunCodeEdit()->text(), QString::fromUtf8("é9"));
        Click(Button(dialog, 1));
    });
    EXPECT_EQ(Bytes(0x3B0, 6), (std::vector<std::uint8_t>{'1', '2', ' ', 'a', 'b', '3'}));
    EXPECT_EQ(Bytes(0x3C0, 3), (std::vector<std::uint8_t>{0xE9, '9', 0x00}));
    OptionalFeatures([](COptionalFeaturesDlg* dialog) {
        EXPECT_EQ(dialog->stunCodeEdit()->text(), QString::fromUtf8("é9"));
    });
}

TEST_F(SettingsDialogsTest, OptionalFeaturesInChineseShowsChineseEntriesAndStoresTheSameCodes) {
    Start(InChinese());
    ChangeImage([](RadioImage& image) { FillOptionBytes(image, 0x00); });
    OptionalFeatures([](COptionalFeaturesDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "可选功能");
        EXPECT_EQ(Items(dialog->list(OptionList::VoiceAnnunciation)),
                  (QStringList{"关", "中文", "英文"}));
        EXPECT_EQ(Items(dialog->list(OptionList::Vox)), (QStringList{"开", "关"}));
        EXPECT_EQ(dialog->list(OptionList::TotPreAlert)->itemText(0), "关");
        EXPECT_EQ(dialog->list(OptionList::VoiceAnnunciation)->currentText(), "关");
        EXPECT_EQ(dialog->beepBox()->text(), "提示音");
        dialog->list(OptionList::VoiceAnnunciation)->setCurrentIndex(2);
        dialog->list(OptionList::Vox)->setCurrentIndex(0);
        dialog->list(OptionList::TimeOutTimer)->setCurrentIndex(39);
        testing::Screenshot(dialog, "optional-features-zh");
        Click(Button(dialog, 1));
    });
    EXPECT_EQ(Image()[0x12F], 0x02);
    EXPECT_EQ(Image()[0x139], 0x01);
    EXPECT_EQ(Image()[0x130], 40);
    EXPECT_EQ(Frame()->action("optionalFeatures")->text(), "可选功能(&O)");
}

TEST_F(SettingsDialogsTest, F1InOptionalFeaturesOpensThePageOfTheFocusedControl) {
    // The pages as the build copied them next to the test program.
    std::filesystem::copy(QCoreApplication::applicationDirPath().toStdString() + "/help",
                          m_dir / "help", std::filesystem::copy_options::recursive);
    Start();
    testing::OpenedPages opened;
    OptionalFeatures([](COptionalFeaturesDlg* dialog) {
        for (QWidget* control : {static_cast<QWidget*>(dialog->list(OptionList::TimeOutTimer)),
                                 static_cast<QWidget*>(dialog->idCodeEdit()),
                                 static_cast<QWidget*>(Button(dialog, 1))}) {
            control->setFocus();
            QTest::keyClick(control, Qt::Key_F1);
        }
        EXPECT_TRUE(dialog->isVisible());
    });
    EXPECT_EQ(opened.Names(),
              (QStringList{"optional-features.html#time-out-timer",
                           "optional-features.html#id-code", "optional-features.html"}));
    // The pages opened are those of the application folder.
    EXPECT_EQ(opened.urls.value(0).toLocalFile(),
              QString::fromStdString((m_dir / "help" / "en" / "optional-features.html").string()));
}

// Counts the modal dialogs that open while it lives, closing each at once.
class ModalWatch {
public:
    ModalWatch() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++count;
                QCursor::setPos(kElsewhere);
                modal->reject();
            }
        });
        m_timer.start();
    }
    int count = 0;

private:
    QTimer m_timer;
};

TEST_F(SettingsDialogsTest, TheTreesEntryOpensOptionalFeaturesUnlessNoChannelWindowIsShown) {
    Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    CNavigationTree* tree = Frame()->navigationBar()->GetTree();
    const auto clickEntry = [tree] {
        QTreeWidgetItem* entry = tree->topLevelItem(0)->child(2);
        ASSERT_EQ(entry->text(0), "Optional Features");
        const QPoint centre = tree->visualItemRect(entry).center();
        QCursor::setPos(tree->viewport()->mapToGlobal(centre));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
    };
    {
        ModalWatch watch;
        clickEntry();
        EXPECT_EQ(watch.count, 1);
    }
    // With the channel window closed there is no document to work on: nothing opens.
    ChangeImage([](RadioImage& image) { FillOptionBytes(image, 0xFF); });
    const RadioImage before = Image();
    CProgramView* view = View();
    Frame()->activeFrame()->close();
    EXPECT_FALSE(Frame()->action("optionalFeatures")->isEnabled());
    EXPECT_FALSE(Frame()->action("scanInfo")->isEnabled());
    EXPECT_FALSE(Frame()->action("password")->isEnabled());
    {
        ModalWatch watch;
        clickEntry();
        Frame()->action("optionalFeatures")->trigger();
        QTest::qWait(50);
        EXPECT_EQ(watch.count, 0);
    }
    EXPECT_EQ(view->document().image(), before);
}

// --- Scan Information ---

// Scan bytes 0x160-0x168 of a Fixed priority on channel 5.
constexpr std::uint8_t kFixedOnFive[] = {0x01, 0x05, 0x0B, 0x01, 0x02, 0x2C, 0x01, 0x0A, 0x00};

class ScanInfoTest : public SettingsDialogsTest {
protected:
    void StartWithScan(const std::uint8_t (&scan)[9], const RunOptions& run = {}) {
        Start(run);
        ChangeImage([&scan](RadioImage& image) {
            std::copy(std::begin(scan), std::end(scan), image.begin() + image::kScanInformation);
        });
        // Channel 5 is programmed in the grid only: opening the dialog takes the grid first.
        TypeFrequency(5, "145");
        View()->document().SetModifiedFlag(false);
    }
    static QLineEdit* Edit(CScanInfoDlg* dialog, ScanField field) { return dialog->edit(field); }
    static QString Text(CScanInfoDlg* dialog, ScanField field) {
        return dialog->edit(field)->text();
    }
};

TEST_F(ScanInfoTest, ShowsTheImageAndThePriorityRefillsRevertChannel) {
    StartWithScan(kFixedOnFive);
    ScanInfo([](CScanInfoDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Scan Infomation");
        for (int id = 1001; id <= 1011; ++id) {
            EXPECT_NE(dialog->findChild<QWidget*>(QString::number(id)), nullptr) << id;
        }
        EXPECT_EQ(Items(dialog->priorityList()), (QStringList{"None", "Fixed", "Selected"}));
        EXPECT_EQ(dialog->priorityList()->currentText(), "Fixed");
        EXPECT_EQ(Text(dialog, ScanField::PriorityChannel), " 5");
        EXPECT_EQ(Text(dialog, ScanField::LookBackTimeA), "1");
        EXPECT_EQ(Text(dialog, ScanField::LookBackTimeB), "0.5");
        EXPECT_EQ(Items(dialog->revertList()), (QStringList{"Selected", "Selected+Talk back",
                                                            "Priority", "Priority+Talk back"}));
        EXPECT_EQ(dialog->revertList()->currentText(), "Priority");
        EXPECT_EQ(Text(dialog, ScanField::DropoutDelayTime), "300");
        EXPECT_EQ(Text(dialog, ScanField::TxDwellTime), "10");
        EXPECT_TRUE(Edit(dialog, ScanField::LookBackTimeA)->isEnabled());
        EXPECT_TRUE(dialog->spin(ScanField::LookBackTimeA)->isEnabled());
        testing::Screenshot(dialog, "scan-info-en");

        dialog->priorityList()->setCurrentIndex(kPriorityNone);
        EXPECT_EQ(Text(dialog, ScanField::PriorityChannel), "");
        for (ScanField field :
             {ScanField::PriorityChannel, ScanField::LookBackTimeA, ScanField::LookBackTimeB}) {
            EXPECT_FALSE(Edit(dialog, field)->isEnabled());
        }
        EXPECT_FALSE(dialog->spin(ScanField::LookBackTimeA)->isEnabled());
        EXPECT_FALSE(dialog->spin(ScanField::LookBackTimeB)->isEnabled());
        EXPECT_TRUE(dialog->spin(ScanField::DropoutDelayTime)->isEnabled());
        EXPECT_TRUE(Edit(dialog, ScanField::TxDwellTime)->isEnabled());
        EXPECT_EQ(Items(dialog->revertList()), (QStringList{"Selected", "Selected+Talk back"}));
        EXPECT_EQ(dialog->revertList()->currentIndex(), 0);

        dialog->priorityList()->setCurrentIndex(kPrioritySelected);
        EXPECT_EQ(Items(dialog->revertList()), (QStringList{"Priority", "Priority+Talk back"}));
        EXPECT_EQ(dialog->revertList()->currentText(), "Priority");
        dialog->revertList()->setCurrentIndex(1);
        Click(Button(dialog, 1));
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(Image()[0x160], 2);
    EXPECT_EQ(Image()[0x161], 5);
    EXPECT_EQ(Image()[0x164], 3);
}

TEST_F(ScanInfoTest, TheArrowsAndTheUpAndDownKeysStepAndWrap) {
    StartWithScan(kFixedOnFive);
    ScanInfo([](CScanInfoDlg* dialog) {
        QLineEdit* a = Edit(dialog, ScanField::LookBackTimeA);
        CSpinArrows* spinA = dialog->spin(ScanField::LookBackTimeA);
        EXPECT_EQ(dialog->findChild<CSpinArrows*>("1008"), spinA);
        a->setText("5");
        Click(spinA->downButton());
        EXPECT_EQ(a->text(), "0.5");
        Click(spinA->upButton());
        EXPECT_EQ(a->text(), "5");
        a->setText("1");
        Click(spinA->upButton());
        EXPECT_EQ(a->text(), "0.95");
        a->setText("1");
        Click(spinA->downButton());
        EXPECT_EQ(a->text(), "1.05");
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Down);
        EXPECT_EQ(a->text(), "1.1");
        QTest::keyClick(a, Qt::Key_Up);
        EXPECT_EQ(a->text(), "1.05");

        QLineEdit* dropout = Edit(dialog, ScanField::DropoutDelayTime);
        CSpinArrows* spinDropout = dialog->spin(ScanField::DropoutDelayTime);
        dropout->setText("0");
        Click(spinDropout->upButton());
        EXPECT_EQ(dropout->text(), "300");
        Click(spinDropout->downButton());
        EXPECT_EQ(dropout->text(), "0");
        QLineEdit* dwell = Edit(dialog, ScanField::TxDwellTime);
        dwell->setFocus();
        QTest::keyClick(dwell, Qt::Key_Up);
        EXPECT_EQ(dwell->text(), "9");
        // An arrow click keeps the focus in the field.
        Click(dialog->spin(ScanField::TxDwellTime)->downButton());
        EXPECT_EQ(dwell->text(), "10");
        EXPECT_EQ(QApplication::focusWidget(), dwell);
        // Each field is stepped on its own.
        EXPECT_EQ(Text(dialog, ScanField::LookBackTimeB), "0.5");
    });
}

TEST_F(ScanInfoTest, LeavingAFieldLimitsItAndAFieldThatDoesNotReadIsSaidOnce) {
    StartWithScan(kFixedOnFive);
    ScanInfo([this](CScanInfoDlg* dialog) {
        QLineEdit* a = Edit(dialog, ScanField::LookBackTimeA);
        QLineEdit* b = Edit(dialog, ScanField::LookBackTimeB);
        const struct {
            const char* typed;
            const char* shown;
        } cases[] = {{"1.03", "1"}, {"7", "5"}, {"0.2", "0.5"}, {"2.5", "2.5"}};
        for (const auto& c : cases) {
            Retype(a, c.typed);
            QTest::keyClick(a, Qt::Key_Tab);
            EXPECT_EQ(a->text(), c.shown) << c.typed;
        }
        QLineEdit* dwell = Edit(dialog, ScanField::TxDwellTime);
        Retype(dwell, "4x56");
        EXPECT_EQ(dwell->text(), "456");
        b->setFocus();
        EXPECT_EQ(dwell->text(), "300");
        EXPECT_TRUE(m_messages.shown.empty());

        Retype(a, "abc");
        b->setFocus();
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text, "Please enter a number.");
        EXPECT_EQ(m_messages.shown[0].caption, "Radio Co");
        EXPECT_EQ(QApplication::focusWidget(), a);
        EXPECT_EQ(a->selectedText(), "abc");
        // Cancel is no reason to check the field again.
        Click(Button(dialog, 2));
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(m_messages.shown.size(), 1u);
    });
    EXPECT_EQ(Image()[0x162], 0x0B);
    EXPECT_FALSE(Modified());
}

TEST_F(ScanInfoTest, AMessageBoxTakingTheFocusIsNotAReasonToSayItAgain) {
    StartWithScan(kFixedOnFive);
    // Real message boxes, which take the focus from the dialog while they are up.
    SetMessageService(nullptr);
    ScanInfo([](CScanInfoDlg* dialog) {
        QLineEdit* a = Edit(dialog, ScanField::LookBackTimeA);
        QLineEdit* b = Edit(dialog, ScanField::LookBackTimeB);
        Retype(b, "x");
        int boxes = 0;
        QTimer closer;
        closer.setInterval(5);
        QObject::connect(&closer, &QTimer::timeout, [&boxes] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++boxes;
                EXPECT_EQ(box->text(), "Please enter a number.");
                box->accept();
            }
        });
        closer.start();
        a->setFocus();
        QTest::qWait(50);
        EXPECT_EQ(boxes, 1);
        // The focus the dialog gets back when it is active again.
        EXPECT_EQ(dialog->focusWidget(), b);
        EXPECT_EQ(b->text(), "x");
    });
}

TEST_F(ScanInfoTest, OkWithAChannelThatIsNotProgrammedSaysSoAndStoresNothing) {
    StartWithScan(kFixedOnFive);
    RadioImage before{};
    ScanInfo([this, &before](CScanInfoDlg* dialog) {
        // As opening left it: with the grid stored.
        before = Image();
        QLineEdit* channel = Edit(dialog, ScanField::PriorityChannel);
        for (const char* typed : {"17", "0", "", "3"}) {
            m_messages.shown.clear();
            Retype(channel, typed);
            Retype(Edit(dialog, ScanField::LookBackTimeA), "1.05");
            Click(Button(dialog, 1));
            ASSERT_EQ(m_messages.shown.size(), 1u) << typed;
            EXPECT_EQ(m_messages.shown[0].text, "Please select channel inputed");
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(Image(), before) << typed;
        }
        // Enter with the text selected: the selection goes, the rest stays.
        Retype(channel, "3");
        channel->selectAll();
        QTest::keyClick(channel, Qt::Key_Return);
        EXPECT_EQ(channel->text(), "");
        EXPECT_TRUE(dialog->isVisible());
    });
    EXPECT_EQ(Image(), before);
    EXPECT_FALSE(Modified());
}

TEST_F(ScanInfoTest, OkStoresEveryFieldAndMarksTheDocumentModified) {
    StartWithScan(kFixedOnFive);
    TypeFrequency(3, "146");
    View()->document().SetModifiedFlag(false);
    ScanInfo([](CScanInfoDlg* dialog) {
        Retype(Edit(dialog, ScanField::PriorityChannel), "3");
        Retype(Edit(dialog, ScanField::LookBackTimeA), "1.05");
        Retype(Edit(dialog, ScanField::LookBackTimeB), "0.85");
        dialog->revertList()->setCurrentIndex(3);
        Retype(Edit(dialog, ScanField::DropoutDelayTime), "5");
        Retype(Edit(dialog, ScanField::TxDwellTime), "300");
        Click(Button(dialog, 1));
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(Bytes(0x160, 9),
              (std::vector<std::uint8_t>{0x01, 0x03, 12, 8, 0x03, 0x05, 0x00, 0x2C, 0x01}));
    EXPECT_TRUE(Modified());
}

TEST_F(ScanInfoTest, ScanInformationInChinese) {
    StartWithScan(kFixedOnFive, InChinese());
    ScanInfo([this](CScanInfoDlg* dialog) {
        EXPECT_EQ(Items(dialog->revertList()),
                  (QStringList{"选定", "选定+当前通话", "优先", "优先+当前通话"}));
        EXPECT_EQ(dialog->priorityList()->currentText(), "固定");
        testing::Screenshot(dialog, "scan-info-zh");
        Retype(Edit(dialog, ScanField::PriorityChannel), "9");
        Click(Button(dialog, 1));
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text, "请选择已输入的信道");
    });
    EXPECT_EQ(Frame()->action("scanInfo")->text(), "扫描信息");
}

// --- Password ---

// A radio of the test's own with known passwords, reached by its device path.
class PasswordTest : public SettingsDialogsTest {
protected:
    void StartWithRadio(PackedPassword admin, PackedPassword user, const RunOptions& run = {},
                        int baud = 0) {
        Start(run);
        RadioSimulator simulator(DemoMemory());
        simulator.SetAdminPassword(admin);
        simulator.SetUserPassword(user);
        PtyRadio::Options options;
        options.baud = baud;
        PtyRadio::Started started = PtyRadio::Start(simulator, options);
        ASSERT_TRUE(started.radio) << started.error;
        m_radio = std::move(started.radio);
        Context().link.portName = m_radio->devicePath();
    }
    std::vector<std::uint8_t> RadioIdentity() const {
        const RadioImage memory = m_radio->memory();
        return {memory.begin() + image::kIdentity,
                memory.begin() + image::kIdentity + image::kIdentitySize};
    }

    std::unique_ptr<PtyRadio> m_radio;
};

TEST_F(PasswordTest, TheDialogShowsTheUserPasswordAndIsInProgramAfterWrite) {
    StartWithRadio({0xFF, 0xFF, 0xFF}, {0x12, 0x3F, 0xFF});
    const QList<QAction*> program = Frame()->menu("menuProgram")->actions();
    ASSERT_GE(program.size(), 3);
    EXPECT_EQ(program[1], Frame()->action("write"));
    EXPECT_EQ(program[2], Frame()->action("password"));
    EXPECT_EQ(program[2]->text(), "Password");
    ChangeImage([](RadioImage& image) {
        image[image::kIdentityUserPassword] = 0x98;
        image[image::kIdentityUserPassword + 1] = 0x76;
        image[image::kIdentityUserPassword + 2] = 0x5F;
    });
    Password([](CPasswordDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Password");
        EXPECT_EQ(dialog->findChild<QLabel*>()->text(), "User Password");
        EXPECT_EQ(dialog->passwordEdit()->objectName(), "1010");
        EXPECT_EQ(dialog->passwordEdit()->text(), "98765");
        EXPECT_EQ(dialog->passwordEdit()->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(dialog->passwordEdit()->maxLength(), 6);
        EXPECT_EQ(dialog->saveButton()->objectName(), "1015");
        EXPECT_EQ(dialog->changeButton()->objectName(), "1014");
        EXPECT_EQ(dialog->queryButton()->objectName(), "1013");
        EXPECT_EQ(dialog->saveButton()->text(), "Save");
        EXPECT_EQ(dialog->changeButton()->text(), "Change");
        EXPECT_EQ(dialog->queryButton()->text(), "Query");
        EXPECT_EQ(Button(dialog, 1), nullptr);
        testing::Screenshot(dialog, "password-en");
        Retype(dialog->passwordEdit(), "1a2b345678");
        EXPECT_EQ(dialog->passwordEdit()->text(), "123456");
    });
    // Closing stores nothing.
    EXPECT_EQ(Image()[image::kIdentityUserPassword], 0x98);
    EXPECT_FALSE(Modified());
}

TEST_F(PasswordTest, QueryCopiesTheRadiosIdentityAndShowsItsUserPassword) {
    StartWithRadio({0xFF, 0xFF, 0xFF}, {0x12, 0x3F, 0xFF});
    Password([this](CPasswordDlg* dialog) {
        Click(dialog->queryButton());
        EXPECT_TRUE(m_messages.shown.empty()) << m_messages.shown[0].text.toStdString();
        EXPECT_EQ(dialog->passwordEdit()->text(), "123");
        EXPECT_TRUE(dialog->isVisible());
    });
    EXPECT_EQ(Bytes(image::kIdentity, 8), RadioIdentity());
    EXPECT_TRUE(Modified());
}

TEST_F(PasswordTest, ChangeWritesTheTypedPasswordToTheRadioAndSaveStoresItAndCloses) {
    // The new document took the login password as its Admin password.
    RunOptions admin;
    admin.password = "1234";
    StartWithRadio({0x12, 0x34, 0xFF}, {0xFF, 0xFF, 0xFF}, admin);
    Password([this](CPasswordDlg* dialog) {
        Retype(dialog->passwordEdit(), "135");
        Click(dialog->changeButton());
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text, "Modify successfully");
        EXPECT_EQ(m_messages.shown[0].caption, "");
        EXPECT_TRUE(dialog->isVisible());
    });
    EXPECT_EQ(RadioIdentity(),
              (std::vector<std::uint8_t>{0x50, 0xFF, 0x12, 0x34, 0xFF, 0x13, 0x5F, 0xFF}));
    EXPECT_EQ(Bytes(image::kIdentity, 8), RadioIdentity());
    EXPECT_TRUE(Modified());

    View()->document().SetModifiedFlag(false);
    const std::uint8_t nextBlock = Image()[0x1C0];
    Password([](CPasswordDlg* dialog) {
        EXPECT_EQ(dialog->passwordEdit()->text(), "135");
        Retype(dialog->passwordEdit(), "");
        Click(dialog->saveButton());
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
    });
    EXPECT_EQ(Bytes(image::kIdentity, 8),
              (std::vector<std::uint8_t>{0x50, 0xFF, 0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Image()[0x1C0], nextBlock);
    EXPECT_TRUE(Modified());
}

TEST_F(PasswordTest, FailuresAreSaidAndLeaveTheImage) {
    StartWithRadio({0x12, 0x34, 0xFF}, {0x55, 0xFF, 0xFF});
    const RadioImage before = Image();
    Password([this](CPasswordDlg* dialog) {
        // The login password is empty, the radio's Admin password is not.
        Click(dialog->queryButton());
        Click(dialog->changeButton());
        ASSERT_EQ(m_messages.shown.size(), 2u);
        EXPECT_EQ(m_messages.shown[0].text, "Password error");
        EXPECT_EQ(m_messages.shown[1].text, "Password error");

        m_messages.shown.clear();
        Context().link.portName = (m_dir / "no-such-device").string();
        Click(dialog->queryButton());
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_TRUE(m_messages.shown[0].text.startsWith("Cound not open the port\n"))
            << m_messages.shown[0].text.toStdString();
        EXPECT_NE(m_messages.shown[0].text.indexOf("no-such-device"), -1)
            << m_messages.shown[0].text.toStdString();

        // A text that is no password, put there past the edit's rule, goes nowhere.
        m_messages.shown.clear();
        dialog->passwordEdit()->setText("12ab");
        Click(dialog->changeButton());
        Click(dialog->saveButton());
        ASSERT_EQ(m_messages.shown.size(), 2u);
        EXPECT_EQ(m_messages.shown[0].text, "The User Password is up to six digits.");
        EXPECT_TRUE(dialog->isVisible());
    });
    EXPECT_EQ(Image(), before);
    EXPECT_FALSE(Modified());
    EXPECT_EQ(RadioIdentity()[5], 0x55);
}

TEST_F(PasswordTest, TheDemoRadioAnswersThroughTheMainWindowsPortInChinese) {
    Start(InChinese(/*demo=*/true));
    Password([this](CPasswordDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "密码");
        testing::Screenshot(dialog, "password-zh");
        Retype(dialog->passwordEdit(), "2468");
        Click(dialog->changeButton());
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text, "密码修改成功");
        dialog->passwordEdit()->clear();
        Click(dialog->queryButton());
        EXPECT_EQ(dialog->passwordEdit()->text(), "2468");
        EXPECT_EQ(m_messages.shown.size(), 1u);
    });
    EXPECT_EQ(Frame()->action("password")->text(), "密码");
}

TEST_F(PasswordTest, TheSettingsDialogsWaitWhileATransferRuns) {
    StartWithRadio({0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}, {}, 9600);
    const char* commands[] = {"optionalFeatures", "scanInfo", "password"};
    std::vector<bool> duringTransfer;
    // The transfer pumps the application itself: the look has to come from a timer.
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        CProcessDlg* progress = View()->progressDialog();
        if (progress && progress->bar()->value() >= 2) {
            watcher.stop();
            for (const char* command : commands) {
                duringTransfer.push_back(Frame()->action(command)->isEnabled());
            }
            QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
        }
    });
    watcher.start();
    Frame()->action("read")->trigger();
    QTest::mouseClick(View()->progressDialog()->okButton(), Qt::LeftButton);
    ASSERT_TRUE(testing::WaitFor([this] { return View()->progressDialog() == nullptr; }, 60000));
    EXPECT_EQ(duringTransfer, std::vector<bool>(3, false));
    for (const char* command : commands) {
        EXPECT_TRUE(Frame()->action(command)->isEnabled()) << command;
    }
}

TEST_F(SettingsDialogsTest, AUserHasNoPasswordCommand) {
    RunOptions user;
    user.role = 0;
    Start(user);
    EXPECT_FALSE(Frame()->menu("menuProgram")->actions().contains(Frame()->action("password")));
    EXPECT_FALSE(Frame()->action("password")->isEnabled());
    // Not even when a channel window comes and goes.
    Frame()->activeFrame()->close();
    Frame()->action("channelInformation")->trigger();
    EXPECT_FALSE(Frame()->action("password")->isEnabled());
    ModalWatch watch;
    Frame()->action("password")->trigger();
    QTest::qWait(50);
    EXPECT_EQ(watch.count, 0);
    // The other settings stay open to a User.
    EXPECT_TRUE(Frame()->action("optionalFeatures")->isEnabled());
    EXPECT_TRUE(Frame()->action("scanInfo")->isEnabled());
}

}  // namespace
}  // namespace radioprog::gui
