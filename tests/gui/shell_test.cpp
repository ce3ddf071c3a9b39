// The main window's shell: the navigation bar and its tree, View > Control Bar, the document
// area's background and the About box, with real widgets on an offscreen screen.
#include <QCursor>
#include <QHelpEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <QToolBar>
#include <QToolTip>

#include "core/doc/port_map.h"
#include "core/link/serial_port_opener.h"
#include "gui/app/about_dlg.h"
#include "gui/app/built_in_pictures.h"
#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/app/mdi_client_wnd.h"
#include "gui/app/navigation_bar.h"
#include "gui/app/program_app.h"
#include "gui/link/login_dlg.h"
#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

using testing::OnNextModal;
using testing::ScriptedMessages;

using testing::kElsewhere;

struct Settings {
    std::string language = "English";
    bool company = true;
    bool aboutTexts = true;
};

class ShellTest : public ::testing::Test {
protected:
    ShellTest() {
        ::setenv("XDG_CONFIG_HOME", (m_dir / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
        for (const char* catalogue : {"English.qm", "Chinese.qm"}) {
            std::filesystem::copy_file(
                std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) /
                    catalogue,
                m_dir / catalogue);
        }
    }
    ~ShellTest() override { QCursor::setPos(kElsewhere); }

    CMainFrame* Start(const Settings& settings = {}) {
        std::string english = "[English]\nAppName=Radio\n";
        std::string chinese = "[Chinese]\nAppName=电台\n";
        if (settings.company) {
            english += "Company=Radio Co\n";
            chinese += "Company=电台公司\n";
        }
        if (settings.aboutTexts) {
            english +=
                "About Title=About Radio Co\nVersion=Version 1.2\n"
                "Copyrights=Copyright (C) 2026\nCopyrights Owner=Radio Co Ltd\n";
            chinese +=
                "About Title=关于电台公司\nVersion=版本 1.2\n"
                "Copyrights=版权所有 (C) 2026\nCopyrights Owner=电台有限公司\n";
        }
        const std::string ini = "[Setup]\nLanguage=" + settings.language +
                                "\nShowLang=1\nAppName=radioprog-test\nType1=RP-16V\n"
                                "Field1=136-174MHz\n" +
                                english + chinese;
        radioprog::testing::WriteText(m_dir / "Program.ini", ini);
        m_app = testing::StartAcceptingLogin(m_dir.path());
        CMainFrame* frame = m_app->mainFrame();
        if (frame) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
        }
        return frame;
    }

    CNavigationBar* Bar() const { return m_app->mainFrame()->navigationBar(); }
    CNavigationTree* Tree() const { return Bar()->GetTree(); }
    QTreeWidgetItem* Root() const { return Tree()->topLevelItem(0); }
    QTreeWidgetItem* Entry(int index) const { return Root()->child(index); }

    /// Rests the pointer on @p item and clicks it there.
    void Click(QTreeWidgetItem* item) const {
        const QPoint centre = Tree()->visualItemRect(item).center();
        QCursor::setPos(Tree()->viewport()->mapToGlobal(centre));
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, centre);
    }

    /// Counts the triggers of the frame's command @p name: its own action with what it did
    /// taken off (the dialogs behind it are tested on their own), else a stand-in. A user who
    /// answers the command moves the pointer away from the tree, as to a dialog's button.
    int* Count(const QString& name, bool pointerMovesAway = true) {
        QAction* command = m_app->mainFrame()->action(name);
        if (command) {
            QObject::disconnect(command, &QAction::triggered, nullptr, nullptr);
        } else {
            command = new QAction(m_app->mainFrame());
            command->setObjectName(name);
        }
        auto count = std::make_shared<int>(0);
        m_counts.push_back(count);
        QObject::connect(command, &QAction::triggered, [count, pointerMovesAway] {
            ++*count;
            if (pointerMovesAway) {
                QCursor::setPos(kElsewhere);
            }
        });
        return count.get();
    }

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
    std::vector<std::shared_ptr<int>> m_counts;
};

