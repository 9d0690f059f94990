// The two file routines on Windows: whether a path names an existing entry,
// and a copy that expands LZ-compressed files and never leaves a
// half-written Dest.  Paths are in the ANSI code page (the "A" functions).
//
// The copy opens Source for reading only (so read-only files and files that
// others keep open for reading are copied), writes a new temporary file
// beside Dest, flushes it to disk, and only then moves it over Dest; any
// failure deletes the temporary file and leaves an existing Dest as it was.
#if defined(_WIN32)

#include "file_report.h"
#include "lz_expand.h"
#include "qvcalc32.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#undef CopyFile

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

namespace {

using qv::Report;
using qv::Say;

constexpr const char *kOpen = "Cannot open source file";
constexpr const char *kCreate = "Cannot create destination file";
constexpr const char *kWrite = "Cannot write destination file";

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// The system's text for a Windows error code, on one line.
int32_t Fail(const Report &r, int32_t code, const char *what, const char *path, DWORD error)
{
    char reason[256];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason,
                             sizeof reason, nullptr);
    while (n > 0 && (reason[n - 1] == '\r' || reason[n - 1] == '\n' || reason[n - 1] == '.' || reason[n - 1] == ' '))
        --n;
    if (n == 0) n = static_cast<DWORD>(std::snprintf(reason, sizeof reason, "error %lu", error));
    reason[n] = '\0';
    Say(r, "%s %s: %s", what, path, reason);
    return code;
}

int32_t FailText(const Report &r, int32_t code, const char *what, const char *path, const char *reason)
{
    Say(r, "%s %s: %s", what, path, reason);
    return code;
}

