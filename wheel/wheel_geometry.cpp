#include "wheel_geometry.h"

#include <cmath>

namespace zenlume {
namespace {

// The nearest whole number, halves to the even neighbour (the default
// rounding mode).
int RoundHalfEven(double x) { return static_cast<int>(std::nearbyint(x)); }
// The whole number toward zero: the fraction dropped.
int Truncate(double x) { return static_cast<int>(std::trunc(x)); }

// Pen width and fill of rings 1..5: rim, inner edge of the sign ring,
// inner edge of the tick band, outer and inner hub.  The hub rings are
// outlines only, since the bodies and cusp lines already lie inside them.
struct RingStyle {
    int PenWidth;
    bool Filled;
};
constexpr RingStyle kRingStyles[kRingCount] = {{1, true}, {1, true}, {1, true}, {2, false}, {2, false}};

}  // namespace

WheelGeometry WheelGeometryFor(int W)
{
    WheelGeometry g;
    g.WheelSide = W;
    g.WheelScale = static_cast<float>(W) / 547.0f;
    const float s = g.WheelScale;
    g.RingWidth = RoundHalfEven(W / 7.0);
    const int rw = g.RingWidth;
    g.SignRingInset = RoundHalfEven(rw / 2.0);
    const int m = g.SignRingInset;
    g.Centre = RoundHalfEven(W / 2.0);
    g.TickDepth = Truncate(5.0f * s);
    g.HubInset = Truncate(1.5 * rw);
    g.HubRingInset = g.HubInset > 0 ? Truncate(1.3 * rw) : Truncate(2.0 * rw);
    g.RimRadius = RoundHalfEven(W / 2.0);
    g.SignRingRadius = RoundHalfEven((W - 2.0 * m) / 2.0);
    g.TickRadius = RoundHalfEven((W - 2.0 * (m + g.TickDepth)) / 2.0);
    g.SignGlyphRadius = RoundHalfEven(W / 2.0) - Truncate(RoundHalfEven(W / 2.0) / 14.0);
    g.HouseNumberRadius = Truncate(W / 2.0) - Truncate(rw + g.HubInset) + Truncate(2.0 * rw / 3.3);
    g.BodyInset = Truncate(8.0f * s) + m;
    g.BodyRingRadius = g.Centre - g.BodyInset;
    g.LeaderInnerRadius = g.BodyRingRadius - 6;
    g.BodyGlyphRadius = g.BodyRingRadius - Truncate(0.19 * rw);
    g.MarkerRadius = g.BodyRingRadius - Truncate(0.46 * rw);
    g.TextCentre = Truncate(W / 2.0);

    const int insets[kRingCount] = {0, m, m + g.TickDepth, m + g.HubRingInset, m + g.HubInset};
    for (int r = 0; r < kRingCount; ++r)
        g.Rings[r] = RingBox{insets[r], W - insets[r], kRingStyles[r].PenWidth, kRingStyles[r].Filled};
    return g;
}

int SignRotation(double firstCusp)
{
    if (!(std::fabs(firstCusp) < 1e6)) return 0;  // not a number, or no longitude at all
    // The test against 15 absorbs the rounding error of the shift into the
    // wheel frame, which leaves the first cusp a hair off its multiple of 30.
    int k0 = Truncate(firstCusp / 30);
    if (firstCusp - 30.0 * k0 > 15) ++k0;
    int k = 12 - k0;
    if (k >= 12) k -= 12;
    return k;
}

double ScreenAngle(double longitude, int rotation)
{
    double a = longitude + 180 + 30.0 * rotation;
    if (a > 360) a -= 360;
    return 360 - a;
}

QPoint WheelPoint(int centre, double radius, double theta)
{
    const double rad = theta * M_PI / 180;
    return {centre + RoundHalfEven(radius * std::cos(rad)), centre + RoundHalfEven(radius * std::sin(rad))};
}

}  // namespace zenlume
