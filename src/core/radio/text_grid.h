#pragma once

#include <array>
#include <string>

#include "core/radio/channel_grid.h"

namespace radioprog {

/// A channel grid without a window: a 17 x 9 table of texts and one editor, used by the command
/// line, the report and the tests.
class TextGrid : public ChannelGrid {
public:
    using Cells = std::array<std::array<std::string, column::kCount>, kGridRows>;

    std::string TextMatrix(int row, int col) const override;
    void SetTextMatrix(int row, int col, const std::string& text) override;

    int Row() const override { return m_row; }
    int Col() const override { return m_col; }
    void SetCurrentCell(int row, int col) {
        m_row = row;
        m_col = col;
    }

    bool EditorVisible() const override { return m_editorVisible; }
    std::string EditorText() const override { return m_editorText; }
    void HideEditor() override { m_editorVisible = false; }
    /// Opens the editor of the current cell holding @p text, as typing into it would.
    void OpenEditor(std::string text) {
        m_editorText = std::move(text);
        m_editorVisible = true;
    }

    /// Every cell's text, without the current cell and the editor.
    const Cells& cells() const { return m_cells; }
    void SetCells(const Cells& cells) { m_cells = cells; }

private:
    static bool Inside(int row, int col) {
        return row >= 0 && row < kGridRows && col >= 0 && col < column::kCount;
    }

    Cells m_cells;
    int m_row = 1;
    int m_col = 1;
    bool m_editorVisible = false;
    std::string m_editorText;
};

}  // namespace radioprog
