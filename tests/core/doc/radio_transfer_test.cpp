#include "core/doc/radio_transfer.h"

#include <gtest/gtest.h>

#include "../../support/temp_dir.h"
#include "../link/fake_line.h"
#include "../link/test_radio.h"
#include "core/doc/app_context.h"
#include "core/doc/transfer_options.h"
#include "core/radio/text_grid.h"

namespace radioprog {
namespace {

using testing::FakeLine;
using testing::FakeOpener;
using testing::TestObserver;
using testing::TestRadio;
using Kind = TransferOutcome::Kind;

class RadioTransferTest : public ::testing::Test {
protected:
    RadioTransferTest() {
        std::copy(wire::kStandardIdentity.begin(), wire::kStandardIdentity.end(),
                  m_radio.memory.begin() + image::kIdentity);
        m_line.peer = std::ref(m_radio);
        m_context.link.role = AccessRole::Admin;
        m_context.backupFolder = m_dir / "backups";
    }
    RadioTransferResult Run(TransferDirection direction,
                            const std::optional<OpenCellEdit>& openEdit = std::nullopt) {
        FakeOpener opener(m_line);
        return RunRadioTransfer(direction, m_doc, openEdit, opener, m_context, m_observer);
    }
    testing::TempDir m_dir;
    AppContext m_context{m_dir / "user.ini"};
    TestRadio m_radio;
    FakeLine m_line;
    TestObserver m_observer{m_line};
    CProgramDoc m_doc;
};

TEST_F(RadioTransferTest, AReadFillsTheGridAndEndsTheNewDocument) {
    m_doc.OnNewDocument(m_context);
    // Channel 2 of the radio holds 145.0125 MHz; its band bytes say 136-174.
    const std::uint8_t channel[] = {0x50, 0x12, 0x50, 0x14, 0x50, 0x12, 0x50, 0x14,
                                    0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x30, 0xFF, 0xFF};
    std::copy(std::begin(channel), std::end(channel), m_radio.memory.begin() + 0x20);
    m_radio.memory[0x1AD] = 0x13;
    m_radio.memory[0x1AE] = 0x17;
    m_radio.memory[0x1AF] = 0x64;
    const RadioTransferResult result = Run(TransferDirection::Read);
    EXPECT_EQ(result.outcome.kind, Kind::Complete);
    ASSERT_TRUE(result.refresh);
    EXPECT_FALSE(m_context.newDocument);
    EXPECT_EQ(m_doc.texts().TextMatrix(2, 1), "145.01250");
    EXPECT_TRUE(m_doc.IsModified());
    // Kept as a backup of COM1.
    EXPECT_TRUE(result.backup);
    EXPECT_EQ(result.backupFile.parent_path(), m_dir / "backups");
    EXPECT_NE(result.backupFile.filename().string().find("-read-COM1.dat"), std::string::npos);
    EXPECT_EQ(testing::ReadBytes(result.backupFile),
              std::vector<std::uint8_t>(m_doc.image().begin(), m_doc.image().end()));
}

TEST_F(RadioTransferTest, UndoingAReadPutsBackTheDocumentAndTheBandInUse) {
    m_doc.OnNewDocument(m_context);
    ASSERT_FALSE(m_doc.CommitCell(1, 1, "150", m_context.band, m_context.language));
    const DocumentState before = m_doc.State();
    m_radio.memory[0x1AD] = 0x14;  // 144-148 MHz
    m_radio.memory[0x1AE] = 0x14;
    m_radio.memory[0x1AF] = 0x48;
    ASSERT_EQ(Run(TransferDirection::Read).outcome.kind, Kind::Complete);
    EXPECT_EQ(m_context.band, BandLimits(144, 148));
    const DocumentState read = m_doc.State();
    ASSERT_TRUE(m_doc.Undo(m_context.band));
    EXPECT_EQ(m_doc.State(), before);
    EXPECT_EQ(m_context.band, BandLimits(136, 174));
    ASSERT_TRUE(m_doc.Redo(m_context.band));
    EXPECT_EQ(m_context.band, BandLimits(144, 148));
    EXPECT_EQ(m_doc.State(), read);
}

TEST_F(RadioTransferTest, AReadThatCannotBeKeptStillLandsAndSaysWhy) {
    m_doc.OnNewDocument(m_context);
    testing::WriteText(m_dir / "backups", "in the way");
    const RadioTransferResult result = Run(TransferDirection::Read);
    EXPECT_EQ(result.outcome.kind, Kind::Complete);
    EXPECT_TRUE(result.refresh);
    EXPECT_FALSE(result.backup);
    EXPECT_NE(result.backup.message().find("backups"), std::string::npos);
}

TEST_F(RadioTransferTest, AWriteIsASafeWriteWithTheStoredTransferOptions) {
    m_doc.OnNewDocument(m_context);
    RadioTransferResult result = Run(TransferDirection::Write);
    ASSERT_TRUE(result.write);
    EXPECT_EQ(result.write->kind, SafeWriteResult::Kind::Verified);
    EXPECT_FALSE(result.write->backupFile.empty());

    TransferOptions options;
    options.backupBeforeWrite = false;
    options.verifyAfterWrite = false;
    ASSERT_TRUE(StoreTransferOptions(m_context.userStore, options));
    EXPECT_EQ(LoadTransferOptions(m_context.userStore), options);
    m_line.log.clear();
    result = Run(TransferDirection::Write);
    ASSERT_TRUE(result.write);
    EXPECT_EQ(result.write->kind, SafeWriteResult::Kind::Written);
    EXPECT_EQ(m_line.Count("open"), 1u);

    // A backup being restored is written instead of the document.
    RadioImage restored = m_doc.image();
    restored[0x25] = 0x77;
    result =
        RunRadioTransfer(TransferDirection::Write, m_doc, std::nullopt,
                         *std::make_unique<FakeOpener>(m_line), m_context, m_observer, restored);
    EXPECT_EQ(m_radio.memory[0x25], 0x77);
    EXPECT_NE(m_doc.image()[0x25], 0x77);
}

TEST_F(RadioTransferTest, AReadThatStopsOrIsCancelledLeavesTheDocumentAsItWas) {
    struct Case {
        const char* name;
        int cancelAfterPumps;
        int halfBlocksBeforeSilence;
        Kind kind;
        const char* message;
    };
    const Case cases[] = {
        {"cancelled", 6 + 2 * 5, -1, Kind::Cancelled, "TransferCancelled: 2 of 62"},
        {"stopped", -1, 31, Kind::Incomplete, "TransferIncomplete: 15 of 62"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc.OnNewDocument(m_context);
        m_doc.Synchronise(
            [](RadioImage&, TextGrid& texts) { texts.SetTextMatrix(1, 1, "150.00000"); });
        const RadioImage before = m_doc.image();
        m_observer.cancelAfterPumps = c.cancelAfterPumps;
        m_observer.pumps = 0;
        m_observer.messages.clear();
        m_radio.halfBlocksBeforeSilence = c.halfBlocksBeforeSilence;
        const RadioTransferResult result = Run(TransferDirection::Read);
        EXPECT_EQ(result.outcome.kind, c.kind);
        EXPECT_FALSE(result.refresh);
        EXPECT_TRUE(m_context.newDocument);
        EXPECT_EQ(m_doc.texts().TextMatrix(1, 1), "150.00000");
        EXPECT_EQ(m_doc.image(), before);
        EXPECT_FALSE(m_doc.IsModified());
        EXPECT_EQ(m_observer.messages, std::vector<std::string>{c.message});
    }
}

TEST_F(RadioTransferTest, AWriteCommitsTheOpenEditAndStoresTheGridFirst) {
    m_doc.OnNewDocument(m_context);
    EXPECT_EQ(Run(TransferDirection::Write, OpenCellEdit{4, 1, "146.52"}).outcome.kind,
              Kind::Complete);
    EXPECT_EQ(m_radio.memory[0x40], 0x00);
    EXPECT_EQ(m_radio.memory[0x41], 0x20);
    EXPECT_EQ(m_radio.memory[0x42], 0x65);
    EXPECT_EQ(m_radio.memory[0x43], 0x14);

    Run(TransferDirection::Write, OpenCellEdit{4, 2, "146.513"});
    EXPECT_EQ(m_observer.messages.front(),
              "RefusedEntry: Error data Value, please input according the step value(6.25K/5k).");
    EXPECT_EQ(m_radio.memory[0x47], 0xFF);
}

// An image that may not be a radio's (here: the band of a document opened from a file of
// zeros) goes to the radio only when the user says so after being told why.
TEST_F(RadioTransferTest, AWriteOfAnImageThatMayNotBeARadiosAsksFirst) {
    m_doc.OnNewDocument(m_context);
    m_doc.Synchronise([](RadioImage& image, TextGrid&) { image[image::kIdentity] = 0x00; });
    m_doc.ShowImage(m_context.band, m_context.language);
    const RadioImage radioBefore = m_radio.memory;

    const RadioTransferResult declined = Run(TransferDirection::Write);
    EXPECT_EQ(declined.outcome.kind, Kind::Cancelled);
    ASSERT_EQ(m_observer.messages.size(), 1u);
    EXPECT_EQ(m_observer.messages[0],
              "ConfirmWrite: The memory to write may not be a radio's: its identity record does "
              "not begin with 50.\nWrite it to the radio anyway?");
    EXPECT_EQ(m_line.Count("open"), 0u);
    EXPECT_EQ(m_radio.memory, radioBefore);

    m_observer.writeAnswers = {true};
    EXPECT_EQ(Run(TransferDirection::Write).outcome.kind, Kind::Complete);
    EXPECT_EQ(m_radio.memory[image::kIdentity], 0x00);
}

}  // namespace
}  // namespace radioprog
