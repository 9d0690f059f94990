#include "precise_houses.h"

#include "chart.h"

#include <cmath>

namespace zenlume {
namespace {

constexpr double kRad = M_PI / 180;

// The arc-minute the library adds to its Ascendant and Midheaven shows in
// the cusps each system takes from them: only the four angles of the
// quadrant systems, every cusp of Porphyry's and the equal houses, none of
// Morinus' and the Meridian houses, which start from the RAMC alone.
enum class CarriesMinute { kAngles, kAll, kNone };
constexpr CarriesMinute kMinuteIn[10] = {
    CarriesMinute::kNone,   CarriesMinute::kAngles /* Placidus */,  CarriesMinute::kAngles /* Koch */,
    CarriesMinute::kAngles /* Campanus */, CarriesMinute::kAngles /* Topocentric */, CarriesMinute::kNone /* Morinus */,
    CarriesMinute::kAll /* Porphyry */,   CarriesMinute::kAngles /* Regiomontanus */, CarriesMinute::kNone /* Meridian */,
    CarriesMinute::kAll /* Equal */};

double Reduce360(double x)
{
    x -= 360 * std::floor(x / 360);
    return x >= 360 ? 0 : x;
}

// The house's fixed part of the right ascension from the RAMC (degrees)
// and the share of the ascensional difference it takes.
struct PlacidusShare {
    double Degrees, OfDifference;
};
PlacidusShare ShareOf(int cusp)
{
    switch (cusp) {
    case 11: return {30, 1.0 / 3};
    case 12: return {60, 2.0 / 3};
    case 2: return {120, 2.0 / 3};
    default: return {150, 1.0 / 3};  // cusp 3
    }
}

}  // namespace

double PlacidusCusp(int cusp, double ramc, double latitude, double obliquity)
{
    const PlacidusShare share = ShareOf(cusp);
    const double tanPhi = std::tan(latitude * kRad), sinEps = std::sin(obliquity), cosEps = std::cos(obliquity);
    double difference = 0, lambda = 0, ra = 0;
    for (int round = 0; round < 1000; ++round) {
        const double next = ramc + share.Degrees * kRad + share.OfDifference * difference;
        lambda = std::atan2(std::sin(next), std::cos(next) * cosEps);
        const double x = tanPhi * std::tan(std::asin(sinEps * std::sin(lambda)));
        if (!(std::fabs(x) <= 1)) return std::nan("");
        difference = std::asin(x);
        if (round > 0 && std::fabs(std::remainder(next - ra, 2 * M_PI)) < 1e-13) break;
        ra = next;
    }
    return Reduce360(lambda / kRad);
}

bool PreciseHouseCusps(uint8_t houseSys, double lst, double latitude, double obliquity,
                       double cusps[QVCALC32_CHART_HIGH + 1])
{
    if (!CalcHouseCusps(houseSys, lst, latitude, obliquity, 0, cusps)) return false;
    const CarriesMinute minute = kMinuteIn[houseSys];
    for (int i = 0; i <= 12; ++i) {
        const bool angle = i == 1 || i == 4 || i == 7 || i == 10 || (i == 0 && houseSys == QVCALC32_EQUAL);
        if (minute == CarriesMinute::kAll || (minute == CarriesMinute::kAngles && angle))
            cusps[i] = Reduce360(cusps[i] - 1.0 / 60);
    }
    // The library stops Placidus' iteration at a thousandth of a radian,
    // which leaves the intermediate cusps up to several arc-minutes short at
    // high latitudes; the same iteration runs on here to convergence.
    if (houseSys == QVCALC32_PLACIDUS) {
        const double ramc = lst * 15 * kRad;
        for (int cusp : {11, 12, 2, 3}) {
            if (std::isnan(cusps[cusp])) continue;
            const double c = PlacidusCusp(cusp, ramc, latitude, obliquity);
            cusps[cusp] = c;
            cusps[cusp > 6 ? cusp - 6 : cusp + 6] = std::isnan(c) ? c : Reduce360(c + 180);
        }
    }
    return true;
}

}  // namespace zenlume
