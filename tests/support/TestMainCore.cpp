// Test entry for logic tests: a QCoreApplication so queued callbacks and timers can run.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include "TestEnvironment.h"

int main(int argc, char** argv) {
    fv::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
