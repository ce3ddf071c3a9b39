#include "gui/dialogs/compare_dlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/app/context_help.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {

constexpr int kChangesId = 1001;
// The help topic of the comparison commands.
constexpr int kHelpContext = 32805;

void AddRow(QTreeWidget& tree, const std::string& what, const std::string& oldText,
            const std::string& newText) {
    new QTreeWidgetItem(&tree, {Q(what), Q(oldText), Q(newText)});
}

}  // namespace

CCompareDlg::CCompareDlg(const AppContext& context, const MemoryDiff& diff, const QString& heading,
                         Purpose purpose, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_changes(new QTreeWidget(this)),
      m_summary(new QLabel(this)),
      m_accept(nullptr) {
    setWindowTitle(tr("Compare"));
    m_changes->setColumnCount(3);
    m_changes->setHeaderLabels({tr("Change"), tr("Old"), tr("New")});
    m_changes->setRootIsDecorated(false);
    const Language language = context.language;
    for (const ChannelChange& change : diff.channels) {
        AddRow(*m_changes, ChangeLabel(change, language), change.oldText, change.newText);
    }
    for (const SettingChange& change : diff.settings) {
        AddRow(*m_changes, ChangeLabel(change, language), change.oldText, change.newText);
    }
    for (const ByteRange& range : diff.bytes) {
        AddRow(*m_changes, ChangeLabel(range, language), {}, {});
    }
    m_changes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    SetControlId(m_changes, kChangesId);
    m_summary->setText(diff.Identical() ? tr("No differences.")
                                        : tr("%1 changes.").arg(m_changes->topLevelItemCount()));

    auto* buttons = new QDialogButtonBox(this);
    if (purpose == Purpose::AskBeforeWriting) {
        m_accept = buttons->addButton(tr("Write"), QDialogButtonBox::AcceptRole);
        QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
        SetControlId(cancel, 2);
    } else {
        m_accept = buttons->addButton(tr("Close"), QDialogButtonBox::AcceptRole);
    }
    m_accept->setDefault(true);
    SetControlId(m_accept, 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(heading, this));
    layout->addWidget(m_changes, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(640, 420);
}

void CCompareDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        const int focused = ControlId(focusWidget());
        RequestContextHelp(m_context, focused != 0 ? focused : kHelpContext, this);
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
