#include "core/doc/undo_history.h"

#include <gtest/gtest.h>

#include <functional>

#include "../../support/temp_dir.h"
#include "core/base/csv_table.h"
#include "core/doc/app_context.h"
#include "core/doc/channel_clipboard.h"
#include "core/doc/channel_rows.h"
#include "core/doc/csv_import.h"
#include "core/doc/grid_refresh.h"
#include "core/doc/program_doc.h"

namespace radioprog {
namespace {

using testing::TempDir;
using testing::WriteText;
using Kind = DocumentEdit::Kind;

// A saved document with channels 1-4 filled; channel 2 holds bytes the grid does not show.
class UndoTest : public ::testing::Test {
protected:
    UndoTest() : m_context(m_dir / "user.ini") {
        WriteText(m_dir / "Program.ini", "[Setup]\nLanguage=English\nAppName=radioprog\n");
        EXPECT_TRUE(LoadSettings(m_context, m_dir.path()));
        m_doc.OnNewDocument(m_context);
        (void)RefreshGridFromImage(m_doc, m_context);
        for (const auto& [row, rx] :
             {std::pair{1, "145.5"}, {2, "146.0125"}, {3, "150.1"}, {4, "160.00625"}}) {
            EXPECT_FALSE(Commit(row, 1, rx));
        }
        EXPECT_FALSE(Commit(3, 3, "D023N"));
        m_doc.Synchronise([](RadioImage& image, TextGrid&) {
            image[image::ChannelOffset(2) + 14] = 0x5A;
            image[image::ChannelOffset(2) + 15] = 0xA5;
        });
        EXPECT_TRUE(m_doc.OnSaveDocument(m_dir / "saved.dat", m_context));
    }

    std::optional<StringId> Commit(int row, int col, const std::string& text) {
        return m_doc.CommitCell(row, col, text, m_context.band, m_context.language);
    }

    struct Snapshot {
        DocumentState state;
        BandLimits band;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot Now() const { return {m_doc.State(), m_context.band}; }

