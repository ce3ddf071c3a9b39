#pragma once

#include <QTableWidget>
#include <vector>

namespace radioprog::gui {

/// A table with a fixed header row and a fixed first column inside the grid, addressed the
/// way the view and the codec expect: the current cell by Row and Col, any cell by TextMatrix,
/// cell geometry in twips, and EnterCell / LeaveCell / MouseDown / Scroll as signals.
/// LeaveCell is raised for the cell being left while it is still current, then EnterCell for
/// the new one, whether the user or the program moved.
class CMSFlexGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kTwipsPerInch = 1440;

    CMSFlexGrid(int rows, int cols, QWidget* parent = nullptr);

    QString Text() const { return TextMatrix(m_row, m_col); }
    void SetText(const QString& text) { SetTextMatrix(m_row, m_col, text); }
    int Rows() const { return rowCount(); }
    int Cols() const { return columnCount(); }
    int Row() const { return m_row; }
    int Col() const { return m_col; }
    void SetRow(int row) { MoveTo(row, m_col); }
    void SetCol(int col) { MoveTo(m_row, col); }
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);
    void SetForeColorFixed(const QColor& color);
    void SetColAlignment(int col, Qt::Alignment alignment);
    int ColWidth(int col) const;  ///< twips
    void SetColWidth(int col, int twips);

    /// The current cell's rectangle, in twips from a point three pixels above and left of the
    /// grid's corner, as the original control measures from outside its border.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;

    /// Channel rows chosen as a whole by their labels in column 0: a click chooses one row, Ctrl
    /// adds or removes one, Shift extends from the last row clicked. The current cell and its
    /// editor are the view's business; a click into a channel cell ends the row selection.
    const std::vector<int>& SelectedRows() const { return m_selectedRows; }
    bool HasRowSelection() const { return !m_selectedRows.empty(); }
    void SelectRows(std::vector<int> rows);
    void ClearRowSelection() { SelectRows({}); }
    /// True while a press on a row label is being handled: the cell events it raises must not
    /// open an editor.
    bool PressingRowLabel() const { return m_pressingLabel; }

    /// Room for every row and column without scrolling.
    QSize sizeHint() const override;
    /// The width a column gets before anything sets it, in pixels.
    void SetDefaultColumnWidth(int pixels);

signals:
    void EnterCell();
    void LeaveCell();
    void MouseDown();
    void Scroll();
    /// The rows chosen by their labels changed.
    void RowSelectionChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

signals:
    /// A context menu is asked for at @p globalPos, the row selection already fitted to where.
    void ContextMenuRequested(const QPoint& globalPos);

private:
    void PressRowLabel(int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void PaintSelection(int row, bool selected);
    void MoveTo(int row, int col);
    void OnCurrentChanged(int row, int col);
    QRect CurrentRect() const;
    int ToTwipsX(int pixels) const;
    int ToTwipsY(int pixels) const;
    int ToPixelsX(int twips) const;

    int m_row = 1;
    int m_col = 1;
    bool m_moving = false;
    bool m_pressingLabel = false;
    std::vector<int> m_selectedRows;  ///< ascending
    QColor m_fixedColour = Qt::black;
    int m_anchorRow = 1;  ///< where Shift extends from
};

}  // namespace radioprog::gui
