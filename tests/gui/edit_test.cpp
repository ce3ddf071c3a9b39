// Edit's commands in the running program: undo and redo, channel rows chosen by their labels,
// the clipboard, Set for Selected, by key and by menu, on real widgets off screen.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "core/doc/app_context.h"
#include "core/doc/channel_clipboard.h"
#include "core/doc/program_doc.h"
#include "gui/app/frame_actions.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/dialogs/set_for_selected_dlg.h"
#include "gui/radio/product_info_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

using testing::OnNextModalOf;
using testing::ScriptedMessages;
using testing::WaitFor;

class EditTest : public ::testing::Test {
protected:
    EditTest() { testing::PrepareAppFolder(m_dir); }

    CMainFrame* Start(const std::string& language = "English") {
        radioprog::testing::WriteText(
            m_dir / "Program.ini",
            "[Setup]\nLanguage=" + language +
                "\nAppName=radioprog-test\nType1=RP-16V\n"
                "[English]\nCompany=Radio Co\nAppName=Radio\n[Chinese]\nCompany=电台公司\n"
                "AppName=电台\n");
        m_app = testing::StartAcceptingLogin(m_dir.path());
        EXPECT_TRUE(QTest::qWaitForWindowActive(Frame()));
        return Frame();
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }
    CProgramView* View() const { return Frame()->activeView(); }
    CMSFlexGrid& Grid() const { return View()->grid(); }
    QString Cell(int row, int col) const { return Grid().TextMatrix(row, col); }
    QString Row(int row) const {
        QStringList texts;
        for (int col = 1; col <= 8; ++col) {
            texts << Cell(row, col);
        }
        return texts.join('|');
    }
    QAction* Action(const char* name) const { return Frame()->action(name); }
    /// Keys as the user presses them: to whatever has the focus.
    /// The focus comes back to the main window after a dialog closes, as the desktop's window
    /// manager gives it back; the offscreen screen has none.
    QWidget* Focus() const {
        if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != Frame()) {
            Frame()->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(Frame()));
        }
        return QApplication::focusWidget();
    }
    void Press(QKeySequence keys) const {
        QWidget* focus = Focus();
        ASSERT_NE(focus, nullptr);
        QTest::keySequence(focus, keys);
    }
    void Type(const QString& text) const {
        QWidget* focus = Focus();
        ASSERT_NE(focus, nullptr);
        QTest::keyClicks(focus, text);
    }
    /// Types @p rx into the Rx Frequency of @p row and presses Enter.
    void Enter(int row, const QString& rx) {
        Grid().setCurrentCell(row, 1);
        emit Grid().MouseDown();
        Type(rx);
        Press(QKeySequence(Qt::Key_Return));
    }
    void ClickLabel(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    Qt::MouseButton button = Qt::LeftButton) {
        const QRect cell = Grid().visualRect(Grid().model()->index(row, 0));
        QTest::mousePress(Grid().viewport(), button, modifiers, cell.center());
        QTest::mouseRelease(Grid().viewport(), button, modifiers, cell.center());
    }

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
};

TEST_F(EditTest, RightAfterStartUpTypingGoesIntoChannelOnesRxEditor) {
    Start();
    QWidget* rx = View()->editor(1);
    ASSERT_TRUE(rx->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), rx);
    Type("145.5");
    Press(QKeySequence(Qt::Key_Return));
    EXPECT_EQ(Row(1), "145.50000|145.50000|None|None|High|No|Off|Wide");
    // Closing the focused editor must not hand the focus to the grid's Tab walk, which would
    // move on by another cell and leave that cell's editor open.
    EXPECT_EQ(Grid().Col(), 2);
    EXPECT_EQ(QApplication::focusWidget(), View()->editor(2));
    for (int col = 1; col <= 8; ++col) {
        EXPECT_EQ(View()->editor(col)->isVisible(), col == 2) << col;
    }
    Type("146");
    Press(QKeySequence(Qt::Key_Return));
    EXPECT_EQ(Cell(1, 2), "146.00000");
    EXPECT_EQ(Grid().Col(), 3);
}

