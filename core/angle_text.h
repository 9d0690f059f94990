// An angle as people read it on a chart: degrees and minutes of arc.
#pragma once

#include <string>

namespace zenlume {

// "51°30'": the size of `degrees` rounded to the nearest minute of arc, 60
// minutes carried into the next degree, the minutes always in two digits.
// The sign is left out: callers name the hemisphere.  Works in doubles with
// no integer conversion, so an angle of any size prints as the number it is.
std::string DegreesMinutesText(double degrees);

}  // namespace zenlume
