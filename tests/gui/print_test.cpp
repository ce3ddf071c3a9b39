// The printed report from the desktop program: File > Print, Print Preview, Export PDF and
// Print Setup on real widgets off screen, the pages read back from real PDF files.
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QToolBar>

#include "../support/pdf_reader.h"
#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/app/print_commands.h"
#include "gui/app/program_app.h"
#include "gui/link/login_dlg.h"
#include "gui/view/program_view.h"
#include "gui/view/report_renderer.h"
#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

using radioprog::testing::PdfPageCount;
using radioprog::testing::PdfPageText;
using radioprog::testing::PdfPageWords;
using radioprog::testing::PdfWord;
using testing::OnNextModal;
using testing::ScriptedMessages;
using testing::WaitFor;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class PrintTest : public ::testing::Test {
protected:
    PrintTest() { testing::PrepareAppFolder(m_dir); }

    CMainFrame* Start(const std::string& language = "English") {
        radioprog::testing::WriteText(
            m_dir / "Program.ini",
            "[Setup]\nLanguage=" + language +
                "\nShowLang=1\nAppName=radioprog-test\nType1=RP-16V\nField1=136-174MHz\n"
                "[English]\nAppName=Radio\nCopyrights Owner=Radio Works Ltd\n"
                "[Chinese]\nAppName=电台\nCopyrights Owner=电台有限公司\n");
        m_app = testing::StartAcceptingLogin(m_dir.path());
        return m_app->mainFrame();
    }
    CMainFrame* Frame() const { return m_app->mainFrame(); }
    CProgramView* View() const { return Frame()->activeView(); }
    QLineEdit* RxEditor() const { return qobject_cast<QLineEdit*>(View()->editor(1)); }

    void Click(int row, int col) {
        View()->grid().setCurrentCell(row, col);
        emit View()->grid().MouseDown();
    }
    // Channels 1 to @p count get 141.12500, 142.12500, ... typed into their Rx cell.
    void TypeChannels(int count) {
        for (int row = 1; row <= count; ++row) {
            Click(row, 1);
            QTest::keyClicks(RxEditor(), QString("%1.125").arg(140 + row));
            QTest::keyClick(RxEditor(), Qt::Key_Return);
        }
        ASSERT_EQ(View()->grid().TextMatrix(count, 1), QString("%1.12500").arg(140 + count));
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }

    // Pictures of the report's pages for the screenshot folder.
    static void PagePictures(const std::string& pdf, const std::string& name) {
        const QByteArray folder = qgetenv("RADIOPROG_SCREENSHOTS");
        if (folder.isEmpty()) {
            return;
        }
        std::filesystem::create_directories(folder.toStdString());
        const std::filesystem::path base = folder.toStdString();
        radioprog::testing::PdfPagePicture(pdf, 1, base / (name + "-options"));
        radioprog::testing::PdfPagePicture(pdf, 2, base / (name + "-channels"));
    }

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
};

std::vector<QString> Names(const QList<QAction*>& actions) {
    std::vector<QString> names;
    for (QAction* action : actions) {
        names.push_back(action->isSeparator() ? "-" : action->objectName());
    }
    return names;
}

TEST_F(PrintTest, PrintCommandsSitInTheFileMenuAndToolbarAndNeedADocument) {
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Names(frame->menu("menuFile")->actions()),
              (std::vector<QString>{"new", "open", "close", "save", "saveAs", "-", "importCsv",
                                    "exportCsv", "-", "backups", "compareWithFile", "-", "print",
                                    "printPreview", "exportPdf", "printSetup", "-", "exit"}));
    const std::vector<QString> tools = Names(frame->findChild<QToolBar*>("toolbar")->actions());
    const auto write = std::find(tools.begin(), tools.end(), "write");
    ASSERT_LE(std::distance(write, tools.end()), 5);
    EXPECT_EQ(std::vector<QString>(write, write + 5),
              (std::vector<QString>{"write", "-", "print", "-", "about"}));
    EXPECT_EQ(frame->action("print")->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_FALSE(frame->action("print")->icon().isNull());
    EXPECT_EQ(frame->action("print")->text(), "&Print...");
    EXPECT_EQ(frame->action("printPreview")->text(), "Print Pre&view");
    EXPECT_EQ(frame->action("printSetup")->text(), "P&rint Setup...");

    const auto enabled = [frame] {
        std::vector<bool> states;
        for (const char* name : {"print", "printPreview", "exportPdf", "printSetup"}) {
            states.push_back(frame->action(name)->isEnabled());
        }
        return states;
    };
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true}));
    frame->activeFrame()->close();
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false, true}));
    // Print Setup works without a document.
    bool setupShown = false;
    OnNextModal([&setupShown](QWidget* modal) {
        setupShown = qobject_cast<QPageSetupDialog*>(modal) != nullptr;
        qobject_cast<QDialog*>(modal)->reject();
    });
    frame->action("printSetup")->trigger();
    EXPECT_TRUE(setupShown);
    frame->action("channelInformation")->trigger();
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true}));
}

