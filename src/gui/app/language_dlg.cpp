#include "gui/app/language_dlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include "core/doc/language_choice.h"
#include "gui/app/context_help.h"

namespace radioprog::gui {
namespace {

constexpr int kEnglishId = 1006;
constexpr int kChineseId = 1007;
constexpr int kHelpContext = 32799;

}  // namespace

CLanguageDlg::CLanguageDlg(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_languages(new QButtonGroup(this)) {
    setWindowTitle(tr("Language"));
    auto* english = new QRadioButton(tr("English"), this);
    auto* chinese = new QRadioButton(tr("Chinese"), this);
    SetControlId(english, kEnglishId);
    SetControlId(chinese, kChineseId);
    m_languages->addButton(english, 0);
    m_languages->addButton(chinese, 1);

    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    SetControlId(ok, 1);
    SetControlId(cancel, 2);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Each choice stands beside a button, as on the classic two-by-two dialog.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(18, 14, 14, 14);
    layout->setHorizontalSpacing(32);
    layout->addWidget(english, 0, 0);
    layout->addWidget(chinese, 1, 0);
    layout->addWidget(ok, 0, 1);
    layout->addWidget(cancel, 1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QRadioButton* CLanguageDlg::englishButton() const {
    return qobject_cast<QRadioButton*>(m_languages->button(0));
}

QRadioButton* CLanguageDlg::chineseButton() const {
    return qobject_cast<QRadioButton*>(m_languages->button(1));
}

int CLanguageDlg::exec() {
    m_selected = InitialLanguageSelection(m_context.StoredLanguageName());
    m_languages->button(m_selected)->setChecked(true);
    m_languages->button(m_selected)->setFocus();
    return QDialog::exec();
}

void CLanguageDlg::accept() {
    m_selected = m_languages->checkedId();
    const std::string stored = m_context.StoredLanguageName();
    const LanguageOk ok = DecideLanguageOk(m_context.language, stored, m_selected, m_changed);
    m_changed = ok.changed;
    if (ok.store) {
        m_context.profile.SetValue("Setup", "Language", *ok.store);
        // Only "Chinese" in exactly these letters starts Chinese: "chinese" must be rewritten,
        // although the store does not count a change of letter case.
        if (stored != *ok.store) {
            m_context.profile.MarkModified();
        }
    }
    QDialog::accept();
}

void CLanguageDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        RequestContextHelp(m_context, kHelpContext);
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
