#include "wheel_geometry.h"

#include <cmath>

namespace zenlume {
namespace {

// Halves go to the even neighbour (the default rounding mode); trunc drops
// the fraction toward zero.
int Round(double x) { return static_cast<int>(std::nearbyint(x)); }
int Trunc(double x) { return static_cast<int>(std::trunc(x)); }

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
    g.RingWidth = Round(W / 7.0);
    const int rw = g.RingWidth;
    g.SignRingInset = Round(rw / 2.0);
    const int m = g.SignRingInset;
    g.Centre = Round(W / 2.0);
    g.TickDepth = Trunc(5.0f * s);
    g.HubInset = Trunc(1.5 * rw);
    g.HubRingInset = g.HubInset > 0 ? Trunc(1.3 * rw) : Trunc(2.0 * rw);
    g.RimRadius = Round(W / 2.0);
    g.SignRingRadius = Round((W - 2.0 * m) / 2.0);
    g.TickRadius = Round((W - 2.0 * (m + g.TickDepth)) / 2.0);
    g.SignGlyphRadius = Round(W / 2.0) - Trunc(Round(W / 2.0) / 14.0);
    g.HouseNumberRadius = Trunc(W / 2.0) - Trunc(rw + g.HubInset) + Trunc(2.0 * rw / 3.3);
    g.BodyInset = Trunc(8.0f * s) + m;
    g.BodyRingRadius = g.Centre - g.BodyInset;
    g.LeaderInnerRadius = g.BodyRingRadius - 6;
    g.BodyGlyphRadius = g.BodyRingRadius - Trunc(0.19 * rw);
    g.MarkerRadius = g.BodyRingRadius - Trunc(0.46 * rw);
    g.TextCentre = Trunc(W / 2.0);

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
    int k0 = Trunc(firstCusp / 30);
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
    return {centre + Round(radius * std::cos(rad)), centre + Round(radius * std::sin(rad))};
}

}  // namespace zenlume