// A new, empty file in the directory of `dest`, created exclusively so that
// it can never be someone else's file.  Fills `temp` with its name.
HANDLE CreateTemp(const char *dest, char (&temp)[MAX_PATH + 32], DWORD &error)
{
    int dirLength = 0;
    for (int i = 0; dest[i] != '\0'; ++i)
        if (IsSeparator(dest[i]) || dest[i] == ':') dirLength = i + 1;
    for (DWORD attempt = 0; attempt < 64; ++attempt) {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        const unsigned long long salt = static_cast<unsigned long long>(now.QuadPart) * 0x9E3779B97F4A7C15ull ^
                                        static_cast<unsigned long long>(GetCurrentProcessId()) << 20 ^ attempt;
        std::snprintf(temp, sizeof temp, "%.*s.qvcalc32-%012llx", dirLength, dest, salt & 0xFFFFFFFFFFFFull);
        const HANDLE h = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return h;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

// Whether Dest can be replaced: not a directory, not read-only.
int32_t CheckDest(const Report &r, const char *dest)
{
    const std::size_t n = std::strlen(dest);
    if (n == 0) return Fail(r, QVCALC32_COPY_DEST_ERROR, kCreate, dest, ERROR_PATH_NOT_FOUND);
    if (n >= MAX_PATH) return Fail(r, QVCALC32_COPY_DEST_ERROR, kCreate, dest, ERROR_FILENAME_EXCED_RANGE);
    if (IsSeparator(dest[n - 1])) return FailText(r, QVCALC32_COPY_DEST_ERROR, kCreate, dest, "Is a directory");
    const DWORD attributes = GetFileAttributesA(dest);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? QVCALC32_COPY_OK : Fail(r, QVCALC32_COPY_DEST_ERROR, kCreate, dest, error);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return FailText(r, QVCALC32_COPY_DEST_ERROR, kCreate, dest, "Is a directory");
    // Replacing by a move would succeed; keep the protection all the same.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return Fail(r, QVCALC32_COPY_DEST_ERROR, kCreate, dest, ERROR_ACCESS_DENIED);
    return QVCALC32_COPY_OK;
}

// Copies the open source (a C run-time descriptor that owns its handle) to
// a temporary file and moves that over Dest.  Closes `source`.
int32_t CopyOpenSource(int source, const char *sourceName, const char *dest, const Report &r)
{
    if (const int32_t code = CheckDest(r, dest); code != QVCALC32_COPY_OK) {
        _close(source);
        return code;
    }
    char temp[MAX_PATH + 32];
    DWORD error = 0;
    const HANDLE outHandle = CreateTemp(dest, temp, error);
    if (outHandle == INVALID_HANDLE_VALUE) {
        _close(source);
        return Fail(r, QVCALC32_COPY_DEST_ERROR, kCreate, dest, error);
    }
    const int out = _open_osfhandle(reinterpret_cast<intptr_t>(outHandle), _O_WRONLY | _O_BINARY);
    int32_t code = QVCALC32_COPY_OK;
    if (out < 0) {
        CloseHandle(outHandle);
        code = FailText(r, QVCALC32_COPY_DEST_ERROR, kWrite, dest, "too many open files");
    } else {
        const qv::LzResult copied = qv::LzCopy(source, out);
        switch (copied.Outcome) {
        case qv::LzOutcome::Ok: break;
        case qv::LzOutcome::ReadFailed:
            code = FailText(r, QVCALC32_COPY_SOURCE_ERROR, "Cannot read source file", sourceName,
                            std::strerror(copied.Error));
            break;
        case qv::LzOutcome::WriteFailed:
            code = FailText(r, QVCALC32_COPY_DEST_ERROR, kWrite, dest, std::strerror(copied.Error));
            break;
        case qv::LzOutcome::Damaged:
            Say(r, "Error creating temporary file.");
            code = QVCALC32_COPY_EXPAND_ERROR;
            break;
        }
        if (code == QVCALC32_COPY_OK && !FlushFileBuffers(outHandle))
            code = Fail(r, QVCALC32_COPY_DEST_ERROR, kWrite, dest, GetLastError());
        _close(out);
    }
    // The source is closed before the move, so that copying a file onto
    // itself can replace it.
    _close(source);
    if (code == QVCALC32_COPY_OK && !MoveFileExA(temp, dest, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        code = Fail(r, QVCALC32_COPY_DEST_ERROR, "Cannot replace destination file", dest, GetLastError());
    if (code != QVCALC32_COPY_OK) DeleteFileA(temp);
    return code;
}

}  // namespace

extern "C" {

bool DirExists(const char *Path)
{
    // Both separators end a directory name, any number of them; they go
    // before the lookup, so that files are found as well as directories.  A
    // drive's root keeps one ("C:\"), since "C:" alone names the current
    // directory of that drive.  Hidden and system entries are found like any
    // other: their names are taken all the same.
    if (Path == nullptr || Path[0] == '\0') return false;
    std::size_t n = std::strlen(Path);
    while (n > 1 && IsSeparator(Path[n - 1])) --n;
    const bool driveRoot = n == 2 && Path[1] == ':' && Path[2] != '\0';
    if (driveRoot) ++n;
    char path[MAX_PATH];
    if (n >= sizeof path) return false;
    std::memcpy(path, Path, n);
    path[n] = '\0';
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

int32_t CopyFile(const char *Source, const char *Dest, char *Message, int32_t MessageHigh)
{
    const Report r{Message, MessageHigh};
    Say(r, "%s", "");
    if (Source == nullptr) {
        Say(r, "No source file given.");
        return QVCALC32_COPY_SOURCE_ERROR;
    }
    if (Dest == nullptr) {
        Say(r, "No destination file given.");
        return QVCALC32_COPY_DEST_ERROR;
    }
    // Read-only; others may go on reading, writing or renaming it meanwhile.
    const DWORD attributes = GetFileAttributesA(Source);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FailText(r, QVCALC32_COPY_SOURCE_ERROR, kOpen, Source, "Is a directory");
    const HANDLE h = CreateFileA(Source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Fail(r, QVCALC32_COPY_SOURCE_ERROR, kOpen, Source, GetLastError());
    // Only files on disk are copied: not devices such as NUL or CON, not pipes.
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return FailText(r, QVCALC32_COPY_SOURCE_ERROR, kOpen, Source, "not a regular file");
    }
    const int source = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
    if (source < 0) {
        CloseHandle(h);
        return FailText(r, QVCALC32_COPY_SOURCE_ERROR, kOpen, Source, "too many open files");
    }
    return CopyOpenSource(source, Source, Dest, r);
}

}  // extern "C"

#endif  // _WIN32
