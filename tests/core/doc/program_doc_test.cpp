#include "core/doc/program_doc.h"

#include <gtest/gtest.h>

#include "../../support/special_files.h"
#include "../../support/temp_dir.h"
#include "core/doc/app_context.h"
#include "core/doc/grid_refresh.h"
#include "core/radio/channel_codec.h"
#include "core/radio/text_grid.h"

namespace radioprog {
namespace {

using testing::Fifo;
using testing::ReadBytes;
using testing::TempDir;
using testing::UnixSocket;
using testing::WriteText;

class ProgramDocTest : public ::testing::Test {
protected:
    ProgramDocTest() : m_context(m_dir / "config" / "user.ini") {
        WriteText(
            m_dir / "Program.ini",
            "[Setup]\nLanguage=English\nAppName=radioprog\nType1=RP-16V\n[English]\nAppName=Radio\n"
            "[Chinese]\nAppName=电台\n");
        EXPECT_TRUE(LoadSettings(m_context, m_dir.path()));
    }

    std::vector<std::uint8_t> Bytes(std::size_t size, std::uint8_t seed) {
        std::vector<std::uint8_t> bytes(size);
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<std::uint8_t>(i * 7 + seed);
        }
        return bytes;
    }
    void WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        WriteText(m_dir / name, std::string(bytes.begin(), bytes.end()));
    }

    TempDir m_dir;
    AppContext m_context;
    CProgramDoc m_doc;
    TextGrid m_grid;
};

TEST_F(ProgramDocTest, NewDocumentHoldsTheDefaultsAndTheLoginPasswordAsAdminPassword) {
    m_context.link.loginPassword = {0x12, 0x34, 0x5F};
    m_context.language = Language::Chinese;
    ASSERT_TRUE(m_doc.OnNewDocument(m_context));
    EXPECT_TRUE(m_context.newDocument);
    EXPECT_EQ(m_doc.title(), "信道信息");
    EXPECT_EQ(m_doc.pathName(), "radioprog");
    const RadioImage& image = m_doc.image();
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 0x1B8, image.begin() + 0x1C0),
              (std::vector<std::uint8_t>{0x50, 0xFF, 0x12, 0x34, 0x5F, 0xFF, 0xFF, 0xFF}));
    for (std::size_t at = 0x10; at < 0x110; ++at) {
        ASSERT_EQ(image[at], 0xFF) << at;
    }
    EXPECT_EQ(image[0x3F0], 0x00);
    EXPECT_EQ(image[0x3E0], 0xFF);
    EXPECT_EQ(image[0x3D2], 0xFF);  // filled from the per-user store when the grid is first shown
}

TEST_F(ProgramDocTest, OpenTakesTheFirst1024BytesAndRefusesShorterFiles) {
    const auto full = Bytes(2000, 3);
    WriteBytes("long.dat", full);
    m_context.newDocument = true;
    ASSERT_TRUE(m_doc.OnOpenDocument(m_dir / "long.dat", m_context).ok());
    EXPECT_FALSE(m_context.newDocument);
    EXPECT_TRUE(std::equal(m_doc.image().begin(), m_doc.image().end(), full.begin()));
    EXPECT_EQ(m_doc.title(), "long.dat");

    const RadioImage before = m_doc.image();
    WriteBytes("short.dat", Bytes(1023, 9));
    m_context.newDocument = true;
    for (const char* name : {"short.dat", "missing.dat", "config"}) {
        std::filesystem::create_directories(m_dir / "config");
        const Status status = m_doc.OnOpenDocument(m_dir / name, m_context);
        EXPECT_FALSE(status.ok()) << name;
        EXPECT_NE(status.message().find(name), std::string::npos) << status.message();
    }
    EXPECT_EQ(m_doc.OnOpenDocument(m_dir / "short.dat", m_context).message(),
              "Cannot open \"" + (m_dir / "short.dat").string() +
                  "\": it holds 1023 bytes, a radio file holds 1024");
    m_context.language = Language::Chinese;
    EXPECT_EQ(m_doc.OnOpenDocument(m_dir / "short.dat", m_context).message(),
              "无法打开“" + (m_dir / "short.dat").string() +
                  "”：它只有 1023 字节，对讲机文件为 1024 字节");
    EXPECT_EQ(m_doc.image(), before);
    EXPECT_EQ(m_doc.title(), "long.dat");
    EXPECT_TRUE(m_context.newDocument);
}

