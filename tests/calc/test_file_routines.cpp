// DirExists and CopyFile, with the expansion of LZ ("SZDD") files.  Source of
// the compressed vectors: the published layout of the format (14-byte header;
// LZSS, flag bits least significant first, set = literal; 4096-byte ring
// filled with spaces, written from 4080; reference = b0 | (b1 & F0) << 4,
// length (b1 & 0F) + 3).  The hand-made vectors are worked out from it byte
// by byte; the compressor below follows it independently of the library.
#include "lz_expand.h"
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes B(const std::string &s) { return Bytes(s.begin(), s.end()); }

Bytes Header(uint32_t length, uint8_t mode = 'A')
{
    return {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, mode, '_', uint8_t(length), uint8_t(length >> 8),
            uint8_t(length >> 16), uint8_t(length >> 24)};
}

// The first n bytes of a header.
Bytes Head(std::size_t n)
{
    Bytes h = Header(0);
    h.resize(n);
    return h;
}

Bytes Cat(Bytes a, const Bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct LzStats { int literals = 0, references = 0, overlapping = 0, intoFill = 0; };

// A greedy SZDD compressor that keeps the expander's ring as it will be and
// checks every candidate reference against it byte by byte.
Bytes Compress(const Bytes &in, LzStats &stats)
{
    const std::size_t n = in.size();
    Bytes out = Header(uint32_t(n));
    uint8_t ring[4096];
    std::memset(ring, ' ', sizeof ring);
    unsigned pos = 4080;
    std::vector<long> last(1 << 16, -1);
    auto hash = [&](std::size_t i) { return (in[i] * 40503u ^ in[i + 1] << 5 ^ in[i + 2] << 10) & 0xFFFF; };
    auto lengthAt = [&](std::size_t i, unsigned from) {
        std::size_t k = 0;
        for (; k < 18 && i + k < n; ++k) {
            const unsigned slot = (from + k) & 4095, ahead = (slot - pos) & 4095;
            if ((ahead < k ? in[i + ahead] : ring[slot]) != in[i + k]) break;
        }
        return k;
    };
    for (std::size_t i = 0; i < n;) {
        const std::size_t flagAt = out.size();
        out.push_back(0);
        for (int bit = 0; bit < 8 && i < n; ++bit) {
            std::vector<unsigned> candidates = {(pos - 1) & 4095, (pos + 100) & 4095};
            if (i + 2 < n && last[hash(i)] >= 0) candidates.push_back(unsigned(4080 + last[hash(i)]) & 4095);
            unsigned from = 0;
            std::size_t length = 0;
            for (unsigned c : candidates)
                if (const std::size_t l = lengthAt(i, c); l > length) length = l, from = c;
            if (length >= 3) {
                out.push_back(uint8_t(from));
                out.push_back(uint8_t((from >> 4 & 0xF0) | (length - 3)));
                ++stats.references;
                stats.overlapping += ((pos - from) & 4095) < length;
                stats.intoFill += i < 4096 && ((from - 4080) & 4095) >= i;
            } else {
                length = 1;
                out[flagAt] |= uint8_t(1 << bit);
                out.push_back(in[i]);
                ++stats.literals;
            }
            for (std::size_t end = i + length; i < end; ++i) {
                if (i + 2 < n) last[hash(i)] = long(i);
                ring[pos] = in[i];
                pos = (pos + 1) & 4095;
            }
        }
    }
    return out;
}

Bytes Random(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    Bytes b(n);
    for (auto &c : b) c = uint8_t(gen());
    return b;
}

Bytes Text(std::size_t n)
{
    static const char *words[] = {"the ", "Moon ", "rises ", "in ", "Cancer ", "while ", "Saturn ", "turns ", "\n   "};
    std::string s;
    for (unsigned i = 0; s.size() < n; i = i * 7 + 3) s += words[i % 9];
    return B(s.substr(0, n));
}

// A fresh directory per test, removed afterwards.
class Files : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/qvcalc32-files-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string P(const std::string &name) const { return (dir / name).string(); }
    void Put(const std::string &name, const Bytes &b) const
    {
        std::ofstream f(P(name), std::ios::binary);
        f.write(reinterpret_cast<const char *>(b.data()), std::streamsize(b.size()));
    }
    static Bytes Get(const std::string &path)
    {
        std::ifstream f(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(f), {});
    }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto &e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static int32_t Copy(const std::string &from, const std::string &to, std::string *message = nullptr)
    {
        char m[512];
        const int32_t code = CopyFile(from.c_str(), to.c_str(), m, sizeof m - 1);
        if (message) *message = m;
        return code;
    }
    fs::path dir;
};

