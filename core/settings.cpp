#include "settings.h"

#include <cmath>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zenlume {
namespace {

const char *const kBodyKeys[12] = {"Sun",    "Moon",   "Mercury", "Venus",   "Mars", "Jupiter",
                                   "Saturn", "Uranus", "Neptune", "Pluto", "Node", "Chiron"};

std::string Trimmed(const std::string &text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

int32_t ReadInteger(const IniFile &ini, const char *section, const char *key, int32_t fallback,
                    std::vector<SettingsProblem> *problems = nullptr)
{
    const auto text = ini.Get(section, key);
    if (!text) return fallback;
    const auto value = ParseInteger(*text);
    if (!value && problems)
        problems->push_back({section, key, *text, "is not a whole number", std::to_string(fallback), false});
    return value.value_or(fallback);
}

// One place quantity (latitude, longitude or zone) from its whole key and
// its minutes key, as the file holds them before the sign rules.  A key that
// takes the quantity beyond `limit` (or to it, when `limitIncluded` is
// false) is reported and read as 0, its default.  Computed in double: the
// keys are 32-bit, so nothing overflows.
void KeepOnTheGlobe(const IniFile &ini, const char *whole, const char *minutes, int32_t &wholeValue,
                    int32_t &minutesValue, double limit, bool limitIncluded, const char *what,
                    std::vector<SettingsProblem> *problems)
{
    const auto beyond = [&](double x) { return limitIncluded ? std::fabs(x) > limit : std::fabs(x) >= limit; };
    const auto report = [&](const char *key, int32_t &value) {
        if (problems)
            problems->push_back({"Place", key, ini.Get("Place", key).value_or(""), std::string("puts ") + what, "0",
                                 true});
        value = 0;
    };
    if (beyond(wholeValue)) report(whole, wholeValue);
    if (beyond(wholeValue + minutesValue / 60.0)) report(minutes, minutesValue);
}

// Creates the folder that will hold `path` (like ~/.config on a new
// account), private to the user as such folders are.
void MakeParentFolders(const std::string &path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
}

// Negation as 32-bit arithmetic does it, without overflow at INT32_MIN.
int32_t Negate(int32_t v) { return static_cast<int32_t>(0u - static_cast<uint32_t>(v)); }

}  // namespace

std::string SettingsPath()
{
    const char *config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/zenlume.ini";
    const char *home = std::getenv("HOME");
    std::string base;
    if (home && home[0] == '/') {
        base = home;
    } else if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
        base = pw->pw_dir;
    } else {
        base = "/tmp";
    }
    return base + "/.config/zenlume.ini";
}

uint16_t GlyphSizeFor(uint16_t planetSize, int wheelWidth)
{
    const double size = std::trunc(planetSize * 0.25 * wheelWidth / 576) + 1;
    return size >= 1 && size <= 65535 ? static_cast<uint16_t>(size) : 1;
}

std::optional<int32_t> ParseInteger(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    } else if (s.size() > 1 && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : s) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 10 && value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return std::nullopt;
    const uint32_t bits = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
}

std::string ProblemText(const SettingsProblem &p)
{
    return "[" + p.Section + "] " + p.Key + "=" + p.Value + " " + p.Reason;
}

Settings LoadSettings(const IniFile &ini, std::vector<SettingsProblem> *problems)
{
    const auto read = [&](const char *section, const char *key, int32_t fallback) {
        return ReadInteger(ini, section, key, fallback, problems);
    };
    Settings s;
    s.SignColours = static_cast<SignColouring>(static_cast<uint8_t>(read("Setting", "Glyphs", 0)));
    // Radio index 0 Placidus, 1 Koch, 2 Equal, then the codes of the other
    // systems; Campanus (3) has no index of its own.
    s.HouseSys = static_cast<uint8_t>(static_cast<uint8_t>(read("Setting", "Houses", 0)) + 1);
    if (s.HouseSys == QVCALC32_CAMPANUS) s.HouseSys = QVCALC32_EQUAL;
    s.CuspMode = static_cast<CuspLines>(static_cast<uint8_t>(read("Setting", "Cusps", 0)));
    s.PlanetSize = static_cast<uint16_t>(read("Setting", "Size", 63));
    // A colour that is not a number is taken as black rather than failing.
    s.PlanetColor = static_cast<uint32_t>(read("Setting", "Color", 0));
    s.Precise = read("Setting", "Precision", 0) == 1;

    s.LatDeg = read("Place", "LatD", 0);
    s.LatMin = read("Place", "LatM", 0);
    s.LongDeg = read("Place", "LongD", 0);
    s.LongMin = read("Place", "LongM", 0);
    int32_t zoneH = read("Place", "ZoneH", 0), zoneM = read("Place", "ZoneM", 0);
    KeepOnTheGlobe(ini, "LatD", "LatM", s.LatDeg, s.LatMin, 90, true, "the latitude beyond 90\u00B0", problems);
    KeepOnTheGlobe(ini, "LongD", "LongM", s.LongDeg, s.LongMin, 180, true, "the longitude beyond 180\u00B0",
                   problems);
    KeepOnTheGlobe(ini, "ZoneH", "ZoneM", zoneH, zoneM, 24, false, "the zone at 24 h or beyond", problems);
    s.ZoneHours = -(zoneH + zoneM / 60.0);
    if (read("Place", "NS", 0) == 0) {
        s.LatDeg = Negate(s.LatDeg);
        s.LatMin = Negate(s.LatMin);
    }
    if (read("Place", "EW", 0) == 0) {
        s.LongDeg = Negate(s.LongDeg);
        s.LongMin = Negate(s.LongMin);
        s.ZoneHours = -s.ZoneHours;
    }
    s.TimeZone = Trimmed(ini.Get("Place", "TimeZone").value_or(""));

    for (int i = 0; i < 12; ++i) s.ShowBody[i + 1] = read("Show", kBodyKeys[i], i < 10 ? 1 : 0) != 0;
    s.WindowTop = read("Show", "Top", 1);
    s.WindowLeft = read("Show", "Left", 1);
    s.WindowHeight = read("Show", "Height", 576);
    s.WindowWidth = read("Show", "Width", 545);
    return s;
}

