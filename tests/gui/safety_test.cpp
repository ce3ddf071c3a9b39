// The desktop program's safety net with real widgets: the phases of a safe write and what it
// says at its end, Write Again and Restore Backup, Transfer Options, Backups and the Compare
// dialogs, against simulated radios on pseudo-terminals.
#include <QCheckBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "core/doc/backup_store.h"
#include "core/doc/transfer_options.h"
#include "core/sim/demo_memory.h"
#include "core/sim/pty_radio.h"
#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/app/safety_commands.h"
#include "gui/dialogs/backups_dlg.h"
#include "gui/dialogs/compare_dlg.h"
#include "gui/dialogs/transfer_options_dlg.h"
#include "gui/link/process_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

using testing::OnNextModal;
using testing::ScriptedMessages;
using testing::WaitFor;

class SafetyTest : public ::testing::Test {
protected:
    SafetyTest() {
        testing::PrepareAppFolder(m_dir);
        radioprog::testing::WriteText(
            m_dir / "Program.ini",
            "[Setup]\nLanguage=English\nAppName=radioprog-test\nType1=RP-16V\n"
            "Field1=136-174MHz\n[English]\nCompany=Radio Co\nAppName=Radio\n");
    }
    void Start(const SimFaults& faults = {}) {
        m_app = testing::StartAsAdmin(m_dir.path());
        ASSERT_NE(m_app->mainFrame(), nullptr);
        RadioSimulator simulator(DemoMemory(), faults);
        PtyRadio::Started started = PtyRadio::Start(simulator, {});
        ASSERT_TRUE(started.radio) << started.error;
        m_radio = std::move(started.radio);
        m_app->context().link.portName = m_radio->devicePath();
        m_view = m_app->mainFrame()->activeView();
    }
    CMainFrame& Frame() { return *m_app->mainFrame(); }
    void Run(const char* command) {
        Frame().action(command)->trigger();
        Ok();
    }
    void Ok() {
        ASSERT_TRUE(m_view->progressDialog());
        QTest::mouseClick(m_view->progressDialog()->okButton(), Qt::LeftButton);
    }
    bool Finished() {
        return WaitFor([this] { return !m_view->transferRunning() && !m_view->progressDialog(); },
                       60000);
    }
    std::vector<BackupEntry> Backups() const {
        return BackupStore(m_app->context().backupFolder).List();
    }
    /// The document's channel 4 on 150 MHz, which the radio does not hold.
    void EditChannel4() {
        m_view->document().Edit(DocumentEdit::Of(DocumentEdit::Kind::Read),
                                [](RadioImage&, TextGrid& texts) {
                                    texts.SetTextMatrix(4, 1, "150.00000");
                                    texts.SetTextMatrix(4, 2, "150.00000");
                                });
    }

    radioprog::testing::TempDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<CProgramApp> m_app;
    std::unique_ptr<PtyRadio> m_radio;
    CProgramView* m_view = nullptr;
};

TEST_F(SafetyTest, AWriteShowsItsPhasesAndEndsWrittenAndVerified) {
    Start();
    std::vector<QString> phases;
    QTimer watcher;
    watcher.setInterval(2);
    QObject::connect(&watcher, &QTimer::timeout, [this, &phases] {
        if (CProcessDlg* dialog = m_view->progressDialog()) {
            const QString phase = dialog->phaseLabel()->text();
            if (!phase.isEmpty() && (phases.empty() || phases.back() != phase)) {
                phases.push_back(phase);
            }
        }
    });
    watcher.start();
    EditChannel4();
    Run("write");
    ASSERT_TRUE(Finished());
    watcher.stop();
    EXPECT_EQ(phases, (std::vector<QString>{"Backing up", "Writing", "Verifying"}));
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text, "Written and verified");
    const std::vector<BackupEntry> backups = Backups();
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].kind, BackupKind::BeforeWrite);
}

