// Entry point of every test binary: one QApplication for the whole run, as
// widgets need it, then GoogleTest.
#include "runtime/Runtime.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    tickora::runtime::RuntimeInit(argc, argv, QStringLiteral("Tickora"));
    return RUN_ALL_TESTS();
}
