#pragma once

#include <QTableWidget>

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

    /// Room for every row and column without scrolling.
    QSize sizeHint() const override;
    /// The width a column gets before anything sets it, in pixels.
    void SetDefaultColumnWidth(int pixels);

signals:
    void EnterCell();
    void LeaveCell();
    void MouseDown();
    void Scroll();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void MoveTo(int row, int col);
    void OnCurrentChanged(int row, int col);
    QRect CurrentRect() const;
    int ToTwipsX(int pixels) const;
    int ToTwipsY(int pixels) const;
    int ToPixelsX(int twips) const;

    int m_row = 1;
    int m_col = 1;
    bool m_moving = false;
};

}  // namespace radioprog::gui
