// The clock's settings: the settings variables as "zenlume.ini" gives them,
// how they are read and how the options and the window geometry are written
// back.  The record holds only what the file says; sizes that follow from a
// picture (the glyph size) are computed by whoever draws.
//
// The file lives in one fixed place: $XDG_CONFIG_HOME/zenlume.ini, or
// ~/.config/zenlume.ini when that variable is unset, empty or not absolute.
#pragma once

#include "ini_file.h"
#include "qvcalc32.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zenlume {

// How the wheel colours the signs: the key [Setting] Glyphs, as its number.
// A number the file holds beyond these is kept and colours nothing.
enum class SignColouring : uint8_t {
    kNone = 0,        // black glyphs on white cells
    kGlyphs = 1,      // each sign glyph in its element's colour
    kBackground = 2,  // each sign cell filled with its element's colour
};

// Which house cusps the wheel draws: the key [Setting] Cusps, as its number.
// A number the file holds beyond these is kept and draws all of them.
enum class CuspLines : uint8_t {
    kNone = 0,    // no cusp lines, no house numbers
    kAngles = 1,  // cusps 1, 4, 7 and 10
    kAll = 2,
};

struct Settings {
    SignColouring SignColours = SignColouring::kNone;
    uint8_t HouseSys = QVCALC32_PLACIDUS;  // a QVCALC32_* house-system code
    CuspLines CuspMode = CuspLines::kNone;
    uint16_t PlanetSize = 63;          // the options slider's size; GlyphSizeFor turns it into points
    uint32_t PlanetColor = 0;          // red in the low byte, then green, then blue
    // [Setting] Precision: 1 computes the chart with the precise ephemeris
    // (precise/), any other value with the library's own theory.
    bool Precise = false;
    int32_t LatDeg = 0, LatMin = 0;    // north positive
    int32_t LongDeg = 0, LongMin = 0;  // west positive
    double ZoneHours = 0;              // UT = local time - ZoneHours
    // [Place] TimeZone: a zone name of the system's time-zone database
    // ("Europe/Berlin"), empty for the numeric zone alone.  When it names a
    // known zone it gives the offset at every instant (PlaceZone::Of);
    // ZoneHours then holds the zone's standard offset as the file has it.
    std::string TimeZone;
    // The bodies QVCALC32_SUN .. QVCALC32_CHIRON the wheel shows ([Show]);
    // entry 0 is unused.
    bool ShowBody[QVCALC32_BODIES_HIGH + 1] = {false, true, true, true, true, true, true, true, true, true, true, false, false};
    int32_t WindowTop = 1, WindowLeft = 1, WindowHeight = 576, WindowWidth = 545;

    double Latitude() const { return LatDeg + LatMin / 60.0; }
    double Longitude() const { return LongDeg + LongMin / 60.0; }
};

// What the options dialog writes, as the user chose it (unsigned spin-edit
// values and radio indexes, not the signed settings variables).
struct OptionValues {
    int32_t Glyphs = 0, Houses = 0, Cusps = 0;
    int32_t Size = 63;
    // The colour as the file stores it: a signed 32-bit number, written back
    // as the same signed decimal (-1 stays -1 rather than 4294967295, which
    // would no longer read as a 32-bit value).
    int32_t Color = 0;
    int32_t LatD = 0, LatM = 0, LongD = 0, LongM = 0, ZoneH = 0, ZoneM = 0;
    bool North = false, West = false;
    bool Precise = false;  // the "High precision" check box: [Setting] Precision
    std::string TimeZone;  // empty: the numeric zone alone
    bool Show[12] = {true, true, true, true, true, true, true, true, true, true, false, false};
};

// $XDG_CONFIG_HOME/zenlume.ini or ~/.config/zenlume.ini.
std::string SettingsPath();

// An integer as the settings file stores it: decimal, or hexadecimal after
// "0x", "0X" or "$", with an optional sign; nothing for anything else or a
// value beyond 32 bits.  Hexadecimal up to FFFFFFFF wraps into the signed
// range ($FFFFFFFF is -1), so colours written in hexadecimal by hand still
// read as the 32-bit values they spell.
std::optional<int32_t> ParseInteger(std::string_view text);

// The glyph size in points for a wheel picture W pixels wide:
// Trunc(PlanetSize * 0.25 * W / 576) + 1 (1 where that has no 16-bit value).
uint16_t GlyphSizeFor(uint16_t planetSize, int wheelWidth);

// A value of the settings file that LoadSettings did not use: one that does
// not read as an integer (the key's default stands in, as for a missing
// key), or a place value that the options dialog could never write because
// it lies beyond the globe: a latitude beyond 90 degrees, a longitude beyond
// 180 degrees or a zone of 24 hours or more.  A degrees (hours) key is
// out of range on its own; a minutes key when it carries the sum beyond.
// An out-of-range key is replaced by its default too.
struct SettingsProblem {
    std::string Section, Key, Value;  // as the file spells the value
    std::string Reason;               // "is not a whole number", "puts the latitude beyond 90°"
    std::string Default;              // the value used instead
    bool OutOfRange = false;
};

// "[Place] LatD=91 puts the latitude beyond 90°".
std::string ProblemText(const SettingsProblem &problem);

// Reads the settings variables from `ini`.  Each value not used is added to
// `problems` (when given), in the order read.
Settings LoadSettings(const IniFile &ini, std::vector<SettingsProblem> *problems = nullptr);
// The options dialog's starting values from the file (with the key defaults).
OptionValues ReadOptions(const IniFile &ini);

// Writes the options (sections "Setting", "Place", "Show", in the order the
// dialog writes them) or the window geometry into the file at `path`.  On
// failure nothing is changed and `error` is "Unable to write to <path>"
// followed by the reason.
bool WriteOptions(const std::string &path, const OptionValues &values, std::string *error);
bool WriteGeometry(const std::string &path, int32_t top, int32_t left, int32_t height, int32_t width,
                   std::string *error);

}  // namespace zenlume