TEST_F(ShellTest, TheTreeShowsTheCompanyAndTheEntriesInTheLanguageOfTheRun) {
    struct Case {
        std::string language;
        const char* root;
        std::array<const char*, 3> entries;
        const char* controlBar;
        const char* screenshot;
    };
    const Case cases[] = {
        {"English",
         "Radio Co",
         {"Product Information", "Channel Information", "Optional Features"},
         "&Control Bar",
         "main-window-bar-en"},
        {"Chinese",
         "电台公司",
         {"类型设置", "信道信息", "可选功能"},
         "控制栏(&C)",
         "main-window-bar-zh"},
    };
    for (const Case& c : cases) {
        CMainFrame* frame = Start({c.language});
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(Tree()->property("controlId").toInt(), 1032);
        EXPECT_EQ(Tree()->topLevelItemCount(), 1);
        EXPECT_EQ(Root()->text(0), QString::fromUtf8(c.root));
        EXPECT_EQ(Bar()->captionText(), QString::fromUtf8(c.root));
        EXPECT_TRUE(Root()->isExpanded());
        ASSERT_EQ(Root()->childCount(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Entry(i)->text(0), QString::fromUtf8(c.entries[i]));
        }
        // Under the caption line, inside the etched frame.
        EXPECT_EQ(Bar()->width(), 220);
        EXPECT_EQ(Tree()->geometry(), QRect(5, 31, 207, Bar()->height() - 82));
        EXPECT_EQ(Bar()->geometry().left(), 0);
        EXPECT_EQ(frame->mdiArea()->geometry().left(), 220);
        EXPECT_EQ(frame->action("controlBar")->text(), QString::fromUtf8(c.controlBar));
        // The close button raised under the pointer, once the pointer's own moves are through.
        QCursor::setPos(Bar()->mapToGlobal(Bar()->closeRect().center()));
        QApplication::processEvents();
        QTest::mouseMove(Bar(), Bar()->closeRect().center());
        EXPECT_TRUE(Bar()->hot());
        testing::Screenshot(frame, c.screenshot);
        m_app.reset();
    }
}

TEST_F(ShellTest, WithoutACompanyTheRootAndTheCaptionAreEmpty) {
    ASSERT_NE(Start({"English", false}), nullptr);
    EXPECT_EQ(Root()->text(0), "");
    EXPECT_EQ(Bar()->captionText(), "");
    EXPECT_FALSE(Bar()->closeRect().isEmpty());
}

TEST_F(ShellTest, AClickActsOnTheEntryUnderThePointerAndSelectsTheRootAgain) {
    ASSERT_NE(Start(), nullptr);
    int* product = Count("productInformation");
    int* features = Count("optionalFeatures");
    Click(Entry(2));
    EXPECT_EQ(*features, 1);
    EXPECT_EQ(Tree()->currentItem(), Root());
    Click(Entry(2));
    EXPECT_EQ(*features, 2);
    Click(Entry(0));
    EXPECT_EQ(*product, 1);
    Click(Root());
    EXPECT_EQ(*product + *features, 3);
    EXPECT_EQ(Tree()->currentItem(), Root());
}

TEST_F(ShellTest, AnEntryActsAgainWhenThePointerStillRestsOnItAfterTheCommand) {
    ASSERT_NE(Start(), nullptr);
    int* features = Count("optionalFeatures", /*pointerMovesAway=*/false);
    Click(Entry(2));
    // Once for the click, once for the root's selection that finds the entry still there.
    EXPECT_EQ(*features, 2);
    EXPECT_EQ(Tree()->currentItem(), Root());
}

TEST_F(ShellTest, ChannelInformationBringsTheClosedChannelWindowBack) {
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    CChildFrame* channels = frame->activeFrame();
    ASSERT_NE(channels, nullptr);
    channels->close();
    EXPECT_FALSE(channels->isVisible());
    Click(Entry(1));
    EXPECT_TRUE(channels->isVisible());
    EXPECT_EQ(frame->activeFrame(), channels);
}

