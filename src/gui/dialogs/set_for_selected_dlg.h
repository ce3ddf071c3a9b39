#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/doc/app_context.h"

class QComboBox;
class QLabel;

namespace radioprog::gui {

/// Set for Selected: one column of the chosen channels (Power, Scan Add, Busy Lock, W/N,
/// QT/DQT Dec or QT/DQT Enc) and one value from that column's own list.
class CSetForSelectedDlg : public QDialog {
    Q_OBJECT
public:
    CSetForSelectedDlg(const AppContext& context, const std::vector<int>& channels,
                       QWidget* parent = nullptr);

    /// The grid column chosen (3-8).
    int column() const;
    /// The value chosen, as the column's list shows it.
    std::string value() const;

    QComboBox* columnList() const { return m_columns; }
    QComboBox* valueList() const { return m_values; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FillValues();

    const AppContext& m_context;
    QComboBox* m_columns;
    QComboBox* m_values;
};

}  // namespace radioprog::gui