OptionValues ReadOptions(const IniFile &ini)
{
    OptionValues v;
    v.Glyphs = ReadInteger(ini, "Setting", "Glyphs", 0);
    v.Houses = ReadInteger(ini, "Setting", "Houses", 0);
    v.Cusps = ReadInteger(ini, "Setting", "Cusps", 0);
    v.Size = ReadInteger(ini, "Setting", "Size", 63);
    v.Color = ParseInteger(ini.Get("Setting", "Color").value_or("0")).value_or(0);
    v.Precise = ReadInteger(ini, "Setting", "Precision", 0) == 1;
    v.LatD = ReadInteger(ini, "Place", "LatD", 0);
    v.LongD = ReadInteger(ini, "Place", "LongD", 0);
    v.LatM = ReadInteger(ini, "Place", "LatM", 0);
    v.LongM = ReadInteger(ini, "Place", "LongM", 0);
    v.ZoneH = ReadInteger(ini, "Place", "ZoneH", 0);
    v.ZoneM = ReadInteger(ini, "Place", "ZoneM", 0);
    v.North = ReadInteger(ini, "Place", "NS", 0) == 1;
    v.West = ReadInteger(ini, "Place", "EW", 0) == 1;
    v.TimeZone = Trimmed(ini.Get("Place", "TimeZone").value_or(""));
    for (int i = 0; i < 12; ++i) v.Show[i] = ReadInteger(ini, "Show", kBodyKeys[i], i < 10 ? 1 : 0) != 0;
    return v;
}

namespace {

bool Commit(const std::string &path, IniFile &ini, std::string *error)
{
    MakeParentFolders(path);
    std::string why;
    if (ini.Save(path, &why)) return true;
    if (error) *error = "Unable to write to " + path + " (" + why + ")";
    return false;
}

// Reads the file about to be changed.  A file that cannot be read is never
// overwritten: its contents would be lost.
bool LoadForWriting(const std::string &path, IniFile &ini, std::string *error)
{
    std::string why;
    if (ini.Load(path, &why)) return true;
    if (error) *error = "Unable to write to " + path + " (" + why + ")";
    return false;
}

}  // namespace

bool WriteOptions(const std::string &path, const OptionValues &v, std::string *error)
{
    IniFile ini;
    if (!LoadForWriting(path, ini, error)) return false;
    const auto put = [&](const char *section, const char *key, int64_t value) {
        ini.Set(section, key, std::to_string(value));
    };
    put("Setting", "Glyphs", v.Glyphs);
    put("Setting", "Houses", v.Houses);
    put("Setting", "Cusps", v.Cusps);
    put("Setting", "Size", v.Size);
    put("Setting", "Color", v.Color);
    // A file from before the key gets none while the box stays off, so OK
    // with nothing changed leaves it as it was.
    if (v.Precise || ini.Get("Setting", "Precision")) put("Setting", "Precision", v.Precise ? 1 : 0);
    put("Place", "LatD", v.LatD);
    put("Place", "LatM", v.LatM);
    put("Place", "LongM", v.LongM);
    put("Place", "LongD", v.LongD);
    put("Place", "ZoneH", v.ZoneH);
    put("Place", "ZoneM", v.ZoneM);
    put("Place", "NS", v.North ? 1 : 0);
    put("Place", "EW", v.West ? 1 : 0);
    // A file that never named a zone gets no empty key.
    if (!v.TimeZone.empty() || ini.Get("Place", "TimeZone")) ini.Set("Place", "TimeZone", v.TimeZone);
    for (int i = 0; i < 12; ++i) put("Show", kBodyKeys[i], v.Show[i] ? 1 : 0);
    return Commit(path, ini, error);
}

bool WriteGeometry(const std::string &path, int32_t top, int32_t left, int32_t height, int32_t width,
                   std::string *error)
{
    IniFile ini;
    if (!LoadForWriting(path, ini, error)) return false;
    ini.Set("Show", "Top", std::to_string(top));
    ini.Set("Show", "Left", std::to_string(left));
    ini.Set("Show", "Height", std::to_string(height));
    ini.Set("Show", "Width", std::to_string(width));
    return Commit(path, ini, error);
}

}  // namespace zenlume