TEST_F(ShellTest, AnEntryWhoseCommandIsDisabledDoesNothing) {
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    int* features = Count("optionalFeatures");
    // Without a shown channel window there is nothing for Optional Features to work on.
    frame->activeFrame()->close();
    ASSERT_FALSE(frame->action("optionalFeatures")->isEnabled());
    Click(Entry(2));
    EXPECT_EQ(*features, 0);
    EXPECT_EQ(Tree()->currentItem(), Root());
}

TEST_F(ShellTest, ArrowKeysWithThePointerOutsideTheTreeDoNothing) {
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    int* product = Count("productInformation");
    int* features = Count("optionalFeatures");
    Click(Root());
    QCursor::setPos(kElsewhere);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    Tree()->setFocus();
    int changes = 0;
    QObject::connect(Tree(), &CNavigationTree::SelectionChanged, [&changes] { ++changes; });
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_Down}) {
        QTest::keyClick(Tree(), key);
        EXPECT_EQ(Tree()->currentItem(), Root()) << key;
    }
    // Each key moved the selection, and the root's selection followed it.
    EXPECT_EQ(changes, 6);
    EXPECT_EQ(*product + *features, 0);
    // With the pointer on an entry, a key's change acts on that entry, whichever it selects.
    QCursor::setPos(Tree()->viewport()->mapToGlobal(Tree()->visualItemRect(Entry(2)).center()));
    QTest::keyClick(Tree(), Qt::Key_Down);
    EXPECT_EQ(*product, 0);
    EXPECT_EQ(*features, 1);
    EXPECT_EQ(Tree()->currentItem(), Root());
}

TEST_F(ShellTest, AChineseRunKnowsOnlyTheChineseLabels) {
    ASSERT_NE(Start({"Chinese"}), nullptr);
    int* product = Count("productInformation");
    int* features = Count("optionalFeatures");
    Click(Entry(0));
    Click(Entry(2));
    EXPECT_EQ(*product, 1);
    EXPECT_EQ(*features, 1);
    Entry(2)->setText(0, "Optional Features");
    Click(Entry(2));
    EXPECT_EQ(*features, 1);
    EXPECT_EQ(Tree()->currentItem(), Root());
}

class ControlBarTest : public ShellTest {
protected:
    void SetUp() override {
        CMainFrame* frame = Start();
        ASSERT_NE(frame, nullptr);
        m_toggle = frame->action("controlBar");
        ASSERT_NE(m_toggle, nullptr);
        ASSERT_FALSE(Bar()->closeRect().isEmpty());
    }
    QPoint OnClose() const { return Bar()->closeRect().center(); }
    QPoint OnStrip() const { return Bar()->sizingStrip().center(); }
    int HalfTheWindow() const { return m_app->mainFrame()->width() / 2; }

    QAction* m_toggle = nullptr;
};

TEST_F(ControlBarTest, TheViewMenuTogglesTheBarAndItsCheckMark) {
    EXPECT_TRUE(m_app->mainFrame()->menu("menuView")->actions().contains(m_toggle));
    EXPECT_EQ(m_toggle->text(), "&Control Bar");
    EXPECT_TRUE(m_toggle->isChecked());
    m_toggle->trigger();
    EXPECT_FALSE(Bar()->isVisible());
    EXPECT_FALSE(m_toggle->isChecked());
    QApplication::processEvents();
    EXPECT_EQ(m_app->mainFrame()->mdiArea()->geometry().left(), 0);
    m_toggle->trigger();
    EXPECT_TRUE(Bar()->isVisible());
    EXPECT_TRUE(m_toggle->isChecked());
}

