// Fuzz target: the published number form.  Every double gives 23
// characters; a finite one parses back to the same value within 15
// significant digits (half a unit of the 15th digit), and NaN and the
// infinities give their names.
#include "publication.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < sizeof(double)) return 0;
    double x;
    std::memcpy(&x, data, sizeof x);
    const std::string text = zenlume::PublishedNumber(x);
    if (text.size() != 23) std::abort();
    if (std::isnan(x)) {
        if (text.find("NAN") != 20) std::abort();
        return 0;
    }
    if (std::isinf(x)) {
        if (text.find(x < 0 ? "-INF" : "INF") != (x < 0 ? 19u : 20u)) std::abort();
        return 0;
    }
    // Sign, digit, point, 14 digits, E, exponent sign, 4 digits.
    if (text[0] != ' ' && text[0] != '-') std::abort();
    if (text[2] != '.' || text[17] != 'E' || (text[18] != '+' && text[18] != '-')) std::abort();
    // Read back in extended precision: near the largest double the rounded
    // text lies above it (1.79769313486232E+308), where a double overflows.
    char *end = nullptr;
    const long double back = std::strtold(text.c_str(), &end);
    if (end != text.c_str() + text.size()) std::abort();
    if (std::signbit(back) != (text[0] == '-')) std::abort();
    // Within half a unit of the 15th significant digit.
    const long double error = std::fabs(back - static_cast<long double>(x));
    if (!(error <= std::fabs(static_cast<long double>(x)) * 5.000001e-15L)) std::abort();
    return 0;
}
