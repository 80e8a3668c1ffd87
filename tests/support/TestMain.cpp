// Test programs run with a full application object (offscreen in CI), the card
// pictures loaded, and the per-user settings store inside a temporary folder.
#include "model/Card.h"
#include "tests/support/Support.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir Settings;
    qputenv("XDG_CONFIG_HOME", Settings.path().toUtf8());
    // The statistics and the kept game too stay out of the user's own folders.
    qputenv("XDG_DATA_HOME", Settings.path().toUtf8());
    qputenv("XDG_STATE_HOME", Settings.path().toUtf8());
    // Otherwise Qt makes a runtime folder of its own in the temporary folder.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", Settings.path().toUtf8());
    QApplication App(argc, argv);
    PointSettingsStoreAt(Settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    CardStartup();
    const int Result = RUN_ALL_TESTS();
    CardShutdown();
    return Result;
}
