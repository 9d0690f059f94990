// Fuzz target: CopyFile on arbitrary input.  Half the inputs are given the
// SZDD header, so that the expander sees damaged and truncated compressed
// data as often as plain files.  A plain file must arrive byte for byte; a
// failed copy must leave no file behind in the folder.
#include "common.h"
#include "qvcalc32.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const uint8_t kSignature[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};

void Write(const std::string &path, const std::vector<uint8_t> &bytes)
{
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
    std::fclose(f);
}

std::vector<uint8_t> Read(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

int EntriesIn(const std::string &dir)
{
    int n = 0;
    DIR *d = ::opendir(dir.c_str());
    if (d == nullptr) std::abort();
    while (const dirent *e = ::readdir(d))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) ++n;
    ::closedir(d);
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string &dir = zenlume::fuzz::ProcessTempDir();
    const std::string source = dir + "/source", dest = dir + "/dest";
    std::vector<uint8_t> bytes;
    const bool compressed = size > 0 && (data[0] & 1);
    if (compressed) bytes.assign(std::begin(kSignature), std::end(kSignature));
    if (size > 0) bytes.insert(bytes.end(), data + 1, data + size);
    Write(source, bytes);
    ::unlink(dest.c_str());

    char message[64];
    const int32_t code = CopyFile(source.c_str(), dest.c_str(), message, sizeof message - 1);
    if (std::memchr(message, '\0', sizeof message) == nullptr) std::abort();
    const bool isSzdd = bytes.size() >= sizeof kSignature && std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
    if (code == QVCALC32_COPY_OK) {
        if (!isSzdd && Read(dest) != bytes) std::abort();  // a plain file arrives unchanged
        if (EntriesIn(dir) != 2) std::abort();
    } else {
        if (code != QVCALC32_COPY_EXPAND_ERROR || !isSzdd) std::abort();  // only damaged data fails here
        if (EntriesIn(dir) != 1) std::abort();  // no temporary file and no Dest left behind
    }
    ::unlink(dest.c_str());
    return 0;
}