using FileDirExists = Files;
using FileCopy = Files;
using FileSzdd = Files;

TEST_F(FileDirExists, NamesOfEntries)
{
    fs::create_directory(P("sub"));
    fs::create_directory(P(".hidden"));
    Put("file", B("x"));
    fs::create_symlink(P("nowhere"), P("dangling"));
    const std::string tooLong(PATH_MAX + 10, 'a');
    struct Case { std::string path; bool exists; const char *what; } cases[] = {
        {P("sub"), true, "directory"},
        {P("sub") + "/", true, "directory, trailing slash"},
        {P("sub") + "//", true, "directory, two slashes"},
        {P("sub") + "\\", true, "directory, trailing backslash"},
        {P("file"), true, "regular file"},
        {P("file") + "/", true, "regular file, trailing slash"},
        {P(".hidden"), true, "dot entries are not skipped"},
        {P("dangling"), true, "a link to nowhere still takes its name"},
        {P("missing"), false, "missing"},
        {P("missing") + "/", false, "missing, trailing slash"},
        {"/", true, "root"},
        {"", false, "empty"},
        {tooLong, false, "longer than any path"},
    };
    for (const auto &c : cases) EXPECT_EQ(DirExists(c.path.c_str()), c.exists) << c.what;
    EXPECT_FALSE(DirExists(nullptr));
}

TEST_F(FileCopy, PlainFilesArriveByteIdentical)
{
    Bytes every(256);
    for (int i = 0; i < 256; ++i) every[i] = uint8_t(i);
    struct Case { const char *what; Bytes data; } cases[] = {
        {"empty", {}},
        {"one byte", {0x00}},
        {"all byte values", every},
        {"one past a chunk", Random(qv::kCopyChunk + 1, 1)},
        {"several chunks, odd size", Random(3 * qv::kCopyChunk + 7, 2)},
        {"seven bytes of the signature", Head(7)},
        {"SZDD then other bytes", B("SZDD is the signature")},
        {"KWAJ files are not expanded", Cat({'K', 'W', 'A', 'J', 0x88, 0xF0, 0x27, 0xD1, 0, 0, 18, 0}, B("data"))},
    };
    for (const auto &c : cases) {
        Put("src", c.data);
        EXPECT_EQ(Copy(P("src"), P("dst")), QVCALC32_COPY_OK) << c.what;
        EXPECT_EQ(Get(P("dst")), c.data) << c.what;
    }
    EXPECT_EQ(Entries(), (std::vector<std::string>{"dst", "src"}));
}

