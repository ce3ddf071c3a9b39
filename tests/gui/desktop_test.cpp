// What the desktop expects of the main window: File's recent documents, a .dat file dropped on
// the window, and the window's size and place kept for the next run. Real widgets on an
// offscreen screen, real files and a real per-user store in a private folder.
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "core/doc/recent_files.h"
#include "core/radio/new_image.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

namespace fs = std::filesystem;
using radioprog::testing::WriteText;
using testing::ScriptedMessages;

class DesktopTest : public ::testing::Test {
protected:
    DesktopTest() {
        testing::PrepareAppFolder(m_dir);
        WriteText(
            m_dir / "Program.ini",
            "[Setup]\nLanguage=English\nAppName=radioprog-test\n[English]\nCompany=Radio Co\n");
    }
    void Start() {
        m_app = testing::StartAsAdmin(m_dir.path());
        ASSERT_NE(m_app->mainFrame(), nullptr);
    }
    void End() {
        Frame()->close();
        m_app->Exit();
        m_app.reset();
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }
    // A radio file as a new radio's memory is, so that nothing about it is worth a warning.
    QString Radio(const std::string& name) {
        const RadioImage image = NewRadioImage({0, 0, 0});
        WriteText(m_dir / name, std::string(image.begin(), image.end()));
        return QString::fromStdString((m_dir / name).string());
    }
    // The File menu's recent entries, as the menu shows them when it opens.
    QStringList Recent() {
        emit Frame()->menu("menuFile")->aboutToShow();
        QStringList shown;
        for (QAction* entry : Frame()->menu("menuFile")->actions()) {
            if (entry->objectName().startsWith("recentFile")) {
                shown << entry->statusTip();
            }
        }
        return shown;
    }
    QString OpenPath() const {
        return QString::fromStdString(Frame()->activeView()->document().pathName().string());
    }
    QStringList Names() const {
        QStringList names;
        for (QAction* entry : Frame()->menu("menuFile")->actions()) {
            names << (entry->isSeparator() ? "-" : entry->objectName());
        }
        return names;
    }

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
};

TEST_F(DesktopTest, FileListsTheLastFourDocumentsNewestFirstAndKeepsThemForTheNextRun) {
    Start();
    EXPECT_TRUE(Recent().isEmpty());
    const QStringList radios = {Radio("a.dat"), Radio("b.dat"), Radio("c.dat"), Radio("d.dat"),
                                Radio("e.dat")};
    for (const QString& radio : radios) {
        ASSERT_TRUE(Frame()->OpenDocument(radio));
    }
    EXPECT_EQ(Recent(), (QStringList{radios[4], radios[3], radios[2], radios[1]}));
    const QStringList names = Names();
    const auto exit = names.indexOf("exit");
    EXPECT_EQ(names.mid(exit - 6, 7), (QStringList{"-", "recentFile1", "recentFile2", "recentFile3",
                                                   "recentFile4", "-", "exit"}));
    EXPECT_EQ(Frame()->action("recentFile1")->text(),
              "&1 " + QString(radios[4]).replace(QDir::homePath() + "/", "~/"));

    // Saving a document brings it to the top; choosing an entry opens it.
    Frame()->action("recentFile3")->trigger();
    EXPECT_EQ(OpenPath(), radios[2]);
    EXPECT_EQ(Recent(), (QStringList{radios[2], radios[4], radios[3], radios[1]}));
    ASSERT_TRUE(Frame()->SaveDocument(false));
    EXPECT_EQ(Recent().front(), radios[2]);
    End();

    Start();
    EXPECT_EQ(Recent(), (QStringList{radios[2], radios[4], radios[3], radios[1]}));
}

TEST_F(DesktopTest, AFileThatNoLongerExistsLeavesTheList) {
    Start();
    const QString kept = Radio("kept.dat");
    const QString gone = Radio("gone.dat");
    const QString vanishing = Radio("vanishing.dat");
    for (const QString& radio : {kept, gone, vanishing}) {
        ASSERT_TRUE(Frame()->OpenDocument(radio));
    }
    fs::remove(gone.toStdString());
    EXPECT_EQ(Recent(), (QStringList{vanishing, kept}));
    EXPECT_EQ(RecentFiles::Load(m_app->context().userStore).entries().size(), 2u);

    // Gone between the menu's opening and the choice: it says why and leaves the list.
    fs::remove(vanishing.toStdString());
    Frame()->action("recentFile1")->trigger();
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_NE(m_messages.shown[0].text.indexOf("vanishing.dat"), -1);
    EXPECT_EQ(Recent(), QStringList{kept});
}

TEST_F(DesktopTest, ADatFileDroppedOnTheWindowOpensAndNothingElseIsTaken) {
    Start();
    const QString radio = Radio("dropped.DAT");
    const QString notes = QString::fromStdString((m_dir / "notes.txt").string());
    WriteText(notes.toStdString(), "not a radio");
    struct Case {
        QList<QUrl> urls;
        bool taken;
    };
    const Case cases[] = {
        {{QUrl::fromLocalFile(notes)}, false},
        {{QUrl("https://example.invalid/radio.dat")}, false},
        {{QUrl::fromLocalFile(notes), QUrl::fromLocalFile(radio)}, true},
    };
    for (const Case& c : cases) {
        QMimeData data;
        data.setUrls(c.urls);
        const QPoint middle = Frame()->rect().center();
        QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Frame(), &enter);
        EXPECT_EQ(enter.isAccepted(), c.taken) << c.urls.size();
        if (c.taken) {
            QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(Frame(), &drop);
            EXPECT_TRUE(drop.isAccepted());
        }
    }
    EXPECT_EQ(OpenPath(), radio);
    EXPECT_EQ(Recent(), QStringList{radio});
}

TEST_F(DesktopTest, TheFirstStartIsMaximizedAndTheNextOneWhereTheWindowWasLeft) {
    Start();
    EXPECT_TRUE(Frame()->isMaximized());
    Frame()->showNormal();
    Frame()->setGeometry(120, 90, 760, 520);
    const QRect left = Frame()->geometry();
    End();

    Start();
    EXPECT_FALSE(Frame()->isMaximized());
    EXPECT_EQ(Frame()->geometry(), left);
    Frame()->showMaximized();
    End();

    Start();
    EXPECT_TRUE(Frame()->isMaximized());
}

}  // namespace
}  // namespace radioprog::gui
