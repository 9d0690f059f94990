// The wheel as a picture file, drawn without any display.
#pragma once

#include "chart.h"
#include "settings.h"

#include <string>

namespace zenlume {

// The name that stands for standard output.
inline constexpr char kStandardOutputName[] = "-";

// Draws the wheel of `chart` at `side` pixels (the glyph size following from
// the settings' PlanetSize at that side) and writes it as PNG: to standard output when `path` is "-";
// into an existing device or FIFO as it stands; over a regular file only
// once the whole picture is written (SaveFile: links followed, a read-only
// file refused).  Creates an offscreen application when there is none.
// False, with what went wrong in `error` (when given), on failure: the
// system's reason for a failed write.
bool WriteWheelPng(const ClockChart &chart, const Settings &settings, int side, const std::string &path, std::string *error);

}  // namespace zenlume
