// What the Windows platform tests share: a fresh temporary folder per test,
// folders and entries named in UTF-8, and programs started and waited for.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

std::wstring Wide(const std::string& utf8);

class TemporaryFolderTest : public ::testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;
    // Creates `relative` (backslash-separated, UTF-8) below the test's folder;
    // its whole path.
    std::string MakeFolder(const std::string& relative) const;
    const std::string& root() const { return root_; }

   private:
    std::string root_;
};

// The names in `folder`, sorted.
std::vector<std::string> FolderEntries(const std::string& folder);
// The probe program built beside the tests (it writes the program folder it
// finds into program-dir.txt there).
std::string ProbePath();
// The template as committed.
std::string TemplateSource();
// Starts `program` (with `arguments`) and waits for it; its exit code, or -1
// when it did not start.
int RunAndWait(const std::string& program, const std::string& arguments = "");
