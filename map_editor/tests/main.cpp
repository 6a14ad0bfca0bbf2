// The widget tests need one QApplication for the whole run. It is always
// headless, also while ctest lists the tests, where no display may exist.
#include <gtest/gtest.h>

#include <QApplication>

#include "file_io.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    tilora::IgnoreWriteSignals();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
