#include "precise_body_accuracy.h"

#include "apparent_positions.h"
#include "delta_t.h"
#include "precise_ephemeris.h"
#include "qvcalc32.h"
#include "sky_of_date.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace zenlume {
namespace {

using precise::Body;

// "0.42" for a count of differences, "not covered" for none.
std::string Cell(const ArcStatistics &s, double value, int decimals)
{
    return s.Count() ? Fixed(value, decimals) : "not covered";
}

std::string Share(int64_t part, int64_t whole)
{
    return whole ? Fixed(100.0 * part / whole, 2) + " %" : "not covered";
}

// The bodies whose light the Sun deflects (not the Moon's, which passes
// far from it, nor the Node, a point).
bool IsPlanet(int body) { return body != precise::kSun && body != precise::kMoon && body != precise::kTrueNode; }

// Degrees between two places on the sky (small distances).
double DistanceOnSky(const precise::ApparentPlace &a, const precise::ApparentPlace &b)
{
    return std::hypot(ArcDifference(a.Longitude, b.Longitude) * std::cos(a.Latitude * M_PI / 180),
                      a.Latitude - b.Latitude);
}

// The half-width (days) of the central difference the series' speed is
// checked against: three minutes, short enough that its own error (h^2/6
// times the third derivative) stays under 1e-7 degrees per day for the Moon.
constexpr double kSpeedStep = 0.002;

double JulianDateOfYear(int year) { return PeerEphemeris::JulianDateUt(JulDay(1, 1, year), 0); }

}  // namespace

double OurDeltaT(int year) { return precise::DeltaTSeconds(JulianDateOfYear(year)); }

double PeerDeltaT(int year) { return PeerEphemeris::DeltaTSeconds(JulianDateOfYear(year)); }

bool PreciseBodyAccuracy::Run(const PeerEphemeris &peer, const std::vector<Moment> &moments, std::string *error)
{
    for (const Moment &m : moments)
        if (!Compare(peer, m, error)) return false;
    return true;
}

bool PreciseBodyAccuracy::Compare(const PeerEphemeris &peer, const Moment &moment, std::string *error)
{
    const double jdUt = PeerEphemeris::JulianDateUt(moment.JD, moment.UT);
    const precise::SkyOfDate sky = precise::SkyAt(jdUt);
    for (int w = 0; w < kWindows; ++w)
        if (moment.Windows & (1u << w)) ++moments_[w];
    precise::ApparentPlace sun;
    precise::ApparentPlaceAt(precise::kSun, sky, sun);
    for (int k = precise::kFirstBody; k <= precise::kLastBody; ++k) {
        const auto body = static_cast<Body>(k);
        precise::ApparentPlace place;
        if (!precise::InPreciseRange(body, jdUt) || !precise::ApparentPlaceAt(body, sky, place)) {
            for (int w = 0; w < kWindows; ++w)
                if (moment.Windows & (1u << w)) ++notCovered_[w][k];
            continue;
        }
        // The peer at our moment of TT: the theories alone.
        double atTT = 0;
        if (!peer.BodyAtTT(k, sky.JdTT, atTT, error)) return false;
        const double d = ArcDifference(place.Longitude, atTT);
        if (IsPlanet(k) && DistanceOnSky(place, sun) < kSunDisk) {
            behindTheSun_[k].Add(d, jdUt);
            continue;
        }
        const std::string text = SignNotation(place.Longitude);
        const bool differs = text != SignNotation(atTT);
        for (int w = 0; w < kWindows; ++w) {
            if (!(moment.Windows & (1u << w))) continue;
            tt_[w][k].Add(d, moment.JD);
            if (differs) ++textTT_[w][k];
        }
        if (moment.Windows & (1u << kUtWindow)) {
            // The peer at the same moment of UT, through its own Delta T.
            double atUt = 0, speed = 0;
            if (!peer.Body(k, jdUt, false, atUt, speed, error)) return false;
            ut_[k].Add(ArcDifference(place.Longitude, atUt), moment.JD);
            if (text != SignNotation(atUt)) ++textUT_[k];
        }
    }
    return true;
}

void PreciseBodyAccuracy::FastPathDifferences::Add(double longitude, double latitude)
{
    ++Count;
    Longitude = std::fmax(Longitude, std::fabs(longitude));
    Latitude = std::fmax(Latitude, std::fabs(latitude));
}

void PreciseBodyAccuracy::FastPathDifferences::AddSpeed(double speed)
{
    ++SpeedCount;
    Speed = std::fmax(Speed, std::fabs(speed));
}

