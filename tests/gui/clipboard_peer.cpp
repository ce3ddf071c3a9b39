// One running desktop program on a real display, for the test that copies channels in one
// program and pastes them in another:
//   clipboard_peer copy APPDIR FILE.dat CHANNEL...   copies, says "copied", keeps the clipboard
//                                                    until its standard input closes
//   clipboard_peer paste APPDIR OUT.dat CHANNEL      pastes at CHANNEL into a new document and
//                                                    saves it as OUT.dat
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>

#include "gui/app/main_frame.h"
#include "gui/app/program_app.h"
#include "gui/link/login_dlg.h"
#include "gui/view/program_view.h"

using namespace radioprog;
using namespace radioprog::gui;

namespace {

std::unique_ptr<CProgramApp> StartProgram(const char* appDir, const QString& file) {
    StartOptions options;
    options.appDir = appDir;
    options.file = file;
    auto app = std::make_unique<CProgramApp>(options);
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer] {
        if (auto* login = qobject_cast<CLoginDlg*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            login->accept();
        }
    });
    timer->start(10);
    return app->Start() ? std::move(app) : nullptr;
}

int Copy(CProgramView& view, CMainFrame& frame, const std::vector<int>& channels) {
    view.grid().SelectRows(channels);
    frame.action("copy")->trigger();
    std::printf("copied\n");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [] {
        char byte = 0;
        if (::read(STDIN_FILENO, &byte, 1) <= 0) {
            QApplication::quit();
        }
    });
    return QApplication::exec();
}

int Paste(CProgramView& view, CMainFrame& frame, int channel, const QString& out) {
    view.grid().SelectRows({channel});
    frame.action("paste")->trigger();
    const Status saved = view.Save(out);
    if (!saved) {
        std::fprintf(stderr, "%s\n", saved.message().c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: clipboard_peer copy|paste APPDIR FILE CHANNEL...\n");
        return 2;
    }
    const std::string mode = argv[1];
    const auto app = StartProgram(argv[2], mode == "copy" ? QString(argv[3]) : QString());
    CMainFrame* frame = app ? app->mainFrame() : nullptr;
    CProgramView* view = frame ? frame->activeView() : nullptr;
    if (!view) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    std::vector<int> channels;
    for (int i = 4; i < argc; ++i) {
        channels.push_back(std::atoi(argv[i]));
    }
    return mode == "copy" ? Copy(*view, *frame, channels)
                          : Paste(*view, *frame, channels.front(), argv[3]);
}
