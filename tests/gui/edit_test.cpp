// Edit's commands in the running program: undo and redo, channel rows chosen by their labels,
// the clipboard, Set for Selected, by key and by menu, on real widgets off screen.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QToolBar>

#include "core/doc/channel_clipboard.h"
#include "gui/app/frame_actions.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/dialogs/set_for_selected_dlg.h"
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
    static void Press(QKeySequence keys) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keySequence(focus, keys);
    }
    static void Type(const QString& text) {
        QWidget* focus = QApplication::focusWidget();
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
}

}  // namespace
}  // namespace radioprog::gui
