// Test entry for window tests: a QApplication, normally on the offscreen platform.
#include <QApplication>

#include <gtest/gtest.h>

#include "TestEnvironment.h"

int main(int argc, char** argv) {
    fv::test::isolateUserFolders();
    // Windows show English whatever the machine's locale, unless a test asks for a language.
    qputenv("FV_LANGUAGE", "English");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
