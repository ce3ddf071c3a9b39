#pragma once

#include <QDialog>
#include <map>

#include "core/doc/app_context.h"
#include "core/radio/memory_image.h"
#include "core/radio/optional_features.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace radioprog::gui {

/// Optional Features: the radio's general options in the active document's image. Every
/// showing loads the controls from the image; OK stores them into it, Cancel and the close box
/// leave it alone. F1 asks for the help of the focused control.
class COptionalFeaturesDlg : public QDialog {
    Q_OBJECT
public:
    explicit COptionalFeaturesDlg(const AppContext& context, QWidget* parent = nullptr);

    /// Shows the dialog modally on @p image, which OK writes.
    int Run(RadioImage& image);
    void accept() override;

    QComboBox* list(OptionList which) const { return m_lists.at(which); }
    QLineEdit* idCodeEdit() const { return m_idCode; }
    QLineEdit* stunCodeEdit() const { return m_stunCode; }
    QCheckBox* beepBox() const { return m_beep; }
    QCheckBox* batterySaverBox() const { return m_batterySaver; }
    QCheckBox* removeStunCodeBox() const { return m_removeStunCode; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Show(const OptionalFeatures& features);
    OptionalFeatures Gather() const;

    const AppContext& m_context;
    std::map<OptionList, QComboBox*> m_lists;
    QLineEdit* m_idCode;
    QLineEdit* m_stunCode;
    QCheckBox* m_beep;
    QCheckBox* m_batterySaver;
    QCheckBox* m_removeStunCode;
    RadioImage* m_image = nullptr;
};

}  // namespace radioprog::gui
