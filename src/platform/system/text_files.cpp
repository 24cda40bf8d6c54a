// Text files as the run-time engine offers them: integer handles, text mode
// ("\n" written becomes CR LF, a line read ends at CR LF or LF).
#include <cstdio>
#include <map>

#include "platform/system/native_files.h"
#include "platform/system/system.h"

namespace {

std::map<int, std::FILE*>& OpenFiles() {
    static std::map<int, std::FILE*> files;
    return files;
}

int next_handle = 1;

std::FILE* FileOf(int handle) {
    auto it = OpenFiles().find(handle);
    return it == OpenFiles().end() ? nullptr : it->second;
}

const char* FopenMode(int mode, int action, bool exists) {
    switch (mode) {
        case VAL_READ_ONLY:
            return "rb";
        case VAL_WRITE_ONLY:
            if (action == VAL_APPEND) return "ab";
            if (action == VAL_TRUNCATE || !exists) return "wb";
            return "r+b";
        case VAL_READ_WRITE:
            if (action == VAL_APPEND) return "a+b";
            if (action == VAL_TRUNCATE || !exists) return "w+b";
            return "r+b";
        default:
            return nullptr;
    }
}

}  // namespace

int CVI_OpenFile(const std::string& path, int mode, int action) {
    long long size = 0;
    const PathKind kind = KindOfPath(path, size);
    if (kind == PathKind::Folder) return -1;
    const bool exists = kind != PathKind::Missing;
    const char* fmode = FopenMode(mode, action, exists);
    if (fmode == nullptr || path.empty()) return -1;
    std::FILE* file = OpenNativeFile(path, fmode);
    if (file == nullptr) return -1;
    const int handle = next_handle++;
    OpenFiles()[handle] = file;
    return handle;
}

int CVI_CloseFile(int handle) {
    std::FILE* file = FileOf(handle);
    if (file == nullptr) return -1;
    OpenFiles().erase(handle);
    return std::fclose(file) == 0 ? 0 : -1;
}

int FmtFile(int handle, const std::string& text) {
    std::FILE* file = FileOf(handle);
    if (file == nullptr) return -1;
    const std::string out = TextFileBytes(text);
    if (std::fwrite(out.data(), 1, out.size(), file) != out.size()) return -1;
    // Written through at once: a log must survive a crash of the program.
    if (std::fflush(file) != 0) return -1;
    return static_cast<int>(out.size());
}

std::string TextFileBytes(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 1);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

int ReadLine(int handle, std::string& line) {
    line.clear();
    std::FILE* file = FileOf(handle);
    if (file == nullptr) return -1;
    bool got_any = false;
    for (;;) {
        const int c = std::fgetc(file);
        if (c == EOF) {
            if (std::ferror(file)) return -1;
            if (!got_any) return -2;
            break;
        }
        got_any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return static_cast<int>(line.size());
}

int CVI_DeleteFile(const std::string& path) {
    // Files only: a folder of that name is left alone.
    return DeleteNativeFile(path) ? 0 : -1;
}

int RenameFile(const std::string& oldPath, const std::string& newPath) {
    long long size = 0;
    if (KindOfPath(newPath, size) == PathKind::Folder) return -1;
    return RenameReplacing(oldPath, newPath) ? 0 : -1;
}

int GetFileInfo(const std::string& path, long& size) {
    long long bytes = 0;
    size = 0;
    switch (KindOfPath(path, bytes)) {
        case PathKind::Missing:
            return 0;
        case PathKind::Unreadable:
            return -1;
        default:
            size = static_cast<long>(bytes);
            return 1;
    }
}
