#include "core/doc/channel_rows.h"

#include <gtest/gtest.h>

#include "../../support/temp_dir.h"
#include "core/doc/app_context.h"
#include "core/doc/grid_refresh.h"
#include "core/doc/program_doc.h"
#include "core/radio/channel_codec.h"

namespace radioprog {
namespace {

using testing::TempDir;

// Channels 1-5 hold 141 to 145 MHz; each record's bytes 14-15 name its channel.
class ChannelRowsTest : public ::testing::Test {
protected:
    ChannelRowsTest() : m_context(m_dir / "user.ini") { Reset({1, 2, 3, 4, 5}); }
    void Reset(std::initializer_list<int> filled) {
        m_doc.OnNewDocument(m_context);
        (void)RefreshGridFromImage(m_doc, m_context);
        for (int channel : filled) {
            Fill(channel, 140 + channel);
        }
    }
    void Fill(int channel, int megahertz) {
        EXPECT_FALSE(m_doc.CommitCell(channel, 1, std::to_string(megahertz), m_context.band,
                                      m_context.language));
        m_doc.StoreTexts(m_context.band);
        m_doc.Synchronise([channel, megahertz](RadioImage& image, TextGrid&) {
            image[image::ChannelOffset(channel) + 14] = static_cast<std::uint8_t>(megahertz);
        });
    }
    // The MHz each channel 1-16 shows (0 for empty), checked against the bytes that travel.
    std::vector<int> Channels() const {
        std::vector<int> shown;
        for (int channel = 1; channel <= 16; ++channel) {
            const std::string rx = m_doc.texts().TextMatrix(channel, 1);
            const int megahertz = rx.empty() ? 0 : std::stoi(rx);
            const std::uint8_t tag = m_doc.image()[image::ChannelOffset(channel) + 14];
            EXPECT_EQ(tag, megahertz ? megahertz : 0xFF) << "channel " << channel;
            shown.push_back(megahertz);
        }
        return shown;
    }
    static std::vector<int> Expect(std::initializer_list<int> first) {
        std::vector<int> all(first);
        all.resize(16, 0);
        return all;
    }

    TempDir m_dir;
    AppContext m_context;
    CProgramDoc m_doc;
};

TEST_F(ChannelRowsTest, DeleteMovesTheChannelsBelowUpWithTheirBytes) {
    EXPECT_TRUE(DeleteChannels(m_doc, std::vector{4, 2, 2, 17}));
    EXPECT_EQ(Channels(), Expect({141, 143, 145}));
    EXPECT_EQ(m_doc.history().NextUndo()->kind, DocumentEdit::Kind::DeleteChannels);
    EXPECT_FALSE(DeleteChannels(m_doc, std::vector<int>{}));
}

TEST_F(ChannelRowsTest, InsertMovesTheChannelsDownAndIsRefusedWhenChannel16IsFilled) {
    EXPECT_FALSE(InsertEmptyChannel(m_doc, 2, Language::English));
    EXPECT_EQ(Channels(), Expect({141, 0, 142, 143, 144, 145}));
    Fill(16, 150);
    const DocumentState before = m_doc.State();
    const auto refusal = InsertEmptyChannel(m_doc, 1, Language::English);
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("Channel 16"), std::string::npos);
    EXPECT_NE(InsertEmptyChannel(m_doc, 1, Language::Chinese)->find("信道 16"), std::string::npos);
    EXPECT_EQ(m_doc.State(), before);
}

TEST_F(ChannelRowsTest, MovingTradesPlacesWithTheNeighbourAndStopsAtTheEdges) {
    const struct {
        std::initializer_list<int> filled;
        std::vector<int> channels;
        int step;
        std::vector<int> after;
        std::vector<int> where;
    } cases[] = {
        {{1, 2, 3, 4, 5}, {2, 3}, +1, Expect({141, 144, 142, 143, 145}), {3, 4}},
        {{1, 3, 5}, {1, 3, 5}, +1, Expect({0, 141, 0, 143, 0, 145}), {2, 4, 6}},
        {{1, 2, 3, 4, 5}, {2, 4}, -1, Expect({142, 141, 144, 143, 145}), {1, 3}},
        // At the top or the bottom nothing moves.
        {{1, 2, 3, 4, 5}, {1, 2}, -1, Expect({141, 142, 143, 144, 145}), {1, 2}},
        {{1, 2, 3, 4, 5}, {5, 16}, +1, Expect({141, 142, 143, 144, 145}), {5, 16}},
    };
    for (const auto& c : cases) {
        Reset(c.filled);
        const std::size_t steps = m_doc.history().UndoCount();
        EXPECT_EQ(MoveChannels(m_doc, c.channels, c.step), c.where);
        EXPECT_EQ(Channels(), c.after);
        EXPECT_EQ(m_doc.history().UndoCount(), steps + (c.where == c.channels ? 0 : 1));
    }
}

TEST_F(ChannelRowsTest, SetForSelectedCommitsAsTheGridDoes) {
    const std::size_t steps = m_doc.history().UndoCount();
    EXPECT_TRUE(SetForSelected(m_doc, std::vector{1, 3, 9}, column::kBusyLock, "Carrier",
                               m_context.band, m_context.language));
    EXPECT_EQ(m_doc.texts().TextMatrix(1, 7), "Carrier");
    EXPECT_EQ(m_doc.texts().TextMatrix(2, 7), "Off");
    EXPECT_EQ(m_doc.texts().TextMatrix(3, 7), "Carrier");
    EXPECT_EQ(m_doc.texts().TextMatrix(9, 7), "");  // no frequency: stays empty
    EXPECT_EQ(m_doc.history().UndoCount(), steps + 1);
    EXPECT_EQ(m_doc.history().NextUndo()->col, column::kBusyLock);
    // The frequency columns are typed, not chosen.
    EXPECT_FALSE(SetForSelected(m_doc, std::vector{1}, column::kRxFrequency, "150", m_context.band,
                                m_context.language));
    EXPECT_FALSE(SetForSelected(m_doc, std::vector{1, 3}, column::kBusyLock, "Carrier",
                                m_context.band, m_context.language));
}

}  // namespace
}  // namespace radioprog
