#include "gui/app/document_questions.h"

#include <QFile>
#include <QFileDialog>

#include "core/base/string_table.h"
#include "gui/app/main_frame.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {

CDocumentQuestions::CDocumentQuestions(const AppContext& context, QWidget* parent)
    : m_context(context), m_parent(parent) {}

bool CDocumentQuestions::ConfirmClear() {
    return Messages().Show(m_parent, QMessageBox::Warning, Q(m_context.appName),
                           Q(StringText(StringId::AllDataCleared, m_context.language)),
                           QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

SessionQuestions::SaveAnswer CDocumentQuestions::AskSaveChanges() {
    const auto answer =
        Messages().Show(m_parent, QMessageBox::Question, Q(m_context.appName),
                        Q(BilingualText{"Save changes?", "保存修改吗？"}.In(m_context.language)),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        return SaveAnswer::Save;
    }
    return answer == QMessageBox::No ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

std::optional<std::filesystem::path> CDocumentQuestions::AskSaveName(
    const std::filesystem::path& proposed) {
    const QString path =
        QFileDialog::getSaveFileName(m_parent, CMainFrame::tr("Save As"), Q(proposed.string()),
                                     CMainFrame::tr("Radio files (*.dat)"));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::optional<std::filesystem::path> CDocumentQuestions::AskOpenName() {
    const QString path = QFileDialog::getOpenFileName(m_parent, CMainFrame::tr("Open"), QString(),
                                                      CMainFrame::tr("Radio files (*.dat)"));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

void CDocumentQuestions::ShowProblem(const std::string& message) {
    Messages().Show(m_parent, QMessageBox::Warning, Q(m_context.appName), Q(message),
                    QMessageBox::Ok);
}

}  // namespace radioprog::gui
