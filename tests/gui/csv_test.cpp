// File > Import CSV and Export CSV in the running program: the preview of every row on real
// widgets off screen, the import as one edit of the document, real files in a temporary folder.
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include "gui/app/child_frame.h"
#include "gui/app/context_help.h"
#include "gui/app/csv_commands.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/dialogs/csv_import_dlg.h"
#include "gui/dialogs/csv_import_model.h"
#include "gui/link/login_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"
#include "opened_pages.h"

namespace radioprog::gui {
namespace {

namespace fs = std::filesystem;
using testing::OnNextModal;
using testing::ScriptedMessages;

constexpr const char* kPlan =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Mode,Power\r\n"
    "1,Home,146.520000,,0.000000,,88.5,FM,5.0W\r\n"
    "2,,446.000000,,0.000000,,88.5,FM,5.0W\r\n"
    "3,,147.120000,+,0.600000,Tone,100.0,NFM,1.0W\r\n";

class CsvTest : public ::testing::Test {
protected:
    CsvTest() { testing::PrepareAppFolder(m_dir); }

    CMainFrame* Start(const std::string& language = "English") {
        radioprog::testing::WriteText(
            m_dir / "Program.ini",
            "[Setup]\nLanguage=" + language +
                "\nAppName=radioprog-test\nType1=RP-16V\n"
                "[English]\nCompany=Radio Co\n[Chinese]\nCompany=电台公司\n");
        m_app = testing::StartAcceptingLogin(m_dir.path());
        return m_app->mainFrame();
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }
    CProgramView* View() const { return Frame()->activeView(); }
    QString Cell(int row, int col) const { return View()->grid().TextMatrix(row, col); }
    QString Row(int row) const {
        QStringList texts;
        for (int col = 1; col <= 8; ++col) {
            texts << Cell(row, col);
        }
        return texts.join('|');
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }
    std::string WritePlan(const std::string& name, const std::string& text) const {
        radioprog::testing::WriteText(m_dir / name, text);
        return File(name);
    }

    // Types @p rx into the Rx cell of @p row; Enter commits it unless @p leaveOpen.
    void TypeRx(int row, const QString& rx, bool leaveOpen = false) {
        View()->grid().setCurrentCell(row, 1);
        emit View()->grid().MouseDown();
        auto* editor = qobject_cast<QLineEdit*>(View()->editor(1));
        editor->selectAll();
        QTest::keyClicks(editor, rx);
        if (!leaveOpen) {
            QTest::keyClick(editor, Qt::Key_Return);
        }
    }