// A longer file opens by its first 1024 bytes, but saving over it would cut it: the document
// says so at once and knows it until it is saved.
TEST_F(ProgramDocTest, AFileThatIsNotRadioSizedIsNamedAndNotCutInSilence) {
    auto bytes = Bytes(1024, 5);
    bytes[0x1AD] = 0x13;  // a plausible band and identity: only the size is in question
    bytes[0x1AE] = 0x17;
    bytes[0x1AF] = 0x64;
    bytes[0x1B8] = 0x50;
    WriteBytes("radio.dat", bytes);
    ASSERT_TRUE(m_doc.OnOpenDocument(m_dir / "radio.dat", m_context).ok());
    EXPECT_FALSE(m_doc.SaveWouldCutFile());
    EXPECT_EQ(m_doc.OpenWarning(Language::English), "");

    bytes.resize(1u << 20, 0x00);
    WriteBytes("big.dat", bytes);
    ASSERT_TRUE(m_doc.OnOpenDocument(m_dir / "big.dat", m_context).ok());
    EXPECT_TRUE(m_doc.SaveWouldCutFile());
    const std::string big = (m_dir / "big.dat").string();
    EXPECT_EQ(m_doc.OpenWarning(Language::English),
              "\"" + big +
                  "\" holds 1048576 bytes; a radio file holds 1024; only the first 1024 are used");
    EXPECT_EQ(m_doc.OpenWarning(Language::Chinese),
              "“" + big + "”有 1048576 字节；对讲机文件为 1024 字节；只使用前 1024 字节");

    m_doc.ShowImage(m_context.band, m_context.language);
    ASSERT_TRUE(m_doc.OnSaveDocument(m_dir / "copy.dat", m_context).ok());
    EXPECT_FALSE(m_doc.SaveWouldCutFile());
    EXPECT_EQ(m_doc.OpenWarning(Language::English), "");
    EXPECT_EQ(std::filesystem::file_size(m_dir / "big.dat"), 1u << 20);
}

// A named pipe would wait for a writer forever, a device would give whatever it gives: neither
// is a document, and neither is opened for reading at all.
TEST_F(ProgramDocTest, OpenRefusesWhatIsNotARegularFile) {
    const Fifo fifo(m_dir / "pipe.dat");
    const UnixSocket socket(m_dir / "socket.dat");
    std::filesystem::create_directory(m_dir / "folder.dat");
    std::filesystem::create_symlink(fifo.path(), m_dir / "link.dat");
    struct Case {
        std::filesystem::path path;
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {
        {fifo.path(), "it is a named pipe (FIFO), not a regular file",
         "它是命名管道（FIFO），不是普通文件"},
        {m_dir / "link.dat", "it is a named pipe (FIFO), not a regular file",
         "它是命名管道（FIFO），不是普通文件"},
        {"/dev/zero", "it is a device, not a regular file", "它是设备，不是普通文件"},
        {socket.path(), "it is a socket, not a regular file", "它是套接字，不是普通文件"},
        {m_dir / "folder.dat", "it is a folder, not a file", "它是文件夹，不是文件"},
    };
    ASSERT_TRUE(m_doc.OnNewDocument(m_context));
    const RadioImage before = m_doc.image();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        m_context.language = Language::English;
        const Status english = m_doc.OnOpenDocument(c.path, m_context);
        EXPECT_EQ(english.message(), "Cannot open \"" + c.path.string() + "\": " + c.english);
        m_context.language = Language::Chinese;
        const Status chinese = m_doc.OnOpenDocument(c.path, m_context);
        EXPECT_EQ(chinese.message(), "无法打开“" + c.path.string() + "”：" + c.chinese);
    }
    EXPECT_FALSE(fifo.rescued());
    EXPECT_EQ(m_doc.image(), before);
    EXPECT_TRUE(m_context.newDocument);
}

