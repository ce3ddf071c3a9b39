#include "gui/dialogs/csv_import_model.h"

#include <QColor>

#include "core/radio/grid_columns.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {

// A skipped row stands out; a stored row that lost something is marked more softly.
const QColor kSkippedBackground(255, 226, 222);
const QColor kNotedBackground(255, 246, 214);

}  // namespace

CCsvImportModel::CCsvImportModel(const CsvImportPlan& plan, Language language, QObject* parent)
    : QAbstractTableModel(parent), m_plan(plan), m_language(language) {}

int CCsvImportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_plan.rows.size());
}

int CCsvImportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString CCsvImportModel::Text(const CsvImportRow& row, int column) const {
    switch (column) {
        case kRowColumn:
            return QString::number(row.line);
        case kLocationColumn:
            return Q(row.location);
        case kChannelColumn:
            return row.channel != 0 ? QString::number(row.channel) : QString();
        case kStatusColumn:
            return Q(CsvRowStatus(row, m_language));
        case kDetailsColumn:
            return Q(CsvRowDetails(row, m_language));
        default:
            return Q(row.texts[static_cast<std::size_t>(column - kFirstTextColumn)]);
    }
}

QVariant CCsvImportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const CsvImportRow& row = m_plan.rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return Text(row, index.column());
    }
    if (role == Qt::BackgroundRole && (!row.stored() || !row.notes.empty())) {
        return row.stored() ? kNotedBackground : kSkippedBackground;
    }
    return {};
}

QVariant CCsvImportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
        case kRowColumn:
            return tr("Row");
        case kLocationColumn:
            return QStringLiteral("Location");
        case kChannelColumn:
            return Q(ColumnHeader(0, m_language));
        case kStatusColumn:
            return tr("Result");
        case kDetailsColumn:
            return tr("Reason or notes");
        default:
            return Q(ColumnHeader(section - kFirstTextColumn + 1, m_language));
    }
}

}  // namespace radioprog::gui
