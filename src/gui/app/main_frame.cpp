#include "gui/app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>

#include "core/doc/about_texts.h"
#include "core/doc/language_choice.h"
#include "gui/app/child_frame.h"
#include "gui/app/csv_commands.h"
#include "gui/app/edit_commands.h"
#include "gui/app/frame_actions.h"
#include "gui/app/print_commands.h"
#include "gui/app/qt_text.h"
#include "gui/app/safety_commands.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {

CMainFrame::CMainFrame(AppContext& context, PortOpener& opener)
    : m_context(context),
      m_opener(opener),
      m_area(new QMdiArea(this)),
      m_actions(new CFrameActions(*this)),
      m_questions(context, this),
      m_session(context, *this, m_questions),
      m_printing(new CPrintCommands(context, *this)),
      m_csv(new CCsvCommands(context, *this)),
      m_safety(new CSafetyCommands(context, *this)),
      m_edits(new CEditCommands(context, *this)),
      m_restart(
          BuildRestartCommand(QCoreApplication::applicationFilePath(), context.layout, false)),
      m_starter(StartDetached) {
    setObjectName("mainFrame");
    setWindowTitle(tr("Program"));
    setCentralWidget(m_area);
    resize(1000, 600);
    statusBar()->showMessage(tr("Ready"));
    connect(m_area, &QMdiArea::subWindowActivated, this, [this] { UpdateActions(); });
    ConnectCommands();
    ConnectEditCommands();
    AddDialogs();
    AddShellParts();
    AddTraceCommand();
    AddHelpAndPaneKeys();
    AddDesktopParts();
    UpdateActions();
}

// The document area tells of its windows while it is being torn down, when this frame is no
// longer a frame.
CMainFrame::~CMainFrame() {
    m_area->disconnect(this);
    if (m_frame) {
        m_frame->disconnect(this);
        m_frame->view()->disconnect(this);
    }
}

void CMainFrame::ConnectCommands() {
    CFrameActions& a = *m_actions;
    connect(a.newDocument, &QAction::triggered, this, &CMainFrame::OnNew);
    connect(a.open, &QAction::triggered, this, &CMainFrame::OnOpen);
    connect(a.close, &QAction::triggered, this, [this] {
        if (CChildFrame* frame = activeFrame()) {
            frame->close();
        }
    });
    connect(a.save, &QAction::triggered, this, [this] { SaveDocument(false); });
    connect(a.saveAs, &QAction::triggered, this, [this] { SaveDocument(true); });
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.print, &QAction::triggered, m_printing, &CPrintCommands::OnPrint);
    connect(a.printPreview, &QAction::triggered, m_printing, &CPrintCommands::OnPrintPreview);
    connect(a.exportPdf, &QAction::triggered, m_printing, &CPrintCommands::OnExportPdf);
    connect(a.printSetup, &QAction::triggered, m_printing, &CPrintCommands::OnPrintSetup);
    connect(a.importCsv, &QAction::triggered, m_csv, &CCsvCommands::OnImportCsv);
    connect(a.exportCsv, &QAction::triggered, m_csv, &CCsvCommands::OnExportCsv);
    connect(a.backups, &QAction::triggered, m_safety, &CSafetyCommands::OnBackups);
    connect(a.compareWithFile, &QAction::triggered, m_safety, &CSafetyCommands::OnCompareWithFile);
    connect(a.transferOptions, &QAction::triggered, m_safety, &CSafetyCommands::OnTransferOptions);
    connect(a.channelInformation, &QAction::triggered, this, &CMainFrame::OnChannelInformation);
    // Read, Write, Scan Info, COM Setup and Language belong to the channel window's view.
    const std::pair<QAction*, void (CProgramView::*)()> viewCommands[] = {
        {a.read, &CProgramView::OnRead},
        {a.write, &CProgramView::OnWrite},
        {a.fleetWrite, &CProgramView::OnFleetWrite},
        {a.scanInfo, &CProgramView::OnScanInfo},
        {a.comSetup, &CProgramView::OnComSetup},
        {a.language, &CProgramView::OnLanguage},
        {a.compareWithRadio, &CProgramView::OnCompareWithRadio},
    };
    for (const auto& [command, handler] : viewCommands) {
        connect(command, &QAction::triggered, this, [this, handler = handler] {
            if (CProgramView* view = activeView()) {
                (view->*handler)();
            }
        });
    }
}

QMenu* CMainFrame::menu(const QString& name) const {
    return findChild<QMenu*>(name);
}

QAction* CMainFrame::action(const QString& name) const {
    return findChild<QAction*>(name);
}

CChildFrame* CMainFrame::activeFrame() const {
    return m_frame && m_frame->isVisible() ? m_frame.data() : nullptr;
}

CProgramView* CMainFrame::activeView() const {
    CChildFrame* frame = activeFrame();
    return frame ? frame->view() : nullptr;
}

CProgramDoc* CMainFrame::Document() {
    return m_frame ? &m_frame->view()->document() : nullptr;
}

bool CMainFrame::TransferRunning() const {
    return m_frame && m_frame->view()->transferRunning();
}

void CMainFrame::CommitOpenEdit() {
    if (m_frame) {
        m_frame->view()->CommitEdit();
    }
}

void CMainFrame::ShowDocument() {
    if (m_frame) {
        m_frame->show();
    }
}

