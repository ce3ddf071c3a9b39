// The main window's shell: the navigation bar with its tree, the document area's background and
// the About box.
#include <QAction>
#include <QCursor>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMenu>
#include <QStyle>
#include <QToolBar>

#include "core/doc/about_texts.h"
#include "core/doc/language_choice.h"
#include "gui/app/about_dlg.h"
#include "gui/app/built_in_pictures.h"
#include "gui/app/frame_actions.h"
#include "gui/app/main_frame.h"
#include "gui/app/mdi_client_wnd.h"
#include "gui/app/navigation_bar.h"
#include "gui/app/qt_text.h"
#include "gui/shell/navigation_tree.h"

namespace radioprog::gui {
namespace {

// The commands the tree's entries stand for.
QAction* CommandFor(NavigationEntry entry, const CFrameActions& actions) {
    switch (entry) {
        case NavigationEntry::ProductInformation:
            return actions.productInformation;
        case NavigationEntry::ChannelInformation:
            return actions.channelInformation;
        case NavigationEntry::OptionalFeatures:
            break;
    }
    return actions.optionalFeatures;
}

}  // namespace

void CMainFrame::AddShellParts() {
    // The window's own icon until start-up finds "title.ico".
    setWindowIcon(BuiltInAppIcon());

    // The bar stands at the left of the document area, between the toolbar and the status bar.
    auto* body = new QWidget(this);
    m_bar = new CNavigationBar(m_context, this, body);
    m_bar->InitBar();
    CNavigationTree* tree = m_bar->GetTree();
    // Expand buttons from the root on.
    tree->setRootIsDecorated(true);
    auto* root = new QTreeWidgetItem(
        tree, {Q(m_context.profile.GetValue(m_context.languageName, "Company", ""))});
    for (NavigationEntry entry : kNavigationEntries) {
        new QTreeWidgetItem(root, {Q(NavigationLabel(entry).In(m_context.language))});
    }
    root->setExpanded(true);
    connect(tree, &CNavigationTree::SelectionChanged, this, &CMainFrame::OnTreeSelectionChanged);

    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    // The document area moves from the centre into the row, beside the bar.
    takeCentralWidget();
    row->addWidget(m_bar);
    row->addWidget(m_area, 1);
    setCentralWidget(body);

    connect(m_actions->controlBar, &QAction::triggered, this,
            [this] { ShowControlBar(m_bar->isHidden()); });
    connect(m_bar, &CNavigationBar::CloseClicked, this, [this] { ShowControlBar(false); });

    new CMdiClientWnd(m_context.appDirectory, m_area);

    connect(m_actions->about, &QAction::triggered, this, &CMainFrame::OnAbout);
}

// The entry under the pointer acts, whichever item the selection moved to: arrow keys with the
// pointer away from the tree do nothing. Selecting the root afterwards lets the same entry act
// on its next click; that selection is itself a change, handled here once more with the pointer
// where it is then, so an entry the pointer still rests on acts a second time.
void CMainFrame::OnTreeSelectionChanged() {
    CNavigationTree* tree = m_bar->GetTree();
    QWidget* viewport = tree->viewport();
    const QPoint pointer = viewport->mapFromGlobal(QCursor::pos());
    QTreeWidgetItem* under = viewport->rect().contains(pointer) ? tree->itemAt(pointer) : nullptr;
    const QString text = under ? under->text(0) : QString();
    if (const auto entry = NavigationEntryFor(text.toStdString(), m_context.language)) {
        CommandFor(*entry, *m_actions)->trigger();
    }
    tree->SelectItem(tree->topLevelItem(0));
}

void CMainFrame::ShowControlBar(bool show) {
    m_bar->setVisible(show);
    m_actions->controlBar->setChecked(show);
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(m_context, this);
    dialog.exec();
}

}  // namespace radioprog::gui
