// The chart of the moment as text for people (a table) and for programs
// (JSON), as zenlume-chart prints it.
#pragma once

#include "chart.h"

#include <string>

namespace zenlume {

extern const char *const kBodyNames[QVCALC32_CHART_HIGH + 1];

// "51°30' N" / "0°07' W" style place text.
std::string PlaceText(double latitude, double longitudeWest);

// The zone in force at the moment: "Europe/Berlin CEST UTC+02:00",
// "Asia/Kathmandu UTC+05:45", or "UTC+01:00" for the numeric zone.
std::string ZoneText(const ChartMoment &moment);

std::string ChartTable(const Settings &settings, const ChartMoment &moment, const ClockChart &chart);
std::string ChartJson(const Settings &settings, const ChartMoment &moment, const ClockChart &chart);

}  // namespace zenlume
