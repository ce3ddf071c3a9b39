#include "core/doc/undo_history.h"

#include <utility>

namespace radioprog {

void UndoHistory::Record(const DocumentEdit& edit, DocumentState before,
                         std::optional<BandLimits> bandBefore) {
    // The saved state lay among the redo steps: recording cuts it off for good.
    if (m_saved && *m_saved > m_undo.size()) {
        m_saved.reset();
    }
    m_redo.clear();
    m_undo.push_back({edit, std::move(before), bandBefore});
    if (m_undo.size() > kDepth) {
        m_undo.pop_front();
        if (m_saved) {
            m_saved = *m_saved == 0 ? std::nullopt : std::optional<std::size_t>(*m_saved - 1);
        }
    }
}

void UndoHistory::Swap(Step& step, DocumentState& state, BandLimits& band) {
    std::swap(step.state, state);
    if (step.band) {
        std::swap(*step.band, band);
    }
}

const DocumentEdit* UndoHistory::Undo(DocumentState& state, BandLimits& band) {
    if (m_undo.empty()) {
        return nullptr;
    }
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    Swap(m_redo.back(), state, band);
    return &m_redo.back().edit;
}

const DocumentEdit* UndoHistory::Redo(DocumentState& state, BandLimits& band) {
    if (m_redo.empty()) {
        return nullptr;
    }
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    Swap(m_undo.back(), state, band);
    return &m_undo.back().edit;
}

void UndoHistory::Clear() {
    m_undo.clear();
    m_redo.clear();
    m_saved = 0;
}

}  // namespace radioprog
