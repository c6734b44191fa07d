// main() of every test program: GUI tests run headless, and nothing touches the user's own settings.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/config_dir.h"

int main(int argc, char** argv) {
    // gtest_discover_tests runs the binary during the build, with no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A process-wide fallback; tests that store settings take their own ScopedConfigDir.
    QTemporaryDir fallbackConfig;
    testsupport::PointSettingsAt(fallbackConfig.path());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
