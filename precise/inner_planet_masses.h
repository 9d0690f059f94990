// The masses behind the Sun's "inner wobble", the sum of (m/M_sun) r over
// the heliocentric positions r of Mercury, Venus, the Earth and Mars: the
// orbit tables hold their bodies' positions less it, and add it back when
// read.  tools/make_orbit_tables takes the planets' positions from libswe,
// orbit_tables.cpp from mean orbits; both take the masses from here.
#pragma once

namespace zenlume::precise {

// The Sun's mass over each inner planet's (IAU 2009 system of astronomical
// constants).  The Earth stands for the Earth-Moon barycentre, which moves
// the wobble by under 2e-10 AU.
struct InnerPlanetMass {
    const char *Name;
    double SunOverPlanet;
};
inline constexpr InnerPlanetMass kInnerPlanetMasses[] = {
    {"Mercury", 6023600.0},
    {"Venus", 408523.719},
    {"Earth and Moon", 328900.56},
    {"Mars", 3098703.59},
};

}  // namespace zenlume::precise
