// ExactMoon: the Moon's longitude from the mean arguments with their
// long-period corrections and a 71-term periodic series.
#include "fundamental_arguments.h"
#include "internal.h"
#include "lunar_terms.h"

#include <iterator>

namespace {

using qv::SineTerm;

// Periodic terms of the longitude, seconds of arc, in the classical order
// (columns read top to bottom: terms 1-24, 25-48, 49-71).
constexpr SineTerm kLongitudeTerms[] = {
    /*  1 */ {22639.55, "M'"},           /*  2 */ {-4586.47, "M' - 2D"},      /*  3 */ {2369.912, "2D"},
    /*  4 */ {769.02, "2M'"},            /*  5 */ {-668.15, "M"},             /*  6 */ {-411.61, "2F"},
    /*  7 */ {-211.66, "2M' - 2D"},      /*  8 */ {-205.96, "M' + M - 2D"},   /*  9 */ {191.95, "M' + 2D"},
    /* 10 */ {-165.15, "M - 2D"},        /* 11 */ {147.69, "M' - M"},         /* 12 */ {-125.15, "D"},
    /* 13 */ {-109.67, "M' + M"},        /* 14 */ {-55.17, "2F - 2D"},        /* 15 */ {-45.099, "2F + M'"},
    /* 16 */ {39.53, "M' - 2F"},         /* 17 */ {-38.43, "M' - 4D"},        /* 18 */ {36.12, "3M'"},
    /* 19 */ {-30.77, "2M' - 4D"},       /* 20 */ {28.48, "M' - M - 2D"},     /* 21 */ {-24.42, "M + 2D"},
    /* 22 */ {18.61, "M' - D"},          /* 23 */ {18.02, "M + D"},           /* 24 */ {14.58, "M' - M + 2D"},
    /* 25 */ {14.39, "2M' + 2D"},        /* 26 */ {13.9, "4D"},               /* 27 */ {-13.19, "3M' - 2D"},
    /* 28 */ {9.7, "2M' - M"},           /* 29 */ {9.37, "M' - 2F - 2D"},     /* 30 */ {-8.63, "2M' + M - 2D"},
    /* 31 */ {-8.47, "M' + D"},          /* 32 */ {-8.096, "2M - 2D"},        /* 33 */ {-7.65, "2M' + M"},
    /* 34 */ {-7.49, "2M"},              /* 35 */ {-7.41, "2M + M' - 2D"},    /* 36 */ {-6.38, "M' - 2F + 2D"},
    /* 37 */ {-5.74, "2F + 2D"},         /* 38 */ {-4.39, "M' + M - 4D"},     /* 39 */ {-3.99, "2M' + 2F"},
    /* 40 */ {3.22, "M' - 3D"},          /* 41 */ {-2.92, "M' + M + 2D"},     /* 42 */ {-2.74, "2M' + M - 4D"},
    /* 43 */ {-2.49, "2M' - M - 2D"},    /* 44 */ {2.58, "M' - 2M"},          /* 45 */ {2.53, "M' - 2M - 2D"},
    /* 46 */ {-2.15, "2F + M - 2D"},     /* 47 */ {1.98, "M' + 4D"},          /* 48 */ {1.94, "4M'"},
    /* 49 */ {-1.88, "M - 4D"},          /* 50 */ {1.75, "2M' - D"},          /* 51 */ {-1.44, "M - 2F + 2D"},
    /* 52 */ {-1.298, "2M' - 2F"},       /* 53 */ {1.27, "M' + M + D"},       /* 54 */ {1.23, "2M' - 3D"},
    /* 55 */ {-1.19, "3M' - 4D"},        /* 56 */ {1.18, "2M' - M + 2D"},     /* 57 */ {-1.17, "2M + M'"},
    /* 58 */ {-1.09, "M' - M - D"},      /* 59 */ {1.06, "3M' + 2D"},         /* 60 */ {-0.59, "2M' + D"},
    /* 61 */ {-0.99, "2F + M' + 2D"},    /* 62 */ {-0.95, "4M' - 2D"},        /* 63 */ {-0.57, "2M' - 6D"},
    /* 64 */ {0.64, "M' - 4D"},          /* 65 */ {0.56, "M - D"},            /* 66 */ {0.76, "M' - 2M + 2D"},
    /* 67 */ {0.58, "2F - D"},           /* 68 */ {-0.55, "3M' + M"},         /* 69 */ {0.68, "3M' - M"},
    /* 70 */ {0.557, "2M' + 2F - 2D"},   /* 71 */ {0.538, "2M' - 2F - 2D"},
};
static_assert(std::size(kLongitudeTerms) == 71);

}  // namespace

using namespace qv;

extern "C" {

// Lon: the Moon's apparent longitude in degrees plus Offset, reduced by
// whole turns toward zero (so it may be negative with a negative Offset), for
// T in Julian centuries from JD 2415020.0.  Good to about 0.01 degrees around
// 2000 (0.0002 in a check at 1992).
void ExactMoon(double *Lon, double Offset, double T)
{
    if (!Lon) return;
    const FundamentalArgs fa = FundamentalArguments(T);
    double Lp = fa.MoonMeanLon;
    double Mp = Lp - fa.MoonPerigee;  // the anomaly and the argument of latitude
    double F = Lp - fa.Omega;         // come from the uncorrected mean longitude

    // The additive long-period terms of the classical theory shift the mean
    // arguments themselves, so the periodic series below is taken with them.
    const double A1 = FastSinDeg(51.2 + 20.2 * T);
    const double A2 = 14.27 * FastSinDeg(193.4404 - 132.87 * T - 0.0091731 * T * T);
    const double A3 = FastSinDeg(fa.Omega);
    const double A4 = -15.58 * FastSinDeg(275.05 + fa.Omega - 2.3 * T);
    Lp += static_cast<double>((0.84 * A1 + A2 + 7.261 * A3) * kOver3600L);
    Mp += static_cast<double>((2.94 * A1 + A2 + 9.337 * A3) * kOver3600L);
    F += static_cast<double>((0.21 * A1 + A2 - 88.699 * A3 + A4) * kOver3600L);

    const double S = SumSeries(kLongitudeTerms, LunarArgs{fa.Elong, fa.SunAnomaly, Mp, F});
    *Lon = FU(Offset + Lp + static_cast<double>(S * kOver3600L) + fa.Nutation);
}

}  // extern "C"
