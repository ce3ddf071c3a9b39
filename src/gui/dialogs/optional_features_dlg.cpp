#include "gui/dialogs/optional_features_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/context_help.h"
#include "gui/app/ok_cancel.h"
#include "gui/app/qt_text.h"
#include "gui/dialogs/control_label.h"
#include "gui/dialogs/text_validators.h"

namespace radioprog::gui {
namespace {

struct ListControl {
    OptionList list;
    int id;
    int row;
    int column;
};

// Two columns of labelled controls: the timer and squelch on the left, VOX and PTT ID on the
// right, each with its code edit at the bottom.
constexpr ListControl kListControls[] = {
    {OptionList::TimeOutTimer, 1118, 0, 0}, {OptionList::TotPreAlert, 1130, 1, 0},
    {OptionList::SquelchLevel, 1116, 2, 0}, {OptionList::VoiceAnnunciation, 1117, 3, 0},
    {OptionList::Vox, 1122, 0, 1},          {OptionList::VoxGainLevel, 1121, 1, 1},
    {OptionList::VoxDelayTime, 1123, 2, 1}, {OptionList::PttId, 1018, 3, 1},
};
constexpr int kIdCodeId = 1017;
constexpr int kStunCodeId = 1019;
constexpr int kBeepId = 1016;
constexpr int kBatterySaverId = 1005;
constexpr int kRemoveStunCodeId = 1020;
constexpr int kCodeRow = 4;

QLineEdit* MakeCodeEdit(QWidget* parent, int id) {
    auto* edit = new QLineEdit(parent);
    SetControlId(edit, id);
    // The rule keeps the first six characters; a length limit of the edit's own would cut a
    // pasted text before the characters the image cannot hold were dropped from it.
    edit->setValidator(new KeepTextValidator(AcceptCodeText, edit));
    return edit;
}

QCheckBox* MakeBox(const QString& label, QWidget* parent, int id) {
    auto* box = new QCheckBox(label, parent);
    SetControlId(box, id);
    return box;
}

}  // namespace

COptionalFeaturesDlg::COptionalFeaturesDlg(const AppContext& context, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_idCode(MakeCodeEdit(this, kIdCodeId)),
      m_stunCode(MakeCodeEdit(this, kStunCodeId)),
      m_beep(MakeBox(ControlLabel(OptionControl::Beep, context.language), this, kBeepId)),
      m_batterySaver(MakeBox(ControlLabel(OptionControl::BatterySaver, context.language), this,
                             kBatterySaverId)),
      m_removeStunCode(MakeBox(ControlLabel(OptionControl::RemoveStunCode, context.language), this,
                               kRemoveStunCodeId)) {
    setWindowTitle(Q(kOptionalFeaturesCaption.In(m_context.language)));
    const std::map<OptionList, QString> labels = {
        {OptionList::TimeOutTimer, ControlLabel(OptionControl::TimeOutTimer, m_context.language)},
        {OptionList::TotPreAlert, ControlLabel(OptionControl::TotPreAlert, m_context.language)},
        {OptionList::SquelchLevel, ControlLabel(OptionControl::SquelchLevel, m_context.language)},
        {OptionList::VoiceAnnunciation,
         ControlLabel(OptionControl::VoiceAnnunciation, m_context.language)},
        {OptionList::Vox, ControlLabel(OptionControl::Vox, m_context.language)},
        {OptionList::VoxGainLevel, ControlLabel(OptionControl::VoxGainLevel, m_context.language)},
        {OptionList::VoxDelayTime, ControlLabel(OptionControl::VoxDelayTime, m_context.language)},
        {OptionList::PttId, ControlLabel(OptionControl::PttId, m_context.language)},
    };

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    const auto place = [grid, this](const QString& label, QWidget* control, int row, int column) {
        auto* text = new QLabel(label, this);
        text->setBuddy(control);
        grid->addWidget(text, row, 2 * column);
        grid->addWidget(control, row, 2 * column + 1);
    };
    for (const ListControl& control : kListControls) {
        auto* list = new QComboBox(this);
        SetControlId(list, control.id);
        for (const std::string& item : OptionItems(control.list, m_context.language)) {
            list->addItem(Q(item));
        }
        m_lists[control.list] = list;
        place(labels.at(control.list), list, control.row, control.column);
    }
    place(ControlLabel(OptionControl::IdCode, m_context.language), m_idCode, kCodeRow, 0);
    place(ControlLabel(OptionControl::StunCode, m_context.language), m_stunCode, kCodeRow, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* boxes = new QHBoxLayout;
    for (QCheckBox* box : {m_beep, m_batterySaver, m_removeStunCode}) {
        boxes->addWidget(box);
    }
    boxes->addStretch(1);

    QDialogButtonBox* buttons = MakeOkCancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(boxes);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int COptionalFeaturesDlg::Run(RadioImage& image) {
    m_image = &image;
    Show(OptionalFeatures::Load(image));
    list(OptionList::TimeOutTimer)->setFocus();
    const int result = exec();
    m_image = nullptr;
    return result;
}

void COptionalFeaturesDlg::Show(const OptionalFeatures& features) {
    const std::pair<OptionList, int> selections[] = {
        {OptionList::TimeOutTimer, features.timeOutTimer},
        {OptionList::TotPreAlert, features.totPreAlert},
        {OptionList::SquelchLevel, features.squelchLevel},
        {OptionList::VoiceAnnunciation, features.voiceAnnunciation},
        {OptionList::Vox, features.vox},
        {OptionList::VoxGainLevel, features.voxGainLevel},
        {OptionList::VoxDelayTime, features.voxDelayTime},
        {OptionList::PttId, features.pttId},
    };
    for (const auto& [which, index] : selections) {
        list(which)->setCurrentIndex(index);
    }
    m_idCode->setText(Q(features.idCode));
    m_stunCode->setText(Q(features.stunCode));
    m_beep->setChecked(features.beep);
    m_batterySaver->setChecked(features.batterySaver);
    m_removeStunCode->setChecked(features.removeStunCode);
}

OptionalFeatures COptionalFeaturesDlg::Gather() const {
    OptionalFeatures features;
    features.timeOutTimer = list(OptionList::TimeOutTimer)->currentIndex();
    features.totPreAlert = list(OptionList::TotPreAlert)->currentIndex();
    features.squelchLevel = list(OptionList::SquelchLevel)->currentIndex();
    features.voiceAnnunciation = list(OptionList::VoiceAnnunciation)->currentIndex();
    features.vox = list(OptionList::Vox)->currentIndex();
    features.voxGainLevel = list(OptionList::VoxGainLevel)->currentIndex();
    features.voxDelayTime = list(OptionList::VoxDelayTime)->currentIndex();
    features.pttId = list(OptionList::PttId)->currentIndex();
    features.idCode = m_idCode->text().toStdString();
    features.stunCode = m_stunCode->text().toStdString();
    features.beep = m_beep->isChecked();
    features.batterySaver = m_batterySaver->isChecked();
    features.removeStunCode = m_removeStunCode->isChecked();
    return features;
}

void COptionalFeaturesDlg::accept() {
    if (m_image) {
        Gather().Store(*m_image);
    }
    QDialog::accept();
}

void COptionalFeaturesDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        RequestContextHelp(m_context, ControlId(focusWidget()));
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