// The report prints the grid's texts: a value still open in an editor is not printed, and
// printing leaves the edit open.
TEST_F(PrintTest, ExportPdfWritesTheEnglishReportOfTheGridAsItIs) {
    ASSERT_NE(Start(), nullptr);
    TypeChannels(8);
    Click(1, 1);
    RxEditor()->setText("150");
    const std::string pdf = File("english.pdf");
    ASSERT_TRUE(Frame()->printing().ExportPdf(QString::fromStdString(pdf)));
    EXPECT_TRUE(RxEditor()->isVisible());
    EXPECT_EQ(RxEditor()->text(), "150");
    EXPECT_TRUE(m_messages.shown.empty());

    ASSERT_EQ(PdfPageCount(pdf), 3);
    const std::string options = PdfPageText(pdf, 1);
    for (const char* expected :
         {"Option", "Function", "Time Out Timer:", "60s", "Radio Works Ltd", "Page 1 of 3"}) {
        EXPECT_TRUE(Contains(options, expected)) << expected << "\n" << options;
    }
    const std::string channels = PdfPageText(pdf, 2);
    for (const char* expected : {"Channel", "Channel 1:", "Receive Frequency:", "141.12500",
                                 "Transceive Frequency:", "QT/DQT Decode:", "None",
                                 "Power:", "High", "Channel 7:", "147.12500", "Page 2 of 3"}) {
        EXPECT_TRUE(Contains(channels, expected)) << expected << "\n" << channels;
    }
    EXPECT_FALSE(Contains(channels, "150.00000"));
    EXPECT_FALSE(Contains(channels, "Channel 8:"));
    const std::string last = PdfPageText(pdf, 3);
    EXPECT_TRUE(Contains(last, "Channel 8:")) << last;
    EXPECT_TRUE(Contains(last, "Page 3 of 3")) << last;
    PagePictures(pdf, "report-en");
}

TEST_F(PrintTest, ExportPdfWritesTheChineseReportWithTheFooterNumberingInEnglish) {
    ASSERT_NE(Start("Chinese"), nullptr);
    TypeChannels(8);
    const std::string pdf = File("chinese.pdf");
    ASSERT_TRUE(Frame()->printing().ExportPdf(QString::fromStdString(pdf)));
    ASSERT_EQ(PdfPageCount(pdf), 3);
    const std::string options = PdfPageText(pdf, 1);
    for (const char* expected :
         {"可选功能", "超时定时器:", "提示音:", "开", "电台有限公司", "Page 1 of 3"}) {
        EXPECT_TRUE(Contains(options, expected)) << expected << "\n" << options;
    }
    const std::string channels = PdfPageText(pdf, 2);
    for (const char* expected :
         {"信道", "信道1:", "接收频率:", "141.12500", "发射频率:", "QT/DQT解码:", "无",
          "功率:", "高", "宽/窄:", "宽", "Page 2 of 3"}) {
        EXPECT_TRUE(Contains(channels, expected)) << expected << "\n" << channels;
    }
    PagePictures(pdf, "report-zh");
}

// The first word @p text, followed by @p followedBy when one is given.
const PdfWord* Find(const std::vector<PdfWord>& words, const std::string& text,
                    const std::string& followedBy = "") {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].text == text &&
            (followedBy.empty() || (i + 1 < words.size() && words[i + 1].text == followedBy))) {
            return &words[i];
        }
    }
    ADD_FAILURE() << "no word " << text << " " << followedBy;
    return nullptr;
}

