// A Chinese run must not show English: every text of the windows is collected in an English
// run and in a Chinese run, and the two are compared one by one.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTreeWidget>
#include <map>

#include "gui/app/main_frame.h"
#include "gui/app/navigation_bar.h"
#include "gui/app/program_app.h"
#include "gui/link/login_dlg.h"
#include "gui/link/process_dlg.h"
#include "gui/view/program_view.h"
#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

using testing::OnNextModal;
using testing::RunDialog;
using testing::ScriptedMessages;

// Texts that are the same words in both languages: port names and device paths, the tone
// columns' QT/DQT, the PTT ID option, the password error's caption, numbers and bands, the
// product type the test's settings file names, and the control bar's window text, which only a
// floating bar would show.
bool SameInBothLanguages(const QString& text) {
    static const QStringList kSame = {"COM1",   "COM2",  "COM3",   "COM4",
                                      "PTT ID", "Error", "RP-16V", "IE Control Bar"};
    static const QRegularExpression kNumbers("^[0-9 .:+\\-/]*(MHz)?$");
    return kSame.contains(text) || kNumbers.match(text).hasMatch() || text.startsWith("QT/DQT") ||
           text.startsWith("/dev/");
}

// Every text shown by @p widget and its children, keyed by where it was found: the same key
// in both runs names the same place.
class TextCollector {
public:
    explicit TextCollector(std::map<QString, QString>& texts) : m_texts(texts) {}

    void Window(const QString& name, QWidget* window) {
        Add(name + "/title", window->windowTitle());
        int index = 0;
        for (QWidget* child : window->findChildren<QWidget*>()) {
            const QString place = name + "/" + QString::number(index++);
            if (auto* label = qobject_cast<QLabel*>(child)) {
                Add(place, label->text());
            } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
                Add(place, button->text());
            } else if (auto* group = qobject_cast<QGroupBox*>(child)) {
                Add(place, group->title());
            } else if (auto* list = qobject_cast<QComboBox*>(child)) {
                for (int i = 0; i < list->count(); ++i) {
                    Add(place + "/" + QString::number(i), list->itemText(i));
                }
            }
            Add(place + "/tip", child->toolTip());
        }
    }
    void Actions(QWidget* window) {
        for (QAction* action : window->findChildren<QAction*>()) {
            const QString name = "action/" + action->objectName();
            if (action->objectName().isEmpty() || action->isSeparator()) {
                continue;
            }
            Add(name, action->text());
            Add(name + "/tip", action->toolTip());
            Add(name + "/status", action->statusTip());
        }
        for (QMenu* menu : window->findChildren<QMenu*>()) {
            Add("menu/" + menu->objectName(), menu->title());
        }
    }
    void Add(const QString& place, const QString& text) {
        if (!text.trimmed().isEmpty()) {
            m_texts[place] = text;
        }
    }

private:
    std::map<QString, QString>& m_texts;
};

class TranslationTest : public ::testing::Test {
protected:
    std::map<QString, QString> Collect(const std::string& language) {
        radioprog::testing::TempDir dir;
        testing::PrepareAppFolder(dir);
        radioprog::testing::WriteText(
            dir / "Program.ini",
            "[Setup]\nLanguage=" + language +
                "\nShowLang=1\nAppName=radioprog-test\nType1=RP-16V\nField1=136-174MHz\n"
                "[English]\nCompany=Radio Co\nAppName=Radio\nAbout Title=About Radio\n"
                "[Chinese]\nCompany=电台公司\nAppName=电台\nAbout Title=关于电台\n");
        std::map<QString, QString> texts;
        TextCollector collect(texts);
        StartOptions options;
        options.appDir = dir.path().string();
        options.demo = true;
        CProgramApp app(options);
        OnNextModal([&collect](QWidget* modal) {
            collect.Window("login", modal);
            auto* login = qobject_cast<CLoginDlg*>(modal);
            login->roleList()->setCurrentIndex(1);
            login->accept();
        });
        EXPECT_TRUE(app.Start());
        CMainFrame* frame = app.mainFrame();
        collect.Actions(frame);
        collect.Window("bar", frame->navigationBar());
        CProgramView* view = frame->activeView();
        for (int col = 0; col < view->grid().columnCount(); ++col) {
            collect.Add("grid/" + QString::number(col), view->grid().TextMatrix(0, col));
        }
        for (const char* command : {"productInformation", "optionalFeatures", "scanInfo",
                                    "password", "comSetup", "language", "about"}) {
            RunDialog<QDialog>(frame->action(command), [&collect, command](QDialog* dialog) {
                collect.Window(command, dialog);
            });
        }
        frame->action("read")->trigger();
        collect.Window("progress", view->progressDialog());
        view->progressDialog()->reject();
        app.Exit();
        return texts;
    }

    ScriptedMessages m_messages;
};

TEST_F(TranslationTest, AChineseRunShowsNoEnglishTextBeyondTheWordsBothLanguagesShare) {
    const std::map<QString, QString> english = Collect("English");
    const std::map<QString, QString> chinese = Collect("Chinese");
    ASSERT_GT(english.size(), 150u);
    QStringList untranslated;
    for (const auto& [place, text] : english) {
        const auto other = chinese.find(place);
        if (other != chinese.end() && other->second == text && !SameInBothLanguages(text)) {
            untranslated << place + ": " + text;
        }
    }
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join("\n").toStdString();
}

}  // namespace
}  // namespace radioprog::gui