TEST_F(SafetyTest, AMismatchNamesTheAddressesAndOffersToWriteAgain) {
    SimFaults faults;
    faults.dropWrite = 0x40;
    Start(faults);
    EditChannel4();
    m_messages.choices = {0};  // Write Again
    Run("write");
    ASSERT_TRUE(WaitFor([this] { return !m_messages.shown.empty(); }, 60000));
    EXPECT_NE(m_messages.shown[0].text.indexOf("at the half-blocks 0x0040"), -1)
        << m_messages.shown[0].text.toStdString();
    EXPECT_TRUE(m_messages.shown[0].text.endsWith("[Write Again|Close]"));
    ASSERT_TRUE(WaitFor([this] { return m_view->progressDialog() != nullptr; }));
    EXPECT_EQ(m_view->progressDialog()->windowTitle(), "Write Data");
    m_view->progressDialog()->reject();
}

TEST_F(SafetyTest, AWriteThatStopsOffersTheBackupWhichRestoresTheRadio) {
    SimFaults faults;
    faults.hangUpAfter = 124 + 40;  // the backup read, then 20 blocks of the write
    Start(faults);
    const RadioImage before = m_radio->memory();
    EditChannel4();
    m_messages.choices = {1};  // Restore Backup
    Run("write");
    const auto mixed = [this] {
        return std::find_if(m_messages.shown.begin(), m_messages.shown.end(),
                            [](const auto& shown) { return shown.text.contains("mix"); });
    };
    ASSERT_TRUE(WaitFor([&] { return mixed() != m_messages.shown.end(); }, 60000));
    ASSERT_TRUE(WaitFor([this] { return m_view->progressDialog() && !m_view->transferRunning(); }));
    EXPECT_NE(mixed()->text.indexOf("blocks done 20 of 62"), -1) << mixed()->text.toStdString();
    EXPECT_TRUE(mixed()->text.endsWith("[Write Again|Restore Backup|Close]"))
        << mixed()->text.toStdString();
    EXPECT_EQ(m_view->progressDialog()->windowTitle(), "Restore Backup");

    // The radio hung up; a fresh one that holds the mix takes the restore.
    RadioSimulator mixedRadio(m_radio->memory());
    m_radio.reset();
    PtyRadio::Started started = PtyRadio::Start(mixedRadio, {});
    ASSERT_TRUE(started.radio);
    m_radio = std::move(started.radio);
    m_app->context().link.portName = m_radio->devicePath();
    m_messages.shown.clear();
    Ok();
    ASSERT_TRUE(Finished());
    ASSERT_FALSE(m_messages.shown.empty());
    EXPECT_EQ(m_messages.shown.back().text, "Written and verified");
    const RadioImage restored = m_radio->memory();
    EXPECT_TRUE(std::equal(restored.begin(), restored.begin() + 0x3E0, before.begin()));
    // The document still holds the edit.
    EXPECT_EQ(m_view->grid().TextMatrix(4, 1), "150.00000");
}

TEST_F(SafetyTest, TransferOptionsAreKeptAndAWriteFollowsThem) {
    Start();
    OnNextModal([](QWidget* modal) {
        auto* options = qobject_cast<CTransferOptionsDlg*>(modal);
        ASSERT_NE(options, nullptr);
        EXPECT_TRUE(options->backupBox()->isChecked());
        EXPECT_TRUE(options->verifyBox()->isChecked());
        EXPECT_FALSE(options->showChangesBox()->isChecked());
        options->backupBox()->setChecked(false);
        options->verifyBox()->setChecked(false);
        options->accept();
    });
    Frame().action("transferOptions")->trigger();
    const TransferOptions stored = LoadTransferOptions(m_app->context().userStore);
    EXPECT_FALSE(stored.backupBeforeWrite);
    EXPECT_FALSE(stored.verifyAfterWrite);
    Run("write");
    ASSERT_TRUE(Finished());
    EXPECT_EQ(m_messages.shown.back().text, "Written (not verified)");
    EXPECT_TRUE(Backups().empty());
    EXPECT_EQ(m_radio->stats().connections, 1u);
}

