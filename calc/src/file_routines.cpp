// The two file routines: whether a path names an existing entry, and a copy
// that expands LZ-compressed files and never leaves a half-written Dest.
// The message array is shared with the Windows version
// (file_routines_win32.cpp); the rest of this file is the POSIX version.
#include "file_report.h"
#include "lz_expand.h"
#include "qvcalc32.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

void qv::Say(const Report &r, const char *format, ...)
{
    if (r.Message == nullptr || r.High < 0) return;
    va_list args;
    va_start(args, format);
    const int full = std::vsnprintf(r.Message, static_cast<std::size_t>(r.High) + 1, format, args);
    va_end(args);
    const std::size_t n = std::strlen(r.Message);
    if (full < 0 || static_cast<std::size_t>(full) <= n || n == 0) return;
    // Cut short: do not leave half of a UTF-8 character from a path behind.
    std::size_t lead = n - 1;
    while (lead > 0 && (static_cast<unsigned char>(r.Message[lead]) & 0xC0) == 0x80) --lead;
    const unsigned char c = static_cast<unsigned char>(r.Message[lead]);
    const std::size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (n - lead < need) r.Message[lead] = '\0';
}

#if !defined(_WIN32)
namespace {

using qv::Report;
using qv::Say;

// strerror_r comes in a GNU and an XSI flavour; either way we want the text.
[[maybe_unused]] const char *ReasonText(int result, const char *buffer)
{
    return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char *ReasonText(const char *result, const char *) { return result; }

int32_t Fail(const Report &r, int32_t code, const char *what, const char *path, int error)
{
    char buffer[128];
    Say(r, "%s %s: %s", what, path, ReasonText(strerror_r(error, buffer, sizeof buffer), buffer));
    return code;
}

int32_t FailText(const Report &r, int32_t code, const char *what, const char *path, const char *reason)
{
    Say(r, "%s %s: %s", what, path, reason);
    return code;
}

// Where the copy lands: Dest, or the file a symbolic link Dest points to, so
// that replacing it keeps the link (a dangling link is replaced itself).
// Fills `st` and sets `exists` when that file is already there.
int ResolveDest(const char *dest, char (&target)[PATH_MAX], struct stat &st, bool &exists)
{
    const std::size_t n = std::strlen(dest);
    if (n == 0) return ENOENT;
    if (n >= sizeof target) return ENAMETOOLONG;
    if (dest[n - 1] == '/') return EISDIR;
    std::memcpy(target, dest, n + 1);
    if (::lstat(dest, &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(dest, resolved) != nullptr) std::memcpy(target, resolved, std::strlen(resolved) + 1);
    }
    exists = ::stat(target, &st) == 0;
    if (!exists) return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    // Replacing a file by rename needs no write permission on it; keep the
    // protection its owner gave it all the same.
    if (::faccessat(AT_FDCWD, target, W_OK, AT_EACCESS) != 0) return errno;
    return 0;
}

// A new, empty file beside `target`, created exclusively so that it can never
// be someone else's file.  Fills `temp` with its name.
int CreateTemp(const char *target, char (&temp)[PATH_MAX + 32], int &error)
{
    const char *slash = std::strrchr(target, '/');
    const int dirLength = slash != nullptr ? static_cast<int>(slash - target) + 1 : 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        unsigned long long salt = 0;
        if (::getrandom(&salt, sizeof salt, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof salt)) {
            timespec now{};
            ::clock_gettime(CLOCK_REALTIME, &now);
            salt = static_cast<unsigned long long>(now.tv_nsec) * 0x9E3779B97F4A7C15ull ^
                   static_cast<unsigned long long>(::getpid()) << 20 ^ static_cast<unsigned long long>(attempt);
        }
        std::snprintf(temp, sizeof temp, "%.*s.qvcalc32-%012llx", dirLength, target, salt & 0xFFFFFFFFFFFFull);
        const int fd = ::open(temp, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    error = errno;
    return -1;
}

// Makes the rename itself durable; a failure here loses nothing already
// written, so it is not reported.
void SyncDirectoryOf(const char *path)
{
    char dir[PATH_MAX + 32];
    const char *slash = std::strrchr(path, '/');
    if (slash == nullptr)
        std::strcpy(dir, ".");
    else
        std::snprintf(dir, sizeof dir, "%.*s", static_cast<int>(slash - path) + 1, path);
    const int fd = ::open(dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

int32_t CopyOpenSource(int source, const char *sourceName, const char *dest, const Report &r)
{
    constexpr const char *kCreate = "Cannot create destination file";
    constexpr const char *kWrite = "Cannot write destination file";
    char target[PATH_MAX];
    struct stat old{};
    bool exists = false;
    if (const int e = ResolveDest(dest, target, old, exists); e != 0)
        return Fail(r, QVCALC32_COPY_DEST_ERROR, kCreate, dest, e);
    if (exists && !S_ISREG(old.st_mode))
        return FailText(r, QVCALC32_COPY_DEST_ERROR, kCreate, dest, "not a regular file");

    char temp[PATH_MAX + 32];
    int error = 0;
    const int out = CreateTemp(target, temp, error);
    if (out < 0) return Fail(r, QVCALC32_COPY_DEST_ERROR, kCreate, dest, error);
    // A replaced file keeps its permissions, as it would if rewritten in place.
    if (exists) (void)::fchmod(out, old.st_mode & 07777);

    int32_t code = QVCALC32_COPY_OK;
    const qv::LzResult copied = qv::LzCopy(source, out);
    switch (copied.Outcome) {
    case qv::LzOutcome::Ok: break;
    case qv::LzOutcome::ReadFailed:
        code = Fail(r, QVCALC32_COPY_SOURCE_ERROR, "Cannot read source file", sourceName, copied.Error);
        break;
    case qv::LzOutcome::WriteFailed: code = Fail(r, QVCALC32_COPY_DEST_ERROR, kWrite, dest, copied.Error); break;
    case qv::LzOutcome::Damaged:
        Say(r, "Error creating temporary file.");
        code = QVCALC32_COPY_EXPAND_ERROR;
        break;
    }
    if (code == QVCALC32_COPY_OK && ::fsync(out) != 0) code = Fail(r, QVCALC32_COPY_DEST_ERROR, kWrite, dest, errno);
    if (::close(out) != 0 && code == QVCALC32_COPY_OK) code = Fail(r, QVCALC32_COPY_DEST_ERROR, kWrite, dest, errno);
    if (code == QVCALC32_COPY_OK && ::rename(temp, target) != 0)
        code = Fail(r, QVCALC32_COPY_DEST_ERROR, "Cannot replace destination file", dest, errno);
    if (code != QVCALC32_COPY_OK) {
        ::unlink(temp);
        return code;
    }
    SyncDirectoryOf(target);
    return QVCALC32_COPY_OK;
}

}  // namespace

extern "C" {

bool DirExists(const char *Path)
{
    // Both separators end a directory name: callers written for Windows
    // paths add a backslash.  The separators go before the lookup, so a file
    // named with one ("notes.txt/") is found as well.  Entries whose names
    // begin with a dot are found like any other: they are hidden only from
    // listings, and a caller asking about ~/.config by name expects yes.  A
    // symbolic link counts as an entry even when it points nowhere, since
    // its name is taken all the same.
    if (Path == nullptr || Path[0] == '\0') return false;
    // The separators are dropped before the length is checked: only what
    // remains has to fit the lookup's buffer.
    std::size_t n = std::strlen(Path);
    while (n > 1 && (Path[n - 1] == '/' || Path[n - 1] == '\\')) --n;
    char path[PATH_MAX];
    if (n >= sizeof path) return false;
    std::memcpy(path, Path, n);
    path[n] = '\0';
    struct stat st;
    return ::lstat(path, &st) == 0;
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
    constexpr const char *kOpen = "Cannot open source file";
    // Read-only, and non-blocking so that a FIFO given as Source cannot hang
    // the open; only regular files are copied.
    const int source = ::open(Source, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (source < 0) return Fail(r, QVCALC32_COPY_SOURCE_ERROR, kOpen, Source, errno);
    struct stat st;
    int32_t code;
    if (::fstat(source, &st) != 0)
        code = Fail(r, QVCALC32_COPY_SOURCE_ERROR, kOpen, Source, errno);
    else if (S_ISDIR(st.st_mode))
        code = Fail(r, QVCALC32_COPY_SOURCE_ERROR, kOpen, Source, EISDIR);
    else if (!S_ISREG(st.st_mode))
        code = FailText(r, QVCALC32_COPY_SOURCE_ERROR, kOpen, Source, "not a regular file");
    else
        code = CopyOpenSource(source, Source, Dest, r);
    ::close(source);
    return code;
}

}  // extern "C"
#endif  // !_WIN32
