#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Widgets need a QApplication before the first test runs. Tests render offscreen
// unless the environment asks for a real display (the whole-program tests do),
// in a UTF-8 locale, and find the source tree for the files they read. The
// settings store fixes its folder at first use, so the tests' own folder is set
// before anything runs and nothing of the user's is read or written.
int main(int argc, char** argv) {
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 2;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("LC_ALL"))
        qputenv("LC_ALL", "C.UTF-8");
    if (qEnvironmentVariableIsEmpty("QV_SOURCE_DIR"))
        qputenv("QV_SOURCE_DIR", QV_SOURCE_DIR_DEFAULT);
    if (qEnvironmentVariableIsEmpty("QV_BINARY_DIR"))
        qputenv("QV_BINARY_DIR", QV_BINARY_DIR_DEFAULT);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
