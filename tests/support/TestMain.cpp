// Entry point of every test binary: one QApplication for the whole run, as
// widgets need it, the runtime set up on it (SetUpRuntimeForTests: as the
// runtime alone, or as the program sets it up), then GoogleTest.
#include "support/TestSetUp.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    tickora::testing::SetUpRuntimeForTests(argc, argv);
    return RUN_ALL_TESTS();
}
