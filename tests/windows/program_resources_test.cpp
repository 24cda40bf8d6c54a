// What Windows reads from briskel-view.exe itself: the version information of
// the file's properties, the manifest that gives the program the current
// controls, sharp text at every scale and no administrator prompt, and the
// icon its windows and shortcuts show.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/system/program_resources.h"
#include "windows_test_folders.h"

namespace {

std::wstring ProgramPath() { return Wide(std::string(BRISKEL_PROGRAM_DIR) + "/briskel-view.exe"); }

// The text of one value of the version information's U.S. English table.
std::wstring VersionText(const std::vector<char>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), query.c_str(), &value, &length) || length == 0) return L"";
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

class ProgramResources : public ::testing::Test {
   protected:
    void SetUp() override {
        module_ = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "no program at " << BRISKEL_PROGRAM_DIR;
    }
    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    // The bytes of a resource, empty when the program has none.
    std::string Resource(const wchar_t* type, int id) const {
        HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) return "";
        HGLOBAL loaded = LoadResource(module_, found);
        return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(module_, found));
    }
    HMODULE module_ = nullptr;
};

}  // namespace

TEST_F(ProgramResources, TheFilesPropertiesNameTheProductItsMakerAndVersion) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(ProgramPath().c_str(), &ignored);
    ASSERT_GT(size, 0u) << "the program carries no version information";
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(ProgramPath().c_str(), 0, size, info.data()));
    EXPECT_EQ(VersionText(info, L"ProductName"), L"Briskel View");
    EXPECT_EQ(VersionText(info, L"FileDescription"), L"Briskel View");
    EXPECT_EQ(VersionText(info, L"CompanyName"), L"Briskel");
    EXPECT_EQ(VersionText(info, L"LegalCopyright"), L"Copyright \u00a9 Briskel");
    EXPECT_EQ(VersionText(info, L"ProductVersion"), Wide(BRISKEL_VERSION));
    EXPECT_EQ(VersionText(info, L"FileVersion"), Wide(BRISKEL_VERSION));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(numbers, BRISKEL_VERSION);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(ProgramResources, TheManifestAsksForCurrentControlsSharpTextAndNoAdministrator) {
    const std::string manifest = Resource(RT_MANIFEST, 1);
    ASSERT_FALSE(manifest.empty()) << "the program carries no manifest";
    for (const char* says :
         {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2<",
          "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm<",
          "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",
          "level=\"asInvoker\"",
          "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true<"})
        EXPECT_NE(manifest.find(says), std::string::npos) << says;
}

TEST_F(ProgramResources, TheIconHasALargePictureAndLoads) {
    const std::string group = Resource(RT_GROUP_ICON, IDI_BRISKEL);
    ASSERT_GE(group.size(), 6u) << "the program carries no icon " << IDI_BRISKEL;
    const auto count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5]) << 8;
    ASSERT_EQ(group.size(), 6u + 14u * count);
    bool large = false;  // a width of 0 is 256 pixels
    for (int i = 0; i < count; ++i) large = large || group[6 + 14 * i] == 0;
    EXPECT_TRUE(large) << "no 256-pixel picture for large views";
    HICON icon = static_cast<HICON>(
        LoadImageW(module_, MAKEINTRESOURCEW(IDI_BRISKEL), IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    if (icon != nullptr) DestroyIcon(icon);
}
