// The Placidus fixed-point iteration, four cusps side by side.  Not exported.
#pragma once

#include <cmath>
#include <cstdint>

namespace qv {

// k = tan(latitude) tan(obliquity) for the iteration's products k sin x.
// `fast` comes from the table trigonometry (within a dozen ulps of the
// product of the C library's tangents); Exact() gives that product, computed
// only the first time a product lies near a Real6 rounding midpoint, where
// it decides the rounding.
class PlacidusK {
public:
    PlacidusK(double fast, double phi, double obl) : fast_(fast), phi_(phi), obl_(obl) {}
    // k as the C library gives it already.
    static PlacidusK Exact(double k)
    {
        PlacidusK r(k, 0, 0);
        r.exact_ = k;
        r.haveExact_ = true;
        return r;
    }
    double Fast() const { return fast_; }
    double Exact()
    {
        if (!haveExact_) {
            exact_ = std::tan(phi_) * std::tan(obl_);
            haveExact_ = true;
        }
        return exact_;
    }

private:
    double fast_, phi_, obl_, exact_ = 0;
    bool haveExact_ = false;
};

constexpr int kPlacidusLanes = 4;
constexpr int32_t kPlacidusRounds = 100000;

// Right ascensions X (radians) of cusps whose ascensional difference,
// scaled by f, puts them at RAMC + H (base = RAMC + H): fixed-point
// iteration X' = base + f ArcSin(k sin X) from X = 1 until two iterates lie
// within 0.001 radians, the arcsine at Real6 precision (ArcSinReal6).  The
// result is the last iterate, off the true solution by up to
// 0.001 c / (1 - c) where the map contracts by c < |f|: below the polar
// circles the intermediate cusps settle in at most about 21 rounds, while
// f = 1 (the Ascendant) slows to thousands near 66 degrees.  NaN where an
// iterate has no arcsine (beyond the polar circles) or the lane has not
// settled after kPlacidusRounds.  Each lane's iterates are bit for bit
// those of the lane run alone; rounds (may be null) receives each lane's
// count.
void IteratePlacidus(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                     double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes]);

// The first round's arcsine, the same in every lane (X = 1), for callers
// that start it early: IteratePlacidus continues from it.
double PlacidusFirstArcSin(PlacidusK &k);
void IteratePlacidus(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                     double firstArcSin, double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes]);

}  // namespace qv
