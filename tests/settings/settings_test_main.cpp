// Every settings test runs with XDG_CONFIG_HOME in a folder of its own, set before QSettings
// first looks for its files, so the user's real settings are never touched.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>

#include "temp_folder.h"

int main(int argc, char** argv) {
    lorvane::test::TempFolder config;
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
