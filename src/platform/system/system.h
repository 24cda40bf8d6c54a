// Files, dates and times, delays, the program directory, the OS version and the
// document viewer. No business logic here.
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>

// ---- Program directory --------------------------------------------------------
// The directory of the executable, without a trailing separator.
int GetProjectDir(std::string& directory);
// Tests point the program directory elsewhere; an empty text restores the default.
void SetProjectDirForTesting(const std::string& directory);
// Makes `directory` the current directory; 0 on success, negative on failure.
int SetDir(const std::string& directory);
// The platform's path separator as text ("/" here).
const char* PathSeparator();

// ---- Folders (folders_unix.cpp; each system implements the same) -----------------
// Whether files can be created in `folder`, tried with a file that is removed
// again at once: FOLDER_WRITABLE (0), FOLDER_MISSING (it does not exist or is
// not a folder), FOLDER_REFUSED (it exists, but the system refuses this
// program a file in it: rights or access list, a protected folder, a
// read-only medium), FOLDER_NOT_WRITABLE (no file can be made in it for
// another reason).
constexpr int FOLDER_WRITABLE = 0;
constexpr int FOLDER_MISSING = -1;
constexpr int FOLDER_NOT_WRITABLE = -2;
constexpr int FOLDER_REFUSED = -3;
int CheckWritableFolder(const std::string& folder);
// The folder workbooks are proposed in until the user chooses one: the user's
// Documents folder on Windows, where a per-user installation puts the program
// folder below the hidden AppData (a workbook written there would be lost to
// its user), and on Linux when the program directory lies in a hidden folder
// (the installed program's per-user copy below ~/.local/share); else the
// program directory, and on Windows too when the system names no Documents
// folder.
std::string DefaultWorkingFolder();
// `folder`, the platform's separator and `name`; no separator is added when
// `folder` is empty or already ends with one. JoinPath(folder, "") is the
// folder with a final separator.
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder part of `path` with its final separator; empty when `path` holds
// no separator.
std::string FolderOfPath(const std::string& path);

// ---- Dates and times ---------------------------------------------------------
std::string DateStr();  // MM-DD-YYYY
std::string TimeStr();  // HH:MM:SS, 24-hour clock
int GetSystemDate(int& month, int& day, int& year);
// Tests fix the local date and time the three above read (the golden traces:
// a test listed without its year takes it from the date); std::nullopt
// restores the system's clock.
void SetLocalTimeForTesting(std::optional<std::tm> now);

// ---- Delays --------------------------------------------------------------------
// Waits `seconds` times the time scale, keeping the user interface painted.
void Delay(double seconds);
// Tests shrink every wait and serial time-out with a scale (1.0 = real time).
void SetTimeScale(double scale);
double TimeScale();

// ---- Text files ------------------------------------------------------------------
// Handles are positive; negative on failure. Text mode: "\n" written becomes CR LF;
// lines read end at CR LF or LF (neither kept).
constexpr int VAL_READ_ONLY = 1;
constexpr int VAL_WRITE_ONLY = 2;
constexpr int VAL_READ_WRITE = 3;
constexpr int VAL_TRUNCATE = 1;
constexpr int VAL_APPEND = 2;
constexpr int VAL_OPEN_AS_IS = 0;
int CVI_OpenFile(const std::string& path, int mode, int action);
int CVI_CloseFile(int handle);
// Writes the text (text mode); returns the number of bytes written or negative.
int FmtFile(int handle, const std::string& text);
// Reads one line into `line`; returns its length, -2 at end of file, -1 on error.
int ReadLine(int handle, std::string& line);
int CVI_DeleteFile(const std::string& path);
// Renames a file, replacing `newPath` if it exists (atomically on one file
// system); 0 on success, negative on failure.
int RenameFile(const std::string& oldPath, const std::string& newPath);
// 1 when the file exists (its size in `size`), 0 when not found, negative on error.
int GetFileInfo(const std::string& path, long& size);
// Text as a text-mode file holds it: every "\n" becomes CR LF.
std::string TextFileBytes(const std::string& text);

// ---- Durable files (durable_files_unix.cpp; each system implements the same) ---
// Replaces the file at `path` by `bytes` so that a crash or a power cut leaves
// either the old file whole or the new one whole: the bytes go to a temporary
// file in the same folder, which is flushed to the disk and renamed over the
// target; the folder is then flushed as well, so the new entry is on the disk
// too. 0 once the new file is durable; negative on failure, with the old file
// (if any) left whole and no temporary left behind (a failed flush of the folder
// after the rename is a failure too, the new file then being in place).
int ReplaceFileDurably(const std::string& path, const std::string& bytes);
// What ReplaceFileDurably answers when another program keeps the file open
// and does not let it be replaced (a spreadsheet program on Windows), after
// trying again for about a second.
constexpr int FILE_HELD_ELSEWHERE = -2;
// ...when the file to replace is marked read-only: it is left alone at once.
constexpr int FILE_MARKED_READ_ONLY = -3;
// ...when the system does not let this program write in the target's folder:
// its rights or access list, a protected folder (Windows' Controlled folder
// access), a read-only medium.
constexpr int FILE_FOLDER_REFUSED = -4;
// Tests: with `bytes` >= 0, a durable replacement gives out (as a full disk
// does) once that many bytes went to its temporary file; -1 restores normal writing.
void SetWriteLimitForTesting(long bytes);
// Tests: told "file <path>" or "folder <path>" each time a durable write has
// flushed that file or folder to the disk; nullptr stops it.
void SetDiskFlushObserverForTesting(std::function<void(const std::string&)> observer);
// Appends `line` (its own line end included) to a file, creating it when missing,
// and waits until it is on the disk. When the file does not end with a line
// break (a line cut short by a crash), one is written first, so the new line
// never joins a damaged one. 0 on success, negative when nothing could be
// written in full.
int AppendLineDurably(const std::string& path, const std::string& line);
// The whole content of a file, as bytes: 1 when read, 0 when not found,
// negative on error.
int ReadWholeFile(const std::string& path, std::string& content);

// ---- Keeping the machine awake ----------------------------------------------------
// While on, the system is told the program is working, so an idle machine does
// not go to sleep under a long exchange (Windows: SetThreadExecutionState for
// the calling thread, the program's only one). On Linux it does nothing: each
// desktop keeps its own idle rules and none is asked here.
void KeepSystemAwake(bool on);
// Tests: whether the program last asked to be kept awake.
bool SystemKeptAwake();

// ---- Operating system ------------------------------------------------------------
// The system the program runs on: what the user is told about the USB adapter's
// driver differs (an installer on Windows, the kernel's own driver on Linux).
enum class OperatingSystem { Linux, Windows };
OperatingSystem RunningSystem();
// Tests pretend to run on another system; std::nullopt restores the real one.
void SetRunningSystemForTesting(std::optional<OperatingSystem> system);
// The running kernel's major and minor version; 0 on success, negative when unknown.
int GetWinOSVersion(int& major, int& minor, int& build, int& platform);
// Tests pretend to run on another system version; major < 0 restores the real one.
void SetOSVersionForTesting(int major, int minor);
// Opens a document in the desktop's default viewer; the result says whether it was handed over.
bool OpenDocumentInDefaultViewer(const std::string& path);
// Tests replace the desktop viewer (no external program is started); nullptr restores it.
void SetDocumentViewerForTesting(std::function<bool(const std::string&)> viewer);
