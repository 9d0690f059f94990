#include "ini_file.h"

#include "write_all.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
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

// The file a path names once symbolic links are followed, whether that file
// exists or not, so that a linked settings file - even a link to a file not
// made yet - is written through the link rather than replaced by a plain
// file.  A loop of links is left as it is; the write then fails with the
// system's reason.
std::string FollowLinks(const std::string &path)
{
    std::string target = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st;
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), buffer, sizeof buffer);
        if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer) return target;
        std::string next(buffer, static_cast<size_t>(n));
        const size_t slash = target.rfind('/');
        if (next[0] != '/' && slash != std::string::npos) next = target.substr(0, slash + 1) + next;
        target = std::move(next);
    }
    return path;
}

// A name that mkstemp could have made from "<base>.XXXXXX": six letters and
// digits.  A suffix of only small letters or only digits ("backup",
// "202612") is more likely a copy the user made, and is left alone.
bool IsTemporaryName(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + 6 || name.substr(0, prefix.size()) != prefix) return false;
    bool lowerOnly = true, digitsOnly = true;
    for (char c : name.substr(prefix.size())) {
        const bool lower = c >= 'a' && c <= 'z', digit = c >= '0' && c <= '9', upper = c >= 'A' && c <= 'Z';
        if (!lower && !digit && !upper) return false;
        lowerOnly = lowerOnly && lower;
        digitsOnly = digitsOnly && digit;
    }
    return !lowerOnly && !digitsOnly;
}

// Removes the temporary files of earlier writes of `target` that a killed
// writer left behind.  A temporary file lives for the moments of one write,
// so one older than kStaleTemporarySeconds belongs to no running writer.
void RemoveStaleTemporaries(const std::string &target)
{
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string prefix = (slash == std::string::npos ? target : target.substr(slash + 1)) + ".";
    DIR *dir = ::opendir(folder.c_str());
    if (!dir) return;
    const time_t now = std::time(nullptr);
    while (const dirent *entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name, prefix)) continue;
        struct stat st;
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            now - st.st_mtime > kStaleTemporarySeconds)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Writes into an existing device or FIFO as it stands.
bool WriteInto(const std::string &target, std::string_view data, std::string &why)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    const bool written = WriteAll(fd, data.data(), data.size());
    const int savedErrno = errno;
    if (::close(fd) != 0 || !written) {
        why = std::strerror(written ? errno : savedErrno);
        return false;
    }
    return true;
}

// Replaces a regular file (or makes a new one) atomically.
bool Replace(const std::string &target, const struct stat *existing, std::string_view data, std::string &why)
{
    RemoveStaleTemporaries(target);
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    mode_t mode = 0;
    if (existing) {
        mode = existing->st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    const bool written = WriteAll(fd, data.data(), data.size()) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (::close(fd) != 0 || !written) {
        why = std::strerror(written ? errno : savedErrno);
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        why = std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text)
{
    IniFile ini;
    // An editor's UTF-8 byte-order mark is no part of the first line (it
    // would hide a section there); the file keeps it when written again.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
        ini.byteOrderMark_ = true;
    }
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
    size_t lines = 0;
    for (char c : text) lines += c == '\n';
    if (!text.empty() && text.back() != '\n') ++lines;
    if (lines > kMaxLines) {
        tooLarge_ = true;
        return fail(path + ": more than " + std::to_string(kMaxLines) + " lines, not read");
    }
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
    std::string text = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
    for (const Line &line : lines_) text += line.Text + newline_;
    return text;
}

bool IniFile::Save(const std::string &path, std::string *error) const
{
    const auto fail = [&](const std::string &why) {
        if (error) *error = why;
        return false;
    };
    if (tooLarge_) return fail("the file is too large to be a settings file");
    const std::string text = Text();
    if (text.size() > kMaxBytes || lines_.size() > kMaxLines)
        return fail("the file would grow beyond " + std::to_string(kMaxBytes >> 20) + " MiB or " +
                    std::to_string(kMaxLines) + " lines, too large to be read again");
    return SaveFile(path, text, OtherTargets::kRefuse, error);
}

bool SaveFile(const std::string &path, std::string_view data, OtherTargets others, std::string *error)
{
    std::string why;
    const auto fail = [&](const std::string &reason) {
        if (error) *error = reason;
        return false;
    };
    const std::string target = FollowLinks(path);
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) return fail(std::strerror(errno));
    // A file the user made read-only stays as it is (root would otherwise
    // replace it through the directory, or write into it).
    if (exists && !S_ISDIR(st.st_mode)) {
        if (::access(target.c_str(), W_OK) != 0) return fail(std::strerror(errno));
        if ((st.st_mode & 0222) == 0) return fail("the file is read-only");
    }
    if (exists && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) return fail(std::strerror(EISDIR));
        if (others == OtherTargets::kRefuse) return fail("not a regular file");
        return WriteInto(target, data, why) || fail(why);
    }
    return Replace(target, exists ? &st : nullptr, data, why) || fail(why);
}

}  // namespace zenlume
