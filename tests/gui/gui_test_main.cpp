#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // The widgets are real; only the screen is not. It is as large as a small laptop's, so
    // that pictures of the main window show it whole.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" RADIOPROG_TEST_SCREEN);
    // Qt wants a private runtime folder; pictures of the windows go to the build folder unless
    // the caller names another.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", RADIOPROG_TEST_RUNTIME_DIR);
    }
    if (!qEnvironmentVariableIsSet("RADIOPROG_SCREENSHOTS")) {
        qputenv("RADIOPROG_SCREENSHOTS", RADIOPROG_TEST_SCREENSHOTS);
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
