#include "gui/app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "core/base/string_table.h"
#include "gui/app/child_frame.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {
namespace {

QAction* MakeAction(QObject* parent, const QString& name, const QString& text,
                    const QKeySequence& keys = {}, const QString& tip = {}) {
    auto* action = new QAction(text, parent);
    action->setObjectName(name);
    action->setShortcut(keys);
    action->setStatusTip(tip);
    return action;
}

}  // namespace

CMainFrame::CMainFrame(AppContext& context, PortOpener& opener)
    : m_context(context),
      m_opener(opener),
      m_area(new QMdiArea(this)),
      m_restart(
          BuildRestartCommand(QCoreApplication::applicationFilePath(), context.layout, false)),
      m_starter(StartDetached) {
    setObjectName("mainFrame");
    setWindowTitle(tr("Program"));
    setCentralWidget(m_area);
    resize(1000, 600);
    CreateActions();
    CreateMenusAndToolbar();
    statusBar()->showMessage(tr("Ready"));
    connect(m_area, &QMdiArea::subWindowActivated, this, [this] { UpdateActions(); });
    AddDialogCommands();
    AddPrintCommands();
    AddShellParts();
    AddLanguageCommand();
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

void CMainFrame::CreateActions() {
    MakeAction(this, "new", tr("&New"), QKeySequence::New, tr("Create a new document"));
    MakeAction(this, "open", tr("&Open..."), QKeySequence::Open, tr("Open an existing document"));
    MakeAction(this, "close", tr("&Close"), {}, tr("Close the channel window"));
    MakeAction(this, "save", tr("&Save"), QKeySequence::Save, tr("Save the active document"));
    MakeAction(this, "saveAs", tr("Save &As..."), {},
               tr("Save the active document with a new name"));
    MakeAction(this, "exit", tr("E&xit"), {}, tr("Quit the application"));
    MakeAction(this, "read", tr("&Read"), QKeySequence("Ctrl+R"), tr("Read Data From Radio"));
    MakeAction(this, "write", tr("&Write"), QKeySequence("Ctrl+W"), tr("Write Data To Radio"));
    MakeAction(this, "channelInformation", tr("&Channel Information"), {},
               tr("Show the channel window"));

    const auto icon = [this](QStyle::StandardPixmap pixmap) {
        return style()->standardIcon(pixmap);
    };
    action("new")->setIcon(icon(QStyle::SP_FileIcon));
    action("open")->setIcon(icon(QStyle::SP_DialogOpenButton));
    action("save")->setIcon(icon(QStyle::SP_DialogSaveButton));
    action("read")->setIcon(icon(QStyle::SP_ArrowDown));
    action("write")->setIcon(icon(QStyle::SP_ArrowUp));

    connect(action("new"), &QAction::triggered, this, &CMainFrame::OnNew);
    connect(action("open"), &QAction::triggered, this, &CMainFrame::OnOpen);
    connect(action("close"), &QAction::triggered, this, [this] {
        if (CChildFrame* frame = activeFrame()) {
            frame->close();
        }
    });
    connect(action("save"), &QAction::triggered, this, [this] { SaveDocument(false); });
    connect(action("saveAs"), &QAction::triggered, this, [this] { SaveDocument(true); });
    connect(action("exit"), &QAction::triggered, this, &QWidget::close);
    connect(action("read"), &QAction::triggered, this, [this] {
        if (CProgramView* view = activeView()) {
            view->OnRead();
        }
    });
    connect(action("write"), &QAction::triggered, this, [this] {
        if (CProgramView* view = activeView()) {
            view->OnWrite();
        }
    });
    connect(action("channelInformation"), &QAction::triggered, this,
            &CMainFrame::OnChannelInformation);
}

void CMainFrame::CreateMenusAndToolbar() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName("menuFile");
    file->addActions(
        {action("new"), action("open"), action("close"), action("save"), action("saveAs")});
    file->addSeparator();
    file->addAction(action("exit"));
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName("menuEdit");
    edit->addAction(action("channelInformation"));
    QMenu* program = menuBar()->addMenu(tr("&Program"));
    program->setObjectName("menuProgram");
    program->addActions({action("read"), action("write")});

    QToolBar* tools = addToolBar(tr("Toolbar"));
    tools->setObjectName("toolbar");
    tools->addActions({action("new"), action("open"), action("save")});
    tools->addSeparator();
    tools->addActions({action("read"), action("write")});

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->setObjectName("menuView");
    QAction* toolbarToggle = tools->toggleViewAction();
    toolbarToggle->setText(tr("&Toolbar"));
    toolbarToggle->setObjectName("toolbarToggle");
    viewMenu->addAction(toolbarToggle);
    QAction* statusToggle = viewMenu->addAction(tr("&Status Bar"));
    statusToggle->setObjectName("statusBarToggle");
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    connect(statusToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);

    // Setup and Help stay out of sight until a command is added to them.
    for (const auto& [name, title] :
         {std::pair{"menuSetup", tr("&Setup")}, std::pair{"menuHelp", tr("&Help")}}) {
        QMenu* later = menuBar()->addMenu(title);
        later->setObjectName(name);
        later->menuAction()->setVisible(false);
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

bool CMainFrame::TransferRunning() const {
    return m_frame && m_frame->view()->transferRunning();
}

void CMainFrame::UpdateActions() {
    ShowDocumentMenus(m_frame != nullptr);
    const bool document = activeFrame() != nullptr;
    const bool idle = !TransferRunning();
    for (const char* name : {"close", "save", "saveAs", "read", "write", "comSetup"}) {
        action(name)->setEnabled(document);
    }
    action("new")->setEnabled(idle);
    action("open")->setEnabled(idle);
    action("channelInformation")->setEnabled(m_frame != nullptr);
    if (QAction* language = action("language")) {
        language->setEnabled(document && idle);
    }
    UpdateDialogCommands(document, idle);
    UpdatePrintActions();
}

// Without any document the window offers only what needs none: File's New, Open, Print Setup
// and Exit, the toolbar and status bar switches, and Help. A hidden channel window is still a
// document, so Edit > Channel Information stays there to bring it back.
void CMainFrame::ShowDocumentMenus(bool document) {
    for (const char* name : {"menuEdit", "menuProgram", "menuSetup"}) {
        QMenu* documentMenu = menu(name);
        documentMenu->menuAction()->setVisible(document && !documentMenu->actions().isEmpty());
    }
    // Save and Print stay, disabled, because their toolbar buttons share the action.
    for (const char* name : {"close", "saveAs", "controlBar", "printPreview", "exportPdf"}) {
        if (QAction* documentAction = action(name)) {
            documentAction->setVisible(document);
        }
    }
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
    auto doc = std::make_unique<CProgramDoc>();
    if (Status opened = doc->OnOpenDocument(path.toStdString(), m_context); !opened) {
        Messages().Show(this, QMessageBox::Warning, QString::fromStdString(m_context.appName),
                        QString::fromStdString(opened.message()), QMessageBox::Ok);
        return false;
    }
    AddView(std::move(doc));
    RememberDocument(path);
    return true;
}

bool CMainFrame::SaveDocument(bool saveAs) {
    CProgramView* view = activeView();
    if (!view) {
        return false;
    }
    QString path = QString::fromStdString(view->document().pathName().string());
    if (saveAs || !QFileInfo(path).isAbsolute() || !QFileInfo::exists(path)) {
        path = QFileDialog::getSaveFileName(this, tr("Save As"), path, tr("Radio files (*.dat)"));
        if (path.isEmpty()) {
            return false;
        }
        if (QFileInfo(path).suffix().isEmpty()) {
            path += ".dat";
        }
    }
    if (Status saved = view->Save(path); !saved) {
        Messages().Show(this, QMessageBox::Warning, QString::fromStdString(m_context.appName),
                        QString::fromStdString(saved.message()), QMessageBox::Ok);
        return false;
    }
    m_frame->setWindowTitle(QString::fromStdString(view->document().title()) + "[*]");
    RememberDocument(path);
    return true;
}

// A document that differs from its file is offered for saving before it is dropped.
bool CMainFrame::MaybeSave() {
    if (!m_frame || !m_frame->view()->document().IsModified()) {
        return true;
    }
    const auto answer =
        Messages().Show(this, QMessageBox::Question, QString::fromStdString(m_context.appName),
                        Q(BilingualText{"Save changes?", "保存修改吗？"}.In(m_context.language)),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) {
        return false;
    }
    if (answer == QMessageBox::Yes) {
        m_frame->show();
        return SaveDocument(false);
    }
    return true;
}

void CMainFrame::OnNew() {
    if (TransferRunning()) {
        return;
    }
    if (activeFrame()) {
        const auto answer =
            Messages().Show(this, QMessageBox::Warning, QString::fromStdString(m_context.appName),
                            Q(StringText(StringId::AllDataCleared, m_context.language)),
                            QMessageBox::Ok | QMessageBox::Cancel);
        if (answer != QMessageBox::Ok) {
            return;
        }
    }
    if (!MaybeSave()) {
        return;
    }
    NewDocument();
}

void CMainFrame::OnOpen() {
    if (TransferRunning() || !MaybeSave()) {
        return;
    }
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open"), QString(), tr("Radio files (*.dat)"));
    if (!path.isEmpty()) {
        OpenDocument(path);
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

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The transfer keeps the window, its document and the progress dialog alive until it ends.
    // A restart has offered the document for saving already.
    if (TransferRunning() || (!m_restarting && !MaybeSave())) {
        event->ignore();
        return;
    }
    StoreGeometry();
    event->accept();
}

}  // namespace radioprog::gui