CommandSituation CMainFrame::Situation() const {
    return {
        .documentExists = m_frame != nullptr,
        .documentShown = activeFrame() != nullptr,
        .transferRunning = TransferRunning(),
        .role = m_context.link.role,
        .showLanguage = ShowsLanguageCommand(m_context.profile.GetValue("Setup", "ShowLang", "")),
        .canUndo = activeView() && activeView()->document().history().CanUndo(),
        .canRedo = activeView() && activeView()->document().history().CanRedo()};
}

void CMainFrame::UpdateActions() {
    m_actions->Apply(DecideCommands(Situation()));
    CProgramView* view = activeView();
    const UndoHistory* history = view ? &view->document().history() : nullptr;
    m_actions->undo->setText(
        Q(UndoText(history ? history->NextUndo() : nullptr, m_context.language)));
    m_actions->redo->setText(
        Q(RedoText(history ? history->NextRedo() : nullptr, m_context.language)));
}

void CMainFrame::ConnectEditCommands() {
    CFrameActions& a = *m_actions;
    const std::pair<QAction*, void (CEditCommands::*)()> commands[] = {
        {a.undo, &CEditCommands::OnUndo},
        {a.redo, &CEditCommands::OnRedo},
        {a.cut, &CEditCommands::OnCut},
        {a.copy, &CEditCommands::OnCopy},
        {a.paste, &CEditCommands::OnPaste},
        {a.selectAll, &CEditCommands::OnSelectAll},
        {a.deleteChannel, &CEditCommands::OnDeleteChannel},
        {a.insertChannel, &CEditCommands::OnInsertChannel},
        {a.moveUp, &CEditCommands::OnMoveUp},
        {a.moveDown, &CEditCommands::OnMoveDown},
        {a.setForSelected, &CEditCommands::OnSetForSelected},
    };
    for (const auto& [command, handler] : commands) {
        connect(command, &QAction::triggered, m_edits, handler);
    }
}

void CMainFrame::AdaptMenus() {
    if (QAction* first = m_actions->helpMenu->actions().value(0)) {
        first->setText(Q(ReadAboutTexts(m_context.profile, m_context.languageName).title));
    }
    m_actions->Adapt(DecideCommands(Situation()));
}

CChildFrame* CMainFrame::AddView(std::unique_ptr<CProgramDoc> doc) {
    auto* view = new CProgramView(m_context, std::move(doc), m_opener);
    auto* frame = new CChildFrame(view);
    m_area->addSubWindow(frame);
    const QString title = QString::fromStdString(view->document().title());
    frame->setWindowTitle(title + "[*]");
    connect(view, &CProgramView::TitleChanged, this, &QWidget::setWindowTitle);
    connect(view, &CProgramView::ModifiedChanged, frame, &QWidget::setWindowModified);
    connect(view, &CProgramView::TransferStateChanged, this, &CMainFrame::UpdateActions);
    connect(view, &CProgramView::Edited, this, &CMainFrame::UpdateActions);
    view->SetContextMenuActions(m_actions->ChannelCommands());
    connect(frame, &CChildFrame::Hidden, this, &CMainFrame::UpdateActions);
    connect(view, &CProgramView::RestartRequested, this, &CMainFrame::RestartForLanguage);
    connect(view, &CProgramView::Problem, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    frame->setWindowIcon(windowIcon());
    frame->move(0, 0);
    frame->show();
    view->InitialUpdate();
    // The window fits the grid exactly.
    frame->adjustSize();
    if (m_frame && m_frame != frame) {
        m_frame->deleteLater();
    }
    m_frame = frame;
    UpdateActions();
    return frame;
}

void CMainFrame::NewDocument() {
    auto doc = std::make_unique<CProgramDoc>();
    doc->OnNewDocument(m_context);
    AddView(std::move(doc));
}

bool CMainFrame::OpenDocument(const QString& path) {
    auto doc = m_session.OpenFile(path.toStdString());
    if (!doc) {
        return false;
    }
    ShowOpened(std::move(doc));
    return true;
}

// A file that is not quite a radio file opens all the same, and the user is told what is odd
// about it once its window is there.
void CMainFrame::ShowOpened(std::unique_ptr<CProgramDoc> doc) {
    const std::string warning = doc->OpenWarning(m_context.language);
    const QString path = QString::fromStdString(doc->pathName().string());
    AddView(std::move(doc));
    RememberDocument(path);
    if (!warning.empty()) {
        m_questions.ShowProblem(warning);
    }
}

bool CMainFrame::SaveDocument(bool saveAs) {
    if (!m_session.Save(saveAs)) {
        return false;
    }
    m_frame->setWindowTitle(QString::fromStdString(m_frame->view()->document().title()) + "[*]");
    RememberDocument(QString::fromStdString(m_frame->view()->document().pathName().string()));
    return true;
}

void CMainFrame::OnNew() {
    if (auto doc = m_session.New()) {
        AddView(std::move(doc));
    }
}

void CMainFrame::OnOpen() {
    if (auto doc = m_session.Open()) {
        ShowOpened(std::move(doc));
    }
}

void CMainFrame::OnChannelInformation() {
    if (m_frame) {
        m_frame->showNormal();
        m_area->setActiveSubWindow(m_frame);
    } else {
        showNormal();
    }
    UpdateActions();
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::WindowIconChange && m_frame) {
        m_frame->setWindowIcon(windowIcon());
    }
    return QMainWindow::event(event);
}

// The transfer keeps the window, its document and the progress dialog alive until it ends.
void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_session.MayExit(m_restarting)) {
        event->ignore();
        return;
    }
    StoreGeometry();
    event->accept();
}

}  // namespace radioprog::gui
