#include "chart_report.h"

#include "angle_text.h"
#include "chart_theory.h"
#include "glyph_codes.h"

#include <cmath>
#include <cstdio>

namespace zenlume {

const char *const kBodyNames[QVCALC32_CHART_HIGH + 1] = {"",       "Sun",    "Moon",    "Mercury", "Venus",  "Mars",   "Jupiter", "Saturn",
                                    "Uranus", "Neptune", "Pluto", "Node",    "Chiron", "Ascendant", "Midheaven"};

namespace {

std::string Format(const char *format, double a, double b = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// A latitude or longitude in degrees and minutes, its sign as the letter
// of its hemisphere; "--" for a place that is not a number.
std::string Angle(double degrees, char positive, char negative)
{
    if (!std::isfinite(degrees)) return "--";
    return DegreesMinutesText(degrees) + " " + (degrees < 0 ? negative : positive);
}

std::string Pad(const std::string &s, size_t width)
{
    // Width in characters, counting each UTF-8 sequence once.
    size_t chars = 0;
    for (unsigned char c : s) chars += (c & 0xC0) != 0x80;
    return chars >= width ? s + " " : s + std::string(width - chars, ' ');
}

int HouseOf(const ChartMoment &m, double longitude)
{
    if (m.CuspsMissing || m.HouseName.empty()) return 0;
    return FindPlanetHouse(m.TrueCuspPos, QVCALC32_CHART_HIGH, longitude);
}

std::string Date(int y, int mo, int d, int h, int mi, int s)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
    return text;
}

std::string UtClock(double ut)
{
    if (!std::isfinite(ut)) return "--:--:--";
    const long seconds = std::lround(std::floor(ut * 3600));
    char text[48];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// JSON pieces.
std::string Number(double x)
{
    if (!std::isfinite(x)) return "null";
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}

std::string Quoted(const std::string &s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

template <typename F>
std::string Array(int n, F item)
{
    std::string out = "[";
    for (int i = 0; i < n; ++i) out += (i ? ", " : "") + item(i);
    return out + "]";
}

}  // namespace

std::string ZoneText(const ChartMoment &m)
{
    // Abbreviations such as "+0545" only repeat the offset.
    const std::string &abbr = m.ZoneAbbreviation;
    const bool named = !abbr.empty() && abbr[0] != '+' && abbr[0] != '-';
    std::string text = m.ZoneName.empty() ? "" : m.ZoneName + " ";
    if (named && abbr != "UTC") text += abbr + " ";
    return text + "UTC" + OffsetText(m.UtcOffset);
}

std::string PlaceText(double latitude, double longitudeWest)
{
    return Angle(latitude, 'N', 'S') + ", " + Angle(longitudeWest, 'W', 'E');
}

std::string ChartTable(const Settings &, const ChartMoment &m, const ClockChart &c)
{
    const LocalDateTime &t = m.Local;
    std::string out;
    out += "Zenlume chart for " + Date(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second) + " local time (UT " +
           Date(m.UtYear, m.UtMonth, m.UtDay, 0, 0, 0).substr(0, 10) + " " + UtClock(m.UT) + ")\n";
    out += "Place " + PlaceText(m.Latitude, m.Longitude) + ", zone " + ZoneText(m) + "\n";
    out += "Houses " + (m.HouseName.empty() ? std::string("(none: unknown house system)") : m.HouseName) +
           ", sidereal time " + Format("%.4f h", m.LST) + "\n";
    out += std::string("Theory ") +
           (m.Precise ? "precise ephemeris (apparent places of date)" : "qvcalc32 (the library's own)") + "\n\n";

    out += "Body         Position     House\n";
    for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) {
        const int house = HouseOf(m, m.TruePlanetPos[k]);
        out += Pad(GlyphUnicode(static_cast<uint8_t>(BodyGlyphBase + k)) + " " + kBodyNames[k], 13) +
               Pad(SymbolTextToUnicode(c.PlanetText[k]), 13) + (house ? std::to_string(house) : "-") + "\n";
    }
    // Without a house system the cusps are blank; a system without cusps at
    // this latitude says so.
    const std::string noCusp = m.HouseName.empty() ? "" : "(none)";
    out += "\nCusp  Position\n";
    for (int k = 1; k <= 12; ++k) {
        const std::string text = SymbolTextToUnicode(c.CuspText[k]);
        const std::string line = Pad(std::to_string(k), 6) + (text.empty() ? noCusp : text);
        out += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    }
    const auto angle = [&](const char *name, int k) {
        const std::string line = Pad(name, 13) + SymbolTextToUnicode(c.PlanetText[k]);
        return line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    };
    out += "\n" + angle("Ascendant", QVCALC32_ASCENDANT) + angle("Midheaven", QVCALC32_MIDHEAVEN);
    return out;
}

std::string ChartJson(const Settings &s, const ChartMoment &m, const ClockChart &c)
{
    const LocalDateTime &t = m.Local;
    char local[40], utDate[16];
    std::snprintf(local, sizeof local, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", t.Year, t.Month, t.Day, t.Hour,
                  t.Minute, t.Second, t.Millisecond);
    std::snprintf(utDate, sizeof utDate, "%04d-%02d-%02d", m.UtYear, m.UtMonth, m.UtDay);
    // An empty text (no cusp, no angle, an unused element) is absent: null.
    const auto text = [](const ShortText10 &x) { return x.length ? Quoted(SymbolTextToUnicode(x)) : "null"; };

    std::string bodies = "[\n";
    for (int k = QVCALC32_SUN; k <= QVCALC32_MIDHEAVEN; ++k) {
        const int house = HouseOf(m, m.TruePlanetPos[k]);
        bodies += "    {\"index\": " + std::to_string(k) + ", \"name\": " + Quoted(kBodyNames[k]) +
                  (k <= QVCALC32_CHIRON ? ", \"glyph\": " + Quoted(GlyphUnicode(static_cast<uint8_t>(BodyGlyphBase + k))) : "") +
                  ", \"longitude\": " + Number(m.TruePlanetPos[k]) + ", \"wheel\": " + Number(c.PlanetPos[k]) +
                  ", \"speed\": " + Number(m.Speed[k]) +
                  (k <= QVCALC32_CHIRON ? ", \"declination\": " + Number(m.Decl[k]) : "") + ", \"text\": " + text(c.PlanetText[k]) +
                  ", \"retrograde\": " + (m.Speed[k] < 0 ? "true" : "false") +
                  ", \"house\": " + (house ? std::to_string(house) : "null") +
                  (k <= QVCALC32_CHIRON ? std::string(", \"shown\": ") + (s.ShowBody[k] ? "true" : "false") : "") + "}" +
                  (k < QVCALC32_MIDHEAVEN ? ",\n" : "\n");
    }
    bodies += "  ]";
    std::string cusps = "[\n";
    for (int k = 1; k <= 12; ++k)
        cusps += "    {\"house\": " + std::to_string(k) + ", \"longitude\": " + Number(m.TrueCuspPos[k]) +
                 ", \"wheel\": " + Number(c.CuspPos[k]) + ", \"text\": " + text(c.CuspText[k]) + "}" +
                 (k < 12 ? ",\n" : "\n");
    cusps += "  ]";

    std::string out = "{\n";
    out += "  \"local\": " + Quoted(local) + ",\n";
    out += "  \"ut_date\": " + Quoted(utDate) + ",\n";
    out += "  \"ut_hours\": " + Number(m.UT) + ",\n";
    out += "  \"jd\": " + std::to_string(m.JD) + ",\n";
    out += "  \"lst_hours\": " + Number(m.LST) + ",\n";
    out += "  \"obliquity_rad\": " + Number(m.Obl) + ",\n";
    out += "  \"T\": " + Number(m.T) + ",\n";
    out += "  \"latitude\": " + Number(m.Latitude) + ",\n";
    out += "  \"longitude_west\": " + Number(m.Longitude) + ",\n";
    out += "  \"zone_hours\": " + Number(s.ZoneHours) + ",\n";
    out += "  \"time_zone\": " + (m.ZoneName.empty() ? std::string("null") : Quoted(m.ZoneName)) + ",\n";
    out += "  \"utc_offset\": " + Quoted(OffsetText(m.UtcOffset)) + ",\n";
    out += "  \"utc_offset_seconds\": " + std::to_string(m.UtcOffset) + ",\n";
    out += "  \"theory\": " + Quoted(TheoryName(m.Precise)) + ",\n";
    out += "  \"house_system\": " + (m.HouseName.empty() ? std::string("null") : Quoted(m.HouseName)) + ",\n";
    out += "  \"house_code\": " + std::to_string(s.HouseSys) + ",\n";
    out += "  \"cusps_missing\": " + std::string(m.CuspsMissing ? "true" : "false") + ",\n";
    out += "  \"rising_sign\": " + (m.RisingSign ? std::to_string(m.RisingSign) : "null") + ",\n";
    out += "  \"SignShift\": " + Number(c.SignShift) + ",\n";
    out += "  \"bodies\": " + bodies + ",\n";
    out += "  \"cusps\": " + cusps + ",\n";
    out += "  \"PlanetPos\": " + Array(QVCALC32_CHART_HIGH + 1, [&](int i) { return Number(c.PlanetPos[i]); }) + ",\n";
    out += "  \"CuspPos\": " + Array(QVCALC32_CHART_HIGH + 1, [&](int i) { return Number(c.CuspPos[i]); }) + ",\n";
    out += "  \"PlanetText\": " + Array(QVCALC32_CHART_HIGH + 1, [&](int i) { return text(c.PlanetText[i]); }) + ",\n";
    out += "  \"CuspText\": " + Array(QVCALC32_CHART_HIGH + 1, [&](int i) { return text(c.CuspText[i]); }) + "\n";
    out += "}\n";
    return out;
}

}  // namespace zenlume
