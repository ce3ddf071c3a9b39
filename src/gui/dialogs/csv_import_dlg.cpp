#include "gui/dialogs/csv_import_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "gui/app/context_help.h"
#include "gui/app/qt_text.h"
#include "gui/dialogs/csv_import_model.h"

namespace radioprog::gui {
namespace {

constexpr int kTableId = 1001;
constexpr int kReplaceId = 1002;
// The help topic of the command that opens the dialog.
constexpr int kHelpContext = 32801;

}  // namespace

CCsvImportDlg::CCsvImportDlg(const AppContext& context, const CsvImportPlan& plan,
                             const QString& fileName, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_plan(plan),
      m_table(new QTableView(this)),
      m_summary(new QLabel(this)),
      m_replace(new QCheckBox(tr("Replace all channels"), this)),
      m_import(nullptr) {
    setWindowTitle(tr("Import CSV"));
    auto* file = new QLabel(tr("File: %1").arg(fileName), this);
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_table->setModel(new CCsvImportModel(plan, context.language, m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->resizeColumnsToContents();
    SetControlId(m_table, kTableId);

    QString summary = Q(CsvImportSummary(plan, context.language));
    if (const std::string unknown = CsvUnknownColumnsText(plan, context.language);
        !unknown.empty()) {
        summary += "\n" + Q(unknown);
    }
    m_summary->setText(summary);

    m_replace->setToolTip(tr("Empty the channels the file does not fill"));
    SetControlId(m_replace, kReplaceId);
    connect(m_replace, &QCheckBox::toggled, this, &CCsvImportDlg::UpdateImportButton);

    auto* buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(tr("Import"), QDialogButtonBox::AcceptRole);
    m_import->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    SetControlId(m_import, 1);
    SetControlId(cancel, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_summary);
    layout->addWidget(m_replace);
    layout->addWidget(buttons);
    resize(1100, 480);
    UpdateImportButton();
}

bool CCsvImportDlg::replaceAll() const {
    return m_replace->isChecked();
}

void CCsvImportDlg::UpdateImportButton() {
    m_import->setEnabled(CsvImportChangesChannels(m_plan, replaceAll()));
}

void CCsvImportDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        const int focused = ControlId(focusWidget());
        RequestContextHelp(m_context, focused != 0 ? focused : kHelpContext, this);
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
