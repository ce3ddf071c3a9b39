#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // The widgets are real; only the screen is not.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
