#include "gui/app/edit_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "core/doc/channel_clipboard.h"
#include "core/doc/channel_rows.h"
#include "core/radio/product_info.h"
#include "gui/app/main_frame.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"
#include "gui/dialogs/set_for_selected_dlg.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {
namespace {

QString MimeType() {
    return Q(kChannelsMimeType);
}

}  // namespace

CEditCommands::CEditCommands(AppContext& context, CMainFrame& frame)
    : QObject(&frame), m_context(context), m_frame(frame) {
    setObjectName("editCommands");
}

CProgramView* CEditCommands::ReadyView() {
    CProgramView* view = m_frame.activeView();
    if (!view || view->transferRunning() || !view->CommitEdit()) {
        return nullptr;
    }
    return view;
}

void CEditCommands::Warn(const QString& text) {
    Messages().Show(&m_frame, QMessageBox::Warning, Q(m_context.appName), text, QMessageBox::Ok);
}

void CEditCommands::OnUndo() {
    if (CProgramView* view = ReadyView()) {
        if (const auto edit = view->document().Undo(m_context.band)) {
            ShowTravelled(*view, *edit);
        } else {
            view->ShowChannels(view->SelectedChannels());
        }
    }
}

void CEditCommands::OnRedo() {
    if (CProgramView* view = ReadyView()) {
        if (const auto edit = view->document().Redo(m_context.band)) {
            ShowTravelled(*view, *edit);
        } else {
            view->ShowChannels(view->SelectedChannels());
        }
    }
}

void CEditCommands::ShowTravelled(CProgramView& view, const DocumentEdit& edit) {
    if (edit.kind == DocumentEdit::Kind::Read ||
        edit.kind == DocumentEdit::Kind::ProductInformation) {
        m_frame.setWindowTitle(Q(FillFormTitle(m_context.TitleAppName(),
                                               m_context.profile.GetValue("Setup", "Type1", ""),
                                               m_context.band, m_context.language)));
    }
    // A cell's editor opens again on it, showing what it holds now.
    if (edit.kind == DocumentEdit::Kind::Cell) {
        view.ShowCell(edit.row, edit.col);
    } else {
        view.ShowChannels(view.SelectedChannels());
    }
}

bool CEditCommands::Copy(CProgramView& view) {
    const ChannelCopy copy = CopyChannels(view.document(), view.SelectedChannels(), m_context.band);
    auto* data = new QMimeData;
    data->setData(MimeType(), QByteArray::fromStdString(copy.own));
    data->setText(Q(copy.tabSeparated));
    QApplication::clipboard()->setMimeData(data);
    return true;
}

void CEditCommands::OnCopy() {
    if (CProgramView* view = ReadyView()) {
        Copy(*view);
        view->ShowChannels(view->SelectedChannels());
    }
}

void CEditCommands::OnCut() {
    if (CProgramView* view = ReadyView()) {
        const std::vector<int> channels = view->SelectedChannels();
        Copy(*view);
        DeleteChannels(view->document(), channels, true);
        view->ShowChannels(channels);
    }
}

void CEditCommands::OnPaste() {
    CProgramView* view = ReadyView();
    if (!view) {
        return;
    }
    const std::vector<int> selected = view->SelectedChannels();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    PasteOutcome outcome;
    Status pasted = Status::Ok();
    if (data && data->hasFormat(MimeType())) {
        pasted = PasteOwnChannels(view->document(), data->data(MimeType()).toStdString(),
                                  selected.front(), m_context.band, m_context.language, outcome);
    } else {
        const std::string text = data ? data->text().toStdString() : std::string();
        pasted = PasteTabSeparated(view->document(), text, selected.front(), m_context.band,
                                   m_context.language, outcome);
    }
    if (!pasted) {
        Warn(Q(pasted.message()));
    } else if (const std::string refused = outcome.Message(m_context.language); !refused.empty()) {
        Warn(Q(refused));
    }
    view->ShowChannels(outcome.pasted.empty() ? selected : outcome.pasted);
}

void CEditCommands::OnSelectAll() {
    if (CProgramView* view = m_frame.activeView(); view && !view->transferRunning()) {
        view->SelectAllChannels();
    }
}

void CEditCommands::OnDeleteChannel() {
    if (CProgramView* view = ReadyView()) {
        const std::vector<int> channels = view->SelectedChannels();
        DeleteChannels(view->document(), channels);
        view->ShowChannels(channels);
    }
}

void CEditCommands::OnInsertChannel() {
    if (CProgramView* view = ReadyView()) {
        const std::vector<int> channels = view->SelectedChannels();
        if (const auto refusal =
                InsertEmptyChannel(view->document(), channels.front(), m_context.language)) {
            Warn(Q(*refusal));
        }
        view->ShowChannels({channels.front()});
    }
}

void CEditCommands::Move(int step) {
    if (CProgramView* view = ReadyView()) {
        view->ShowChannels(MoveChannels(view->document(), view->SelectedChannels(), step));
    }
}

void CEditCommands::OnSetForSelected() {
    CProgramView* view = ReadyView();
    if (!view) {
        return;
    }
    const std::vector<int> channels = view->SelectedChannels();
    CSetForSelectedDlg dialog(m_context, channels, &m_frame);
    dialog.setObjectName("setForSelectedDialog");
    if (dialog.exec() == QDialog::Accepted) {
        SetForSelected(view->document(), channels, dialog.column(), dialog.value(), m_context.band,
                       m_context.language);
    }
    view->ShowChannels(channels);
}

}  // namespace radioprog::gui
