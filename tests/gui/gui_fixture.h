#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "../support/temp_dir.h"
#include "gui/app/message_service.h"
#include "gui/app/program_app.h"
#include "gui/link/login_dlg.h"

namespace radioprog::gui::testing {

/// Answers every message box from a queue (OK when empty) and remembers what was shown.
class ScriptedMessages : public MessageService {
public:
    ScriptedMessages() { SetMessageService(this); }
    ~ScriptedMessages() override { SetMessageService(nullptr); }

    struct Shown {
        QString caption;
        QString text;
    };
    std::vector<Shown> shown;
    std::deque<QMessageBox::StandardButton> answers;

    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString& caption,
                                     const QString& text,
                                     QMessageBox::StandardButtons buttons) override {
        shown.push_back({caption, text});
        if (!answers.empty()) {
            const auto answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Cancel;
    }
    /// Choices are answered from their own queue, the last choice (Close) when it is empty.
    std::deque<int> choices;
    int Choose(QWidget*, QMessageBox::Icon, const QString& caption, const QString& text,
               const QStringList& offered) override {
        shown.push_back({caption, text + "\n[" + offered.join("|") + "]"});
        if (!choices.empty()) {
            const int answer = choices.front();
            choices.pop_front();
            return answer;
        }
        return static_cast<int>(offered.size()) - 1;
    }
};

/// Runs @p step on the next modal dialog as soon as it is shown.
inline void OnNextModal(std::function<void(QWidget*)> step) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            step(modal);
        }
    });
    timer->start();
}

/// Runs @p step on the next modal dialog of type Dialog as soon as it is shown, such as one that
/// a dialog opens from its own; a dialog the step leaves open is cancelled.
template <typename Dialog>
void OnNextModalOf(std::function<void(Dialog*)> step) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            step(dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
    timer->start();
}

/// Triggers @p command and runs @p step on the dialog it opens; a dialog the step leaves open is
/// cancelled, so that a failing step cannot hang the test.
template <typename Dialog>
void RunDialog(QAction* command, const std::function<void(Dialog*)>& step) {
    bool reached = false;
    OnNextModal([&reached, step](QWidget* modal) {
        reached = true;
        auto* dialog = qobject_cast<Dialog*>(modal);
        EXPECT_NE(dialog, nullptr) << modal->metaObject()->className();
        // Focus moves only inside the active window.
        EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
        if (dialog) {
            step(dialog);
        }
        if (modal->isVisible()) {
            qobject_cast<QDialog*>(modal)->reject();
        }
    });
    command->trigger();
    EXPECT_TRUE(reached) << command->objectName().toStdString();
}

/// Far from every window of a test, where the pointer rests when it must be nowhere.
inline const QPoint kElsewhere{5000, 5000};

/// Starts the desktop program on the application folder @p dir (with the demo radio when
/// @p demo) and answers the Login dialog as Admin without a password. The program has no main
/// window when it did not start.
inline std::unique_ptr<CProgramApp> StartAsAdmin(const std::filesystem::path& dir,
                                                 bool demo = false) {
    StartOptions options;
    options.appDir = dir.string();
    options.demo = demo;
    auto app = std::make_unique<CProgramApp>(options);
    OnNextModal([](QWidget* modal) {
        auto* login = qobject_cast<CLoginDlg*>(modal);
        login->roleList()->setCurrentIndex(1);
        login->accept();
    });
    app->Start();
    return app;
}

/// Starts the desktop program on the application folder @p dir and accepts the Login dialog as
/// it opens (the role stored for the next start, no password).
inline std::unique_ptr<CProgramApp> StartAcceptingLogin(const std::filesystem::path& dir) {
    StartOptions options;
    options.appDir = dir.string();
    auto app = std::make_unique<CProgramApp>(options);
    OnNextModal([](QWidget* modal) { qobject_cast<CLoginDlg*>(modal)->accept(); });
    EXPECT_TRUE(app->Start());
    return app;
}

/// Processes events until @p done or the time runs out.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        // Outside an event loop nothing else would carry out a deleteLater().
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

/// Makes @p dir a private application folder with both catalogues, and points the per-user
/// store into it.
inline void PrepareAppFolder(const radioprog::testing::TempDir& dir) {
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    const std::filesystem::path binaries = QCoreApplication::applicationDirPath().toStdString();
    for (const char* catalogue : {"English.qm", "Chinese.qm"}) {
        std::filesystem::copy_file(binaries / catalogue, dir / catalogue);
    }
}

/// Writes a widget's picture to build/screenshots when the build folder is known.
inline void Screenshot(QWidget* widget, const QString& name) {
    const QByteArray folder = qgetenv("RADIOPROG_SCREENSHOTS");
    if (folder.isEmpty()) {
        return;
    }
    QDir().mkpath(QString::fromUtf8(folder));
    widget->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

}  // namespace radioprog::gui::testing
