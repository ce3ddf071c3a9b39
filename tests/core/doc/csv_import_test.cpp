#include "core/doc/csv_import.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "../../support/temp_dir.h"
#include "core/doc/app_context.h"
#include "core/doc/document_commands.h"
#include "core/doc/program_doc.h"

namespace radioprog {
namespace {

using testing::TempDir;
using testing::WriteText;

using Channel = std::array<std::string, 8>;

// A plan for every tone kind, shift, split, power, bandwidth, busy lock and scan setting the
// grid can give a channel.
const Channel kRoundTrip[] = {
    {"146.52", "", "None", "None", "High", "Yes", "Off", "Wide"},
    {"147.12", "147.72", "None", "100.0", "Low", "No", "Carrier", "Narrow"},
    {"146.94", "146.34", "67.0", "67.0", "High", "Yes", "QT/DQT", "Wide"},
    {"145.00625", "145.60625", "D023N", "D023N", "Low", "Yes", "Off", "Narrow"},
    {"146.5", "146.5", "D754I", "D754N", "High", "No", "Off", "Wide"},
    {"146.505", "146.505", "D025N", "D025I", "High", "Yes", "Off", "Wide"},
    {"146.51", "146.51", "D411I", "D411I", "Low", "No", "Carrier", "Wide"},
    {"146.515", "146.515", "123.0", "100.0", "High", "Yes", "Off", "Narrow"},
    {"146.52", "146.52", "None", "D023N", "High", "Yes", "Off", "Wide"},
    {"146.525", "146.525", "D411I", "None", "High", "Yes", "Off", "Wide"},
    {"146.53", "146.53", "D023N", "67.0", "High", "Yes", "Off", "Wide"},
    {"146.535", "146.535", "250.3", "D023I", "High", "Yes", "Off", "Wide"},
    {"146.54", "146.54", "88.5", "None", "Low", "No", "QT/DQT", "Narrow"},
    {"146.545", "146.545", "D025I", "D023N", "High", "Yes", "Off", "Wide"},
    {"150", "440", "D017N", "D017N", "High", "Yes", "Carrier", "Wide"},  // split
    {"174", "136", "None", "None", "Low", "No", "Off", "Narrow"},
};

class CountingObserver : public DocumentObserver {
public:
    void DocumentChanged() override { ++changes; }
    void ModifiedFlagChanged(bool) override {}
    int changes = 0;
};

class CsvImportTest : public ::testing::Test {
protected:
    CsvImportTest() : m_context(m_dir / "config" / "user.ini") {
        WriteText(m_dir / "Program.ini",
                  "[Setup]\nLanguage=English\nAppName=radioprog\n[English]\nAppName=Radio\n");
        EXPECT_TRUE(LoadSettings(m_context, m_dir.path()));
    }

    void NewDocument(CProgramDoc& doc) {
        doc.OnNewDocument(m_context);
        doc.ShowImage(m_context.band, m_context.language);
        m_context.band = m_band;
    }
    void Type(CProgramDoc& doc, int channel, const Channel& fields) {
        for (int col = 1; col <= 8; ++col) {
            EXPECT_FALSE(doc.CommitCell(channel, col, fields[static_cast<std::size_t>(col - 1)],
                                        m_band, m_context.language));
        }
    }
    CsvImportPlan Plan(const std::string& text) {
        const auto path = m_dir / "plan.csv";
        WriteText(path, text);
        CsvImportPlan plan;
        const Status status = PlanCsvImportFile(path, m_band, m_context.language, plan);
        EXPECT_TRUE(status.ok()) << status.message();
        return plan;
    }
    std::string RowTexts(const CProgramDoc& doc, int channel) const {
        std::string texts;
        for (int col = 1; col <= 8; ++col) {
            texts += doc.texts().TextMatrix(channel, col) + (col < 8 ? "|" : "");
        }
        return texts;
    }