void PreciseBodyAccuracy::CheckFastPath(int clusters, int perCluster, int speedEvery)
{
    std::mt19937_64 random(20261208);
    const TimeWindow &span = TimeWindowOf(0);
    std::uniform_real_distribution<double> day(PeerEphemeris::JulianDateUt(span.FirstJD, 0),
                                               PeerEphemeris::JulianDateUt(span.LastJD, 24) - 1);
    std::uniform_real_distribution<double> within(0, 1);
    precise::PreciseEphemeris ephemeris;
    for (int c = 0; c < clusters; ++c) {
        const double start = day(random);
        std::vector<double> moments(perCluster);
        for (double &m : moments) m = start + within(random);
        std::sort(moments.begin(), moments.end());
        for (double jdUt : moments) {
            const precise::SkyOfDate sky = precise::SkyAt(jdUt);
            const bool withSpeed = speedEvery > 0 && fastMoments_ % speedEvery == 0;
            ++fastMoments_;
            if (withSpeed) ++fastSpeedMoments_;
            precise::ApparentPlace sun;
            precise::ApparentPlaceAt(precise::kSun, sky, sun);
            for (int k = precise::kFirstBody; k <= precise::kLastBody; ++k) {
                const auto body = static_cast<Body>(k);
                precise::ApparentPlace fast, plain;
                if (!precise::InPreciseRange(body, jdUt) || !ephemeris.Place(body, jdUt, fast) ||
                    !precise::ApparentPlaceAt(body, sky, plain))
                    continue;
                const bool nearSun = IsPlanet(k) && DistanceOnSky(plain, sun) < kNearSun;
                FastPathDifferences &d = fast_[nearSun ? kNearTheSun : kAwayFromSun][k];
                d.Add(ArcDifference(fast.Longitude, plain.Longitude) * 3600, (fast.Latitude - plain.Latitude) * 3600);
                precise::ApparentPlace before, after;
                if (withSpeed && precise::ApparentPlaceAt(body, precise::SkyAt(jdUt - kSpeedStep), before) &&
                    precise::ApparentPlaceAt(body, precise::SkyAt(jdUt + kSpeedStep), after))
                    d.AddSpeed(fast.Speed -
                               std::remainder(after.Longitude - before.Longitude, 360.0) / (2 * kSpeedStep));
            }
        }
    }
}

void PreciseBodyAccuracy::ScanConjunctions(int conjunctions, double halfWidthDays, double stepDays)
{
    scanHalfWidth_ = halfWidthDays;
    scanStep_ = stepDays;
    std::mt19937_64 random(20261210);
    const TimeWindow &span = TimeWindowOf(0);
    const double first = PeerEphemeris::JulianDateUt(span.FirstJD, 0);
    const double stretch = (PeerEphemeris::JulianDateUt(span.LastJD, 24) - first) / conjunctions;
    std::uniform_real_distribution<double> within(0, stretch);
    // The difference of the longitudes from the Sun's, and the distance
    // from the Sun on the sky (degrees).
    const auto elongation = [](Body body, double jdUt, double &e, double *distance = nullptr) {
        const precise::SkyOfDate sky = precise::SkyAt(jdUt);
        precise::ApparentPlace sun, plain;
        if (!precise::InPreciseRange(body, jdUt) || !precise::ApparentPlaceAt(body, sky, plain)) return false;
        precise::ApparentPlaceAt(precise::kSun, sky, sun);
        e = ArcDifference(plain.Longitude, sun.Longitude);
        if (distance) *distance = DistanceOnSky(plain, sun);
        return true;
    };
    for (int k = precise::kMercury; k <= precise::kLastBody; ++k) {
        if (k == precise::kTrueNode) continue;
        const auto body = static_cast<Body>(k);
        for (int c = 0; c < conjunctions; ++c) {
            // A day at a time to the first change of sign of the elongation
            // near the Sun (not the one across the opposition).
            double jd = first + c * stretch + within(random), before = 0, after = 0;
            if (!elongation(body, jd, before)) continue;
            bool found = false;
            for (int days = 0; days < 800; ++days) {
                if (!elongation(body, jd + 1, after)) break;
                found = std::fabs(before) < kNearSun && std::fabs(after) < kNearSun && (before < 0) != (after < 0);
                if (found) break;
                jd += 1;
                before = after;
            }
            if (!found) continue;
            ++conjunctions_;
            FastPathDifferences &d = fast_[kConjunctionScan][k];
            precise::PreciseEphemeris ephemeris;
            for (double t = jd - halfWidthDays; t <= jd + halfWidthDays; t += stepDays) {
                precise::ApparentPlace fast, plain;
                if (!ephemeris.Place(body, t, fast) || !precise::ApparentPlaceAt(body, precise::SkyAt(t), plain))
                    continue;
                ++scanMoments_;
                d.Add(ArcDifference(fast.Longitude, plain.Longitude) * 3600, (fast.Latitude - plain.Latitude) * 3600);
            }
            // The conjunction in longitude, by halving the day of the change
            // of sign, and how far from the Sun the planet then passes.
            double low = jd, high = jd + 1, e = 0, distance = 0;
            elongation(body, low, before);
            for (int round = 0; round < 20; ++round) {
                const double middle = (low + high) / 2;
                if (!elongation(body, middle, e)) break;
                ((e < 0) == (before < 0) ? low : high) = middle;
            }
            if (elongation(body, (low + high) / 2, e, &distance)) d.Closest = std::fmin(d.Closest, distance);
        }
    }
}

