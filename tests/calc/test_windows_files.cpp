// DirExists and CopyFile on Windows (the Windows file functions; runs under
// wine too).  SZDD vectors are worked out by hand from the format's layout:
// 14-byte header, then LZSS with flag bits least significant first (set =
// literal), a 4096-byte ring of spaces written from 4080, reference =
// b0 | (b1 & F0) << 4, length (b1 & 0F) + 3.
#if defined(_WIN32)

#include <windows.h>
#undef CopyFile

#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(const std::string &s) { return Bytes(s.begin(), s.end()); }

Bytes Szdd(uint32_t length, const Bytes &tokens)
{
    const uint8_t header[14] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', '_', uint8_t(length),
                                uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
    Bytes b(sizeof header + tokens.size());
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = i < sizeof header ? header[i] : tokens[i - sizeof header];
    return b;
}

// A fresh directory under the user's temporary folder, removed afterwards.
class WindowsFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char base[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, base), 0u);
        dir_ = std::string(base) + "qvcalc32-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
    }
    void TearDown() override
    {
        for (const auto &name : Entries()) {
            const std::string p = P(name);
            SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(p.c_str())) RemoveDirectoryA(p.c_str());
        }
        RemoveDirectoryA(dir_.c_str());
    }
    std::string P(const std::string &name) const { return dir_ + "\\" + name; }
    void Put(const std::string &name, const Bytes &b) const
    {
        const HANDLE h = CreateFileA(P(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
        DWORD written = 0;
        WriteFile(h, b.data(), DWORD(b.size()), &written, nullptr);
        CloseHandle(h);
    }
    Bytes Get(const std::string &name) const
    {
        Bytes b;
        const HANDLE h = CreateFileA(P(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return b;
        uint8_t buf[4096];
        DWORD got = 0;
        while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) b.insert(b.end(), buf, buf + got);
        CloseHandle(h);
        return b;
    }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        const HANDLE h = FindFirstFileA((dir_ + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string n = fd.cFileName;
            if (n != "." && n != "..") names.push_back(n);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
        std::sort(names.begin(), names.end());
        return names;
    }
    int32_t Copy(const std::string &from, const std::string &to, std::string *message = nullptr) const
    {
        char m[512];
        const int32_t code = CopyFile(from.c_str(), to.c_str(), m, sizeof m - 1);
        if (message) *message = m;
        return code;
    }
    std::string dir_;
};

TEST_F(WindowsFiles, DirExistsFindsEveryEntry)
{
    ASSERT_TRUE(CreateDirectoryA(P("sub").c_str(), nullptr));
    Put("file", B("x"));
    Put("hidden", B("x"));
    SetFileAttributesA(P("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const std::string many(2000, '\\');
    struct Case { std::string path; bool exists; const char *what; } cases[] = {
        {P("sub"), true, "directory"},
        {P("sub") + "\\", true, "directory, trailing backslash"},
        {P("sub") + "/", true, "directory, trailing slash"},
        {P("sub") + many, true, "directory, thousands of backslashes"},
        {P("file"), true, "regular file"},
        {P("file") + "\\", true, "regular file, trailing backslash"},
        {P("hidden"), true, "hidden and system entries count"},
        {P("missing"), false, "missing"},
        {P("missing") + "\\", false, "missing, trailing backslash"},
        {P("s*"), false, "a wildcard is no name"},
        {"C:\\", true, "drive root"},
        {"C:/", true, "drive root, slash"},
        {"", false, "empty"},
        {P(std::string(MAX_PATH, 'a')), false, "longer than any path"},
    };
    for (const auto &c : cases) EXPECT_EQ(DirExists(c.path.c_str()), c.exists) << c.what;
    EXPECT_FALSE(DirExists(nullptr));
}

TEST_F(WindowsFiles, CopiesArriveExpandedOrByteIdentical)
{
    Bytes big(70000);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = uint8_t(i * 7 + i / 251);
    struct Case { const char *what; Bytes file, expected; } cases[] = {
        {"empty", {}, {}},
        {"binary, several chunks", big, big},
        {"CR LF stays as it is", B("a\r\nb\n\x1a" "c"), B("a\r\nb\n\x1a" "c")},
        {"SZDD literals", Szdd(5, {0x1F, 'H', 'e', 'l', 'l', 'o'}), B("Hello")},
        {"SZDD overlapping reference", Szdd(8, {0x03, 'A', 'B', 0xF0, 0xF3}), B("ABABABAB")},
        {"SZDD reference into the space fill", Szdd(5, {0x00, 0x00, 0x02}), B("     ")},
    };
    for (const auto &c : cases) {
        Put("src", c.file);
        EXPECT_EQ(Copy(P("src"), P("dst")), QVCALC32_COPY_OK) << c.what;
        EXPECT_EQ(Get("dst"), c.expected) << c.what;
    }
    EXPECT_EQ(Entries(), (std::vector<std::string>{"dst", "src"})) << "no temporary file is left";
}

TEST_F(WindowsFiles, SourcesThatCannotBeWrittenAreCopied)
{
    Put("readonly", B("read only"));
    SetFileAttributesA(P("readonly").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Copy(P("readonly"), P("a")), QVCALC32_COPY_OK);
    EXPECT_EQ(Get("a"), B("read only"));
    // Another program is writing it and lets others read.
    Put("busy", B("in use"));
    const HANDLE writer = CreateFileA(P("busy").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Copy(P("busy"), P("b")), QVCALC32_COPY_OK);
    CloseHandle(writer);
    EXPECT_EQ(Get("b"), B("in use"));
    // Onto itself: the file stays whole.
    EXPECT_EQ(Copy(P("b"), P("b")), QVCALC32_COPY_OK);
    EXPECT_EQ(Get("b"), B("in use"));
    // Onto an existing, longer file: its whole content is replaced.
    Put("long", Bytes(10000, 'z'));
    EXPECT_EQ(Copy(P("b"), P("long")), QVCALC32_COPY_OK);
    EXPECT_EQ(Get("long"), B("in use"));
}

TEST_F(WindowsFiles, FailuresLeaveDestAsItWasAndNoTemporaryFiles)
{
    Put("dst", B("old content"));
    Put("file", B("x"));
    Put("protected", B("keep"));
    SetFileAttributesA(P("protected").c_str(), FILE_ATTRIBUTE_READONLY);
    Put("damaged", Szdd(10, {0x1F, 'H', 'e', 'l', 'l', 'o'}));
    ASSERT_TRUE(CreateDirectoryA(P("dir").c_str(), nullptr));
    const auto before = Entries();
    struct Case { std::string from, to; int32_t code; std::string message; } cases[] = {
        {P("missing"), P("dst"), QVCALC32_COPY_SOURCE_ERROR, "Cannot open source file " + P("missing") + ": "},
        {P("dir"), P("dst"), QVCALC32_COPY_SOURCE_ERROR, "Cannot open source file " + P("dir") + ": Is a directory"},
        {"NUL", P("dst"), QVCALC32_COPY_SOURCE_ERROR, "Cannot open source file NUL: not a regular file"},
        {P("damaged"), P("dst"), QVCALC32_COPY_EXPAND_ERROR, "Error creating temporary file."},
        {P("file"), P("dir"), QVCALC32_COPY_DEST_ERROR, "Cannot create destination file " + P("dir") + ": Is a directory"},
        {P("file"), P("dst") + "\\", QVCALC32_COPY_DEST_ERROR, "Cannot create destination file " + P("dst") + "\\: Is a directory"},
        {P("file"), P("protected"), QVCALC32_COPY_DEST_ERROR, "Cannot create destination file " + P("protected") + ": "},
        {P("file"), P("nowhere") + "\\dst", QVCALC32_COPY_DEST_ERROR, "Cannot create destination file " + P("nowhere") + "\\dst: "},
        {P("file"), "", QVCALC32_COPY_DEST_ERROR, "Cannot create destination file : "},
    };
    for (const auto &c : cases) {
        std::string message;
        EXPECT_EQ(Copy(c.from, c.to, &message), c.code) << c.message;
        if (c.message.back() == ' ') {
            // The system's own reason follows the colon; its wording varies.
            EXPECT_EQ(message.substr(0, c.message.size()), c.message);
            EXPECT_GT(message.size(), c.message.size()) << message;
        } else {
            EXPECT_EQ(message, c.message);
        }
        EXPECT_EQ(Get("dst"), B("old content")) << c.message;
        EXPECT_EQ(Get("protected"), B("keep")) << c.message;
        EXPECT_EQ(Entries(), before) << c.message;
    }
    EXPECT_EQ(CopyFile(nullptr, P("dst").c_str(), nullptr, 0), QVCALC32_COPY_SOURCE_ERROR);
    EXPECT_EQ(CopyFile(P("file").c_str(), nullptr, nullptr, 0), QVCALC32_COPY_DEST_ERROR);
}

}  // namespace

#endif  // _WIN32