TEST_F(ProgramDocTest, AnImageThatMayNotBeARadiosIsOpenedWithAWarning) {
    WriteBytes("zeros.dat", std::vector<std::uint8_t>(1025, 0x00));
    ASSERT_TRUE(m_doc.OnOpenDocument(m_dir / "zeros.dat", m_context).ok());
    const std::string name = (m_dir / "zeros.dat").string();
    EXPECT_EQ(m_doc.OpenWarning(Language::English),
              "\"" + name +
                  "\" holds 1025 bytes; a radio file holds 1024; only the first 1024 are used\n"
                  "\"" +
                  name +
                  "\" may not be a radio file: its band limits (0 - 0 MHz) are impossible; its "
                  "identity record does not begin with 50");
    EXPECT_NE(
        m_doc.OpenWarning(Language::Chinese)
            .find("“" + name +
                  "”可能不是对讲机文件：其频段范围（0 - 0 MHz）不可能；其识别记录不以 50 开头"),
        std::string::npos);
}

TEST_F(ProgramDocTest, SaveStoresTheGridFirstAndKeepsUnexchangedBlocks) {
    auto bytes = Bytes(1024, 1);
    // A well-formed channel 1 and a band of 400-470 MHz.
    const std::uint8_t channel1[] = {0x50, 0x12, 0x50, 0x44, 0x50, 0x12, 0x50, 0x44,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0x08, 0x30, 0x01, 0x02};
    std::copy(std::begin(channel1), std::end(channel1), bytes.begin() + 0x10);
    bytes[0x1AD] = 0x40;
    bytes[0x1AE] = 0x47;
    bytes[0x1AF] = 0x00;
    WriteBytes("radio.dat", bytes);
    ASSERT_TRUE(m_doc.OnOpenDocument(m_dir / "radio.dat", m_context).ok());
    m_doc.ShowImage(m_context.band, m_context.language);
    EXPECT_EQ(m_context.band, BandLimits(400, 470));

    m_doc.Synchronise([](RadioImage&, TextGrid& texts) { texts.SetTextMatrix(1, 5, "Low"); });
    ASSERT_TRUE(m_doc.OnSaveDocument(m_dir / "copy.dat", m_context).ok());
    EXPECT_EQ(m_doc.title(), "copy.dat");
    const auto saved = ReadBytes(m_dir / "copy.dat");
    ASSERT_EQ(saved.size(), 1024u);
    EXPECT_EQ(saved[0x1D], 0x10);  // Power cleared by the grid's text
    EXPECT_TRUE(std::equal(saved.begin() + 0x3E0, saved.end(), bytes.begin() + 0x3E0));
    EXPECT_TRUE(std::equal(saved.begin() + 0x180, saved.begin() + 0x1AD, bytes.begin() + 0x180));
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 0x10, bytes.begin()));
}

TEST_F(ProgramDocTest, AFailedSaveKeepsTheOldFile) {
    ASSERT_TRUE(m_doc.OnNewDocument(m_context));
    std::filesystem::create_directories(m_dir / "taken.dat");
    const Status status = m_doc.OnSaveDocument(m_dir / "taken.dat", m_context);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find("taken.dat"), std::string::npos);
    EXPECT_EQ(m_doc.title(), "Channel Information");
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "taken.dat"));
}

TEST_F(ProgramDocTest, ANewDocumentTakesTypeAndFieldFromTheStoreAndAnOpenedOneWritesThem) {
    ASSERT_TRUE(m_context.userStore.SetInt("software\\RADIOPROG", "type", 0x1234).ok());
    ASSERT_TRUE(m_doc.OnNewDocument(m_context));
    GridRefresh refresh = RefreshGridFromImage(m_doc, m_context);
    EXPECT_TRUE(refresh.mirror.ok());
    EXPECT_EQ(m_doc.image()[0x3D2], 0x34);
    EXPECT_EQ(m_doc.image()[0x3D3], 0x00);  // missing value reads 0
    EXPECT_EQ(refresh.windowTitle, "Radio  [ Type:RP-16V  Fre:136 - 174MHz ]");

    auto bytes = Bytes(1024, 5);
    bytes[0x3D2] = 0x07;
    bytes[0x3D3] = 0x02;
    bytes[0x1AD] = 0x40;
    bytes[0x1AE] = 0x47;
    bytes[0x1AF] = 0x00;
    WriteBytes("opened.dat", bytes);
    ASSERT_TRUE(m_doc.OnOpenDocument(m_dir / "opened.dat", m_context).ok());
    m_context.language = Language::Chinese;
    m_context.languageName = "Chinese";
    refresh = RefreshGridFromImage(m_doc, m_context);
    EXPECT_TRUE(refresh.mirror.ok());
    EXPECT_EQ(m_context.userStore.GetInt("Software\\radioprog", "Type"), 7u);
    EXPECT_EQ(m_context.userStore.GetInt("Software\\radioprog", "Field"), 2u);
    EXPECT_EQ(refresh.windowTitle, "电台  [ 类型:RP-16V  频率:400 - 470MHz ]");
}

