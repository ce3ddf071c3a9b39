#include "gui/dialogs/scan_info_dlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/context_help.h"
#include "gui/app/message_service.h"
#include "gui/app/ok_cancel.h"
#include "gui/app/qt_text.h"
#include "gui/dialogs/control_label.h"
#include "gui/dialogs/spin_arrows.h"
#include "gui/dialogs/text_validators.h"

namespace radioprog::gui {
namespace {

constexpr int kPriorityId = 1001;
constexpr int kRevertId = 1002;

struct EditControl {
    ScanField field;
    int editId;
    int spinId;  // 0: no spin
};

constexpr EditControl kEditControls[] = {
    {ScanField::PriorityChannel, 1003, 0},  {ScanField::LookBackTimeA, 1004, 1008},
    {ScanField::LookBackTimeB, 1005, 1009}, {ScanField::DropoutDelayTime, 1006, 1010},
    {ScanField::TxDwellTime, 1007, 1011},
};

constexpr int kEditWidth = 72;

// Sets the text only when it differs, so that the cursor stays where the user left it.
void SetText(QLineEdit* edit, const std::string& text) {
    const QString shown = Q(text);
    if (edit->text() != shown) {
        edit->setText(shown);
    }
}

}  // namespace

CScanInfoDlg::CScanInfoDlg(const AppContext& context, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_priority(new QComboBox(this)),
      m_revert(new QComboBox(this)) {
    setWindowTitle(Q(kScanInfoCaption.In(m_context.language)));
    SetControlId(m_priority, kPriorityId);
    SetControlId(m_revert, kRevertId);
    for (const std::string& item : PriorityItems(m_context.language)) {
        m_priority->addItem(Q(item));
    }
    // Wide enough for the longest entry any Priority choice puts into it.
    for (const std::string& item : RevertItems(kPriorityFixed, m_context.language)) {
        m_revert->addItem(Q(item));
    }
    m_revert->setMinimumWidth(m_revert->sizeHint().width());
    connect(m_priority, &QComboBox::currentIndexChanged, this, &CScanInfoDlg::OnPriorityChanged);

    for (const EditControl& control : kEditControls) {
        auto* edit = new QLineEdit(this);
        SetControlId(edit, control.editId);
        edit->setFixedWidth(kEditWidth);
        m_edits[control.field] = edit;
        if (control.spinId != 0) {
            auto* spin = new CSpinArrows(edit, this);
            SetControlId(spin, control.spinId);
            m_spins[control.field] = spin;
            connect(spin, &CSpinArrows::Arrow, this,
                    [this, field = control.field](SpinArrow arrow) { OnSpin(field, arrow); });
        }
    }
    for (ScanField field : {ScanField::DropoutDelayTime, ScanField::TxDwellTime}) {
        edit(field)->setValidator(new AcceptTextValidator(AcceptsTimeText, edit(field)));
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    int row = 0;
    const auto place = [this, grid, &row](const QString& label, QWidget* control,
                                          QWidget* spin = nullptr) {
        auto* text = new QLabel(label, this);
        text->setBuddy(control);
        grid->addWidget(text, row, 0);
        auto* cell = new QHBoxLayout;
        cell->setSpacing(0);
        cell->addWidget(control);
        if (spin) {
            cell->addWidget(spin);
        }
        cell->addStretch(1);
        grid->addLayout(cell, row, 1);
        ++row;
    };
    place(ControlLabel(ScanControl::Priority, m_context.language), m_priority);
    place(ControlLabel(ScanControl::PriorityChannel, m_context.language),
          edit(ScanField::PriorityChannel));
    place(ControlLabel(ScanControl::LookBackTimeA, m_context.language),
          edit(ScanField::LookBackTimeA), spin(ScanField::LookBackTimeA));
    place(ControlLabel(ScanControl::LookBackTimeB, m_context.language),
          edit(ScanField::LookBackTimeB), spin(ScanField::LookBackTimeB));
    place(ControlLabel(ScanControl::RevertChannel, m_context.language), m_revert);
    place(ControlLabel(ScanControl::DropoutDelayTime, m_context.language),
          edit(ScanField::DropoutDelayTime), spin(ScanField::DropoutDelayTime));
    place(ControlLabel(ScanControl::TxDwellTime, m_context.language), edit(ScanField::TxDwellTime),
          spin(ScanField::TxDwellTime));

    QDialogButtonBox* buttons = MakeOkCancel(this);
    m_cancel = buttons->button(QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(qApp, &QApplication::focusChanged, this, &CScanInfoDlg::OnFocusChanged);
}

// The fields go while the dialog is being torn down, and the focus with them, when this dialog is
// no longer one.
CScanInfoDlg::~CScanInfoDlg() {
    disconnect(qApp, nullptr, this, nullptr);
}

CSpinArrows* CScanInfoDlg::spin(ScanField field) const {
    const auto found = m_spins.find(field);
    return found == m_spins.end() ? nullptr : found->second;
}

int CScanInfoDlg::Run(const ScanInfo& info, RadioImage& image) {
    m_image = &image;
    Show(info);
    m_priority->setFocus();
    const int result = exec();
    m_image = nullptr;
    return result;
}

void CScanInfoDlg::Show(const ScanInfo& info) {
    {
        const QSignalBlocker quiet(m_priority);
        m_priority->setCurrentIndex(info.priority);
    }
    m_revert->clear();
    for (const std::string& item : RevertItems(info.priority, m_context.language)) {
        m_revert->addItem(Q(item));
    }
    m_revert->setCurrentIndex(info.revertChannel);
    SetText(edit(ScanField::PriorityChannel), info.priorityChannel);
    SetText(edit(ScanField::LookBackTimeA), info.lookBackTimeA);
    SetText(edit(ScanField::LookBackTimeB), info.lookBackTimeB);
    SetText(edit(ScanField::DropoutDelayTime), info.dropoutDelayTime);
    SetText(edit(ScanField::TxDwellTime), info.txDwellTime);
    const bool enabled = PriorityFieldsEnabled(info.priority);
    for (ScanField field :
         {ScanField::PriorityChannel, ScanField::LookBackTimeA, ScanField::LookBackTimeB}) {
        edit(field)->setEnabled(enabled);
        if (CSpinArrows* arrows = spin(field)) {
            arrows->setEnabled(enabled);
        }
    }
}

ScanInfo CScanInfoDlg::Gather() const {
    ScanInfo info;
    info.priority = m_priority->currentIndex();
    info.priorityChannel = edit(ScanField::PriorityChannel)->text().toStdString();
    info.lookBackTimeA = edit(ScanField::LookBackTimeA)->text().toStdString();
    info.lookBackTimeB = edit(ScanField::LookBackTimeB)->text().toStdString();
    info.revertChannel = m_revert->currentIndex();
    info.dropoutDelayTime = edit(ScanField::DropoutDelayTime)->text().toStdString();
    info.txDwellTime = edit(ScanField::TxDwellTime)->text().toStdString();
    return info;
}

void CScanInfoDlg::OnPriorityChanged(int index) {
    ScanInfo info = Gather();
    info.SelectPriority(index);
    Show(info);
}

void CScanInfoDlg::OnSpin(ScanField field, SpinArrow arrow) {
    if (m_reporting) {
        return;
    }
    ScanInfo info = Gather();
    const auto error = info.Spin(field, arrow, m_context.language);
    Apply(info, error);
}

// Leaving a field for another control of this dialog: Cancel is no reason to check it, and
// neither is a window that comes in front.
void CScanInfoDlg::OnFocusChanged(QWidget* old, QWidget* now) {
    if (m_reporting || !isVisible() || !now || now->window() != this || now == m_cancel) {
        return;
    }
    const auto field = FieldOf(old);
    if (!field) {
        return;
    }
    ScanInfo info = Gather();
    const auto error = info.LeaveField(*field, m_context.language);
    Apply(info, error);
}

void CScanInfoDlg::Apply(const ScanInfo& info, const std::optional<ScanFieldError>& error) {
    Show(info);
    if (!error) {
        return;
    }
    m_reporting = true;
    Messages().Show(this, QMessageBox::Warning, QString::fromStdString(m_context.appName),
                    Q(error->message), QMessageBox::Ok);
    QLineEdit* field = edit(error->field);
    field->setFocus();
    field->selectAll();
    m_reporting = false;
}

std::optional<ScanField> CScanInfoDlg::FieldOf(const QWidget* widget) const {
    for (const auto& [field, edit] : m_edits) {
        if (edit == widget) {
            return field;
        }
    }
    return std::nullopt;
}

// The core counts characters; an edit counts UTF-16 units.
TextSelection CScanInfoDlg::PriorityChannelSelection() const {
    const QLineEdit* channel = edit(ScanField::PriorityChannel);
    if (!channel->hasSelectedText()) {
        return {};
    }
    const QString text = channel->text();
    const int start = channel->selectionStart();
    return TextSelection{
        static_cast<std::size_t>(text.left(start).toUcs4().size()),
        static_cast<std::size_t>(channel->selectedText().toUcs4().size()),
    };
}

void CScanInfoDlg::accept() {
    if (!m_image) {
        QDialog::accept();
        return;
    }
    ScanInfo info = Gather();
    const auto error = info.Ok(*m_image, m_context.language, PriorityChannelSelection());
    if (error) {
        Apply(info, error);
        return;
    }
    QDialog::accept();
}

}  // namespace radioprog::gui
