#include <QApplication>
#include <gtest/gtest.h>

// Test programs that drive widgets need one application object for the whole run. They run
// headless unless told otherwise; this also lets the build list their tests without a display.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
