#include "moment_schedule.h"

#include "qvcalc32.h"

#include <cmath>
#include <cstdio>
#include <random>

namespace zenlume {
namespace {

const char *const kBodyNames[13] = {"",        "Sun",    "Moon",   "Mercury", "Venus", "Mars", "Jupiter",
                                    "Saturn",  "Uranus", "Neptune", "Pluto",  "Node (true)", "Chiron"};

const TimeWindow kWindows[kTimeWindows] = {{"1900-2100", JulDay(1, 1, 1900), JulDay(12, 31, 2100)},
                                           {"2000-2050", JulDay(1, 1, 2000), JulDay(12, 31, 2050)},
                                           {"2020-2029", JulDay(1, 1, 2020), JulDay(12, 31, 2029)}};

}  // namespace

const TimeWindow &TimeWindowOf(int window) { return kWindows[window]; }

unsigned WindowsOf(int32_t jd)
{
    unsigned mask = 0;
    for (int w = 0; w < kTimeWindows; ++w)
        if (jd >= kWindows[w].FirstJD && jd <= kWindows[w].LastJD) mask |= 1u << w;
    return mask;
}

std::vector<Moment> MomentSchedule(int gridDays, int randomMoments, int extraMoments)
{
    std::vector<Moment> moments;
    for (int32_t jd = kWindows[0].FirstJD; jd <= kWindows[0].LastJD; jd += gridDays)
        moments.push_back({jd, 0.0, WindowsOf(jd)});
    std::mt19937_64 random(20261207);
    const auto draw = [&](const TimeWindow &w, int count, bool ownWindowOnly, unsigned own) {
        std::uniform_real_distribution<double> at(w.FirstJD, w.LastJD + 1.0);
        for (int i = 0; i < count; ++i) {
            const double x = at(random);
            const int32_t jd = static_cast<int32_t>(std::floor(x));
            moments.push_back({jd, (x - jd) * 24.0, ownWindowOnly ? own : WindowsOf(jd)});
        }
    };
    draw(kWindows[0], randomMoments, false, 0);
    for (int w = 1; w < kTimeWindows; ++w) draw(kWindows[w], extraMoments, true, 1u << w);
    return moments;
}

void CountMoments(const std::vector<Moment> &moments, int64_t counts[kTimeWindows])
{
    for (int w = 0; w < kTimeWindows; ++w) counts[w] = 0;
    for (const Moment &m : moments)
        for (int w = 0; w < kTimeWindows; ++w)
            if (m.Windows & (1u << w)) ++counts[w];
}

std::string SignNotation(double longitude)
{
    const ShortText10 t = MakeSign(qvcalc32_Real6FromDouble(longitude), qvcalc32_Real6FromDouble(1.0));
    return std::string(t.chars, t.length < 7 ? t.length : 7);
}

const char *BodyName(int body) { return body >= 1 && body <= 12 ? kBodyNames[body] : ""; }

std::string DateText(int32_t jd)
{
    int32_t month = 0, day = 0, year = 0;
    JuldayToDate(jd, &month, &day, &year);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::string Fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace zenlume
