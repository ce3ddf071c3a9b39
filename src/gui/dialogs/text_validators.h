#pragma once

#include <QValidator>
#include <functional>
#include <string>
#include <string_view>

namespace radioprog::gui {

/// An edit's input rule taken from the core: what the user types or pastes is replaced by what
/// @p keep keeps of it, so that a refused character simply does not appear.
class KeepTextValidator : public QValidator {
public:
    using Keep = std::function<std::string(std::string_view)>;
    KeepTextValidator(Keep keep, QObject* parent);

    State validate(QString& input, int& pos) const override;

private:
    Keep m_keep;
};

/// An edit's input rule taken from the core: a change that @p accepts refuses does not happen.
class AcceptTextValidator : public QValidator {
public:
    using Accepts = std::function<bool(std::string_view)>;
    AcceptTextValidator(Accepts accepts, QObject* parent);

    State validate(QString& input, int& pos) const override;

private:
    Accepts m_accepts;
};

}  // namespace radioprog::gui
