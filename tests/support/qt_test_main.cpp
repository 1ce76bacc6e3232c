#include <QApplication>
#include <gtest/gtest.h>

// Widgets need a QApplication before the first test runs. Tests render offscreen
// unless the environment asks for a real display (the whole-program tests do).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
