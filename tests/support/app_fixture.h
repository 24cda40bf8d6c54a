// The fixture of every test that touches the program: a fresh temporary
// program directory holding a copy of the build's resources, all program
// state reset, the test time scale, and a popup recorder that answers from a
// script.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/popup_recorder.h"

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The temporary program directory (no trailing separator).
    const std::string& program_dir() const { return program_dir_; }
    std::string ProgramPath(const std::string& name) const { return program_dir_ + "/" + name; }
    // Whole file as bytes; empty when missing.
    std::string ReadProgramFile(const std::string& name) const;
    void WriteProgramFile(const std::string& name, const std::string& bytes) const;
    bool ProgramFileExists(const std::string& name) const;

    PopupRecorder& recorder() { return recorder_; }
    const std::vector<PopupRecord>& popups() const { return recorder_.popups(); }
    // Documents handed to the desktop viewer during the test.
    const std::vector<std::string>& opened_documents() const { return opened_documents_; }

    // The export registered and its two panels loaded, as File, Import/Export
    // finds them; the workbooks' folder <program dir>/out made. Returns it.
    std::string OpenExportPanels();

    // Lets pending Qt work (drawing, deferred deletes) happen.
    static void ProcessPending();

private:
    std::string program_dir_;
    PopupRecorder recorder_;
    std::vector<std::string> opened_documents_;
};

// Resets the state of every subsystem (the fixture calls it in SetUp and TearDown).
void ResetAllSubsystemsForTesting();
