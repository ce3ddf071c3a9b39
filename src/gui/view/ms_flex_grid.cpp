#include "gui/view/ms_flex_grid.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

namespace radioprog::gui {
namespace {
// The original control measures cells from outside its 3-pixel border.
constexpr int kBorderOffset = 3;
}  // namespace

CMSFlexGrid::CMSFlexGrid(int rows, int cols, QWidget* parent) : QTableWidget(rows, cols, parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            auto* item = new QTableWidgetItem();
            if (row == 0 || col == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette().button());
            }
            setItem(row, col, item);
        }
    }
    setCurrentCell(m_row, m_col);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int col, int, int) { OnCurrentChanged(row, col); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CMSFlexGrid::Scroll);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CMSFlexGrid::Scroll);
}

QSize CMSFlexGrid::sizeHint() const {
    int width = 2 * frameWidth();
    for (int col = 0; col < columnCount(); ++col) {
        width += columnWidth(col);
    }
    int height = 2 * frameWidth();
    for (int row = 0; row < rowCount(); ++row) {
        height += rowHeight(row);
    }
    return {width, height};
}

void CMSFlexGrid::SetDefaultColumnWidth(int pixels) {
    horizontalHeader()->setDefaultSectionSize(pixels);
    for (int col = 0; col < columnCount(); ++col) {
        setColumnWidth(col, pixels);
    }
}

QString CMSFlexGrid::TextMatrix(int row, int col) const {
    const QTableWidgetItem* cell = item(row, col);
    return cell ? cell->text() : QString();
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (QTableWidgetItem* cell = item(row, col)) {
        cell->setText(text);
    }
}

void CMSFlexGrid::SetForeColorFixed(const QColor& color) {
    m_fixedColour = color;
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            if (row == 0 || col == 0) {
                item(row, col)->setForeground(color);
            }
        }
    }
}

void CMSFlexGrid::SetColAlignment(int col, Qt::Alignment alignment) {
    for (int row = 0; row < rowCount(); ++row) {
        item(row, col)->setTextAlignment(alignment);
    }
}

int CMSFlexGrid::ColWidth(int col) const {
    return ToTwipsX(columnWidth(col));
}

void CMSFlexGrid::SetColWidth(int col, int twips) {
    setColumnWidth(col, ToPixelsX(twips));
}

int CMSFlexGrid::CellLeft() const {
    return ToTwipsX(CurrentRect().left() + kBorderOffset);
}
int CMSFlexGrid::CellTop() const {
    return ToTwipsY(CurrentRect().top() + kBorderOffset);
}
int CMSFlexGrid::CellWidth() const {
    return ToTwipsX(CurrentRect().width());
}
int CMSFlexGrid::CellHeight() const {
    return ToTwipsY(CurrentRect().height());
}

QRect CMSFlexGrid::CurrentRect() const {
    const QRect inViewport = visualItemRect(item(m_row, m_col));
    return inViewport.translated(viewport()->pos());
}

// Rounding to the nearest twip keeps a pixel position exact through the round trip.
int CMSFlexGrid::ToTwipsX(int pixels) const {
    return (pixels * kTwipsPerInch + logicalDpiX() / 2) / logicalDpiX();
}
int CMSFlexGrid::ToTwipsY(int pixels) const {
    return (pixels * kTwipsPerInch + logicalDpiY() / 2) / logicalDpiY();
}
int CMSFlexGrid::ToPixelsX(int twips) const {
    return twips * logicalDpiX() / kTwipsPerInch;
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    const bool onLabel = at.isValid() && at.column() == 0 && at.row() >= 1;
    if (onLabel) {
        PressRowLabel(at.row(), event->button(), event->modifiers());
    } else if (at.isValid() && at.row() >= 1 && HasRowSelection()) {
        ClearRowSelection();
    }
    m_pressingLabel = onLabel;
    QTableWidget::mousePressEvent(event);
    emit MouseDown();
    m_pressingLabel = false;
}

void CMSFlexGrid::PressRowLabel(int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    std::vector<int> rows = m_selectedRows;
    const bool selected = std::find(rows.begin(), rows.end(), row) != rows.end();
    if (button == Qt::RightButton) {
        // A context menu over the selection acts on all of it.
        if (!selected) {
            rows = {row};
            m_anchorRow = row;
        }
    } else if (modifiers.testFlag(Qt::ShiftModifier)) {
        rows.clear();
        for (int r = std::min(m_anchorRow, row); r <= std::max(m_anchorRow, row); ++r) {
            rows.push_back(r);
        }
    } else if (modifiers.testFlag(Qt::ControlModifier)) {
        if (selected) {
            rows.erase(std::find(rows.begin(), rows.end(), row));
        } else {
            rows.push_back(row);
        }
        m_anchorRow = row;
    } else {
        rows = {row};
        m_anchorRow = row;
    }
    SelectRows(std::move(rows));
}

void CMSFlexGrid::contextMenuEvent(QContextMenuEvent* event) {
    emit ContextMenuRequested(event->globalPos());
    event->accept();
}

void CMSFlexGrid::SelectRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [this](int row) { return row < 1 || row >= rowCount(); }),
               rows.end());
    if (rows == m_selectedRows) {
        return;
    }
    for (int row : m_selectedRows) {
        PaintSelection(row, false);
    }
    m_selectedRows = std::move(rows);
    for (int row : m_selectedRows) {
        PaintSelection(row, true);
    }
    if (!m_selectedRows.empty() && m_selectedRows.size() == 1) {
        m_anchorRow = m_selectedRows.front();
    }
    emit RowSelectionChanged();
}

void CMSFlexGrid::PaintSelection(int row, bool selected) {
    for (int col = 0; col < columnCount(); ++col) {
        QTableWidgetItem* cell = item(row, col);
        if (!cell) {
            continue;
        }
        if (selected) {
            cell->setData(Qt::BackgroundRole, palette().highlight());
            cell->setData(Qt::ForegroundRole, palette().highlightedText());
        } else {
            cell->setData(Qt::BackgroundRole, col == 0 ? QVariant(palette().button()) : QVariant());
            cell->setData(Qt::ForegroundRole, col == 0 ? QVariant(m_fixedColour) : QVariant());
        }
    }
}

void CMSFlexGrid::MoveTo(int row, int col) {
    setCurrentCell(row, col);
}

void CMSFlexGrid::OnCurrentChanged(int row, int col) {
    if (m_moving || row < 0 || col < 0) {
        return;
    }
    // Fixed cells never become current: a click on a header lands on the first channel cell.
    const int newRow = std::max(row, 1);
    const int newCol = std::max(col, 1);
    if (newRow != row || newCol != col) {
        m_moving = true;
        setCurrentCell(newRow, newCol);
        m_moving = false;
    }
    if (newRow == m_row && newCol == m_col) {
        return;
    }
    emit LeaveCell();
    m_row = newRow;
    m_col = newCol;
    emit EnterCell();
}

}  // namespace radioprog::gui
