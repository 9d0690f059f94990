// Helpers shared by the fuzz targets.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace zenlume::fuzz {

// A directory of this process's own, made on first use and removed at exit,
// so that targets run side by side never share files.  It lies in memory
// (/dev/shm) where there is one: the file routines flush every file they
// write to disk, which on a real disk would take most of the run.
inline const std::string &ProcessTempDir()
{
    static const std::string dir = [] {
        const char *base = std::getenv("TMPDIR");
        std::string root = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : base && base[0] == '/' ? base : "/tmp";
        std::string pattern = root + "/zenlume-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern;
    }();
    static const bool cleanup = [] {
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        });
        return true;
    }();
    (void)cleanup;
    return dir;
}

}  // namespace zenlume::fuzz
