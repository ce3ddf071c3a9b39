#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "core/base/string_table.h"
#include "core/doc/app_context.h"
#include "core/doc/program_doc.h"
#include "core/doc/radio_transfer.h"
#include "core/link/block_transfer.h"
#include "core/link/port_opener.h"
#include "core/radio/channel_grid.h"
#include "core/report/print_page_table.h"
#include "gui/link/fleet_write_dlg.h"
#include "gui/link/process_dlg.h"
#include "gui/view/ms_flex_grid.h"

class QMenu;
class QPageLayout;
class QPagedPaintDevice;

namespace radioprog::gui {

class CComSetupDlg;
class CScanInfoDlg;
class CLanguageDlg;
class GuiLinkObserver;

/// The channel window's view: the 17 x 9 channel grid with one in-place editor per column,
/// the Read and Write commands with their progress dialog, COM Setup and Language, and F1 on
/// the grid and its editors, and Scan Information. The grid shows the document's channel texts
/// and hands every committed edit to the document. Creating a view makes the saved port the
/// current one.
class CProgramView : public QWidget, private DocumentObserver {
    Q_OBJECT
public:
    CProgramView(AppContext& context, std::unique_ptr<CProgramDoc> doc, PortOpener& opener,
                 QWidget* parent = nullptr);
    ~CProgramView() override;

    /// Sets up the grid once and fills it from the document's image.
    void InitialUpdate();

    CProgramDoc& document() { return *m_doc; }
    CMSFlexGrid& grid() { return *m_grid; }
    QWidget* editor(int col) const;
    bool transferRunning() const { return m_transferRunning; }
    CProcessDlg* progressDialog() const { return m_process; }
    CComSetupDlg* comSetupDialog() const { return m_comSetup; }
    CScanInfoDlg* scanInfoDialog() const { return m_scanInfo; }
    CLanguageDlg* languageDialog() const { return m_language; }
    CFleetWriteDlg* fleetDialog() const { return m_fleet; }
    /// Gives the keyboard focus to the open editor, else to the grid.
    void TakeFocus();

    /// Commits an open edit and shows a refusal; returns false when the value was refused.
    bool CommitEdit();

    /// The channels a row command works on: the rows chosen by their labels, else the channel
    /// of the current cell.
    std::vector<int> SelectedChannels() const;
    /// Chooses every channel row (Ctrl+A); an open edit is committed first.
    void SelectAllChannels();
    /// After a row command: the rows chosen stay chosen at @p channels; without a row selection
    /// the current cell follows the first of them and its editor opens, so that typing goes on.
    void ShowChannels(const std::vector<int>& channels);
    /// Makes (@p row, @p col) the current cell, ends a row selection and opens the cell's editor.
    void ShowCell(int row, int col);
    /// The grid's context menu: the main window's commands for the channels.
    void SetContextMenuActions(const QList<QAction*>& actions);
    QMenu* contextMenu() const { return m_contextMenu; }
    /// Commits an open edit, stores the texts into the document's image and writes it to @p path.
    [[nodiscard]] Status Save(const QString& path);

    /// Prepares a print run of the report: counts the filled channels and returns the report's
    /// last page, which every footer of the run counts to.
    int PreparePrinting();
    /// Prints pages @p fromPage to @p toPage (0: from the first, to the last) of a run prepared
    /// for @p maxPage onto @p device, from the grid's texts as they are now: an edit still open
    /// in a cell is not printed. Returns false when the device refused to print.
    bool PrintReport(QPagedPaintDevice& device, int maxPage, int fromPage = 0, int toPage = 0);
    /// The whole report as a PDF document on pages of @p layout.
    bool ReportPdf(const QPageLayout& layout, QByteArray& pdf);
    const PrintPageTable& printPageTable() const { return m_printTable; }

public slots:
    void OnRead();
    void OnWrite();
    void OnRadioTransfer();
    /// Program > Compare with Radio: reads the radio (kept as a backup) and shows what a write
    /// of the document would change in it.
    void OnCompareWithRadio();
    /// Writes @p backup to the radio, after the progress dialog's OK, leaving the document alone.
    void RestoreBackup(const RadioImage& backup);
    void OnComSetup();
    /// Scan Information on the image as the grid stands.
    void OnScanInfo();
    /// Program > Fleet Write: the image as the grid stands, to many radios at once, in a dialog
    /// that leaves the window usable.
    void OnFleetWrite();
    /// Runs the Language dialog; asks for a restart when it ends with OK and its changed mark.
    void OnLanguage();

signals:
    /// The main window's title after the grid was filled from the image.
    void TitleChanged(const QString& title);
    void ModifiedChanged(bool modified);
    /// A transfer started or ended.
    void TransferStateChanged();
    /// The document changed: its undo steps may have too.
    void Edited();
    /// Something went wrong that needs no answer, for the status bar.
    void Problem(const QString& text);
    /// The program must start again for a new language.
    void RestartRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DocumentChanged() override;
    void ModifiedFlagChanged(bool modified) override;
    /// The open editor's cell and text, taken from the grid and closed; nothing when none is
    /// open.
    std::optional<OpenCellEdit> TakeOpenEdit();
    bool EditorVisible() const;
    std::string EditorText() const;
    void CreateEditors();
    void FitDefaultSizes();
    void OpenEditor();
    void ShowContextMenu(const QPoint& globalPos);
    /// Keys that belong to the window's commands even while an editor has the focus.
    bool CommandKeyOverride(QObject* watched, QKeyEvent* key) const;
    void HideEditor(QWidget* editor);
    void HideAllEditors();
    bool EnterCommit();
    /// The help number of the focused control: the grid's or an editor's.
    int FocusedControlId() const;
    void ShowRefusal(StringId refusal);
    void OpenProgressDialog(TransferDirection direction);
    void Refresh();
    /// The end of a write as the user hears it, with Write Again and Restore Backup where they
    /// help.
    void ShowWriteResult(const SafeWriteResult& write);
    void ShowReadBackup(const RadioTransferResult& result);
    void CompareWithRadio(GuiLinkObserver& observer);

    AppContext& m_context;
    std::unique_ptr<CProgramDoc> m_doc;
    PortOpener& m_opener;
    CMSFlexGrid* m_grid;
    std::array<QWidget*, 9> m_editors{};
    std::vector<std::string> m_toneList;
    QPointer<CProcessDlg> m_process;
    QPointer<CFleetWriteDlg> m_fleet;
    CComSetupDlg* m_comSetup;
    CScanInfoDlg* m_scanInfo;
    CLanguageDlg* m_language;
    QMenu* m_contextMenu;
    PrintPageTable m_printTable;
    TransferDirection m_direction = TransferDirection::Read;
    bool m_firstInitialisation = true;
    bool m_transferRunning = false;
    bool m_compareWithRadio = false;      ///< the progress dialog's OK compares instead of reading
    std::optional<RadioImage> m_restore;  ///< the progress dialog's OK writes this backup
};

}  // namespace radioprog::gui
