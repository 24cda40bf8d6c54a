#include "support/app_fixture.h"

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "excel/registration.h"
#include "export/registration.h"
#include "import/registration.h"
#include "link/registration.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "shell/startup.h"

namespace fs = std::filesystem;

namespace {

// The executables of the build directory are not part of a program directory
// copy, nor is what a run of the program (scripts/demo) leaves beside them:
// settings, log, COM registrations and workbooks.
bool LeftOutOfTheCopy(const fs::path& path) {
    const std::string name = path.filename().string();
    return name.rfind("briskel-view", 0) == 0 || name.rfind("zr8812-emulator", 0) == 0 ||
           name == "Briskel.ini" || name == "ZR881x_9025.log" || name == "dosdevices" ||
           path.extension() == ".xlsx";
}

void CopyResources(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(from, ec)) {
        if (LeftOutOfTheCopy(entry.path())) continue;
        const fs::path target = to / entry.path().filename();
        if (entry.is_directory()) {
            fs::create_directories(target, ec);
            CopyResources(entry.path(), target);
        } else if (entry.is_regular_file()) {
            fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing, ec);
        }
    }
}

}  // namespace

void ResetAllSubsystemsForTesting() {
    ResetUserInterfaceForTesting();
    ResetShellForTesting();
    // ---- Other subsystems add their reset call here (one line each). ----
    ResetLinkStateForTesting();
    ResetImportStateForTesting();
    ResetExcelStateForTesting();
    ResetExportStateForTesting();
}

void AppFixture::SetUp() {
    fs::path base = fs::temp_directory_path() / "briskel-test-XXXXXX";
    std::string pattern = base.string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    program_dir_ = pattern;
    CopyResources(BRISKEL_PROGRAM_DIR, program_dir_);
    SetProjectDirForTesting(program_dir_);
    SetTimeScale(0.02);
    SetOSVersionForTesting(6, 1);
    ResetAllSubsystemsForTesting();
    opened_documents_.clear();
    SetDocumentViewerForTesting([this](const std::string& path) {
        opened_documents_.push_back(path);
        return true;
    });
    recorder_.Clear();
    recorder_.Install();
}

void AppFixture::TearDown() {
    ResetAllSubsystemsForTesting();
    PopupRecorder::Uninstall();
    SetDocumentViewerForTesting(nullptr);
    SetWriteLimitForTesting(-1);
    SetDiskFlushObserverForTesting(nullptr);
    SetRunningSystemForTesting(std::nullopt);
    SetOSVersionForTesting(-1, 0);
    SetLocalTimeForTesting(std::nullopt);
    SetTimeScale(1.0);
    SetProjectDirForTesting("");
    std::error_code ec;
    // Tests may leave the current directory inside the program directory.
    fs::current_path(fs::temp_directory_path(), ec);
    fs::permissions(program_dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(program_dir_, ec);
}

std::string AppFixture::ReadProgramFile(const std::string& name) const {
    std::ifstream in(ProgramPath(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void AppFixture::WriteProgramFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(ProgramPath(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool AppFixture::ProgramFileExists(const std::string& name) const {
    return fs::exists(ProgramPath(name));
}

void AppFixture::ProcessPending() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::string AppFixture::OpenExportPanels() {
    RegisterExcelSubsystem();
    RegisterExportSubsystem();
    Fen_princ[PANEL_EXPORT] = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
    Fen_princ[PANEL_IMPORT] = LoadPanel(0, UIR_FILE, PANEL_IMPORT);
    const std::string out = program_dir() + "/out";
    std::filesystem::create_directory(out);
    return out;
}
