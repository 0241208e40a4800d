// The window tests run without a display (offscreen platform) and with XDG_CONFIG_HOME in a
// folder of their own, both set before Qt starts.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>

#include "temp_folder.h"

int main(int argc, char** argv) {
    lorvane::test::TempFolder config;
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("LORVANE_NO_OPEN", "1", 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
