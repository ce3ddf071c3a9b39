// The main window's keys: F1 asks for the help of the window or of the highlighted menu item,
// F6 and Shift+F6 move the focus to the next and previous pane.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <vector>

#include "gui/app/context_help.h"
#include "gui/app/main_frame.h"
#include "gui/app/navigation_bar.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {
namespace {

// Help on the main window is help on its resource 128, HID_BASE_RESOURCE + 128, taken down by
// 0x10000 as every help request of the main window is.
constexpr int kMainFrameHelp = 0x20000 + 128 - 0x10000;

struct NamedCommand {
    const char* name;
    int id;
};
// The command numbers of the main window's actions; an action some build lacks is skipped.
constexpr NamedCommand kCommands[] = {
    {"read", 32773},
    {"write", 32774},
    {"comSetup", 32777},
    {"controlBar", 32780},
    {"scanInfo", 32782},
    {"password", 32783},
    {"productInformation", 32786},
    {"channelInformation", 32787},
    {"optionalFeatures", 32788},
    {"language", 32799},
    {"saveSerialTrace", 32800},
    {"new", 57600},
    {"open", 57601},
    {"close", 57602},
    {"save", 57603},
    {"saveAs", 57604},
    {"printSetup", 57606},
    {"print", 57607},
    {"printPreview", 57609},
    {"about", 57664},
    {"exit", 57665},
    {"toolbarToggle", 59392},
    {"statusBarToggle", 59393},
};

// F1 while a menu is open reaches the menu, not the window's shortcuts: the highlighted
// command's help, or the window's when nothing with a number is highlighted.
class MenuHelpKey : public QObject {
public:
    MenuHelpKey(const AppContext& context, QObject* parent) : QObject(parent), m_context(context) {
        setObjectName(kName);
    }

    static constexpr char kName[] = "menuHelpKey";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            const auto* menu = qobject_cast<QMenu*>(watched);
            const int command = menu ? CommandId(menu->activeAction()) : 0;
            RequestContextHelp(m_context, command != 0 ? command : kMainFrameHelp);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const AppContext& m_context;
};

}  // namespace

void CMainFrame::AddHelpAndPaneKeys() {
    // The channel view answers F1 itself while it has the focus (the focused control's help).
    auto* help = new QAction(this);
    help->setObjectName("contextHelp");
    help->setShortcut(Qt::Key_F1);
    connect(help, &QAction::triggered, this,
            [this] { RequestContextHelp(m_context, kMainFrameHelp); });
    auto* next = new QAction(this);
    next->setObjectName("nextPane");
    next->setShortcut(Qt::Key_F6);
    connect(next, &QAction::triggered, this, [this] { MovePaneFocus(1); });
    auto* previous = new QAction(this);
    previous->setObjectName("previousPane");
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(previous, &QAction::triggered, this, [this] { MovePaneFocus(-1); });
    addActions({help, next, previous});
    new MenuHelpKey(m_context, this);
    PrepareMenuHelp();
}

void CMainFrame::PrepareMenuHelp() {
    for (const NamedCommand& command : kCommands) {
        if (QAction* found = action(command.name)) {
            SetCommandId(found, command.id);
        }
    }
    auto* key = findChild<QObject*>(MenuHelpKey::kName, Qt::FindDirectChildrenOnly);
    for (QMenu* each : findChildren<QMenu*>()) {
        each->installEventFilter(key);
    }
}

// The panes are the navigation tree, while its bar is shown, and the document area, where the
// channel window's view takes the focus when there is one.
void CMainFrame::MovePaneFocus(int step) {
    std::vector<QWidget*> panes;
    if (m_bar->isVisible()) {
        panes.push_back(m_bar->GetTree());
    }
    CProgramView* view = activeView();
    panes.push_back(view ? static_cast<QWidget*>(view) : m_area);
    const QWidget* focus = QApplication::focusWidget();
    const int count = static_cast<int>(panes.size());
    int current = -1;
    for (int i = 0; i < count; ++i) {
        if (focus && (panes[static_cast<std::size_t>(i)] == focus ||
                      panes[static_cast<std::size_t>(i)]->isAncestorOf(focus))) {
            current = i;
        }
    }
    const int target = current < 0 ? (step > 0 ? 0 : count - 1) : (current + step + count) % count;
    QWidget* pane = panes[static_cast<std::size_t>(target)];
    if (pane == view) {
        view->TakeFocus();
    } else {
        pane->setFocus(Qt::ShortcutFocusReason);
    }
}

}  // namespace radioprog::gui