struct RecordingObserver : DocumentObserver {
    void DocumentChanged() override { ++changes; }
    void ModifiedFlagChanged(bool modified) override { flags.push_back(modified); }
    int changes = 0;
    std::vector<bool> flags;
};

TEST_F(ProgramDocTest, AnEditMarksTheDocumentOnlyWhenItChangedSomethingAReadAlways) {
    ASSERT_TRUE(m_doc.OnNewDocument(m_context));
    RecordingObserver observer;
    m_doc.SetObserver(&observer);
    using Kind = DocumentEdit::Kind;

    EXPECT_FALSE(
        m_doc.Edit(DocumentEdit::Of(Kind::OptionalFeatures), [](RadioImage&, TextGrid&) {}));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(observer.changes, 0);

    // The same bytes again are a read all the same: the document no longer is its file.
    EXPECT_TRUE(m_doc.Edit(DocumentEdit::Of(Kind::Read), [](RadioImage&, TextGrid&) {}));
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(observer.flags, std::vector<bool>{true});

    m_doc.SetModifiedFlag(false);
    EXPECT_TRUE(m_doc.Edit(DocumentEdit::Of(Kind::ScanInformation),
                           [](RadioImage& image, TextGrid&) { image[0x160] ^= 0x01; }));
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(observer.flags, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(observer.changes, 2);
    m_doc.SetObserver(nullptr);
}

TEST_F(ProgramDocTest, KeepingTextsAndImageInStepIsNoEdit) {
    ASSERT_TRUE(m_doc.OnNewDocument(m_context));
    RecordingObserver observer;
    m_doc.SetObserver(&observer);
    m_doc.ShowImage(m_context.band, m_context.language);
    m_doc.Synchronise([](RadioImage&, TextGrid& texts) { texts.SetTextMatrix(1, 1, "145.00000"); });
    m_doc.StoreTexts(m_context.band);
    EXPECT_EQ(m_doc.image()[0x10], 0x00);
    EXPECT_EQ(m_doc.image()[0x13], 0x14);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(observer.flags.empty());
    EXPECT_EQ(observer.changes, 3);
    m_doc.SetObserver(nullptr);
}

TEST_F(ProgramDocTest, ACommittedCellIsAnEditAndARefusalEmptiesTheRowInTheDocument) {
    ASSERT_TRUE(m_doc.OnNewDocument(m_context));
    m_doc.ShowImage(m_context.band, m_context.language);
    EXPECT_EQ(m_doc.CommitCell(3, 1, "146.52", m_context.band, m_context.language), std::nullopt);
    EXPECT_EQ(m_doc.texts().TextMatrix(3, 1), "146.52000");
    EXPECT_EQ(m_doc.texts().TextMatrix(3, 2), "146.52000");
    EXPECT_TRUE(m_doc.IsModified());
    const DocumentState typed = m_doc.State();

    m_doc.SetModifiedFlag(false);
    const auto refusal = m_doc.CommitCell(3, 1, "1460", m_context.band, m_context.language);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, StringId::OutOfRange);
    EXPECT_EQ(m_doc.texts().TextMatrix(3, 1), "");
    EXPECT_NE(m_doc.State(), typed);
    EXPECT_TRUE(m_doc.IsModified());
}

}  // namespace
}  // namespace radioprog
