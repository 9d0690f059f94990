// The wheel's geometry: every radius, inset and ring of the picture follows
// from one number, the wheel's side W, so the wheel scales with the window.
// Also the rotation that puts the first cusp at 9 o'clock and the rule that
// turns a radius and a screen angle into a pixel.
#pragma once

#include <QPoint>

namespace zenlume {

// A circle drawn as the ellipse in the box (Lo, Lo)..(Hi, Hi): it covers the
// pixel columns Lo to Hi - 1, so the rim of a W-pixel wheel is whole.
struct RingBox {
    int Lo = 0, Hi = 0;
    int PenWidth = 1;
    bool Filled = false;  // filled with white, which also clears its inside
};

enum WheelRing { kRim, kSignRingInner, kTickBandInner, kOuterHub, kInnerHub, kRingCount };

struct WheelGeometry {
    int WheelSide = 0;          // W, the side of the square picture
    float WheelScale = 0;       // s = W / 547, single precision: scales the fine offsets
    int RingWidth = 0;          // rw, the unit of the ring radii
    int SignRingInset = 0;      // m, the width of the sign ring
    int Centre = 0;             // c, centre x and y of everything placed by angle
    int TickDepth = 0;          // t5, the depth of the degree-tick band
    int HubInset = 0;           // len, inset of the inner hub circle; inner end of cusp lines
    int HubRingInset = 0;       // K, inset of the outer hub circle
    int RimRadius = 0;          // R_out, outer end of spokes and axis lines
    int SignRingRadius = 0;     // R_in, inner edge of the sign ring
    int TickRadius = 0;         // R_tick, inner end of the ticks
    int SignGlyphRadius = 0;    // R_sign
    int HouseNumberRadius = 0;  // R_num
    int BodyInset = 0;          // 8 s truncated toward zero, plus m
    int BodyRingRadius = 0;     // R0, true position of a body: outer end of its leader
    int LeaderInnerRadius = 0;  // R0 - 6: a fixed 6 pixels whatever the size
    int BodyGlyphRadius = 0;
    int MarkerRadius = 0;       // motion markers, nearer the centre than the glyphs
    int TextCentre = 0;         // W / 2 truncated toward zero: centre used for house numbers
    RingBox Rings[kRingCount];
};

WheelGeometry WheelGeometryFor(int wheelSide);

// k, the number of 30-degree turns that bring the first cusp (a multiple of
// 30 in the wheel frame, up to rounding) to 9 o'clock.  0 for a cusp that
// is not a number.
int SignRotation(double firstCusp);

// The screen angle in degrees (clockwise from 3 o'clock, since screen y
// grows downwards) of wheel-frame longitude L; longitudes grow
// counter-clockwise.  Spread longitudes above 360 may give negative angles,
// which are used as they are.
double ScreenAngle(double longitude, int rotation);

// The pixel at `radius` and screen angle `theta` about (centre, centre).
QPoint WheelPoint(int centre, double radius, double theta);

}  // namespace zenlume
