#pragma once

#include "core/doc/app_context.h"
#include "core/doc/document_session.h"

class QWidget;

namespace radioprog::gui {

/// The document session's questions as message boxes and file dialogs over @p parent.
class CDocumentQuestions : public SessionQuestions {
public:
    CDocumentQuestions(const AppContext& context, QWidget* parent);

    bool ConfirmClear() override;
    SaveAnswer AskSaveChanges() override;
    std::optional<std::filesystem::path> AskSaveName(
        const std::filesystem::path& proposed) override;
    std::optional<std::filesystem::path> AskOpenName() override;
    void ShowProblem(const std::string& message) override;

private:
    const AppContext& m_context;
    QWidget* m_parent;
};

}  // namespace radioprog::gui
