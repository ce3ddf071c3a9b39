#pragma once

#include <QObject>
#include <vector>

#include "core/doc/app_context.h"
#include "core/doc/document_edit.h"

namespace radioprog::gui {

class CMainFrame;
class CProgramView;

/// The Edit menu's commands on the active channel window: Undo and Redo of the document's
/// steps, and the channel rows (Cut, Copy, Paste, Select All, Delete, Insert, Move, Set for
/// Selected). Each commits an open edit first and stops when that edit is refused.
class CEditCommands : public QObject {
    Q_OBJECT
public:
    CEditCommands(AppContext& context, CMainFrame& frame);

    void OnUndo();
    void OnRedo();
    void OnCut();
    void OnCopy();
    /// Takes this program's own form from the clipboard, else its text as tab-separated
    /// channels; rows that cannot be stored are told in one message.
    void OnPaste();
    void OnSelectAll();
    void OnDeleteChannel();
    void OnInsertChannel();
    void OnMoveUp() { Move(-1); }
    void OnMoveDown() { Move(+1); }
    void OnSetForSelected();

private:
    /// The channel window to work on, its open edit committed; none during a transfer or when
    /// the edit was refused.
    CProgramView* ReadyView();
    void Move(int step);
    /// After an undo or redo: the title, when the step changed the band in use.
    void ShowTravelled(CProgramView& view, const DocumentEdit& edit);
    bool Copy(CProgramView& view);
    void Warn(const QString& text);

    AppContext& m_context;
    CMainFrame& m_frame;
};

}  // namespace radioprog::gui