TEST_F(ControlBarTest, TheCloseButtonRaisesUnderThePointerAndSinksWhilePressed) {
    QTest::mouseMove(Bar(), OnClose());
    EXPECT_TRUE(Bar()->hot());
    QTest::mouseMove(Bar(), QPoint(60, 100));
    EXPECT_FALSE(Bar()->hot());
    QTest::mouseMove(Bar(), OnClose());
    // Straight into the tree, which lies under the button.
    QTest::mouseMove(Tree()->viewport(), QPoint(100, 20));
    EXPECT_FALSE(Bar()->hot());

    QTest::mousePress(Bar(), Qt::LeftButton, {}, OnClose());
    EXPECT_TRUE(Bar()->pressed());
    QTest::mouseMove(Bar(), QPoint(60, 300));
    EXPECT_FALSE(Bar()->pressed());
    QTest::mouseRelease(Bar(), Qt::LeftButton, {}, QPoint(60, 300));
    EXPECT_TRUE(Bar()->isVisible());
    EXPECT_FALSE(Bar()->pressed());
    EXPECT_FALSE(Bar()->hot());
    EXPECT_TRUE(m_toggle->isChecked());

    QTest::mousePress(Bar(), Qt::LeftButton, {}, OnClose());
    QTest::mouseRelease(Bar(), Qt::LeftButton, {}, OnClose());
    EXPECT_FALSE(Bar()->isVisible());
    EXPECT_FALSE(m_toggle->isChecked());
    m_toggle->trigger();
    EXPECT_TRUE(Bar()->isVisible());
}

TEST_F(ControlBarTest, DraggingTheStripSetsTheWidthAtTheRelease) {
    struct Case {
        int x;
        int tracker;
        int width;
    };
    const int half = HalfTheWindow();
    const Case cases[] = {{40, 80, 40}, {5, 80, 11}, {half + 200, half, half}, {150, 150, 150}};
    for (const Case& c : cases) {
        QTest::mousePress(Bar(), Qt::LeftButton, {}, OnStrip());
        QTest::mouseMove(Bar(), QPoint(c.x, 100));
        ASSERT_TRUE(Bar()->trackerX()) << c.x;
        EXPECT_EQ(*Bar()->trackerX(), c.tracker) << c.x;
        QWidget* tracker = Bar()->tracker();
        EXPECT_TRUE(tracker->isVisible());
        EXPECT_EQ(Bar()->mapFrom(m_app->mainFrame(), tracker->geometry().topLeft()),
                  QPoint(c.tracker, 0));
        EXPECT_EQ(tracker->height(), Bar()->height() - 43);
        // Only the release changes the width.
        EXPECT_NE(Bar()->width(), c.width);
        QTest::mouseRelease(Bar(), Qt::LeftButton, {}, QPoint(c.x, 100));
        EXPECT_FALSE(tracker->isVisible());
        EXPECT_FALSE(Bar()->trackerX());
        QApplication::processEvents();
        EXPECT_EQ(Bar()->width(), c.width) << c.x;
        EXPECT_EQ(m_app->mainFrame()->mdiArea()->geometry().left(), c.width);
        EXPECT_EQ(Tree()->width(), std::max(c.width - 13, 0)) << c.x;
        // Back to a width whose strip the next drag can find.
        QTest::mousePress(Bar(), Qt::LeftButton, {}, OnStrip());
        QTest::mouseRelease(Bar(), Qt::LeftButton, {}, QPoint(220, 100));
        QApplication::processEvents();
        ASSERT_EQ(Bar()->width(), 220);
    }
}

TEST_F(ControlBarTest, TheCloseButtonsTipSaysCloseInBothLanguages) {
    for (const std::string language : {"English", "Chinese"}) {
        if (language == "Chinese") {
            m_app.reset();
            ASSERT_NE(Start({language}), nullptr);
        }
        QHelpEvent overClose(QEvent::ToolTip, OnClose(), Bar()->mapToGlobal(OnClose()));
        QApplication::sendEvent(Bar(), &overClose);
        EXPECT_EQ(QToolTip::text(), "Close") << language;
        QHelpEvent overTree(QEvent::ToolTip, QPoint(60, 300), Bar()->mapToGlobal(QPoint(60, 300)));
        QApplication::sendEvent(Bar(), &overTree);
        EXPECT_TRUE(testing::WaitFor([] { return QToolTip::text().isEmpty(); }, 3000)) << language;
    }
}

