// The mean solar and lunar arguments and the nutation in longitude that the
// solar theory (ExactSun) and the long lunar series (ExactMoon) share.
// Not exported.
#pragma once

namespace qv {

// All angles in degrees.  Each mean argument is reduced by whole turns
// toward zero (so it may be negative before 1900); the nutation is not.
struct FundamentalArgs {
    double omega;        // longitude of the Moon's mean ascending node
    double sunMeanLon;   // the Sun's mean longitude L
    double elong;        // the Moon's mean elongation from the Sun, D
    double moonPerigee;  // longitude of the Moon's mean perigee
    double sunAnomaly;   // the Sun's mean anomaly M
    double moonMeanLon;  // the Moon's mean longitude L'
    double nutation;     // nutation in longitude
    double moonAnomaly;  // the Moon's mean anomaly M'
};

// T in Julian centuries of 36525 days from JD 2415020.0.  The polynomials
// are the classical ones of the 1900 epoch, good to a few seconds of arc
// around 2000; the nutation keeps its two largest terms (about 1").
FundamentalArgs FundamentalArguments(double T);

}  // namespace qv
