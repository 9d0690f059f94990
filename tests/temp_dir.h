// A scratch folder under /tmp for one test, removed with all it holds when
// the test is done.  Path() is empty when the folder could not be made.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace zenlume::test {

class TempDir {
public:
    explicit TempDir(const std::string &tag = "zenlume")
    {
        std::string name = "/tmp/" + tag + "-XXXXXX";
        if (::mkdtemp(name.data()) != nullptr) path_ = name;
    }
    ~TempDir()
    {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace zenlume::test
