#include "gui/dialogs/text_validators.h"

#include "gui/app/qt_text.h"

namespace radioprog::gui {
KeepTextValidator::KeepTextValidator(Keep keep, QObject* parent)
    : QValidator(parent), m_keep(std::move(keep)) {}

QValidator::State KeepTextValidator::validate(QString& input, int& pos) const {
    const QString kept = Q(m_keep(input.toStdString()));
    if (kept != input) {
        // The cursor stays behind the characters before it that were kept.
        pos = static_cast<int>(
            std::min(Q(m_keep(input.left(pos).toStdString())).size(), kept.size()));
        input = kept;
    }
    return Acceptable;
}

AcceptTextValidator::AcceptTextValidator(Accepts accepts, QObject* parent)
    : QValidator(parent), m_accepts(std::move(accepts)) {}

QValidator::State AcceptTextValidator::validate(QString& input, int&) const {
    return m_accepts(input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace radioprog::gui