    // Imports @p path, running @p step on the preview; true when the document changed.
    bool Import(const std::string& path, const std::function<void(CCsvImportDlg*)>& step) {
        bool previewed = false;
        OnNextModal([&](QWidget* modal) {
            previewed = true;
            auto* dialog = qobject_cast<CCsvImportDlg*>(modal);
            ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
            step(dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        const bool changed = Frame()->csv().ImportFile(QString::fromStdString(path));
        EXPECT_TRUE(previewed);
        return changed;
    }

    static QString Shown(const CCsvImportDlg* dialog, int row, int column) {
        const QAbstractItemModel* model = dialog->table()->model();
        return model->data(model->index(row, column)).toString();
    }
    static void ClickImport(CCsvImportDlg* dialog) {
        QTest::mouseClick(dialog->importButton(), Qt::LeftButton);
    }

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
};

QStringList Names(const QList<QAction*>& actions) {
    QStringList names;
    for (QAction* action : actions) {
        names << (action->isSeparator() ? "-" : action->objectName());
    }
    return names;
}

TEST_F(CsvTest, TheCommandsSitInTheFileMenuAndNeedAShownDocument) {
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    const QStringList file = Names(frame->menu("menuFile")->actions());
    EXPECT_EQ(file.mid(file.indexOf("saveAs"), 5),
              (QStringList{"saveAs", "-", "importCsv", "exportCsv", "-"}));
    EXPECT_EQ(frame->action("importCsv")->text(), "&Import CSV...");
    EXPECT_EQ(frame->action("exportCsv")->text(), "Expor&t CSV...");
    EXPECT_EQ(CommandId(frame->action("importCsv")), 32801);
    EXPECT_EQ(CommandId(frame->action("exportCsv")), 32802);
    for (const char* name : {"importCsv", "exportCsv"}) {
        EXPECT_TRUE(frame->action(name)->isEnabled()) << name;
    }
    frame->activeFrame()->close();
    for (const char* name : {"importCsv", "exportCsv"}) {
        EXPECT_FALSE(frame->action(name)->isEnabled()) << name;
    }
}

TEST_F(CsvTest, ExportWritesTheChannelsAsTheGridShowsThemAnEditOpenIncluded) {
    ASSERT_NE(Start(), nullptr);
    TypeRx(1, "146.52");
    TypeRx(2, "147.12", true);
    ASSERT_TRUE(Frame()->csv().ExportFile(QString::fromStdString(File("out.csv"))));
    const std::string csv = radioprog::testing::ReadText(File("out.csv"));
    EXPECT_TRUE(csv.starts_with("Location,Name,Frequency,Duplex,"));
    EXPECT_NE(csv.find("\r\n1,,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,S,"
                       "5.0W,,,,,\r\n2,,147.120000,"),
              std::string::npos)
        << csv;
    EXPECT_EQ(Cell(2, 1), "147.12000");
    EXPECT_TRUE(Frame()->statusBar()->currentMessage().contains("out.csv"));
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(CsvTest, ThePreviewShowsEveryRowsFateAndImportIsOneEditOfTheDocument) {
    ASSERT_NE(Start(), nullptr);
    TypeRx(5, "150");
    const QString kept = Row(5);
    const std::string plan = WritePlan("plan.csv", kPlan);
    View()->document().SetModifiedFlag(false);
    const bool changed = Import(plan, [](CCsvImportDlg* dialog) {
        using M = CCsvImportModel;
        EXPECT_EQ(dialog->windowTitle(), "Import CSV");
        ASSERT_EQ(dialog->table()->model()->rowCount(), 3);
        EXPECT_EQ(Shown(dialog, 0, M::kRowColumn), "2");
        EXPECT_EQ(Shown(dialog, 0, M::kChannelColumn), "1");
        EXPECT_EQ(Shown(dialog, 0, M::kFirstTextColumn), "146.52000");
        EXPECT_EQ(Shown(dialog, 0, M::kStatusColumn), "stored");
        EXPECT_EQ(Shown(dialog, 0, M::kDetailsColumn),
                  "Name \"Home\" dropped: channels of this radio have no names");
        EXPECT_EQ(Shown(dialog, 1, M::kStatusColumn), "skipped");
        EXPECT_EQ(Shown(dialog, 1, M::kFirstTextColumn), "");
        EXPECT_EQ(Shown(dialog, 1, M::kDetailsColumn),
                  "the receive frequency 446.000000 MHz is outside the band 136-174 MHz");
        QStringList third;
        for (int column = M::kFirstTextColumn; column < M::kStatusColumn; ++column) {
            third << Shown(dialog, 2, column);
        }
        EXPECT_EQ(third.join('|'), "147.12000|147.72000|None|100.0|Low|Yes|Off|Narrow");
        EXPECT_EQ(dialog->table()
                      ->model()
                      ->headerData(M::kFirstTextColumn + 3, Qt::Horizontal)
                      .toString(),
                  "QT/DQT Enc");
        EXPECT_EQ(dialog->summary()->text(), "3 rows: 2 stored, 1 skipped");
        EXPECT_FALSE(dialog->replaceBox()->isChecked());
        EXPECT_EQ(dialog->replaceBox()->text(), "Replace all channels");
        testing::Screenshot(dialog, "csv-import-en");
        ClickImport(dialog);
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(Row(1), "146.52000|146.52000|None|None|High|Yes|Off|Wide");
    EXPECT_EQ(Row(2), "|||||||");
    EXPECT_EQ(Row(3), "147.12000|147.72000|None|100.0|Low|Yes|Off|Narrow");
    EXPECT_EQ(Row(5), kept);
    EXPECT_TRUE(Frame()->activeFrame()->isWindowModified());
    EXPECT_EQ(Frame()->statusBar()->currentMessage(), "3 rows: 2 stored, 1 skipped");
    testing::Screenshot(Frame(), "main-window-csv-imported-en");
}

TEST_F(CsvTest, CancelChangesNothingAndReplaceEmptiesEveryOtherChannel) {
    ASSERT_NE(Start(), nullptr);
    TypeRx(5, "150");
    const QString kept = Row(5);
    const std::string plan = WritePlan("plan.csv", kPlan);
    View()->document().SetModifiedFlag(false);
    EXPECT_FALSE(Import(plan, [](CCsvImportDlg* dialog) { dialog->reject(); }));
    EXPECT_EQ(Row(1), "|||||||");
    EXPECT_EQ(Row(5), kept);
    EXPECT_FALSE(Frame()->activeFrame()->isWindowModified());

    EXPECT_TRUE(Import(plan, [](CCsvImportDlg* dialog) {
        dialog->replaceBox()->click();
        ClickImport(dialog);
    }));
    EXPECT_EQ(Row(5), "|||||||");
    EXPECT_EQ(Row(3), "147.12000|147.72000|None|100.0|Low|Yes|Off|Narrow");

    // A file whose rows are all skipped can only empty the channels.
    const std::string skipped = WritePlan("skipped.csv", "Frequency,Mode\n146.52,AM\n");
    EXPECT_TRUE(Import(skipped, [](CCsvImportDlg* dialog) {
        EXPECT_FALSE(dialog->importButton()->isEnabled());
        dialog->replaceBox()->click();
        EXPECT_TRUE(dialog->importButton()->isEnabled());
        ClickImport(dialog);
    }));
    EXPECT_EQ(Row(1), "|||||||");
    EXPECT_EQ(Row(3), "|||||||");
}

TEST_F(CsvTest, AFileThatCannotBeReadOrWrittenIsSaidAndChangesNothing) {
    ASSERT_NE(Start(), nullptr);
    TypeRx(1, "146.52");
    fs::create_directories(m_dir / "folder");
    const std::string names = WritePlan("names.csv", "Location,Name\n1,Home\n");
    EXPECT_FALSE(Frame()->csv().ImportFile(QString::fromStdString(File("missing.csv"))));
    EXPECT_FALSE(Frame()->csv().ImportFile(QString::fromStdString(names)));
    EXPECT_FALSE(Frame()->csv().ExportFile(QString::fromStdString(File("folder"))));
    ASSERT_EQ(m_messages.shown.size(), 3u);
    EXPECT_EQ(m_messages.shown[0].caption, "Radio Co");
    EXPECT_EQ(m_messages.shown[0].text, "Cannot read \"" +
                                            QString::fromStdString(File("missing.csv")) +
                                            "\": No such file or directory");
    EXPECT_EQ(m_messages.shown[1].text,
              "names.csv: The header line has no Frequency column: this is no channel file.");
    EXPECT_TRUE(m_messages.shown[2].text.contains("folder"))
        << m_messages.shown[2].text.toStdString();
    EXPECT_EQ(Row(1), "146.52000|146.52000|None|None|High|No|Off|Wide");
}

// A refused value in an open cell stops the command: its message is shown, nothing more.
TEST_F(CsvTest, ARefusedOpenEditStopsImportAndExport) {
    ASSERT_NE(Start(), nullptr);
    TypeRx(1, "175", true);
    const std::string plan = WritePlan("plan.csv", kPlan);
    EXPECT_FALSE(Frame()->csv().ImportFile(QString::fromStdString(plan)));
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text, "Out of range,please input again.");
    TypeRx(1, "175", true);
    EXPECT_FALSE(Frame()->csv().ExportFile(QString::fromStdString(File("out.csv"))));
    EXPECT_EQ(m_messages.shown.size(), 2u);
    EXPECT_FALSE(fs::exists(File("out.csv")));
}

TEST_F(CsvTest, TheMenuCommandsAskForTheFile) {
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    const std::string plan = WritePlan("plan.csv", kPlan);
    bool previewed = false;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(plan));
        OnNextModal([&](QWidget* preview) {
            previewed = qobject_cast<CCsvImportDlg*>(preview) != nullptr;
            ClickImport(qobject_cast<CCsvImportDlg*>(preview));
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    frame->action("importCsv")->trigger();
    EXPECT_TRUE(previewed);
    EXPECT_EQ(Cell(3, 1), "147.12000");

    OnNextModal([this](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(File("out")));
        static_cast<QDialog*>(dialog)->accept();
    });
    frame->action("exportCsv")->trigger();
    // The suffix comes with the name.
    EXPECT_NE(radioprog::testing::ReadText(File("out.csv")).find("\r\n3,,147.120000,+,"),
              std::string::npos);
}

TEST_F(CsvTest, AChineseRunShowsThePreviewInChinese) {
    ASSERT_NE(Start("Chinese"), nullptr);
    const std::string plan = WritePlan("plan.csv", kPlan);
    EXPECT_TRUE(Import(plan, [](CCsvImportDlg* dialog) {
        using M = CCsvImportModel;
        EXPECT_EQ(dialog->windowTitle(), "导入 CSV");
        EXPECT_EQ(dialog->replaceBox()->text(), "替换所有信道");
        EXPECT_EQ(dialog->importButton()->text(), "导入");
        const QAbstractItemModel* model = dialog->table()->model();
        EXPECT_EQ(model->headerData(M::kChannelColumn, Qt::Horizontal).toString(), "信道");
        EXPECT_EQ(model->headerData(M::kFirstTextColumn, Qt::Horizontal).toString(), "接收频率");
        EXPECT_EQ(model->headerData(M::kStatusColumn, Qt::Horizontal).toString(), "结果");
        EXPECT_EQ(Shown(dialog, 1, M::kStatusColumn), "已跳过");
        EXPECT_EQ(Shown(dialog, 1, M::kDetailsColumn),
                  "接收频率 446.000000 MHz 超出频段 136-174 MHz");
        EXPECT_EQ(Shown(dialog, 2, M::kFirstTextColumn + 4), "低");
        EXPECT_EQ(dialog->summary()->text(), "共 3 行：保存 2 行，跳过 1 行");
        testing::Screenshot(dialog, "csv-import-zh");
        ClickImport(dialog);
    }));
    EXPECT_EQ(Cell(3, 5), "低");
    EXPECT_EQ(Frame()->action("importCsv")->text(), "导入 CSV(&I)...");
}

TEST_F(CsvTest, F1InThePreviewOpensTheTopicOfTheFocusedControl) {
    const fs::path built = QCoreApplication::applicationDirPath().toStdString();
    fs::copy(built / "help", m_dir / "help", fs::copy_options::recursive);
    ASSERT_NE(Start(), nullptr);
    testing::OpenedPages pages;
    const std::string plan = WritePlan("plan.csv", kPlan);
    Import(plan, [](CCsvImportDlg* dialog) {
        EXPECT_EQ(HelpDialogName(dialog), "CCsvImportDlg");
        for (QWidget* control :
             {static_cast<QWidget*>(dialog->table()), static_cast<QWidget*>(dialog->replaceBox()),
              static_cast<QWidget*>(dialog->importButton())}) {
            control->setFocus();
            QTest::keyClick(control, Qt::Key_F1);
        }
    });
    EXPECT_EQ(pages.Names(), (QStringList{"csv.html#preview", "csv.html#replace", "csv.html"}));
    EXPECT_TRUE(m_messages.shown.empty());
}

}  // namespace
}  // namespace radioprog::gui
