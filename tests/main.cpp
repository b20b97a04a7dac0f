#include "TimerApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Listing the tests at build time also needs a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TimerApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
