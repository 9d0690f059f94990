#include "body_accuracy.h"

#include "qvcalc32.h"

#include <cmath>
#include <cstdio>
#include <random>

namespace zenlume {
namespace {

const char *const kBodyNames[13] = {"",        "Sun",    "Moon",   "Mercury", "Venus", "Mars", "Jupiter",
                                    "Saturn",  "Uranus", "Neptune", "Pluto",  "Node (true)", "Chiron"};

// The sign notation the clock shows, without its motion mark: two degree
// digits, the sign, two minute digits (both truncated).
std::string SignText(double longitude)
{
    const ShortText10 t = MakeSign(qvcalc32_Real6FromDouble(longitude), qvcalc32_Real6FromDouble(1.0));
    return std::string(t.chars, t.length < 7 ? t.length : 7);
}

std::string Fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::string DateText(int32_t jd)
{
    int32_t month = 0, day = 0, year = 0;
    JuldayToDate(jd, &month, &day, &year);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

BodyAccuracy::BodyAccuracy()
    : windows_{{"1900-2100", JulDay(1, 1, 1900), JulDay(12, 31, 2100)},
               {"2000-2050", JulDay(1, 1, 2000), JulDay(12, 31, 2050)},
               {"2020-2029", JulDay(1, 1, 2020), JulDay(12, 31, 2029)}}
{
    InitialisePlanets(table_, QVCALC32_PLANET_TABLE_HIGH);
}

unsigned BodyAccuracy::WindowsOf(int32_t jd) const
{
    unsigned mask = 0;
    for (int w = 0; w < kWindows; ++w)
        if (jd >= windows_[w].FirstJD && jd <= windows_[w].LastJD) mask |= 1u << w;
    return mask;
}

bool BodyAccuracy::Run(const PeerEphemeris &peer, int gridDays, int randomMoments, int extraMoments,
                       std::string *error)
{
    std::vector<Moment> moments;
    for (int32_t jd = windows_[0].FirstJD; jd <= windows_[0].LastJD; jd += gridDays)
        moments.push_back({jd, 0.0, WindowsOf(jd)});
    std::mt19937_64 random(20261207);
    const auto draw = [&](const Window &w, int count, bool ownWindowOnly, unsigned own) {
        std::uniform_real_distribution<double> at(w.FirstJD, w.LastJD + 1.0);
        for (int i = 0; i < count; ++i) {
            const double x = at(random);
            const int32_t jd = static_cast<int32_t>(std::floor(x));
            moments.push_back({jd, (x - jd) * 24.0, ownWindowOnly ? own : WindowsOf(jd)});
        }
    };
    draw(windows_[0], randomMoments, false, 0);
    for (int w = 1; w < kWindows; ++w) draw(windows_[w], extraMoments, true, 1u << w);

    for (const Moment &m : moments)
        if (!Compare(peer, m, error)) return false;
    return true;
}

bool BodyAccuracy::Compare(const PeerEphemeris &peer, const Moment &moment, std::string *error)
{
    // The library's T as the chart of the moment takes it: from the day
    // number and UT through SidTime (no zodiac offset).
    double offset = 0, lst = 0, t = 0, obl = 0;
    ShortText10 lstText;
    SidTime(moment.JD, &offset, &lst, moment.UT, &t, &obl, 0, &lstText);
    double scratch[QVCALC32_CHART_HIGH + 1] = {}, lon[QVCALC32_CHART_HIGH + 1] = {},
           decl[QVCALC32_CHART_HIGH + 1] = {}, speed[QVCALC32_CHART_HIGH + 1] = {};
    uint8_t counts[QVCALC32_BODIES_HIGH + 1] = {};
    PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, 0, 0, scratch, QVCALC32_CHART_HIGH, t, counts, QVCALC32_BODIES_HIGH, 1,
               lon, QVCALC32_CHART_HIGH, decl, QVCALC32_CHART_HIGH, speed, QVCALC32_CHART_HIGH, table_,
               QVCALC32_PLANET_TABLE_HIGH, 0);

    const double jdUt = PeerEphemeris::JulianDateUt(moment.JD, moment.UT);
    for (int body = QVCALC32_SUN; body <= QVCALC32_CHIRON; ++body) {
        double peerLon = 0, peerSpeed = 0;
        if (!peer.Body(body, jdUt, false, peerLon, peerSpeed, error)) return false;
        const double d = ArcDifference(lon[body], peerLon);
        const bool textDiffers = SignText(lon[body]) != SignText(peerLon);
        for (int w = 0; w < kWindows; ++w) {
            if (!(moment.Windows & (1u << w))) continue;
            stats_[w][body].Add(d, moment.JD);
            if (textDiffers) ++textDiffers_[w][body];
        }
    }
    for (int w = 0; w < kWindows; ++w)
        if (moment.Windows & (1u << w)) ++moments_[w];
    return true;
}

void BodyAccuracy::WriteMarkdown(std::ostream &out) const
{
    out << "| body |";
    for (const Window &w : windows_) out << " " << w.Title << " largest | " << w.Title << " rms |";
    out << " 1900-2100 largest on |\n|---|";
    for (int w = 0; w < kWindows; ++w) out << "--:|--:|";
    out << "---|\n";
    for (int body = QVCALC32_SUN; body <= QVCALC32_CHIRON; ++body) {
        out << "| " << kBodyNames[body] << " |";
        for (int w = 0; w < kWindows; ++w)
            out << " " << Fixed(stats_[w][body].MaxMinutes(), 1) << " | " << Fixed(stats_[w][body].RmsMinutes(), 1)
                << " |";
        out << " " << DateText(static_cast<int32_t>(stats_[0][body].WhereMax())) << " |\n";
    }
    out << "\nMoments compared: ";
    for (int w = 0; w < kWindows; ++w) out << (w ? ", " : "") << windows_[w].Title << " " << moments_[w];
    out << ".\n\n### Sign notation (degree, sign and minute) that reads differently\n\n"
           "Share of the compared moments at which the text the clock shows (e.g. `15 Sco 30`, degrees and minutes "
           "truncated) differs from the same text made from the peer's longitude. As the minutes are truncated, even a "
           "difference of a fraction of a minute changes the text whenever a minute boundary lies between the two "
           "longitudes.\n\n| body |";
    for (const Window &w : windows_) out << " " << w.Title << " |";
    out << " mean difference 2020-2029 (library - peer) |\n|---|";
    for (int w = 0; w < kWindows; ++w) out << "--:|";
    out << "--:|\n";
    for (int body = QVCALC32_SUN; body <= QVCALC32_CHIRON; ++body) {
        out << "| " << kBodyNames[body] << " |";
        for (int w = 0; w < kWindows; ++w)
            out << " " << Fixed(moments_[w] ? 100.0 * textDiffers_[w][body] / moments_[w] : 0, 1) << " % |";
        out << " " << Fixed(stats_[2][body].MeanMinutes(), 2) << "' |\n";
    }
}

}  // namespace zenlume