TEST_F(FileCopy, ReplacesTheWholeOldDestKeepingItsMode)
{
    Put("dst", Random(100000, 3));
    ::chmod(P("dst").c_str(), 0640);
    Put("src", B("short"));
    ASSERT_EQ(Copy(P("src"), P("dst")), QVCALC32_COPY_OK);
    EXPECT_EQ(Get(P("dst")), B("short"));
    struct stat st;
    ASSERT_EQ(::stat(P("dst").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_EQ(Copy(P("src"), P("new")), QVCALC32_COPY_OK);
    ASSERT_EQ(::stat(P("new").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask) << "a new file gets the usual mode";
}

TEST_F(FileCopy, ReadOnlySourcesAreCopied)
{
    Put("src", B("read only"));
    ::chmod(P("src").c_str(), 0444);
    EXPECT_EQ(Copy(P("src"), P("dst")), QVCALC32_COPY_OK);
    EXPECT_EQ(Get(P("dst")), B("read only"));
    // Root may write a 0444 file; nobody may write a running program.
    char self[PATH_MAX] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    EXPECT_EQ(Copy(self, P("exe")), QVCALC32_COPY_OK);
    EXPECT_EQ(Get(P("exe")), Get(self));
}

TEST_F(FileCopy, OntoItselfLeavesTheFileWhole)
{
    Put("a", B("keep me"));
    fs::create_symlink(P("a"), P("link"));
    EXPECT_EQ(Copy(P("a"), P("a")), QVCALC32_COPY_OK);
    EXPECT_EQ(Copy(P("a"), P("link")), QVCALC32_COPY_OK);
    EXPECT_EQ(Get(P("a")), B("keep me"));
    EXPECT_TRUE(fs::is_symlink(P("link"))) << "the link is written through, not replaced";
    EXPECT_EQ(Entries(), (std::vector<std::string>{"a", "link"}));
}

TEST_F(FileCopy, FailuresLeaveDestAsItWasAndNoTemporaryFiles)
{
    Put("dst", B("old content"));
    Put("file", B("x"));
    Put("damaged", Cat(Header(10), {0x1F, 'H', 'e', 'l', 'l', 'o'}));
    fs::create_directory(P("dir"));
    ASSERT_EQ(::mkfifo(P("fifo").c_str(), 0600), 0);
    const auto before = Entries();
    struct Case { std::string from, to; int32_t code; std::string message; } cases[] = {
        {P("missing"), P("dst"), QVCALC32_COPY_SOURCE_ERROR,
         "Cannot open source file " + P("missing") + ": No such file or directory"},
        {P("dir"), P("dst"), QVCALC32_COPY_SOURCE_ERROR, "Cannot open source file " + P("dir") + ": Is a directory"},
        {P("fifo"), P("dst"), QVCALC32_COPY_SOURCE_ERROR,
         "Cannot open source file " + P("fifo") + ": not a regular file"},
        {P("damaged"), P("dst"), QVCALC32_COPY_EXPAND_ERROR, "Error creating temporary file."},
        {P("file"), P("file") + "/dst", QVCALC32_COPY_DEST_ERROR,
         "Cannot create destination file " + P("file") + "/dst: Not a directory"},
        {P("file"), P("dir"), QVCALC32_COPY_DEST_ERROR,
         "Cannot create destination file " + P("dir") + ": Is a directory"},
        {P("file"), P("dst") + "/", QVCALC32_COPY_DEST_ERROR,
         "Cannot create destination file " + P("dst") + "/: Is a directory"},
        {P("file"), "", QVCALC32_COPY_DEST_ERROR, "Cannot create destination file : No such file or directory"},
    };
    for (const auto &c : cases) {
        std::string message;
        EXPECT_EQ(Copy(c.from, c.to, &message), c.code) << c.message;
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(Get(P("dst")), B("old content")) << c.message;
        EXPECT_EQ(Entries(), before) << c.message;
    }
    EXPECT_EQ(CopyFile(nullptr, P("dst").c_str(), nullptr, 0), QVCALC32_COPY_SOURCE_ERROR);
    EXPECT_EQ(CopyFile(P("file").c_str(), nullptr, nullptr, 0), QVCALC32_COPY_DEST_ERROR);
    EXPECT_TRUE(fs::is_directory(P("dir")) && fs::is_empty(P("dir")));
}

TEST_F(FileCopy, MessageIsCutToItsUpperBound)
{
    const std::string missing = P("missing-\xC3\xA9");  // a 2-byte character at the end of the path
    const std::string full = "Cannot open source file " + missing + ": No such file or directory";
    const int32_t split = int32_t(full.find('\xC3')) + 1;  // room for half the character only
    for (const int32_t high : {-1, 0, 1, 10, split, int32_t(full.size())}) {
        char buffer[600];
        std::memset(buffer, 0x7F, sizeof buffer);
        EXPECT_EQ(CopyFile(missing.c_str(), P("dst").c_str(), buffer, high), QVCALC32_COPY_SOURCE_ERROR);
        const std::size_t kept = high < 0 ? 0 : std::strlen(buffer);
        const std::size_t expected = high < 0 ? 0 : high == split ? std::size_t(split) - 1 : std::size_t(high);
        EXPECT_EQ(kept, expected) << high;
        EXPECT_EQ(std::string(buffer, kept), full.substr(0, kept)) << high;
        for (std::size_t i = std::size_t(high + 1); i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], 0x7F) << high;
    }
    EXPECT_EQ(CopyFile(missing.c_str(), P("dst").c_str(), nullptr, 100), QVCALC32_COPY_SOURCE_ERROR);
}

TEST_F(FileSzdd, HandMadeVectors)
{
    struct Case { const char *what; Bytes file; std::string expanded; } cases[] = {
        {"literals only", Cat(Header(5), {0x1F, 'H', 'e', 'l', 'l', 'o'}), "Hello"},
        {"second flag byte", Cat(Header(9), B("\xFF" "ABCDEFGH" "\x01" "I")), "ABCDEFGHI"},
        {"empty", Header(0), ""},
        {"reference into the space fill", Cat(Header(5), {0x00, 0x00, 0x02}), "     "},
        {"flag bits least significant first", Cat(Header(4), {0x02, 0x00, 0x00, 'x'}), "   x"},
        {"overlapping reference", Cat(Header(8), {0x03, 'A', 'B', 0xF0, 0xF3}), "ABABABAB"},
        {"reference across the ring's end",
         Cat(Header(20), Cat(Cat(B("\xFF" "01234567"), B("\xFF" "89ABCDEF")), {0x00, 0xFE, 0xF1})),
         "0123456789ABCDEFEFEF"},
    };
    for (const auto &c : cases) {
        Put("src", c.file);
        EXPECT_EQ(Copy(P("src"), P("dst")), QVCALC32_COPY_OK) << c.what;
        EXPECT_EQ(Get(P("dst")), B(c.expanded)) << c.what;
    }
}

TEST_F(FileSzdd, CompressedFilesExpandToTheirContents)
{
    LzStats stats;
    struct Case { const char *what; Bytes data; } cases[] = {
        {"nothing", {}},
        {"one byte", {'q'}},
        {"indented text", Text(3000)},
        {"zeros, one ring", Bytes(4096, 0)},
        {"zeros, one ring and a byte", Bytes(4097, 0)},
        {"random, one ring", Random(4096, 4)},
        {"random, one ring and a byte", Random(4097, 5)},
        {"text, many rings", Text(100000)},
        {"text and random mixed", Cat(Cat(Text(5000), Random(5000, 6)), Text(90000))},
    };
    for (const auto &c : cases) {
        Put("src", Compress(c.data, stats));
        EXPECT_EQ(Copy(P("src"), P("dst")), QVCALC32_COPY_OK) << c.what;
        EXPECT_EQ(Get(P("dst")), c.data) << c.what;
    }
    // The inputs exercise every kind of token.
    EXPECT_GT(stats.literals, 0);
    EXPECT_GT(stats.references, 0);
    EXPECT_GT(stats.overlapping, 0);
    EXPECT_GT(stats.intoFill, 0);
}

TEST_F(FileSzdd, DamagedFilesAreRefused)
{
    LzStats stats;
    struct Case { const char *what; Bytes file; } cases[] = {
        {"signature only", Head(8)},
        {"header cut short", Head(13)},
        {"unknown mode", Cat(Header(5, 'B'), {0x1F, 'H', 'e', 'l', 'l', 'o'})},
        {"ends inside a reference", Cat(Header(1), {0x01, 'H', 0x41})},
        {"ends short of the length", Cat(Header(10), {0x1F, 'H', 'e', 'l', 'l', 'o'})},
        {"literals past the length", Cat(Header(3), {0x1F, 'H', 'e', 'l', 'l', 'o'})},
        {"reference past the length", Cat(Header(4), {0x00, 0x00, 0x0F})},
        {"garbage claiming 4 GiB", Cat(Header(0xFFFFFFFF), Random(200000, 7))},
    };
    for (const auto &c : cases) {
        Put("src", c.file);
        EXPECT_EQ(Copy(P("src"), P("dst")), QVCALC32_COPY_EXPAND_ERROR) << c.what;
        EXPECT_FALSE(fs::exists(P("dst"))) << c.what;
    }
    // Every cut of a good file inside the signature is a plain file; every
    // later cut is damage.
    const Bytes good = Compress(Text(600), stats);
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        const Bytes part(good.begin(), good.begin() + long(cut));
        Put("src", part);
        const int32_t code = Copy(P("src"), P("dst"));
        EXPECT_EQ(code, cut < 8 ? QVCALC32_COPY_OK : QVCALC32_COPY_EXPAND_ERROR) << cut;
        if (code == QVCALC32_COPY_OK) {
            EXPECT_EQ(Get(P("dst")), part) << cut;
        }
        if (cut == 7) fs::remove(P("dst"));
    }
    EXPECT_EQ(Entries(), std::vector<std::string>{"src"});
}

}  // namespace