// A picture with a black top left pixel on white, so each tile's corner shows where it went.
void WriteMarkedPicture(const std::filesystem::path& path, QSize size, QColor fill) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(fill);
    picture.setPixelColor(0, 0, Qt::black);
    ASSERT_TRUE(picture.save(QString::fromStdString(path.string()), "BMP"));
}

TEST(MdiBackground, TilesThePictureFromTheTopLeftAndLoadsItAgainAtEveryRepaint) {
    radioprog::testing::TempDir dir;
    QMdiArea area;
    new CMdiClientWnd(dir.path(), &area);
    area.viewport()->setFixedSize(250, 120);
    area.adjustSize();
    ASSERT_EQ(area.viewport()->size(), QSize(250, 120));
    const QString file = QString::fromStdString((dir / "background.bmp").string());

    WriteMarkedPicture(dir / "background.bmp", {100, 100}, Qt::white);
    QImage shown = area.viewport()->grab().toImage();
    for (int x = 0; x < 250; ++x) {
        for (int y = 0; y < 120; ++y) {
            const bool corner = x % 100 == 0 && y % 100 == 0;
            ASSERT_EQ(shown.pixelColor(x, y), corner ? QColor(Qt::black) : QColor(Qt::white))
                << x << "," << y;
        }
    }

    WriteMarkedPicture(dir / "background.bmp", {100, 100}, Qt::red);
    shown = area.viewport()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(50, 50), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(200, 100), QColor(Qt::black));

    // Without a bitmap, even one of another format under that name: the built-in picture.
    const QImage builtIn = BuiltInBackground().toImage();
    for (bool pngUnderTheName : {false, true}) {
        std::filesystem::remove(dir / "background.bmp");
        if (pngUnderTheName) {
            QImage png(100, 100, QImage::Format_RGB32);
            png.fill(Qt::green);
            ASSERT_TRUE(png.save(file, "PNG"));
        }
        shown = area.viewport()->grab().toImage();
        EXPECT_EQ(builtIn.size(), QSize(238, 157));
        for (const QPoint p : {QPoint(0, 0), QPoint(119, 60), QPoint(237, 119)}) {
            EXPECT_EQ(shown.pixelColor(p), builtIn.pixelColor(p)) << p.x() << "," << p.y();
        }
        EXPECT_EQ(shown.pixelColor(245, 100), builtIn.pixelColor(7, 100));
    }
}

TEST_F(ShellTest, AboutShowsTheSettingsTextsUnderTheSameTitleAsItsMenuItem) {
    struct Case {
        std::string language;
        const char* title;
        std::array<const char*, 3> lines;
        const char* screenshot;
    };
    const Case cases[] = {
        {"English",
         "About Radio Co",
         {"Version 1.2", "Copyright (C) 2026", "Radio Co Ltd"},
         "about-en"},
        {"Chinese", "关于电台公司", {"版本 1.2", "版权所有 (C) 2026", "电台有限公司"}, "about-zh"},
    };
    for (const Case& c : cases) {
        CMainFrame* frame = Start({c.language});
        ASSERT_NE(frame, nullptr);
        QMenu* help = frame->menu("menuHelp");
        EXPECT_TRUE(help->menuAction()->isVisible());
        QAction* about = help->actions().value(0);
        ASSERT_EQ(about, frame->action("about"));
        EXPECT_EQ(about->text(), QString::fromUtf8(c.title));
        EXPECT_TRUE(frame->findChild<QToolBar*>("toolbar")->actions().contains(about));
        QString caption;
        QStringList lines;
        OnNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CAboutDlg*>(modal);
            ASSERT_NE(dialog, nullptr);
            caption = dialog->windowTitle();
            for (int id : {1001, 1002, 1003}) {
                lines << dialog->text(id)->text();
            }
            testing::Screenshot(dialog, c.screenshot);
            dialog->accept();
        });
        about->trigger();
        EXPECT_EQ(caption, QString::fromUtf8(c.title));
        EXPECT_EQ(lines, (QStringList{QString::fromUtf8(c.lines[0]), QString::fromUtf8(c.lines[1]),
                                      QString::fromUtf8(c.lines[2])}));
        m_app.reset();
    }
}

