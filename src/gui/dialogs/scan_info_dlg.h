#pragma once

#include <QDialog>
#include <map>
#include <optional>

#include "core/doc/app_context.h"
#include "core/radio/memory_image.h"
#include "core/radio/scan_info.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace radioprog::gui {

class CSpinArrows;

/// Scan Information: the priority, look-back, revert, dropout and dwell settings of the image.
/// The controls show a ScanInfo; every change the user makes runs through it (the Priority
/// refill, the spins, the focus leaving a field) and OK stores it, or says why not and stays.
class CScanInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CScanInfoDlg(const AppContext& context, QWidget* parent = nullptr);
    ~CScanInfoDlg() override;

    /// Shows @p info modally; OK writes it into @p image.
    int Run(const ScanInfo& info, RadioImage& image);
    void accept() override;

    QComboBox* priorityList() const { return m_priority; }
    QComboBox* revertList() const { return m_revert; }
    QLineEdit* edit(ScanField field) const { return m_edits.at(field); }
    /// The spin beside @p field; none for the priority channel.
    CSpinArrows* spin(ScanField field) const;

private:
    void Show(const ScanInfo& info);
    ScanInfo Gather() const;
    void OnPriorityChanged(int index);
    void OnSpin(ScanField field, SpinArrow arrow);
    void OnFocusChanged(QWidget* old, QWidget* now);
    /// Shows what the model made of the fields, or its error with the focus in that field.
    void Apply(const ScanInfo& info, const std::optional<ScanFieldError>& error);
    std::optional<ScanField> FieldOf(const QWidget* widget) const;
    TextSelection PriorityChannelSelection() const;

    const AppContext& m_context;
    QComboBox* m_priority;
    QComboBox* m_revert;
    std::map<ScanField, QLineEdit*> m_edits;
    std::map<ScanField, CSpinArrows*> m_spins;
    QPushButton* m_cancel = nullptr;
    RadioImage* m_image = nullptr;
    // While a message is on screen the focus moves to it; leaving a field then is no news.
    bool m_reporting = false;
};

}  // namespace radioprog::gui
