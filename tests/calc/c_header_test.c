/* The public header compiles as C99 and the shared library links and runs
 * from a C program. */
#include "qvcalc32.h"

#include <stdio.h>

int main(void)
{
    int failures = 0;
    int32_t jd = JulDay(1, 1, 2000);
    double offset = 0, lst = 0, t = 0, obl = 0;
    ShortText10 text;
    Real6 half = MinToFrac(30);
    ShortText10 degrees = RealToDegree(half);

    if (jd != 2451545) { printf("JulDay gave %d\n", (int)jd); ++failures; }
    SidTime(2415020, &offset, &lst, 12.0, &t, &obl, 0.0, &text);
    if (t != 0.0 || offset != 0.0) { printf("SidTime gave T=%g\n", t); ++failures; }
    if (sizeof(Real6) != 6 || sizeof(ShortText10) != 11) { printf("type sizes\n"); ++failures; }
    if (degrees.length != 6 || degrees.chars[4] != '3') { printf("RealToDegree\n"); ++failures; }
    if (FracToMin(half) != 30) { printf("FracToMin\n"); ++failures; }
    printf("%d passed, %d failed\n", 5 - failures, failures);
    return failures != 0;
}
