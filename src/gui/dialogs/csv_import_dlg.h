#pragma once

#include <QDialog>

#include "core/doc/app_context.h"
#include "core/radio/csv_exchange.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace radioprog::gui {

/// The preview of a CSV import: every data row of the file with the channel it goes to, the
/// texts the grid will show, and stored or skipped with the reason; the unknown columns and the
/// counts; a "Replace all channels" check box (1002), the table (1001), Import and Cancel. The
/// dialog changes nothing: whoever runs it imports on Import.
class CCsvImportDlg : public QDialog {
    Q_OBJECT
public:
    /// @p plan must outlive the dialog; @p fileName is shown as the file being imported.
    CCsvImportDlg(const AppContext& context, const CsvImportPlan& plan, const QString& fileName,
                  QWidget* parent = nullptr);

    bool replaceAll() const;

    QTableView* table() const { return m_table; }
    QCheckBox* replaceBox() const { return m_replace; }
    QPushButton* importButton() const { return m_import; }
    QLabel* summary() const { return m_summary; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateImportButton();

    const AppContext& m_context;
    const CsvImportPlan& m_plan;
    QTableView* m_table;
    QLabel* m_summary;
    QCheckBox* m_replace;
    QPushButton* m_import;
};

}  // namespace radioprog::gui