TEST_F(ShellTest, AboutShowsTitleIcoWhenThereIsOne) {
    ASSERT_NE(Start(), nullptr);
    const QColor builtInCentre = BuiltInAppIcon().pixmap(32, 32).toImage().pixelColor(16, 16);
    const auto iconCentre = [this] {
        CAboutDlg dialog(m_app->context());
        return dialog.iconLabel()->pixmap().toImage().pixelColor(16, 16);
    };
    EXPECT_EQ(iconCentre(), builtInCentre);
    QImage ico(32, 32, QImage::Format_ARGB32);
    ico.fill(QColor(0x12, 0x34, 0x56));
    ASSERT_TRUE(ico.save(QString::fromStdString((m_dir / "title.ico").string()), "ICO"));
    EXPECT_EQ(iconCentre(), QColor(0x12, 0x34, 0x56));
}

TEST_F(ShellTest, TheChannelWindowWearsTheProgramsIconFromStartUpOn) {
    QImage ico(32, 32, QImage::Format_ARGB32);
    ico.fill(QColor(0x12, 0x34, 0x56));
    ASSERT_TRUE(ico.save(QString::fromStdString((m_dir / "title.ico").string()), "ICO"));
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    const auto centre = [](const QWidget* window) {
        return window->windowIcon().pixmap(32, 32).toImage().pixelColor(16, 16);
    };
    EXPECT_EQ(centre(frame), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(centre(frame->activeFrame()), QColor(0x12, 0x34, 0x56));
    // A later document's window too.
    frame->NewDocument();
    EXPECT_EQ(centre(frame->activeFrame()), QColor(0x12, 0x34, 0x56));
}

TEST_F(ShellTest, MissingAboutTextsLeaveTheMenuItemCaptionAndLinesEmpty) {
    CMainFrame* frame = Start({"English", true, false});
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->action("about")->text(), "");
    CAboutDlg dialog(m_app->context());
    EXPECT_EQ(dialog.windowTitle(), "");
    for (int id : {1001, 1002, 1003}) {
        EXPECT_EQ(dialog.text(id)->text(), "") << id;
    }
}

}  // namespace
}  // namespace radioprog::gui

namespace radioprog::gui {
namespace {

QStringList VisibleTexts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) {
        if (action->isVisible() && !action->isSeparator()) {
            texts << action->text();
        }
    }
    return texts;
}

// The window starts without a document: its menus offer only what needs none, and the
// document's menus come with the first document.
TEST(MainFrameMenus, TheDocumentMenusComeWithTheFirstDocument) {
    radioprog::testing::TempDir dir;
    testing::PrepareAppFolder(dir);
    radioprog::testing::WriteText(dir / "Program.ini", "[Setup]\nLanguage=English\n");
    AppContext context;
    EXPECT_TRUE(LoadSettings(context, dir.path()));
    SerialPortOpener opener(StoredPortBinding(context.userStore));
    CMainFrame frame(context, opener);
    frame.show();

    EXPECT_EQ(VisibleTexts(frame.menuBar()->actions()), (QStringList{"&File", "&View", "&Help"}));
    EXPECT_FALSE(VisibleTexts(frame.menu("menuFile")->actions()).contains("&Close"));
    EXPECT_FALSE(VisibleTexts(frame.menu("menuView")->actions()).contains("&Control Bar"));
    EXPECT_FALSE(frame.action("save")->isEnabled());

    frame.NewDocument();
    EXPECT_EQ(VisibleTexts(frame.menuBar()->actions()),
              (QStringList{"&File", "&Edit", "&Program", "&View", "&Setup", "&Help"}));
    EXPECT_TRUE(VisibleTexts(frame.menu("menuFile")->actions()).contains("&Close"));
    // A hidden channel window is still a document: Edit brings it back.
    ASSERT_NE(frame.activeFrame(), nullptr);
    frame.activeFrame()->close();
    EXPECT_TRUE(frame.menu("menuEdit")->menuAction()->isVisible());
}

}  // namespace
}  // namespace radioprog::gui
