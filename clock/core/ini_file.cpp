#include "ini_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zenlume {
namespace {

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\0'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The section name of a "[name]" line, if it is one.
std::optional<std::string_view> SectionName(std::string_view line)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

bool WriteAll(int fd, const std::string &data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Follows a symbolic link to the file it names, so that a linked settings
// file is updated rather than replaced by a plain file.
std::string ResolveLink(const std::string &path)
{
    char resolved[PATH_MAX];
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text)
{
    IniFile ini;
    if (text.find("\r\n") != std::string_view::npos) ini.newline_ = "\r\n";
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ini.lines_.push_back({std::string(line)});
        start = end + 1;
    }
    return ini;
}

bool IniFile::Load(const std::string &path, std::string *error)
{
    *this = IniFile{};
    const auto fail = [&](const std::string &why) {
        if (error) *error = why;
        return false;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT ? true : fail(path + ": " + std::strerror(errno));
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(path + ": not a regular file");
    }
    if (static_cast<unsigned long long>(st.st_size) > kMaxBytes) {
        ::close(fd);
        tooLarge_ = true;
        return fail(path + ": larger than " + std::to_string(kMaxBytes >> 20) + " MiB, not read");
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const std::string why = path + ": " + std::strerror(errno);
            ::close(fd);
            return fail(why);
        }
        if (n == 0 || text.size() + static_cast<size_t>(n) > kMaxBytes) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    *this = Parse(text);
    return true;
}

int IniFile::FindSection(std::string_view section) const
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i].Text);
        if (name && SameName(*name, section)) return static_cast<int>(i);
    }
    return -1;
}

int IniFile::SectionEnd(int header) const
{
    size_t i = static_cast<size_t>(header) + 1;
    while (i < lines_.size() && !SectionName(lines_[i].Text)) ++i;
    return static_cast<int>(i);
}

int IniFile::FindKey(int header, std::string_view key) const
{
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const std::string_view line = lines_[static_cast<size_t>(i)].Text;
        const size_t eq = line.find('=');
        if (eq != std::string_view::npos && SameName(Trim(line.substr(0, eq)), Trim(key))) return i;
    }
    return -1;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const
{
    const int header = FindSection(section);
    if (header < 0) return std::nullopt;
    const int at = FindKey(header, key);
    if (at < 0) return std::nullopt;
    const std::string_view line = lines_[static_cast<size_t>(at)].Text;
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                              (value.front() == '\'' && value.back() == '\'')))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    std::string entry = std::string(Trim(key)) + "=" + std::string(value);
    int header = FindSection(section);
    if (header < 0) {
        if (!lines_.empty() && !Trim(lines_.back().Text).empty()) lines_.push_back({""});
        lines_.push_back({"[" + std::string(section) + "]"});
        lines_.push_back({std::move(entry)});
        return;
    }
    const int at = FindKey(header, key);
    if (at >= 0) {
        lines_[static_cast<size_t>(at)].Text = std::move(entry);
        return;
    }
    // After the last non-blank line of the section, so blank separators
    // between sections stay where they are.
    int insert = SectionEnd(header);
    while (insert > header + 1 && Trim(lines_[static_cast<size_t>(insert - 1)].Text).empty()) --insert;
    lines_.insert(lines_.begin() + insert, {std::move(entry)});
}

std::string IniFile::Text() const
{
    std::string text;
    for (const Line &line : lines_) text += line.Text + newline_;
    return text;
}

bool IniFile::Save(const std::string &path, std::string *error) const
{
    const auto fail = [&](const char *why) {
        if (error) *error = why;
        return false;
    };
    if (tooLarge_) return fail("the file is too large to be a settings file");
    const std::string target = ResolveLink(path);

    // A file the user made read-only stays as it is (root would otherwise
    // replace it through the directory).
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return fail("not a regular file");
    if (exists && ::access(target.c_str(), W_OK) != 0) return fail(std::strerror(errno));
    if (exists && (st.st_mode & 0222) == 0) return fail("the file is read-only");

    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return fail(std::strerror(errno));
    ::fchmod(fd, exists ? (st.st_mode & 07777) : 0644);
    const bool written = WriteAll(fd, Text()) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(temp.c_str());
        errno = written ? errno : savedErrno;
        return fail(std::strerror(errno));
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int e = errno;
        ::unlink(temp.c_str());
        return fail(std::strerror(e));
    }
    return true;
}

}  // namespace zenlume