void PreciseBodyAccuracy::WriteMarkdown(std::ostream &out) const
{
    const char *const ut = TimeWindowOf(kUtWindow).Title;
    out << "| body |";
    for (int w = 0; w < kWindows; ++w) out << " " << TimeWindowOf(w).Title << " largest | rms |";
    out << " " << ut << " at the same UT: largest | rms | 1900-2100 largest on |\n|---|";
    for (int w = 0; w <= kWindows; ++w) out << "--:|--:|";
    out << "---|\n";
    for (int k = precise::kFirstBody; k <= precise::kLastBody; ++k) {
        out << "| " << BodyName(k) << " |";
        for (int w = 0; w < kWindows; ++w)
            out << " " << Cell(tt_[w][k], tt_[w][k].MaxSeconds(), 2) << " | "
                << Cell(tt_[w][k], tt_[w][k].RmsSeconds(), 2) << " |";
        out << " " << Cell(ut_[k], ut_[k].MaxSeconds(), 2) << " | " << Cell(ut_[k], ut_[k].RmsSeconds(), 2) << " | "
            << (tt_[0][k].Count() ? DateText(static_cast<int32_t>(tt_[0][k].WhereMax())) : "") << " |\n";
    }
    out << "\nMoments: ";
    for (int w = 0; w < kWindows; ++w) out << (w ? ", " : "") << TimeWindowOf(w).Title << " " << moments_[w];
    out << ".";
    for (int k = precise::kFirstBody; k <= precise::kLastBody; ++k) {
        if (notCovered_[0][k] == 0 && notCovered_[1][k] == 0 && notCovered_[2][k] == 0) continue;
        const precise::YearRange range = precise::PreciseRange(static_cast<Body>(k));
        const std::string years = std::to_string(range.First) + "-" + std::to_string(range.Last);
        out << " " << BodyName(k) << " ("
            << (range.First <= range.Last ? "precise range " + years : std::string("no precise range in this build"))
            << ") is left out at";
        bool first = true;
        for (int w = 0; w < kWindows; ++w) {
            if (notCovered_[w][k] == 0) continue;
            out << (first ? "" : ",") << " " << notCovered_[w][k] << " moments of " << TimeWindowOf(w).Title;
            first = false;
        }
        out << ".";
    }
    int64_t behind = 0;
    int behindWorst = 0;
    for (int k = precise::kFirstBody; k <= precise::kLastBody; ++k) {
        behind += behindTheSun_[k].Count();
        if (behindTheSun_[k].MaxSeconds() > behindTheSun_[behindWorst].MaxSeconds()) behindWorst = k;
    }
    if (behind > 0) {
        out << " Left out as well: " << behind << " places of a planet within " << Fixed(kSunDisk, 1)
            << "° of the Sun's centre, behind or at the edge of its disk, where the Sun's deflection of the light "
               "grows steeply and the two programs take it differently (";
        bool first = true;
        for (int k = precise::kFirstBody; k <= precise::kLastBody; ++k) {
            if (behindTheSun_[k].Count() == 0) continue;
            out << (first ? "" : ", ") << BodyName(k) << " " << behindTheSun_[k].Count() << ": largest "
                << Fixed(behindTheSun_[k].MaxSeconds(), 2) << "\"";
            first = false;
        }
        const double where = behindTheSun_[behindWorst].WhereMax();
        const int32_t jd = static_cast<int32_t>(std::floor(where + 0.5));
        out << "; " << BodyName(behindWorst) << "'s largest on " << DateText(jd) << ").";
    }
    out << "\n\n### Sign notation that reads differently\n\n"
           "Share of the compared moments at which the text the clock shows (degrees and minutes truncated, as "
           "above) made from the precise longitude differs from the same text made from the peer's. With differences "
           "of a fraction of an arc-second the text differs only when a minute boundary falls between the two "
           "longitudes: about the difference over 60\" of the time.\n\n| body |";
    for (int w = 0; w < kWindows; ++w) out << " " << TimeWindowOf(w).Title << " |";
    out << " " << ut << " at the same UT | mean difference " << ut << " at the same TT | at the same UT |\n|---|";
    for (int w = 0; w <= kWindows; ++w) out << "--:|";
    out << "--:|--:|\n";
    for (int k = precise::kFirstBody; k <= precise::kLastBody; ++k) {
        out << "| " << BodyName(k) << " |";
        for (int w = 0; w < kWindows; ++w) out << " " << Share(textTT_[w][k], tt_[w][k].Count()) << " |";
        out << " " << Share(textUT_[k], ut_[k].Count()) << " | "
            << (tt_[kUtWindow][k].Count() ? Fixed(tt_[kUtWindow][k].MeanSeconds(), 3) + "\"" : "not covered") << " | "
            << (ut_[k].Count() ? Fixed(ut_[k].MeanSeconds(), 3) + "\"" : "not covered") << " |\n";
    }

    out << "\n### Delta T\n\n"
           "TT - UT in seconds on 1 January at 0h UT. Ours (`precise/delta_t.cpp`) holds observed values to "
        << precise::kDeltaTObservedTo
        << " and after that keeps the Earth's present rate of rotation and adds the long-term tidal braking; the "
           "peer has its own prediction. A second of Delta T moves the Moon by about 0.55\" and the Sun by 0.04\" "
           "in a comparison at the same moment of UT.\n\n"
           "| year | ours | peer | ours - peer |\n|--:|--:|--:|--:|\n";
    for (int year : kDeltaTYears) {
        const double ours = OurDeltaT(year), theirs = PeerDeltaT(year);
        out << "| " << year << " | " << Fixed(ours, 2) << " | " << Fixed(theirs, 2) << " | " << Fixed(ours - theirs, 2)
            << " |\n";
    }

    out << "\n### The chart's cached series\n\n"
           "The chart of the moment reads the bodies from Chebyshev series ("
        << precise::PreciseEphemeris::SegmentTerms(precise::kSun)
        << " terms over 1, 4 or 16 days) fitted to the plain computation (`PreciseEphemeris::Place`). Largest "
           "differences from the plain computation (`ApparentPlaceAt`), longitude and latitude in arc-seconds, at "
        << fastMoments_
        << " random moments of 1900-2100 (days drawn uniformly, moments drawn within each), kept apart for a "
           "planet within "
        << kNearSun << "° of the Sun; the series' speed against a central difference of the plain computation over "
        << Fixed(kSpeedStep * 24 * 60, 0) << " minutes either side at " << fastSpeedMoments_
        << " of them, in 10^-6 degrees per day; and every " << Fixed(scanStep_ * 24 * 60, 0)
        << " minutes within " << Fixed(scanHalfWidth_, 0) << " days of " << conjunctions_
        << " conjunctions of the planets with the Sun (" << scanMoments_ << " moments).\n\n"
           "| body | longitude | latitude | speed | within " << kNearSun << "° of the Sun: longitude | latitude | "
           "speed | near a conjunction: longitude | latitude | closest to the Sun |\n"
           "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n";
    const auto cells = [&out](const FastPathDifferences &d, bool speed) {
        if (d.Count == 0) {
            out << " - | - |" << (speed ? " - |" : "");
            return;
        }
        out << " " << Fixed(d.Longitude, 4) << " | " << Fixed(d.Latitude, 4) << " |";
        if (speed) out << " " << (d.SpeedCount ? Fixed(d.Speed * 1e6, 2) : std::string("-")) << " |";
    };
    for (int k = precise::kFirstBody; k <= precise::kLastBody; ++k) {
        out << "| " << BodyName(k) << " |";
        cells(fast_[kAwayFromSun][k], true);
        cells(fast_[kNearTheSun][k], true);
        cells(fast_[kConjunctionScan][k], false);
        const FastPathDifferences &scan = fast_[kConjunctionScan][k];
        out << " " << (scan.Count ? Fixed(scan.Closest, 2) + "°" : std::string("-")) << " |\n";
    }
    out << "\nNear a conjunction the Sun's deflection of a planet's light (1.75\" at the Sun's edge, falling off "
           "as the distance from the Sun grows) changes within hours, faster than series over 4 or 16 days could "
           "follow; the series therefore hold the undeflected places and the deflection is added to each place "
           "read from them, which keeps the last columns as close as the others.\n";
}

}  // namespace zenlume
