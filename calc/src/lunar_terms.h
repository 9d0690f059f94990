// A term of a lunar series: a coefficient times the sine of a sum of whole
// multiples of the four lunar arguments D, M, M' and F.  The argument is
// written as a string, "2M' - 2D", so that each row of a series table reads
// as the term it stands for; the string is turned into multiples when
// compiling, and a malformed argument does not compile.  Not exported.
#pragma once

#include "fast_trig.h"
#include "internal.h"

#include <cstddef>
#include <cstdint>

namespace qv {

// The lunar arguments in degrees: mean elongation D, the Sun's mean anomaly
// M, the Moon's mean anomaly M' and the argument of latitude F.
struct LunarArgs {
    double D, M, Mp, F;
};

struct SineTerm {
    double Coefficient;
    int8_t D = 0, M = 0, Mp = 0, F = 0;  // multiples of D, M, M', F

    consteval SineTerm(double c, const char *argument) : Coefficient(c)
    {
        int sign = 1;
        bool any = false;
        for (const char *p = argument; *p;) {
            if (*p == ' ') { ++p; continue; }
            if (*p == '+' || *p == '-') {
                sign = *p == '-' ? -1 : 1;
                ++p;
                continue;
            }
            int n = 0;
            while (*p >= '0' && *p <= '9') n = 10 * n + (*p++ - '0');
            if (n == 0) n = 1;
            const int v = sign * n;
            if (*p == 'D') { D = static_cast<int8_t>(D + v); ++p; }
            else if (*p == 'F') { F = static_cast<int8_t>(F + v); ++p; }
            else if (*p == 'M' && p[1] == '\'') { Mp = static_cast<int8_t>(Mp + v); p += 2; }
            else if (*p == 'M') { M = static_cast<int8_t>(M + v); ++p; }
            else throw "a lunar argument is made of D, M, M' and F";
            sign = 1;
            any = true;
        }
        if (!any) throw "empty lunar argument";
    }

    // Coefficient * sin(argument), in the coefficient's unit.
    double operator()(const LunarArgs &a) const
    {
        return Coefficient * FastSinDeg(D * a.D + M * a.M + Mp * a.Mp + F * a.F);
    }
};

// The sum of a series, terms taken in the printed order.
template <std::size_t N>
double SumSeries(const SineTerm (&terms)[N], const LunarArgs &a)
{
    double sum = 0;
    for (const SineTerm &t : terms) sum += t(a);
    return sum;
}

}  // namespace qv
