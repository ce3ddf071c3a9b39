// Start-up of the desktop program to its main window (offscreen, the login answered at once),
// its peak memory, and a full read in the window against the same simulated radio as the
// command line's benchmark.
#include <sys/prctl.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/sim/demo_memory.h"
#include "core/sim/pty_radio.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/link/login_dlg.h"
#include "gui/link/process_dlg.h"
#include "gui/view/program_view.h"

using namespace radioprog;
using namespace radioprog::gui;

int main(int argc, char** argv) {
    ::prctl(PR_SET_TIMERSLACK, 1UL);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::filesystem::path appDir =
        std::filesystem::temp_directory_path() / "radioprog-gui-bench";
    std::filesystem::create_directories(appDir / "config");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((appDir / "config").string()));
    std::ofstream(appDir / "Program.ini")
        << "[Setup]\nLanguage=English\nAppName=bench\n[English]\nCompany=Bench\n";
    const std::filesystem::path binDir = std::filesystem::path(argv[0]).parent_path();
    std::filesystem::copy_file(binDir / "English.qm", appDir / "English.qm",
                               std::filesystem::copy_options::overwrite_existing);

    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    StartOptions options;
    options.appDir = appDir.string();
    CProgramApp app(options);
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&answer] {
        if (auto* login = qobject_cast<CLoginDlg*>(QApplication::activeModalWidget())) {
            answer.stop();
            login->accept();
        }
    });
    answer.start();
    if (!app.Start()) {
        std::fprintf(stderr, "start-up failed\n");
        return 1;
    }
    QApplication::processEvents();
    const double startupMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    PtyRadio::Options radioOptions;
    radioOptions.baud = 9600;
    PtyRadio::Started started = PtyRadio::Start(RadioSimulator(DemoMemory()), radioOptions);
    if (!started.radio) {
        std::fprintf(stderr, "no radio: %s\n", started.error.c_str());
        return 1;
    }
    app.context().link.portName = started.radio->devicePath();
    CProgramView* view = app.mainFrame()->activeView();
    view->OnRead();
    QElapsedTimer transfer;
    transfer.start();
    view->progressDialog()->okButton()->click();
    while (view->progressDialog() != nullptr) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const double readS = static_cast<double>(transfer.nsecsElapsed()) / 1e9;

    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("start-up to main window: %.0f ms\n", startupMs);
    std::printf("peak memory: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::printf("full read in the window at 9600 baud: %.3f s (compare bench_transfer's read)\n",
                readS);
    return 0;
}
