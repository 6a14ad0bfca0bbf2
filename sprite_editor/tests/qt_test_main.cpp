// Runs the tests inside a QApplication, as the widgets need one. They run
// headless: also when the build lists them, outside ctest's environment.
#include <gtest/gtest.h>

#include <QApplication>

#include "file_io.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    IgnoreWriteSignals();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
