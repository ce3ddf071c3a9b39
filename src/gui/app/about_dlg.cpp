#include "gui/app/about_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>

#include "core/doc/about_texts.h"
#include "gui/app/built_in_pictures.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {

constexpr int kIconControlId = 1004;
constexpr int kFirstTextId = 1001;
constexpr int kIconSide = 32;

}  // namespace

CAboutDlg::CAboutDlg(const AppContext& context, QWidget* parent)
    : QDialog(parent), m_icon(new QLabel(this)) {
    setObjectName("aboutDialog");
    const AboutTexts texts = ReadAboutTexts(context.profile, context.languageName);
    setWindowTitle(Q(texts.title));

    m_icon->setObjectName("icon");
    m_icon->setProperty("controlId", kIconControlId);
    QPixmap icon = QIcon(QString::fromStdString((context.appDirectory / "title.ico").string()))
                       .pixmap(kIconSide, kIconSide);
    if (icon.isNull()) {
        icon = BuiltInAppIcon().pixmap(kIconSide, kIconSide);
    }
    m_icon->setPixmap(icon);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);
    grid->addWidget(m_icon, 0, 0, 3, 1, Qt::AlignTop);
    const std::string* lines[] = {&texts.version, &texts.copyright, &texts.owner};
    const char* names[] = {"version", "copyright", "owner"};
    for (int i = 0; i < 3; ++i) {
        auto* line = new QLabel(Q(*lines[i]), this);
        line->setObjectName(names[i]);
        line->setProperty("controlId", kFirstTextId + i);
        line->setMinimumWidth(200);
        grid->addWidget(line, i, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    grid->addWidget(buttons, 0, 2, 3, 1, Qt::AlignTop);
}

QLabel* CAboutDlg::text(int controlId) const {
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->property("controlId").toInt() == controlId) {
            return label;
        }
    }
    return nullptr;
}

}  // namespace radioprog::gui