// A printer of another resolution than the PDF writer's, asked for pages 2 to 3 of 3.
TEST_F(PrintTest, APrinterPrintsOnlyThePagesOfItsRangeNumberedWithinTheWholeReport) {
    ASSERT_NE(Start(), nullptr);
    TypeChannels(8);
    QPrinter printer(QPrinter::HighResolution);
    const std::string pdf = File("range.pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    const int maxPage = View()->PreparePrinting();
    EXPECT_EQ(maxPage, 3);
    ASSERT_TRUE(Frame()->printing().PrintActiveReport(printer, maxPage));
    ASSERT_EQ(PdfPageCount(pdf), 2);
    const std::string first = PdfPageText(pdf, 1);
    EXPECT_TRUE(Contains(first, "Channel 1:")) << first;
    EXPECT_TRUE(Contains(first, "Page 2 of 3")) << first;
    const std::string second = PdfPageText(pdf, 2);
    EXPECT_TRUE(Contains(second, "Channel 8:")) << second;
    EXPECT_TRUE(Contains(second, "Page 3 of 3")) << second;

    // The columns stand whole column units apart at this resolution too.
    const std::vector<PdfWord> words = PdfPageWords(pdf, 1);
    const PdfWord* heading = Find(words, "Channel", "1:");
    const PdfWord* receive = Find(words, "Receive", "Frequency:");
    const PdfWord* value = Find(words, "141.12500");
    ASSERT_TRUE(heading && receive && value);
    EXPECT_NEAR(value->xMin - receive->xMin, 17 * (receive->xMin - heading->xMin), 0.5);
    EXPECT_GT(receive->xMin - heading->xMin, 0);
}

TEST_F(PrintTest, FailuresToPrintOrWriteAreReportedAndLeaveNoFile) {
    ASSERT_NE(Start(), nullptr);
    TypeChannels(2);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(File("no/such/folder/print.pdf")));
    EXPECT_FALSE(Frame()->printing().PrintActiveReport(printer, View()->PreparePrinting()));
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text, "The report could not be printed.");

    const std::string pdf = File("no/such/folder/export.pdf");
    EXPECT_FALSE(Frame()->printing().ExportPdf(QString::fromStdString(pdf)));
    ASSERT_EQ(m_messages.shown.size(), 2u);
    EXPECT_TRUE(m_messages.shown[1].text.contains("export.pdf"))
        << m_messages.shown[1].text.toStdString();
    EXPECT_FALSE(std::filesystem::exists(m_dir / "no"));
}

TEST_F(PrintTest, ThePreviewShowsTheWholeReportWhateverRangeTheLastPrintAskedFor) {
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    TypeChannels(8);
    frame->printing().printer()->setPrintRange(QPrinter::PageRange);
    frame->printing().printer()->setFromTo(2, 2);
    int pages = -1;
    OnNextModal([&pages](QWidget* modal) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
        ASSERT_NE(preview, nullptr);
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        WaitFor([widget] { return widget->pageCount() > 0; }, 5000);
        pages = widget->pageCount();
        preview->resize(700, 800);
        widget->setZoomMode(QPrintPreviewWidget::FitInView);
        testing::Screenshot(preview, "print-preview-en");
        preview->reject();
    });
    frame->action("printPreview")->trigger();
    EXPECT_EQ(pages, 3);
}

TEST_F(PrintTest, PrintOffersThePagesOfTheReportAndPrintsThemOnTheSharedPrinter) {
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    TypeChannels(7);
    const std::string pdf = File("printed.pdf");
    frame->printing().printer()->setOutputFormat(QPrinter::PdfFormat);
    frame->printing().printer()->setOutputFileName(QString::fromStdString(pdf));
    int minPage = -1;
    int maxPage = -1;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        minPage = dialog->minPage();
        maxPage = dialog->maxPage();
        dialog->accept();
    });
    frame->action("print")->trigger();
    EXPECT_EQ(minPage, 1);
    EXPECT_EQ(maxPage, 2);
    ASSERT_EQ(PdfPageCount(pdf), 2);
    EXPECT_TRUE(Contains(PdfPageText(pdf, 2), "Page 2 of 2"));
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(PrintTest, ExportPdfAsksForTheFileName) {
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    const std::string pdf = File("chosen");
    OnNextModal([&pdf](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        // Typed into the name field, as the user does.
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(pdf));
        static_cast<QDialog*>(dialog)->accept();
    });
    frame->action("exportPdf")->trigger();
    // The suffix comes with the name; a report without channels is its options page.
    ASSERT_TRUE(std::filesystem::exists(pdf + ".pdf"));
    EXPECT_EQ(PdfPageCount(pdf + ".pdf"), 1);
}

}  // namespace
}  // namespace radioprog::gui
