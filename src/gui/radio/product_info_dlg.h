#pragma once

#include <QDialog>

#include "core/doc/app_context.h"
#include "core/doc/product_settings.h"

class QComboBox;
class QLineEdit;

namespace radioprog::gui {

/// Product Information: the product type and the band, chosen from the lists of `Program.ini`
/// or typed as a custom range. OK sets the band limits in use and the main window's title; the
/// custom range is kept from one showing to the next.
class CProductInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProductInfoDlg(AppContext& context, QWidget* parent = nullptr);

    /// Fills the lists and selects the band in use, then runs the dialog.
    int exec() override;
    /// Refused, with the dialog left open, when the custom range is upside down.
    void accept() override;

    QComboBox* typeList() const { return m_types; }
    QComboBox* fieldList() const { return m_fields; }
    QLineEdit* startEdit() const { return m_start; }
    QLineEdit* endEdit() const { return m_end; }
    const CustomBand& custom() const { return m_custom; }

signals:
    /// The main window's title after OK.
    void TitleChanged(const QString& title);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowCustomRange(bool visible);
    void ReportUnreadable(const ProductInfoOk& ok);

    AppContext& m_context;
    QComboBox* m_types;
    QComboBox* m_fields;
    QLineEdit* m_start;
    QLineEdit* m_end;
    CustomBand m_custom;
};

}  // namespace radioprog::gui
