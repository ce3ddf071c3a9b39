#pragma once

#include <QDialog>

#include "core/doc/app_context.h"

class QButtonGroup;
class QRadioButton;

namespace radioprog::gui {

/// Language: English (1006) or Chinese (1007). OK with the other language than the running one
/// stores it as `Setup` `Language` and sets the changed mark, which asks the owner to start the
/// program again; the mark stays set for the dialog's life.
class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLanguageDlg(AppContext& context, QWidget* parent = nullptr);

    /// Selects the language the next start will use (the running one until an OK stored the
    /// other), then runs the dialog.
    int exec() override;
    void accept() override;

    /// 0 English, 1 Chinese; -1 before the first run.
    int selected() const { return m_selected; }
    /// Set by the first OK that stored a language, never cleared.
    bool changed() const { return m_changed; }
    QRadioButton* englishButton() const;
    QRadioButton* chineseButton() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppContext& m_context;
    QButtonGroup* m_languages;
    int m_selected = -1;
    bool m_changed = false;
};

}  // namespace radioprog::gui
