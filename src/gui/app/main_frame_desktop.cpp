// What the desktop expects of the main window: File's recent documents, a .dat file dropped on
// the window, and the window's size and place kept for the next run.
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>

#include "core/doc/recent_files.h"
#include "gui/app/main_frame.h"
#include "gui/app/qt_text.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {
namespace {

constexpr std::string_view kWindowKey = "Software\\radioprog\\Window";
constexpr std::string_view kGeometryValue = "Geometry";

std::vector<std::filesystem::path> LocalFiles(const QMimeData* data) {
    std::vector<std::filesystem::path> files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.emplace_back(url.toLocalFile().toStdString());
        }
    }
    return files;
}

}  // namespace

void CMainFrame::AddDesktopParts() {
    setAcceptDrops(true);
    m_recent = RecentFiles::Load(m_context.userStore);
    connect(menu("menuFile"), &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentFiles);
    UpdateRecentFiles();
}

void CMainFrame::UpdateRecentFiles() {
    if (m_recent.DropMissing()) {
        StoreRecentFiles();
    }
    // The list and its separator are in the menu only while there is a file to show. An entry
    // may be the one whose command is running now: it goes when that is over.
    for (QAction* old : m_recentActions) {
        menu("menuFile")->removeAction(old);
        old->setObjectName(QString());
        old->deleteLater();
    }
    m_recentActions.clear();
    if (m_recent.entries().empty()) {
        return;
    }
    QAction* separator = menu("menuFile")->insertSeparator(action("exit"));
    m_recentActions.push_back(separator);
    const std::filesystem::path home = QDir::homePath().toStdString();
    for (std::size_t i = 0; i < m_recent.entries().size(); ++i) {
        const QString path = Q(m_recent.entries()[i].string());
        auto* recent = new QAction(Q(RecentMenuText(i, m_recent.entries()[i], home)), this);
        recent->setObjectName(QString("recentFile%1").arg(i + 1));
        recent->setStatusTip(path);
        recent->setEnabled(action("open")->isEnabled());
        connect(recent, &QAction::triggered, this, [this, path] { OpenFromDesktop(path); });
        menu("menuFile")->insertAction(separator, recent);
        m_recentActions.push_back(recent);
    }
}

void CMainFrame::RememberDocument(const QString& path) {
    m_recent.Add(path.toStdString());
    StoreRecentFiles();
    UpdateRecentFiles();
}

void CMainFrame::StoreRecentFiles() {
    if (const Status stored = m_recent.Store(m_context.userStore); !stored) {
        statusBar()->showMessage(Q(stored.message()));
    }
}

// As File > Open does once its dialog has a name: a running transfer keeps its document, and a
// changed one is offered for saving first. A file that fails to open leaves the list.
bool CMainFrame::OpenFromDesktop(const QString& path) {
    if (!m_session.MayReplace()) {
        return false;
    }
    if (OpenDocument(path)) {
        return true;
    }
    m_recent.Remove(path.toStdString());
    StoreRecentFiles();
    UpdateRecentFiles();
    return false;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedDocument(LocalFiles(event->mimeData()))) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const auto dropped = DroppedDocument(LocalFiles(event->mimeData()));
    if (!dropped) {
        return;
    }
    event->acceptProposedAction();
    OpenFromDesktop(Q(dropped->string()));
}

void CMainFrame::ShowWithStoredGeometry() {
    const std::optional<std::string> stored =
        m_context.userStore.GetText(kWindowKey, kGeometryValue);
    if (stored && restoreGeometry(QByteArray::fromHex(QByteArray::fromStdString(*stored)))) {
        show();
    } else {
        showMaximized();
    }
    // The first keys typed go into the channel window's open editor, not into the tree.
    if (CProgramView* view = activeView()) {
        view->TakeFocus();
    }
}

void CMainFrame::StoreGeometry() {
    const Status stored = m_context.userStore.SetText(kWindowKey, kGeometryValue,
                                                      saveGeometry().toHex().toStdString());
    if (!stored) {
        statusBar()->showMessage(Q(stored.message()));
    }
}

}  // namespace radioprog::gui
