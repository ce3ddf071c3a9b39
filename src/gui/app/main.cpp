#include <QApplication>

#include "gui/app/program_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    radioprog::gui::CProgramApp app(radioprog::gui::ParseStartOptions(QApplication::arguments()));
    if (!app.Start()) {
        return 0;
    }
    const int result = QApplication::exec();
    app.Exit();
    return result;
}
