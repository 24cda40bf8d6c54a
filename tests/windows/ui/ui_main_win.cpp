// Entry point of the Windows user-interface tests: the user interface set up
// as the program sets itself up, then every test.
#include <gtest/gtest.h>

#include <clocale>

#include "platform/ui/ui.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    if (InitUserInterface(argc, argv) == 0) return 2;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
