// Which theory computes the chart's bodies and houses, in the words the
// programs show: a name for the JSON output and one sentence for the About
// window.
#pragma once

#include <string>

namespace zenlume {

// "qvcalc32" for the library's own theory, "precise" for the precise
// ephemeris ([Setting] Precision=1).
const char *TheoryName(bool precise);

// One sentence that says which theory is in use and how far to trust it.
std::string TheorySentence(bool precise);

}  // namespace zenlume
