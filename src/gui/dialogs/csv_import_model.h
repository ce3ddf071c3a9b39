#pragma once

#include <QAbstractTableModel>

#include "core/base/language.h"
#include "core/radio/csv_exchange.h"

namespace radioprog::gui {

/// The rows of a planned CSV import as a table: the row's line and Location, the channel it goes
/// to, the eight texts the grid will show, stored or skipped, and the reason or the notes.
class CCsvImportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        kRowColumn,
        kLocationColumn,
        kChannelColumn,
        kFirstTextColumn,  ///< Rx Frequency; the grid's eight columns follow in their order
        kStatusColumn = kFirstTextColumn + 8,
        kDetailsColumn,
        kColumnCount,
    };

    /// @p plan must outlive the model.
    CCsvImportModel(const CsvImportPlan& plan, Language language, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString Text(const CsvImportRow& row, int column) const;

    const CsvImportPlan& m_plan;
    Language m_language;
};

}  // namespace radioprog::gui
