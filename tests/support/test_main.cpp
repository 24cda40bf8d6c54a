// Test entry point: one application for the whole test program, set up as the
// program sets itself up, offscreen unless a display was asked for.
#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>

#include "platform/ui/ui.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    InitUserInterface(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
