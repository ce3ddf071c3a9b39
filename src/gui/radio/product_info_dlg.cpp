#include "gui/radio/product_info_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "gui/app/context_help.h"
#include "gui/app/message_service.h"
#include "gui/app/ok_cancel.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {

constexpr int kTypeId = 1013;
constexpr int kFieldId = 1009;
constexpr int kStartId = 1113;
constexpr int kEndId = 1114;
constexpr int kMaxDigits = 3;

QLineEdit* MakeRangeEdit(QWidget* parent, int id) {
    auto* edit = new QLineEdit(parent);
    SetControlId(edit, id);
    edit->setMaxLength(kMaxDigits);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    // Hidden fields keep their place, so that the dialog does not change size with the band.
    QSizePolicy policy = edit->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    edit->setSizePolicy(policy);
    return edit;
}

}  // namespace

CProductInfoDlg::CProductInfoDlg(AppContext& context, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_types(new QComboBox(this)),
      m_fields(new QComboBox(this)),
      m_start(MakeRangeEdit(this, kStartId)),
      m_end(MakeRangeEdit(this, kEndId)) {
    setWindowTitle(tr("Product Information"));
    SetControlId(m_types, kTypeId);
    SetControlId(m_fields, kFieldId);
    for (QComboBox* list : {m_types, m_fields}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
    connect(m_fields, &QComboBox::currentIndexChanged, this,
            [this] { ShowCustomRange(IsCustomize(m_fields->currentText().toStdString())); });

    auto* group = new QGroupBox(tr("Type Setting"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("Type"), group), 0, 0);
    grid->addWidget(m_types, 0, 1);
    grid->addWidget(new QLabel(tr("Field"), group), 1, 0);
    grid->addWidget(m_fields, 1, 1);
    auto* range = new QHBoxLayout;
    range->addWidget(m_start);
    range->addWidget(m_end);
    grid->addLayout(range, 2, 1);
    grid->setColumnStretch(1, 1);

    QDialogButtonBox* buttons = MakeOkCancel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

int CProductInfoDlg::exec() {
    const ProductInfoView view =
        OpenProductInfo(m_context.profile, m_context.band, m_custom, m_context.language);
    m_types->clear();
    for (const std::string& type : view.types) {
        m_types->addItem(Q(type));
    }
    m_types->setCurrentIndex(view.typeIndex);
    m_fields->clear();
    for (const std::string& field : view.fields) {
        m_fields->addItem(Q(field));
    }
    m_fields->setCurrentIndex(view.fieldIndex);
    // Set after the selection: selecting a band on the way may have hidden the range.
    ShowCustomRange(view.customVisible);
    m_custom = view.custom;
    m_start->setText(QString::number(m_custom.start));
    m_end->setText(QString::number(m_custom.end));
    return QDialog::exec();
}

void CProductInfoDlg::ShowCustomRange(bool visible) {
    m_start->setVisible(visible);
    m_end->setVisible(visible);
}

void CProductInfoDlg::accept() {
    const ProductInfoOk ok =
        ApplyProductInfo(m_fields->currentText().toStdString(), m_start->text().toStdString(),
                         m_end->text().toStdString(), m_custom, m_context.band, m_context.language);
    ReportUnreadable(ok);
    if (ok.error) {
        Messages().Show(this, QMessageBox::NoIcon, tr("Error"), Q(*ok.error), QMessageBox::Ok);
        m_start->setFocus();
        m_start->selectAll();
        return;
    }
    emit TitleChanged(Q(OkFormTitle(m_context.TitleAppName(), m_types->currentText().toStdString(),
                                    m_context.band, m_context.language)));
    QDialog::accept();
}

// A field left empty keeps the value it had before; the user is told which one that is.
void CProductInfoDlg::ReportUnreadable(const ProductInfoOk& ok) {
    QStringList lines;
    if (ok.startUnreadable) {
        lines << tr("The start of the band is not a number; %1 MHz is kept.").arg(m_custom.start);
    }
    if (ok.endUnreadable) {
        lines << tr("The end of the band is not a number; %1 MHz is kept.").arg(m_custom.end);
    }
    if (!lines.isEmpty()) {
        Messages().Show(this, QMessageBox::Warning, QString::fromStdString(m_context.appName),
                        lines.join('\n'), QMessageBox::Ok);
    }
}

void CProductInfoDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        RequestContextHelp(m_context, ControlId(focusWidget()), this);
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
