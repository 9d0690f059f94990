// The wheel as a picture file, drawn without any display.
#pragma once

#include "chart.h"
#include "settings.h"

#include <string>

namespace zenlume {

// Draws the wheel of `chart` at `side` pixels (GlyphSize as the settings
// hold it) and writes it to `path` as PNG, replacing the file only once the
// whole picture is written.  Creates an offscreen application when there is
// none.  False, with what went wrong in `error` (when given), on failure.
bool WriteWheelPng(const ClockChart &chart, Settings settings, int side, const std::string &path, std::string *error);

}  // namespace zenlume