    TempDir m_dir;
    AppContext m_context;
    BandLimits m_band{136, 470};
};

TEST_F(CsvImportTest, ExportThenImportIntoANewDocumentGivesBackEveryChannelByteForByte) {
    CProgramDoc source;
    NewDocument(source);
    for (int channel = 1; channel <= 16; ++channel) {
        Type(source, channel, kRoundTrip[channel - 1]);
    }
    source.StoreTexts(m_band);
    const std::string csv = ExportDocumentCsv(source, m_band);

    CProgramDoc copy;
    NewDocument(copy);
    const CsvImportPlan plan = Plan(csv);
    ASSERT_EQ(plan.StoredCount(), 16) << CsvImportReport(plan, Language::English)[0];
    EXPECT_TRUE(ApplyCsvImport(copy, plan, false));
    copy.StoreTexts(m_band);
    for (int channel = 1; channel <= 16; ++channel) {
        SCOPED_TRACE(channel);
        const auto at = source.image().begin() + static_cast<std::ptrdiff_t>(16 * channel);
        EXPECT_TRUE(std::equal(at, at + 16,
                               copy.image().begin() + static_cast<std::ptrdiff_t>(16 * channel)));
        EXPECT_EQ(RowTexts(copy, channel), RowTexts(source, channel));
    }
    EXPECT_EQ(copy.image(), source.image());
}

TEST_F(CsvImportTest, AnImportIsOneEditOfTheDocument) {
    CProgramDoc doc;
    NewDocument(doc);
    Type(doc, 5, kRoundTrip[1]);
    Type(doc, 9, kRoundTrip[2]);
    doc.SetModifiedFlag(false);
    CountingObserver observer;
    doc.SetObserver(&observer);
    const CsvImportPlan plan = Plan("Location,Frequency,Power\n1,146.52,1W\n9,480.0,\n3,147,\n");
    EXPECT_TRUE(ApplyCsvImport(doc, plan, false));
    EXPECT_EQ(observer.changes, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(RowTexts(doc, 1), "146.52000|146.52000|None|None|Low|Yes|Off|Wide");
    EXPECT_EQ(RowTexts(doc, 3), "147.00000|147.00000|None|None|High|Yes|Off|Wide");
    // Channels the file does not fill keep what they hold; so does the one of a skipped row.
    EXPECT_EQ(RowTexts(doc, 5), "147.12000|147.72000|None|100.0|Low|No|Carrier|Narrow");
    EXPECT_EQ(RowTexts(doc, 9), "146.94000|146.34000|67.0|67.0|High|Yes|QT/DQT|Wide");

    // The same import again changes nothing.
    EXPECT_FALSE(ApplyCsvImport(doc, plan, false));
    EXPECT_EQ(observer.changes, 1);

    EXPECT_TRUE(ApplyCsvImport(doc, plan, true));
    EXPECT_EQ(observer.changes, 2);
    for (int channel : {2, 5, 9, 16}) {
        EXPECT_EQ(RowTexts(doc, channel), "|||||||") << channel;
    }
    EXPECT_EQ(RowTexts(doc, 1), "146.52000|146.52000|None|None|Low|Yes|Off|Wide");
    doc.SetObserver(nullptr);
}

TEST_F(CsvImportTest, AFileThatCannotBeReadOrIsNoChannelFileIsRefusedSayingWhy) {
    std::filesystem::create_directories(m_dir / "folder.csv");
    WriteText(m_dir / "open.csv", "Frequency\n\"146.52\n");
    WriteText(m_dir / "names.csv", "Location,Name\n1,Home\n");
    WriteText(m_dir / "empty.csv", "");
    const struct {
        std::string file;
        Language language;
        std::string message;
    } cases[] = {
        {"missing.csv", Language::English,
         "Cannot read \"" + (m_dir / "missing.csv").string() + "\": No such file or directory"},
        {"folder.csv", Language::English,
         "Cannot read \"" + (m_dir / "folder.csv").string() + "\": it is a folder"},
        {"folder.csv", Language::Chinese,
         "无法读取 \"" + (m_dir / "folder.csv").string() + "\"：它是文件夹"},
        {"open.csv", Language::English, "open.csv: Line 2: a quoted field is never closed."},
        {"names.csv", Language::English,
         "names.csv: The header line has no Frequency column: this is no channel file."},
        {"empty.csv", Language::Chinese, "empty.csv: 文件中没有标题行。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        CsvImportPlan plan;
        const Status status = PlanCsvImportFile(m_dir / c.file, m_band, c.language, plan);
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.message(), c.message);
    }
}

TEST_F(CsvImportTest, ExportTakesTheTextsAsTheGridShowsThemAndLeavesTheDocumentAlone) {
    CProgramDoc doc;
    NewDocument(doc);
    Type(doc, 2, kRoundTrip[1]);
    const RadioImage before = doc.image();
    const bool modified = doc.IsModified();
    const std::string csv = ExportDocumentCsv(doc, m_band);
    EXPECT_NE(csv.find("\r\n2,,147.120000,+,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,NFM,"
                       "5.00,S,1.0W,BusyLock=Carrier,,,,\r\n"),
              std::string::npos)
        << csv;
    EXPECT_EQ(doc.image(), before);
    EXPECT_EQ(doc.IsModified(), modified);
}

TEST(CsvCommands, ImportAndExportNeedAShownDocumentAndNoTransfer) {
    const struct {
        CommandSituation situation;
        bool offered;
    } cases[] = {
        {{}, false},
        {{.documentExists = true}, false},
        {{.documentExists = true, .documentShown = true}, true},
        {{.documentExists = true, .documentShown = true, .transferRunning = true}, false},
    };
    for (const auto& c : cases) {
        const CommandStates states = DecideCommands(c.situation);
        EXPECT_EQ(states.importCsv, c.offered);
        EXPECT_EQ(states.exportCsv, c.offered);
    }
}

}  // namespace
}  // namespace radioprog
