// zenlume-now: the Julian day, sidereal time and Placidus cusps of the
// present moment for a place.
//   zenlume-now [LATITUDE LONGITUDE]   degrees; latitude north-positive,
//                                       longitude WEST-positive
// The default place is Greenwich (51.4769 N, 0.0005 W).
#include "qvcalc32.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

bool ParseDegrees(const char *text, double limit, double &out)
{
    char *end = nullptr;
    errno = 0;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && errno == 0 && std::fabs(out) <= limit;
}

}  // namespace

int main(int argc, char **argv)
{
    double latitude = 51.4769, longitude = 0.0005;
    if (argc != 1 && argc != 3) {
        std::fprintf(stderr, "usage: zenlume-now [LATITUDE LONGITUDE]  (degrees, longitude west-positive)\n");
        return 2;
    }
    if (argc == 3 && (!ParseDegrees(argv[1], 90, latitude) || !ParseDegrees(argv[2], 180, longitude))) {
        std::fprintf(stderr, "zenlume-now: latitude must be a number in -90..90 and longitude in -180..180\n");
        return 2;
    }

    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm utc{};
    gmtime_r(&now.tv_sec, &utc);
    const double ut = utc.tm_hour + utc.tm_min / 60.0 + utc.tm_sec / 3600.0;
    const int32_t jd = JulDay(utc.tm_mon + 1, utc.tm_mday, utc.tm_year + 1900);

    double offset = 0, lst = 0, t = 0, obl = 0;
    ShortText10 text{};
    SidTime(jd, &offset, &lst, ut, &t, &obl, longitude, &text);
    double cusps[15] = {};
    PlacHouse(cusps, 14, lst, latitude, obl, offset);

    std::printf("UT            %04d-%02d-%02d %02d:%02d:%02d\n", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                utc.tm_hour, utc.tm_min, utc.tm_sec);
    std::printf("Place         latitude %.4f, longitude %.4f (west-positive)\n", latitude, longitude);
    std::printf("Julian day    %d (T = %.9f)\n", jd, t);
    std::printf("Sidereal time %.6f h (%.*s)\n", lst, text.length, text.chars);
    std::printf("Obliquity     %.6f deg\n", obl * 180.0 / M_PI);
    std::printf("Placidus cusps:\n");
    for (int k = 1; k <= 12; ++k) {
        if (std::isnan(cusps[k]))
            std::printf("  %2d  (none at this latitude)\n", k);
        else
            std::printf("  %2d  %9.4f\n", k, cusps[k]);
    }
    return 0;
}