// Chooses @p action from @p menu as a user does: the menu open, the item highlighted, Enter.
void Choose(QMenu* menu, QAction* action, const QPoint& at = {40, 40}) {
    ASSERT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    menu->popup(at);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(action);
    QTest::keyClick(menu, Qt::Key_Return);
    QApplication::processEvents();
}

TEST_F(EditTest, UndoAndRedoByKeyAndByMenuNameTheStepAndFollowTheSavedState) {
    Start();
    EXPECT_FALSE(Action("undo")->isEnabled());
    EXPECT_FALSE(Action("redo")->isEnabled());
    EXPECT_TRUE(Frame()->findChild<QToolBar*>("toolbar")->actions().contains(Action("undo")));
    Enter(3, "145.5");
    EXPECT_EQ(Action("undo")->text(), "Undo Rx Frequency of channel 3");
    EXPECT_TRUE(View()->document().IsModified());

    Press(QKeySequence(Qt::CTRL | Qt::Key_Z));  // from the Tx editor, whose own undo it is not
    EXPECT_EQ(Row(3), "|||||||");
    EXPECT_FALSE(View()->document().IsModified());
    EXPECT_FALSE(Action("undo")->isEnabled());
    EXPECT_EQ(Action("redo")->text(), "Redo Rx Frequency of channel 3");
    EXPECT_EQ(QApplication::focusWidget(), View()->editor(1));  // typing goes on at the cell

    Press(QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(Row(3), "145.50000|145.50000|None|None|High|No|Off|Wide");
    Choose(Frame()->menu("menuEdit"), Action("undo"));
    EXPECT_EQ(Row(3), "|||||||");
    Press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(Row(3), "145.50000|145.50000|None|None|High|No|Off|Wide");
    Choose(Frame()->menu("menuEdit"), Action("undo"));
    Choose(Frame()->menu("menuEdit"), Action("redo"));
    EXPECT_EQ(Cell(3, 1), "145.50000");

    // An edit still open is committed first: it is the step undone.
    Grid().setCurrentCell(5, 1);
    emit Grid().MouseDown();
    Type("150");
    Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(Cell(5, 1), "");
    EXPECT_EQ(Cell(3, 1), "145.50000");
    Press(QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(Cell(5, 1), "150.00000");
}

TEST_F(EditTest, RowLabelsChooseChannelsAndACellGoesBackToSingleCells) {
    Start();
    ClickLabel(2);
    EXPECT_EQ(Grid().SelectedRows(), (std::vector{2}));
    EXPECT_FALSE(View()->editor(1)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &Grid());
    ClickLabel(5, Qt::ShiftModifier);
    EXPECT_EQ(Grid().SelectedRows(), (std::vector{2, 3, 4, 5}));
    ClickLabel(3, Qt::ControlModifier);
    EXPECT_EQ(Grid().SelectedRows(), (std::vector{2, 4, 5}));
    EXPECT_EQ(View()->SelectedChannels(), (std::vector{2, 4, 5}));
    Press(QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_EQ(Grid().SelectedRows().size(), 16u);

    const QRect cell = Grid().visualRect(Grid().model()->index(7, 2));
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_FALSE(Grid().HasRowSelection());
    EXPECT_EQ(View()->SelectedChannels(), (std::vector{7}));
    EXPECT_TRUE(View()->editor(2)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), View()->editor(2));

    // Ctrl+A belongs to the rows even in the Rx editor.
    Grid().setCurrentCell(4, 1);
    emit Grid().MouseDown();
    Type("146");
    Press(QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_EQ(Cell(4, 1), "146.00000");
    EXPECT_EQ(Grid().SelectedRows().size(), 16u);
}

TEST_F(EditTest, CopyAndPasteByKeyCarryTheRecordsAndTheSpreadsheetText) {
    Start();
    Enter(1, "145.5");
    Enter(2, "146.0125");
    ClickLabel(1);
    ClickLabel(2, Qt::ShiftModifier);
    Press(QKeySequence(Qt::CTRL | Qt::Key_C));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(QString::fromUtf8(kChannelsMimeType.data())));
    EXPECT_TRUE(data->text().startsWith("Location\tName\tFrequency\t"));
    EXPECT_EQ(data->text().count("\r\n"), 3);

    ClickLabel(9);
    Press(QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_EQ(Row(9), Row(1));
    EXPECT_EQ(Row(10), Row(2));
    EXPECT_EQ(Action("undo")->text(), "Undo Paste");
    EXPECT_EQ(Grid().SelectedRows(), (std::vector{9, 10}));

    // Text from a spreadsheet, without this program's own form, by the menu.
    auto* sheet = new QMimeData;
    sheet->setText("Frequency\tMode\n147.5\tNFM\n999\tFM\n148\tFM\n");
    QApplication::clipboard()->setMimeData(sheet);
    ClickLabel(16);
    Choose(Frame()->menu("menuEdit"), Action("paste"));
    EXPECT_EQ(Row(16).toStdString(), "147.50000|147.50000|None|None|High|Yes|Off|Narrow");
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text.toStdString(),
              "1 channel pasted, 2 rows could not be stored:\n"
              "Row 3: the receive frequency 999.000000 MHz is outside the band 136-174 MHz\n"
              "Row 4: beyond 16 channels");

    // Ctrl+C inside the Rx editor copies its text, as in any text box.
    Grid().setCurrentCell(1, 1);
    emit Grid().MouseDown();
    Press(QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(QApplication::clipboard()->text(), "145.50000");
}

TEST_F(EditTest, CutDeleteInsertAndMoveByKeyAndByMenu) {
    Start();
    for (int row = 1; row <= 4; ++row) {
        Enter(row, QString::number(140 + row));
    }
    ClickLabel(2);
    Press(QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(Cell(2, 1), "143.00000");
    EXPECT_EQ(Cell(4, 1), "");
    EXPECT_EQ(Action("undo")->text(), "Undo Cut");
    EXPECT_TRUE(QApplication::clipboard()->text().contains("142.000000"));

    Press(QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(Cell(2, 1), "144.00000");
    Choose(Frame()->menu("menuEdit"), Action("deleteChannel"));
    EXPECT_EQ(Cell(2, 1), "");
    Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(Cell(2, 1), "143.00000");

    Choose(Frame()->menu("menuEdit"), Action("insertChannel"));
    EXPECT_EQ(Cell(2, 1), "");
    EXPECT_EQ(Cell(3, 1), "143.00000");

    ClickLabel(3);
    Press(QKeySequence(Qt::ALT | Qt::Key_Up));
    EXPECT_EQ(Cell(2, 1), "143.00000");
    EXPECT_EQ(Grid().SelectedRows(), (std::vector{2}));
    Choose(Frame()->menu("menuEdit"), Action("moveDown"));
    Press(QKeySequence(Qt::ALT | Qt::Key_Down));
    EXPECT_EQ(Cell(4, 1), "143.00000");
    Choose(Frame()->menu("menuEdit"), Action("moveUp"));
    EXPECT_EQ(Cell(3, 1), "143.00000");
    EXPECT_EQ(Grid().SelectedRows(), (std::vector{3}));

    // Delete in the Rx editor deletes text, never the channel.
    Grid().setCurrentCell(1, 1);
    emit Grid().MouseDown();
    Press(QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(qobject_cast<QLineEdit*>(View()->editor(1))->text(), "");
    EXPECT_EQ(Cell(1, 1), "141.00000");
    Type("141");
    // Nor in a list.
    Grid().setCurrentCell(1, 5);
    emit Grid().MouseDown();
    Press(QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(Cell(1, 1), "141.00000");
    // Nor on the grid without chosen rows (as after a refused frequency).
    View()->CommitEdit();
    Grid().setFocus();
    Press(QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(Cell(1, 1), "141.00000");
    // The menu works on the current cell's channel all the same.
    Choose(Frame()->menu("menuEdit"), Action("deleteChannel"));
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_EQ(Cell(2, 1), "143.00000");
    Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(Cell(1, 1), "141.00000");

    // Channel 16 filled: no room to insert.
    Enter(16, "150");
    ClickLabel(1);
    Choose(Frame()->menu("menuEdit"), Action("insertChannel"));
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_TRUE(m_messages.shown[0].text.startsWith("Channel 16 is in use"));
    EXPECT_EQ(Cell(1, 1), "141.00000");
}

TEST_F(EditTest, TheContextMenuHoldsTheSameCommands) {
    for (const char* language : {"English", "Chinese"}) {
        SCOPED_TRACE(language);
        Start(language);
        Enter(1, "145.5");
        ClickLabel(1, Qt::NoModifier, Qt::RightButton);
        EXPECT_EQ(Grid().SelectedRows(), (std::vector{1}));
        QMenu* menu = View()->contextMenu();
        bool shown = false;
        QTimer::singleShot(50, [&] {
            shown = QTest::qWaitForWindowExposed(menu);
            EXPECT_TRUE(menu->actions().contains(Action("moveDown")));
            EXPECT_TRUE(menu->actions().contains(Action("setForSelected")));
            EXPECT_TRUE(menu->actions().contains(Action("undo")));
            testing::Screenshot(menu, QString("grid-context-menu-") +
                                          (std::string(language) == "English" ? "en" : "zh"));
            menu->setActiveAction(Action("moveDown"));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        const QPoint at = Grid().visualRect(Grid().model()->index(1, 0)).center();
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, Grid().viewport()->mapToGlobal(at));
        QApplication::sendEvent(Grid().viewport(), &request);
        EXPECT_TRUE(shown);
        EXPECT_EQ(Cell(2, 1), "145.50000");
        EXPECT_EQ(Grid().SelectedRows(), (std::vector{2}));
        m_app.reset();
    }
}

TEST_F(EditTest, SetForSelectedGivesOneColumnOneValueAsOneStep) {
    for (const char* language : {"English", "Chinese"}) {
        SCOPED_TRACE(language);
        const bool chinese = std::string(language) == "Chinese";
        Start(language);
        Enter(1, "145.5");
        Enter(3, "146.5");
        ClickLabel(1);
        ClickLabel(3, Qt::ShiftModifier);
        bool shown = false;
        OnNextModalOf<CSetForSelectedDlg>([&](CSetForSelectedDlg* dialog) {
            shown = true;
            EXPECT_EQ(dialog->columnList()->count(), 6);
            dialog->columnList()->setCurrentIndex(2);  // Busy Lock
            EXPECT_EQ(dialog->valueList()->count(), 3);
            dialog->valueList()->setCurrentIndex(1);
            testing::Screenshot(dialog, chinese ? "set-for-selected-zh" : "set-for-selected-en");
            dialog->accept();
        });
        Choose(Frame()->menu("menuEdit"), Action("setForSelected"));
        EXPECT_TRUE(shown);
        const QString carrier = chinese ? "载波" : "Carrier";
        EXPECT_EQ(Cell(1, 7), carrier);
        EXPECT_EQ(Cell(2, 7), "");  // no frequency
        EXPECT_EQ(Cell(3, 7), carrier);
        EXPECT_EQ(Action("undo")->text(),
                  chinese ? "撤销为所选信道设置繁忙锁定" : "Undo Set Busy Lock for Selected");
        Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
        EXPECT_EQ(Cell(1, 7), chinese ? "关" : "Off");
        EXPECT_EQ(Cell(3, 7), chinese ? "关" : "Off");
        m_app.reset();
    }
}

TEST_F(EditTest, ProductInformationIsAStepWhoseUndoPutsTheBandBack) {
    Start();
    OnNextModalOf<CProductInfoDlg>([](CProductInfoDlg* dialog) {
        dialog->fieldList()->setCurrentIndex(dialog->fieldList()->findText("Customize"));
        dialog->startEdit()->setText("400");
        dialog->endEdit()->setText("470");
        dialog->accept();
    });
    Choose(Frame()->menu("menuEdit"), Action("productInformation"));
    ASSERT_EQ(m_app->context().band, BandLimits(400, 470));
    EXPECT_TRUE(Frame()->windowTitle().contains("400")) << Frame()->windowTitle().toStdString();
    EXPECT_EQ(Action("undo")->text(), "Undo Product Information");
    EXPECT_TRUE(View()->document().IsModified());
    Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(m_app->context().band, BandLimits(136, 174));
    EXPECT_TRUE(Frame()->windowTitle().contains("136")) << Frame()->windowTitle().toStdString();
    EXPECT_FALSE(View()->document().IsModified());
    // Cancel changes nothing and is no step.
    OnNextModalOf<CProductInfoDlg>([](CProductInfoDlg* dialog) { dialog->reject(); });
    Choose(Frame()->menu("menuEdit"), Action("productInformation"));
    EXPECT_FALSE(Action("undo")->isEnabled());
}

// Two programs on one real display (Xvfb) share the desktop's clipboard: what one copies the
// other pastes as the very same records, bytes the grid does not show included.
TEST(ClipboardBetweenProgramsTest, CopyInOneProgramAndPasteInAnotherGivesTheSameRecords) {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) {
        GTEST_SKIP() << "no Xvfb";
    }
    radioprog::testing::TempDir dir;
    for (const char* folder : {"copy", "paste"}) {
        std::filesystem::create_directories(dir / folder);
        radioprog::testing::WriteText(dir / folder / "Program.ini",
                                      "[Setup]\nLanguage=English\nAppName=radioprog-test\n");
        const std::filesystem::path binaries = QCoreApplication::applicationDirPath().toStdString();
        std::filesystem::copy_file(binaries / "English.qm", dir / folder / "English.qm");
    }
    AppContext context(dir / "user.ini");
    CProgramDoc source;
    source.OnNewDocument(context);
    for (const auto& [row, col, text] : {std::tuple{2, 1, "145.0125"},
                                         {2, 3, "D023N"},
                                         {2, 5, "Low"},
                                         {3, 1, "150.5"},
                                         {3, 2, "155.5"},
                                         {3, 8, "Narrow"}}) {
        ASSERT_FALSE(source.CommitCell(row, col, text, context.band, context.language));
    }
    source.Synchronise([](RadioImage& image, TextGrid&) {
        image[image::ChannelOffset(2) + 14] = 0x5A;  // kept by the grid, carried by the records
        image[image::ChannelOffset(3) + 15] = 0x42;
    });
    ASSERT_TRUE(source.OnSaveDocument(dir / "source.dat", context));

    QProcess display;
    display.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"});
    ASSERT_TRUE(display.waitForReadyRead(10000)) << display.readAllStandardError().toStdString();
    const QString number = QString::fromUtf8(display.readAllStandardOutput()).trimmed();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", ":" + number);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString((dir / "config").string()));
    environment.insert("XDG_DATA_HOME", QString::fromStdString((dir / "data").string()));
    environment.insert("LSAN_OPTIONS", "suppressions=" RADIOPROG_LSAN_SUPPRESSIONS);

    QProcess copier;
    copier.setProcessEnvironment(environment);
    copier.start(RADIOPROG_CLIPBOARD_PEER,
                 {"copy", QString::fromStdString((dir / "copy").string()),
                  QString::fromStdString((dir / "source.dat").string()), "2", "3"});
    ASSERT_TRUE(WaitFor([&] { return copier.canReadLine(); }, 20000))
        << copier.readAllStandardError().toStdString();
    QProcess paster;
    paster.setProcessEnvironment(environment);
    paster.start(RADIOPROG_CLIPBOARD_PEER,
                 {"paste", QString::fromStdString((dir / "paste").string()),
                  QString::fromStdString((dir / "pasted.dat").string()), "7"});
    ASSERT_TRUE(paster.waitForFinished(20000));
    EXPECT_EQ(paster.exitCode(), 0) << paster.readAllStandardError().toStdString();
    copier.closeWriteChannel();
    EXPECT_TRUE(copier.waitForFinished(10000));
    display.terminate();
    display.waitForFinished(5000);

    CProgramDoc pasted;
    ASSERT_TRUE(pasted.OnOpenDocument(dir / "pasted.dat", context));
    for (int i = 0; i < 2; ++i) {
        const auto from =
            source.image().begin() + static_cast<std::ptrdiff_t>(image::ChannelOffset(2 + i));
        const auto to =
            pasted.image().begin() + static_cast<std::ptrdiff_t>(image::ChannelOffset(7 + i));
        EXPECT_TRUE(std::equal(from, from + 16, to)) << "channel " << 2 + i;
    }
    EXPECT_EQ(pasted.image()[image::ChannelOffset(7) + 14], 0x5A);
}

}  // namespace
}  // namespace radioprog::gui
