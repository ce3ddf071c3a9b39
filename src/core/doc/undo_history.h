#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "core/doc/document_edit.h"
#include "core/radio/band_limits.h"

namespace radioprog {

/// The document's undo and redo steps. A step keeps the whole document as it was on the other
/// side of the step (about 2 KB): undoing and redoing are exact, whatever the edit did. It knows
/// which position is the state last saved, so that the modified mark follows undo and redo.
class UndoHistory {
public:
    /// Steps kept; the oldest goes when one more is recorded.
    static constexpr std::size_t kDepth = 500;

    struct Step {
        DocumentEdit edit;
        DocumentState state;  ///< the document on the other side of the step
        /// The band limits in use on the other side, for a step that changed them.
        std::optional<BandLimits> band;
    };

    /// A new step that led from @p before to the present: the redo steps are dropped.
    void Record(const DocumentEdit& edit, DocumentState before,
                std::optional<BandLimits> bandBefore = std::nullopt);

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    /// The edit the next undo or redo takes back or does again; null when there is none.
    const DocumentEdit* NextUndo() const { return CanUndo() ? &m_undo.back().edit : nullptr; }
    const DocumentEdit* NextRedo() const { return CanRedo() ? &m_redo.back().edit : nullptr; }

    /// Swaps @p state (and @p band, for a step that changed it) with the step before it and
    /// turns the step into a redo step. Returns the edit undone; null when there is none.
    const DocumentEdit* Undo(DocumentState& state, BandLimits& band);
    /// The other way.
    const DocumentEdit* Redo(DocumentState& state, BandLimits& band);

    /// Forgets every step; the present is the saved state (a new or opened document).
    void Clear();
    /// The present is the state on disk now.
    void MarkSaved() { m_saved = m_undo.size(); }
    /// Whether the present differs from the state last saved (or that state is lost).
    bool Modified() const { return m_saved != m_undo.size(); }

    std::size_t UndoCount() const { return m_undo.size(); }
    std::size_t RedoCount() const { return m_redo.size(); }

private:
    static void Swap(Step& step, DocumentState& state, BandLimits& band);

    std::deque<Step> m_undo;
    std::vector<Step> m_redo;
    /// How many undo steps lie behind the saved state; none when it can no longer be reached.
    std::optional<std::size_t> m_saved = 0;
};

}  // namespace radioprog
