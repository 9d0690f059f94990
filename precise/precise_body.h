// The bodies of the precise ephemeris, numbered as the chart numbers them.
#pragma once

namespace zenlume::precise {

enum Body : int {
    kSun = 1,
    kMoon,
    kMercury,
    kVenus,
    kMars,
    kJupiter,
    kSaturn,
    kUranus,
    kNeptune,
    kPluto,
    kTrueNode,  // the node of the Moon's osculating orbit on the ecliptic of date
    kChiron,
};
inline constexpr int kFirstBody = kSun, kLastBody = kChiron;

}  // namespace zenlume::precise
