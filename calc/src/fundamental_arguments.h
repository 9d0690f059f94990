// The mean solar and lunar arguments and the nutation in longitude that the
// solar theory (ExactSun) and the long lunar series (ExactMoon) share.
// Not exported.
#pragma once

namespace qv {

// All angles in degrees.  Each mean argument is reduced by whole turns
// toward zero (so it may be negative before 1900); the nutation is not.
struct FundamentalArgs {
    double Omega;        // longitude of the Moon's mean ascending node
    double SunMeanLon;   // the Sun's mean longitude L
    double Elong;        // the Moon's mean elongation from the Sun, D
    double MoonPerigee;  // longitude of the Moon's mean perigee
    double SunAnomaly;   // the Sun's mean anomaly M
    double MoonMeanLon;  // the Moon's mean longitude L'
    double Nutation;     // nutation in longitude
    double MoonAnomaly;  // the Moon's mean anomaly M'
};

// T in Julian centuries of 36525 days from JD 2415020.0.  The polynomials
// are the classical ones of the 1900 epoch, good to a few seconds of arc
// around 2000; the nutation keeps its two largest terms (about 1").
FundamentalArgs FundamentalArguments(double T);

}  // namespace qv
