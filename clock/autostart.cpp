#include "autostart.h"

#include "ini_file.h"
#include "settings.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace zenlume {
namespace {

constexpr char kGroup[] = "Desktop Entry";
constexpr char kEntryName[] = "/autostart/zenlume.desktop";

bool Fail(std::string *error, const std::string &why)
{
    if (error) *error = why;
    return false;
}

bool SameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}

// Desktop entries are UTF-8 text.
bool ValidUtf8(std::string_view s)
{
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 0x06 ? 2 : (c >> 4) == 0x0E ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > s.size() || (length == 2 && c < 0xC2)) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

// The running program's file, from /proc/self/exe.  A program replaced on
// disk while it runs (a package upgrade) reads as "PATH (deleted)"; the new
// file at PATH is the one to start next time.
bool ProgramPath(std::string *path, std::string *error)
{
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return Fail(error, std::string("Unable to find this program's own file: ") + std::strerror(errno));
        if (static_cast<size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<size_t>(n));
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    constexpr std::string_view kDeleted = " (deleted)";
    if (buffer.size() > kDeleted.size() && buffer.ends_with(kDeleted)) buffer.resize(buffer.size() - kDeleted.size());
    *path = buffer;
    return true;
}

// Creates `folder` and any missing folders above it, private to the user as
// the XDG base directories ask.
bool MakeFolders(const std::string &folder, std::string *error)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return Fail(error, "Unable to create the folder " + part + ": " + std::strerror(errno));
        if (slash == std::string::npos) break;
    }
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return Fail(error, "Unable to create the folder " + folder + ": " + std::strerror(ENOTDIR));
    return true;
}

bool RemoveEntry(const std::string &path, std::string *error)
{
    // ENOTDIR: a folder on the way is a file, so there is no entry either.
    if (::unlink(path.c_str()) == 0 || errno == ENOENT || errno == ENOTDIR) return true;
    return Fail(error, "Unable to remove the autostart entry " + path + ": " + std::strerror(errno));
}

bool WriteEntry(const std::string &path, std::string *error)
{
    std::string program;
    if (!ProgramPath(&program, error)) return false;
    const std::optional<std::string> exec = DesktopExecArgument(program);
    if (!exec) return Fail(error, "The path of this program, " + program + ", cannot be written in an autostart entry.");
    if (!MakeFolders(path.substr(0, path.rfind('/')), error)) return false;

    IniFile entry;
    std::string why;
    if (!entry.Load(path, &why)) return Fail(error, "Unable to read the autostart entry " + why);
    entry.Set(kGroup, "Type", "Application");
    entry.Set(kGroup, "Name", "Zenlume");
    entry.Set(kGroup, "Comment", "Live astrological clock in the system tray");
    entry.Set(kGroup, "Exec", *exec);
    entry.Set(kGroup, "Icon", "zenlume");
    entry.Set(kGroup, "Terminal", "false");
    // A user's switch in an entry of their own is turned to "on", not added.
    if (entry.Get(kGroup, "Hidden")) entry.Set(kGroup, "Hidden", "false");
    if (entry.Get(kGroup, "X-GNOME-Autostart-enabled")) entry.Set(kGroup, "X-GNOME-Autostart-enabled", "true");
    if (!entry.Save(path, &why)) return Fail(error, "Unable to write the autostart entry " + path + ": " + why);
    return true;
}

}  // namespace

std::string AutostartPath()
{
    // The settings file lies in the configuration folder itself; the
    // autostart folder is beside it.
    const std::string settings = SettingsPath();
    return settings.substr(0, settings.rfind('/')) + kEntryName;
}

bool IsAutostartOn()
{
    IniFile entry;
    if (!entry.Load(AutostartPath())) return false;
    const std::optional<std::string> exec = entry.Get(kGroup, "Exec");
    if (!exec || exec->empty()) return false;
    const std::optional<std::string> hidden = entry.Get(kGroup, "Hidden");
    if (hidden && SameWord(*hidden, "true")) return false;
    const std::optional<std::string> enabled = entry.Get(kGroup, "X-GNOME-Autostart-enabled");
    return !(enabled && SameWord(*enabled, "false"));
}

bool SetAutostart(bool on, std::string *error)
{
    const std::string path = AutostartPath();
    return on ? WriteEntry(path, error) : RemoveEntry(path, error);
}

std::optional<std::string> DesktopExecArgument(std::string_view argument)
{
    if (!ValidUtf8(argument)) return std::nullopt;
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    bool quote = argument.empty();
    for (const char c : argument) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
        if (kReserved.find(c) != std::string_view::npos) quote = true;
    }
    // Inside quotes, ", `, $ and \ take a backslash; the value's own string
    // escapes then double every backslash; a literal % is written %%.
    std::string out = quote ? "\"" : "";
    for (const char c : argument) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += "\\\\";
        if (c == '\\') out += "\\";
        out += c;
        if (c == '%') out += '%';
    }
    if (quote) out += '"';
    return out;
}

}  // namespace zenlume
