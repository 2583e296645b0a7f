#include <QApplication>
#include <gtest/gtest.h>

// Test programs that drive widgets need one application object for the whole run.
int main(int argc, char **argv)
{
    // Headless unless told otherwise; CTest's test discovery runs the program without the
    // test environment, where there may be no display at all.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