TEST_F(SafetyTest, ShowingTheChangesAsksFirstAndAnUnchangedRadioIsNotWritten) {
    Start();
    TransferOptions options;
    options.showChangesBeforeWrite = true;
    ASSERT_TRUE(StoreTransferOptions(m_app->context().userStore, options));
    Run("read");
    ASSERT_TRUE(Finished());
    EditChannel4();
    QStringList rows;
    OnNextModal([&rows](QWidget* modal) {
        auto* compare = qobject_cast<CCompareDlg*>(modal);
        ASSERT_NE(compare, nullptr);
        for (int i = 0; i < compare->changes()->topLevelItemCount(); ++i) {
            rows << compare->changes()->topLevelItem(i)->text(0);
        }
        compare->reject();
    });
    Run("write");
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(rows.contains("Channel 4  Rx Frequency")) << rows.join(",").toStdString();
    EXPECT_EQ(m_radio->stats().halfBlocksWritten, 0u);

    // Undo the edit: the radio holds the document's memory now.
    Run("read");
    ASSERT_TRUE(Finished());
    m_messages.shown.clear();
    Run("write");
    ASSERT_TRUE(Finished());
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text,
              "The radio already holds this memory; nothing was written.");
    EXPECT_EQ(m_radio->stats().halfBlocksWritten, 0u);
}

TEST_F(SafetyTest, BackupsListsTheReadsAndOpensOneAsADocumentThatSaysItIsABackup) {
    Start();
    Run("read");
    ASSERT_TRUE(Finished());
    m_view->document().SetModifiedFlag(false);
    ASSERT_EQ(Backups().size(), 1u);
    OnNextModal([](QWidget* modal) {
        auto* backups = qobject_cast<CBackupsDlg*>(modal);
        ASSERT_NE(backups, nullptr);
        ASSERT_EQ(backups->list()->topLevelItemCount(), 1);
        EXPECT_EQ(backups->list()->topLevelItem(0)->text(1), "Read");
        EXPECT_EQ(backups->list()->topLevelItem(0)->text(3), "5");
        QTest::mouseClick(backups->openButton(), Qt::LeftButton);
    });
    Frame().action("backups")->trigger();
    CProgramView* opened = Frame().activeView();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->document().title().rfind("Backup ", 0), 0u) << opened->document().title();
    EXPECT_TRUE(opened->document().pathName().empty());
    EXPECT_EQ(opened->grid().TextMatrix(2, 1), "146.52000");
}

TEST_F(SafetyTest, CompareWithFileAndWithRadioShowTheChannelsThatDiffer) {
    Start();
    Run("read");
    ASSERT_TRUE(Finished());
    const std::filesystem::path file = m_dir / "radio.dat";
    ASSERT_TRUE(m_view->Save(QString::fromStdString(file.string())));
    EditChannel4();
    QStringList rows;
    const auto collect = [&rows](QWidget* modal) {
        auto* compare = qobject_cast<CCompareDlg*>(modal);
        ASSERT_NE(compare, nullptr);
        for (int i = 0; i < compare->changes()->topLevelItemCount(); ++i) {
            rows << compare->changes()->topLevelItem(i)->text(0) + "=" +
                        compare->changes()->topLevelItem(i)->text(2);
        }
        compare->accept();
    };
    OnNextModal(collect);
    ASSERT_TRUE(Frame().safety().CompareWithFile(QString::fromStdString(file.string())));
    EXPECT_TRUE(rows.contains("Channel 4  Rx Frequency=155.34000")) << rows.join(",").toStdString();

    rows.clear();
    OnNextModal(collect);
    Frame().action("compareWithRadio")->trigger();
    EXPECT_EQ(m_view->progressDialog()->windowTitle(), "Compare with Radio");
    Ok();
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(rows.contains("Channel 4  Rx Frequency=150.00000")) << rows.join(",").toStdString();
    EXPECT_EQ(Backups().size(), 2u);
}

}  // namespace
}  // namespace radioprog::gui
