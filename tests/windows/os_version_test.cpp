// The Windows version the driver advice reads is the system's own: Windows 10
// and 11 both answer 10.0 (11 from build 22000) whatever the executable's
// manifest says, where GetVersionEx answers 6.2 to a program without one.
// The test prefix stands in for Windows 10 (Wine 8 knows no Windows 11).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/system/system.h"

TEST(WindowsVersion, IsTheSystemsOwnNotTheCompatibilityAnswer) {
    int major = 0, minor = 0, build = 0, platform = 0;
    ASSERT_EQ(GetWinOSVersion(major, minor, build, platform), 0);
    EXPECT_EQ(major, 10);
    EXPECT_EQ(minor, 0);
    EXPECT_GT(build, 10000);
    // What the older call tells a program without a manifest.
    OSVERSIONINFOW compatibility{};
    compatibility.dwOSVersionInfoSize = sizeof compatibility;
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ASSERT_TRUE(GetVersionExW(&compatibility));
    EXPECT_LT(compatibility.dwMajorVersion, 10u);
}
