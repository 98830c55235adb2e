// Test entry for window tests: a QApplication, normally on the offscreen platform.
#include <QApplication>

#include <gtest/gtest.h>

#include "TestEnvironment.h"

int main(int argc, char** argv) {
    fv::test::isolateUserFolders();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
