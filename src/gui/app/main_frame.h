#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "core/doc/app_context.h"
#include "core/doc/program_doc.h"
#include "core/doc/recent_files.h"
#include "core/link/port_opener.h"
#include "gui/app/program_restart.h"

class QAction;
class QMdiArea;
class QMenu;
class QPrinter;

namespace radioprog::gui {

class CChildFrame;
class COptionalFeaturesDlg;
class CProductInfoDlg;
class CNavigationBar;
class CProgramView;

/// The main window: menus, toolbar and status bar around the document area, and the document
/// commands. One channel window is shown at a time.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(AppContext& context, PortOpener& opener);
    ~CMainFrame() override;

    /// A new document in a new channel window (start-up and File > New).
    void NewDocument();
    /// Opens @p path in a new channel window; on failure says why and keeps the current one.
    bool OpenDocument(const QString& path);
    /// Saves the active document; @p saveAs asks for a name even when it has one.
    bool SaveDocument(bool saveAs);

    CProgramView* activeView() const;
    CChildFrame* activeFrame() const;
    QMdiArea* mdiArea() const { return m_area; }
    QAction* action(const QString& name) const;
    /// The menus by name: menuFile, menuEdit, menuProgram, menuView, menuSetup, menuHelp.
    QMenu* menu(const QString& name) const;
    CProductInfoDlg* productInfoDialog() const { return m_productInfo; }
    COptionalFeaturesDlg* optionalFeaturesDialog() const { return m_optionalFeatures; }
    CNavigationBar* navigationBar() const { return m_bar; }
    /// The printer every print, preview and page set-up of the run shares, made at its first
    /// use: asking the print system for its printers can take a while.
    QPrinter* printer();

    /// Prints the active document's report on @p printer, the pages of its page range, counting
    /// to @p maxPage; says so when the printer refuses.
    bool PrintActiveReport(QPrinter& printer, int maxPage);
    /// Writes the active document's report to @p path as a PDF document on the printer's pages;
    /// says why when it cannot.
    bool ExportPdf(const QString& path);

    /// Start-up's changes to the menus from the settings file, once the window is shown.
    void AdaptMenus();
    /// Shows the window with the size and place the last run left it in; maximized when there
    /// is none.
    void ShowWithStoredGeometry();

    /// How the program starts itself again after a change of language; by default the running
    /// executable on the same application folder.
    void SetRestart(RestartCommand command, ProgramStarter starter = StartDetached);
    const RestartCommand& restartCommand() const { return m_restart; }

protected:
    void closeEvent(QCloseEvent* event) override;
    /// A .dat file dragged onto the window is opened when dropped.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    /// The channel window wears the program's icon, whichever start-up gives it.
    bool event(QEvent* event) override;

private:
    void CreateActions();
    void CreateMenusAndToolbar();
    /// Product Information, Optional Features and Scan Info (Edit), Password (Program) and COM
    /// Setup (Setup).
    void AddDialogCommands();
    /// The dialog commands that need an idle channel window; Password also needs an Admin.
    void UpdateDialogCommands(bool document, bool idle);
    void OnOptionalFeatures();
    void OnPassword();
    /// Print, Print Preview, Export PDF and Print Setup (File) and the toolbar's Print button.
    void AddPrintCommands();
    void UpdatePrintActions();
    void OnPrint();
    void OnPrintPreview();
    void OnPrintSetup();
    void OnExportPdf();
    CChildFrame* AddView(std::unique_ptr<CProgramDoc> doc);
    bool MaybeSave();
    bool TransferRunning() const;
    void UpdateActions();
    void ShowDocumentMenus(bool document);
    void OnNew();
    void OnOpen();
    void OnChannelInformation();
    /// The navigation bar with its tree, the document area's background, About, and the View
    /// menu's Control Bar command.
    void AddShellParts();
    void OnTreeSelectionChanged();
    void ShowControlBar(bool show);
    void OnAbout();
    /// Setup > Language, handled by the channel window's view.
    void AddLanguageCommand();
    /// After a change of language: the settings file written, the document offered for saving,
    /// the new instance started, then this one closed.
    void RestartForLanguage();
    /// F1 (help for the window, or for the highlighted menu item) and F6 / Shift+F6 (next and
    /// previous pane).
    void AddHelpAndPaneKeys();
    /// Gives the commands their numbers and lets the menus answer F1; safe to repeat.
    void PrepareMenuHelp();
    void MovePaneFocus(int step);
    /// File's recent documents and the drop of a .dat file.
    void AddDesktopParts();
    void UpdateRecentFiles();
    void RememberDocument(const QString& path);
    void StoreRecentFiles();
    /// Opens a recent or dropped document as File > Open would.
    bool OpenFromDesktop(const QString& path);
    /// Keeps the window's size and place for the next run.
    void StoreGeometry();

    AppContext& m_context;
    PortOpener& m_opener;
    QMdiArea* m_area;
    QPointer<CChildFrame> m_frame;
    CProductInfoDlg* m_productInfo = nullptr;
    COptionalFeaturesDlg* m_optionalFeatures = nullptr;
    CNavigationBar* m_bar = nullptr;
    RestartCommand m_restart;
    ProgramStarter m_starter;
    bool m_restarting = false;
    std::unique_ptr<QPrinter> m_printer;
    RecentFiles m_recent;
    QList<QAction*> m_recentActions;  ///< the recent files in the File menu, with their separator
};

}  // namespace radioprog::gui
