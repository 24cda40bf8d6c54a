// Entry point of the test programs that need no user interface: the process
// takes the desktop's locale as the program's application object sets it up
// (the desktop's for texts, the C notation for numbers), so a run under a
// French locale sees what the program would.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
