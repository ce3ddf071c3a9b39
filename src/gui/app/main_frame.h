#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "core/doc/app_context.h"
#include "core/doc/document_commands.h"
#include "core/doc/document_session.h"
#include "core/doc/program_doc.h"
#include "core/doc/recent_files.h"
#include "core/link/port_opener.h"
#include "core/link/serial_trace.h"
#include "gui/app/document_questions.h"
#include "gui/app/program_restart.h"

class QAction;
class QMdiArea;
class QMenu;

namespace radioprog::gui {

class CChildFrame;
class CCsvCommands;
class CSafetyCommands;
class CEditCommands;
class CFrameActions;
class COptionalFeaturesDlg;
class CPrintCommands;
class CProductInfoDlg;
class CNavigationBar;
class CProgramView;

/// The main window: menus, toolbar and status bar around the document area. It binds the
/// commands to the document session, the dialogs and the printing commands, and shows one
/// channel window at a time.
class CMainFrame : public QMainWindow, private SessionWindow {
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
    /// An action or a menu by its object name, for tests and help.
    QAction* action(const QString& name) const;
    /// The menus by name: menuFile, menuEdit, menuProgram, menuView, menuSetup, menuHelp.
    QMenu* menu(const QString& name) const;
    CFrameActions& actions() const { return *m_actions; }
    CPrintCommands& printing() const { return *m_printing; }
    CCsvCommands& csv() const { return *m_csv; }
    CSafetyCommands& safety() const { return *m_safety; }
    CEditCommands& edits() const { return *m_edits; }
    CProductInfoDlg* productInfoDialog() const { return m_productInfo; }
    COptionalFeaturesDlg* optionalFeaturesDialog() const { return m_optionalFeatures; }
    CNavigationBar* navigationBar() const { return m_bar; }

    /// Start-up's changes to the menus from the settings file, once the window is shown.
    void AdaptMenus();
    /// Shows and enables every command as the core decides for the window as it is now.
    void UpdateActions();
    /// Shows the window with the size and place the last run left it in; maximized when there
    /// is none.
    void ShowWithStoredGeometry();

    /// How the program starts itself again after a change of language; by default the running
    /// executable on the same application folder.
    void SetRestart(RestartCommand command, ProgramStarter starter = StartDetached);
    const RestartCommand& restartCommand() const { return m_restart; }

    /// The trace of the last exchange with the radio, which Help > Save Serial Trace saves;
    /// must outlive the window.
    void SetSerialTrace(const SerialTrace* trace) { m_trace = trace; }

protected:
    void closeEvent(QCloseEvent* event) override;
    /// A .dat file dragged onto the window is opened when dropped.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    /// The channel window wears the program's icon, whichever start-up gives it.
    bool event(QEvent* event) override;

private:
    // The channel window as the document session sees it.
    CProgramDoc* Document() override;
    bool DocumentShown() const override { return activeFrame() != nullptr; }
    bool TransferRunning() const override;
    void CommitOpenEdit() override;
    void ShowDocument() override;

    void ConnectCommands();
    CommandSituation Situation() const;
    CChildFrame* AddView(std::unique_ptr<CProgramDoc> doc);
    void ShowOpened(std::unique_ptr<CProgramDoc> doc);
    void OnNew();
    void OnOpen();
    void OnChannelInformation();

    /// Product Information, Optional Features (Edit) and Password (Program) open their
    /// dialogs here; Scan Info, COM Setup and Language belong to the channel window's view.
    void AddDialogs();
    void OnOptionalFeatures();
    /// Product Information as one step of the active document: its undo puts the band back.
    void OnProductInformation();
    /// Edit's Undo, Redo and channel commands.
    void ConnectEditCommands();
    void OnPassword();
    /// The navigation bar with its tree, the document area's background, and About.
    void AddShellParts();
    void OnTreeSelectionChanged();
    void ShowControlBar(bool show);
    void OnAbout();
    /// After a change of language: the settings file written, the document offered for saving,
    /// the new instance started, then this one closed.
    void RestartForLanguage();
    /// F1 (help for the window, or for the highlighted menu item) and F6 / Shift+F6 (next and
    /// previous pane).
    void AddHelpAndPaneKeys();
    void MovePaneFocus(int step);
    /// Help > Save Serial Trace.
    void AddTraceCommand();
    void OnSaveSerialTrace();
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
    CFrameActions* m_actions;
    CDocumentQuestions m_questions;
    DocumentSession m_session;
    CPrintCommands* m_printing;
    CCsvCommands* m_csv;
    CSafetyCommands* m_safety;
    CEditCommands* m_edits;
    QPointer<CChildFrame> m_frame;
    CProductInfoDlg* m_productInfo = nullptr;
    COptionalFeaturesDlg* m_optionalFeatures = nullptr;
    CNavigationBar* m_bar = nullptr;
    RestartCommand m_restart;
    ProgramStarter m_starter;
    bool m_restarting = false;
    const SerialTrace* m_trace = nullptr;
    RecentFiles m_recent;
    QList<QAction*> m_recentActions;  ///< the recent files in the File menu, with their separator
};

}  // namespace radioprog::gui