    TempDir m_dir;
    AppContext m_context;
    CProgramDoc m_doc;
};

struct StepCase {
    const char* name;
    std::string undoText;
    std::function<void(CProgramDoc&, AppContext&)> edit;
};

CsvImportPlan PlanOf(const std::string& csv, const AppContext& context) {
    CsvTable table;
    EXPECT_TRUE(ReadCsv(csv, table, context.language));
    CsvImportPlan plan;
    EXPECT_TRUE(PlanCsvImport(table, context.band, context.language, plan));
    return plan;
}

const std::vector<StepCase>& StepCases() {
    static const std::vector<StepCase> cases = {
        {"cell", "Undo Rx Frequency of channel 3",
         [](CProgramDoc& doc, AppContext& c) {
             (void)doc.CommitCell(3, 1, "151.25", c.band, c.language);
         }},
        {"refused cell", "Undo Rx Frequency of channel 2",
         [](CProgramDoc& doc, AppContext& c) {
             EXPECT_TRUE(doc.CommitCell(2, 1, "999", c.band, c.language));
         }},
        {"optional features", "Undo Optional Features",
         [](CProgramDoc& doc, AppContext&) {
             doc.Edit(DocumentEdit::Of(Kind::OptionalFeatures),
                      [](RadioImage& image, TextGrid&) { image[0x3E0] ^= 0x07; });
         }},
        {"scan information", "Undo Scan Information",
         [](CProgramDoc& doc, AppContext&) {
             doc.Edit(DocumentEdit::Of(Kind::ScanInformation),
                      [](RadioImage& image, TextGrid&) { image[0x160] = 0x03; });
         }},
        {"product information", "Undo Product Information",
         [](CProgramDoc& doc, AppContext& c) {
             doc.Edit(DocumentEdit::Of(Kind::ProductInformation), c.band,
                      [&c](RadioImage&, TextGrid&) { c.band.Set(400, 470); });
         }},
        {"password", "Undo Password",
         [](CProgramDoc& doc, AppContext&) {
             doc.Edit(DocumentEdit::Of(Kind::Password),
                      [](RadioImage& image, TextGrid&) { image[0x1BD] = 0x12; });
         }},
        {"read", "Undo Read",
         [](CProgramDoc& doc, AppContext& c) {
             doc.Edit(DocumentEdit::Of(Kind::Read), c.band, [&c](RadioImage& image, TextGrid& t) {
                 image.fill(0x00);
                 image[0x1AD] = 0x14;
                 image[0x1AE] = 0x14;
                 image[0x1AF] = 0x48;
                 (void)RefreshGridFromImage(image, t, c);
             });
         }},
        {"import", "Undo Import",
         [](CProgramDoc& doc, AppContext& c) {
             EXPECT_TRUE(ApplyCsvImport(
                 doc, PlanOf("Location,Frequency\n5,147.5\n6,148.00625\n", c), true));
         }},
        {"paste", "Undo Paste",
         [](CProgramDoc& doc, AppContext& c) {
             const ChannelCopy copy = CopyChannels(doc, std::vector{1, 2}, c.band);
             PasteOutcome outcome;
             EXPECT_TRUE(PasteOwnChannels(doc, copy.own, 8, c.band, c.language, outcome));
         }},
        {"cut", "Undo Cut",
         [](CProgramDoc& doc, AppContext&) {
             EXPECT_TRUE(DeleteChannels(doc, std::vector{2}, true));
         }},
        {"delete", "Undo Delete Channel",
         [](CProgramDoc& doc, AppContext&) {
             EXPECT_TRUE(DeleteChannels(doc, std::vector{1, 3}));
         }},
        {"insert", "Undo Insert Empty Channel",
         [](CProgramDoc& doc, AppContext& c) {
             EXPECT_FALSE(InsertEmptyChannel(doc, 2, c.language));
         }},
        {"move up", "Undo Move Up",
         [](CProgramDoc& doc, AppContext&) {
             MoveChannels(doc, std::vector{2, 4}, -1);
         }},
        {"move down", "Undo Move Down",
         [](CProgramDoc& doc, AppContext&) {
             MoveChannels(doc, std::vector{2, 3}, +1);
         }},
        {"set for selected", "Undo Set Power for Selected",
         [](CProgramDoc& doc, AppContext& c) {
             EXPECT_TRUE(SetForSelected(doc, std::vector{1, 2, 9}, column::kPower, "Low", c.band,
                                        c.language));
         }},
    };
    return cases;
}

TEST_F(UndoTest, EveryKindOfStepIsUndoneAndRedoneExactly) {
    for (const StepCase& step : StepCases()) {
        SCOPED_TRACE(step.name);
        const Snapshot before = Now();
        step.edit(m_doc, m_context);
        const Snapshot after = Now();
        ASSERT_NE(after, before);
        EXPECT_TRUE(m_doc.IsModified());
        EXPECT_EQ(UndoText(m_doc.history().NextUndo(), Language::English), step.undoText);

        ASSERT_TRUE(m_doc.Undo(m_context.band));
        EXPECT_EQ(Now(), before);
        EXPECT_FALSE(m_doc.IsModified());  // back where it was saved
        EXPECT_EQ(RedoText(m_doc.history().NextRedo(), Language::English),
                  "Redo" + step.undoText.substr(4));

        ASSERT_TRUE(m_doc.Redo(m_context.band));
        EXPECT_EQ(Now(), after);
        EXPECT_TRUE(m_doc.IsModified());
        ASSERT_TRUE(m_doc.Undo(m_context.band));
        EXPECT_EQ(Now(), before);
    }
}

TEST_F(UndoTest, TheModifiedMarkFollowsTheSavedState) {
    EXPECT_FALSE(Commit(5, 1, "140"));
    EXPECT_TRUE(m_doc.OnSaveDocument(m_dir / "second.dat", m_context));
    EXPECT_FALSE(Commit(6, 1, "141"));
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.Undo(m_context.band);
    EXPECT_FALSE(m_doc.IsModified());
    m_doc.Undo(m_context.band);  // before the save
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.Redo(m_context.band);
    EXPECT_FALSE(m_doc.IsModified());
    // A new edit behind the saved state cuts it off: no undo or redo reaches it again.
    m_doc.Undo(m_context.band);
    EXPECT_FALSE(Commit(7, 1, "142"));
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.Undo(m_context.band);
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.Redo(m_context.band);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(UndoTest, NothingToUndoChangesNothingAndAnUnchangedCommitIsNoStep) {
    const std::size_t steps = m_doc.history().UndoCount();
    EXPECT_FALSE(Commit(1, 1, "145.5"));
    EXPECT_EQ(m_doc.history().UndoCount(), steps);
    m_doc.OnNewDocument(m_context);
    EXPECT_FALSE(m_doc.history().CanUndo());
    EXPECT_EQ(UndoText(m_doc.history().NextUndo(), Language::Chinese), "撤销");
    const Snapshot before = Now();
    EXPECT_FALSE(m_doc.Undo(m_context.band));
    EXPECT_FALSE(m_doc.Redo(m_context.band));
    EXPECT_EQ(Now(), before);
}

TEST_F(UndoTest, AtLeast200StepsAreKeptAndTheOldestGoFirst) {
    const Snapshot saved = Now();
    const int steps = static_cast<int>(UndoHistory::kDepth) + 10;
    std::vector<Snapshot> states;
    for (int i = 0; i < steps; ++i) {
        states.push_back(Now());
        Commit(1 + i % 16, 1, std::to_string(136 + i % 37));
    }
    EXPECT_EQ(m_doc.history().UndoCount(), UndoHistory::kDepth);
    for (int i = steps - 1; i >= steps - static_cast<int>(UndoHistory::kDepth); --i) {
        ASSERT_TRUE(m_doc.Undo(m_context.band));
        ASSERT_EQ(Now(), states[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_FALSE(m_doc.Undo(m_context.band));
    EXPECT_NE(Now(), saved);
    EXPECT_TRUE(m_doc.IsModified());  // the saved state fell off the end
}

TEST(EditNameTest, StepsAreNamedInBothLanguages) {
    const struct {
        DocumentEdit edit;
        const char* english;
        const char* chinese;
    } cases[] = {
        {DocumentEdit::OfCell(3, 1), "Undo Rx Frequency of channel 3", "撤销信道 3 的接收频率"},
        {DocumentEdit::OfCell(16, 8), "Undo W/N of channel 16", "撤销信道 16 的宽/窄"},
        {DocumentEdit::Of(Kind::Read), "Undo Read", "撤销读频"},
        {DocumentEdit::Of(Kind::CsvImport), "Undo Import", "撤销导入"},
        {DocumentEdit::OfColumn(Kind::SetForSelected, 7), "Undo Set Busy Lock for Selected",
         "撤销为所选信道设置繁忙锁定"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UndoText(&c.edit, Language::English), c.english);
        EXPECT_EQ(UndoText(&c.edit, Language::Chinese), c.chinese);
    }
    const DocumentEdit move = DocumentEdit::Of(Kind::MoveDown);
    EXPECT_EQ(RedoText(&move, Language::English), "Redo Move Down");
    EXPECT_EQ(RedoText(&move, Language::Chinese), "重做下移");
}

}  // namespace
}  // namespace radioprog
