// Draws the wheel into a PNG file through the rendering module, loaded on
// first use: the chart core and zenlume-chart's text and JSON output stay
// free of Qt.
#pragma once

#include "chart.h"
#include "settings.h"

#include <string>

namespace zenlume {

// False, with what went wrong in `error` (when given), on failure: a module
// that cannot be found or loaded, one of another version, or a failed write.
bool RenderWheelPng(const ClockChart &chart, const Settings &settings, int side, const std::string &path,
                    std::string *error);

}  // namespace zenlume
