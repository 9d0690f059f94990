// Mean arguments of the Sun and the Moon, shared by the two exact series.
#include "fundamental_arguments.h"

#include "fast_trig.h"
#include "internal.h"

namespace qv {

FundamentalArgs FundamentalArguments(double T)
{
    // The node, the perigee and the Moon's mean longitude are given per day
    // in the classical tables, the others per century.
    const double d = 36525 * T;
    const double T2 = T * T;
    FundamentalArgs a;
    a.Omega = FU(259.1833 - 0.05295392 * d + (0.002078 + 0.000002 * T) * T2);
    a.SunMeanLon = FU(279.69668 + 36000.7689 * T + 0.0003025 * T2);
    a.Elong = FU(350.737486 + 445267.114 * T - 0.001436 * T2);
    a.MoonPerigee = FU(334.32956 + 0.11140408 * d + (0.010325 + 0.00015 * T) * T2);
    a.SunAnomaly = FU(358.47584 + 35999.04975 * T - 0.00015 * T2);
    a.MoonMeanLon = FU(270.434164 + 13.1763965 * d + (0.0000019 * T - 0.001133) * T2);
    a.MoonAnomaly = FU(296.1046083 + 477198.849 * T + 0.00919167 * T2);
    a.Nutation = static_cast<double>(
        (-(17.2327 + 0.01737 * T) * FastSinDeg(a.Omega) - 1.273 * FastSinDeg(2 * a.SunMeanLon)) * kOver3600L);
    return a;
}

}  // namespace qv
