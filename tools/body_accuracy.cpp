#include "body_accuracy.h"

#include "qvcalc32.h"

namespace zenlume {

BodyAccuracy::BodyAccuracy() { InitialisePlanets(table_, QVCALC32_PLANET_TABLE_HIGH); }

bool BodyAccuracy::Run(const PeerEphemeris &peer, int gridDays, int randomMoments, int extraMoments,
                       std::string *error)
{
    const std::vector<Moment> moments = MomentSchedule(gridDays, randomMoments, extraMoments);
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
        const bool textDiffers = SignNotation(lon[body]) != SignNotation(peerLon);
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
    for (int w = 0; w < kWindows; ++w)
        out << " " << TimeWindowOf(w).Title << " largest | " << TimeWindowOf(w).Title << " rms |";
    out << " 1900-2100 largest on |\n|---|";
    for (int w = 0; w < kWindows; ++w) out << "--:|--:|";
    out << "---|\n";
    for (int body = QVCALC32_SUN; body <= QVCALC32_CHIRON; ++body) {
        out << "| " << BodyName(body) << " |";
        for (int w = 0; w < kWindows; ++w)
            out << " " << Fixed(stats_[w][body].MaxMinutes(), 1) << " | " << Fixed(stats_[w][body].RmsMinutes(), 1)
                << " |";
        out << " " << DateText(static_cast<int32_t>(stats_[0][body].WhereMax())) << " |\n";
    }
    out << "\nMoments compared: ";
    for (int w = 0; w < kWindows; ++w) out << (w ? ", " : "") << TimeWindowOf(w).Title << " " << moments_[w];
    out << ".\n\n### Sign notation (degree, sign and minute) that reads differently\n\n"
           "Share of the compared moments at which the text the clock shows (e.g. `15 Sco 30`, degrees and minutes "
           "truncated) differs from the same text made from the peer's longitude. As the minutes are truncated, even a "
           "difference of a fraction of a minute changes the text whenever a minute boundary lies between the two "
           "longitudes.\n\n| body |";
    for (int w = 0; w < kWindows; ++w) out << " " << TimeWindowOf(w).Title << " |";
    out << " mean difference 2020-2029 (library - peer) |\n|---|";
    for (int w = 0; w < kWindows; ++w) out << "--:|";
    out << "--:|\n";
    for (int body = QVCALC32_SUN; body <= QVCALC32_CHIRON; ++body) {
        out << "| " << BodyName(body) << " |";
        for (int w = 0; w < kWindows; ++w)
            out << " " << Fixed(moments_[w] ? 100.0 * textDiffers_[w][body] / moments_[w] : 0, 1) << " % |";
        out << " " << Fixed(stats_[2][body].MeanMinutes(), 2) << "' |\n";
    }
}

}  // namespace zenlume
