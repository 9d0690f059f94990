// Draws the wheel into a PNG file through the rendering module, loaded on
// first use: the chart core and zenlume-chart's text and JSON output stay
// free of Qt.
#pragma once

#include "chart.h"
#include "settings.h"

#include <string>

namespace zenlume {

// Empty on success, else what went wrong (including a module that cannot be
// found or loaded).
std::string RenderWheelPng(const ClockChart &chart, const Settings &settings, int side, const std::string &path);

}  // namespace zenlume
