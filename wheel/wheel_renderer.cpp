#include "wheel_renderer.h"

#include "body_layer.h"
#include "glyph_codes.h"

#include <algorithm>
#include <cmath>

namespace zenlume {
namespace {

const QColor kBlack(0, 0, 0);
const QColor kAxisRed(255, 0, 0);   // ascendant and descendant
const QColor kAxisBlue(0, 0, 255);  // IC and MC, unless the houses are equal

QColor SignColour(int sign) { return FromColourRef(ElementColours[sign]); }

// Past 360 once, back by 360: the angles of spokes and ticks.
double Wrap360(double theta) { return theta > 360 ? theta - 360 : theta; }

// SignShift as the layers may use it: a chart record that is not a
// finished computation can hold anything.
double UsableShift(double signShift) { return std::isfinite(signShift) ? signShift : 0; }

// Where the fill of a sign cell starts: halfway between the rim and ring 2,
// measured from the centre of the rings themselves, so that it lies inside
// the cell at any size.  (The glyph's centre would do on a large wheel, but
// on a small one it can fall on the rim, or past it into the corner.)
QPoint SignCellSeed(const WheelGeometry &g, double theta)
{
    const double centre = (g.WheelSide - 1) / 2.0, radius = (g.WheelSide - g.SignRingInset - 1) / 2.0;
    const double rad = theta * M_PI / 180;
    return {static_cast<int>(std::lround(centre + radius * std::cos(rad))),
            static_cast<int>(std::lround(centre + radius * std::sin(rad)))};
}

// The ratio a drawing uses: a ratio no screen has falls back to 1.
double UsableRatio(double ratio) { return std::isfinite(ratio) && ratio >= 0.25 && ratio <= 8 ? ratio : 1; }

bool IsAxisCusp(int i) { return i == 1 || i == 4 || i == 7 || i == 10; }

// RAII for the re-entrancy flag.
class DrawingFlag {
public:
    explicit DrawingFlag(bool &flag) : flag_(flag) { flag_ = true; }
    ~DrawingFlag() { flag_ = false; }
    DrawingFlag(const DrawingFlag &) = delete;
    DrawingFlag &operator=(const DrawingFlag &) = delete;

private:
    bool &flag_;
};

}  // namespace

WheelOptions WheelOptionsFor(const Settings &settings, int side)
{
    WheelOptions options;
    options.Side = side;
    options.GlyphSize = GlyphSizeFor(settings.PlanetSize, side);
    return options;
}

WheelRenderer::WheelRenderer() : WheelRenderer(GlyphFace()) {}

WheelRenderer::WheelRenderer(const GlyphFace &face) : face_(face) {}

bool WheelRenderer::DrawWheel(const ClockChart &chart, const Settings &settings, const WheelOptions &options)
{
    const int side = options.Side;
    if (drawing_ || side < 1) return false;
    const DrawingFlag flag(drawing_);
    const double ratio = UsableRatio(options.DevicePixelRatio);
    const int deviceSide = std::max(1, static_cast<int>(std::lround(side * ratio)));
    if (picture_.width() != deviceSide) {
        picture_ = QImage(deviceSide, deviceSide, QImage::Format_RGB32);
        if (picture_.isNull()) return false;
    }
    // The canvas places device pixels itself; the picture tells its ratio
    // to whoever shows it once the drawing is done.
    picture_.setDevicePixelRatio(1);
    DrawLayers(chart, settings, options, ratio);
    picture_.setDevicePixelRatio(ratio);
    return true;
}

void WheelRenderer::DrawLayers(const ClockChart &chart, const Settings &settings, const WheelOptions &options,
                               double ratio)
{
    ClearWheel();
    const WheelGeometry g = WheelGeometryFor(options.Side);
    WheelCanvas canvas(picture_, g, ratio);
    canvas.Ring(g.Rings[kRim]);
    canvas.Ring(g.Rings[kSignRingInner]);

    const double shift = UsableShift(chart.SignShift);
    DrawSignSpokes(canvas, shift);
    DrawDegreeTicks(canvas, shift);
    DrawBodies(canvas, face_, chart, settings, options.GlyphSize, options.GlyphColour(settings));
    DrawSignGlyphs(canvas, chart, settings, options.GlyphSize);
    canvas.Ring(g.Rings[kOuterHub]);
    if (settings.CuspMode != CuspLines::kNone) DrawCusps(canvas, chart, settings, options.GlyphSize);
    // The hub again, over the inner ends of the cusp lines.
    canvas.Ring(g.Rings[kOuterHub]);
    canvas.Ring(g.Rings[kInnerHub]);
}

void WheelRenderer::ClearWheel()
{
    // The whole picture turns white.  (A flood fill bounded by light grey
    // does the same only on a picture without light grey pixels; the edges
    // of antialiased text, a silver glyph colour or a fresh picture's memory
    // would stop it and leave old pixels behind.)
    picture_.fill(Qt::white);
}

void WheelRenderer::DrawSignSpokes(WheelCanvas &canvas, double signShift)
{
    const WheelGeometry &g = canvas.Geometry();
    for (int i = 1; i <= 12; ++i)
        canvas.Radial(Wrap360(30.0 * i + signShift), g.SignRingRadius, g.RimRadius, kBlack, 1);
}

void WheelRenderer::DrawDegreeTicks(WheelCanvas &canvas, double signShift)
{
    const WheelGeometry &g = canvas.Geometry();
    canvas.Ring(g.Rings[kTickBandInner]);
    // 361 ticks, the first and last on the same place; every fifth degree
    // counted from a sign boundary is thick.
    for (int i = 0; i <= 360; ++i)
        canvas.Radial(Wrap360(i + signShift), g.SignRingRadius - 1, g.TickRadius, kBlack, i % 5 == 0 ? 2 : 1);
}

void WheelRenderer::DrawSignGlyphs(WheelCanvas &canvas, const ClockChart &chart, const Settings &settings,
                                   uint16_t glyphSize)
{
    const WheelGeometry &g = canvas.Geometry();
    const int k = SignRotation(chart.CuspPos[1]);
    const int wholeShift = static_cast<int>(std::trunc(UsableShift(chart.SignShift)));
    const QFont font = face_.Font(static_cast<int>(std::nearbyint(1.65f * glyphSize)));
    // On a wheel below about 70 pixels the leaders of the bodies reach ring 2
    // and break it (as glyphs far above the usual sizes would), and a cell's
    // colour would run into the whole wheel; drawn once more, the ring is
    // closed again.  On a usual wheel this changes no pixel.
    if (settings.SignColours == SignColouring::kBackground) {
        RingBox outline = g.Rings[kSignRingInner];
        outline.Filled = false;
        canvas.Ring(outline);
    }
    for (int i = 0; i < 12; ++i) {
        // The middle of sign i, with the shift cut to whole degrees.
        int a = 30 * i + 15 - wholeShift + 180 + 30 * k;
        if (a > 360) a -= 360;
        int theta = 360 - a;
        if (theta < 0) theta += 360;
        const QPoint p = canvas.Point(g.SignGlyphRadius, theta);
        // The fill comes before the glyph, so it meets only white and the
        // black of the rim, ring 2 and the two spokes around the cell.
        if (settings.SignColours == SignColouring::kBackground) canvas.FillBoundedByBlack(SignCellSeed(g, theta), SignColour(i));
        const QColor colour = settings.SignColours == SignColouring::kGlyphs ? SignColour(i) : kBlack;
        canvas.CentredText(face_.Text(static_cast<uint8_t>(SignGlyphBase + i)), p, font, colour);
    }
}

void WheelRenderer::DrawCusps(WheelCanvas &canvas, const ClockChart &chart, const Settings &settings,
                              uint16_t glyphSize)
{
    const WheelGeometry &g = canvas.Geometry();
    const int k = SignRotation(chart.CuspPos[1]);
    const QFont numberFont = face_.Font(static_cast<int>(std::trunc(0.81 * glyphSize)));
    // The numbers keep the colour the sign glyphs ended with, Pisces's.
    const QColor numberColour = settings.SignColours == SignColouring::kGlyphs ? SignColour(11) : kBlack;
    const bool equalHouses = settings.HouseSys == QVCALC32_EQUAL;
    for (int i = 1; i <= 12; ++i) {
        if (settings.CuspMode == CuspLines::kAngles && !IsAxisCusp(i)) continue;
        const double cusp = chart.CuspPos[i];
        if (!std::isfinite(cusp)) continue;  // a house system without cusps at this latitude
        const double theta = ScreenAngle(cusp, k);
        const bool horizon = i == 1 || i == 7, meridian = (i == 4 || i == 10) && !equalHouses;
        const QColor colour = horizon ? kAxisRed : meridian ? kAxisBlue : kBlack;
        // The axes cross the sign ring to the rim; other cusps stop at it.
        const bool axis = horizon || meridian;
        const QPoint inner = g.HubInset > 0 ? canvas.Point(g.HubInset, theta) : QPoint(g.Centre, g.Centre);
        canvas.Line(inner, canvas.Point(axis ? g.RimRadius : g.SignRingRadius, theta), colour, axis ? 2 : 1);

        // House n lies opposite house p = i - 1, so its middle is half the
        // long way round from cusp i to cusp p.
        const int n = i - 7 < 1 ? i + 5 : i - 7;
        const double previous = chart.CuspPos[i == 1 ? 12 : i - 1];
        if (!std::isfinite(previous)) continue;
        const double middle = cusp + GetHouseSize(cusp, previous) / 2;
        DrawRadialText(canvas, QString::number(n), middle, k, g.HouseNumberRadius, numberFont, numberColour);
    }
}

void WheelRenderer::DrawRadialText(WheelCanvas &canvas, const QString &text, double longitude, int rotation,
                                   double radius, const QFont &font, const QColor &colour)
{
    const WheelGeometry &g = canvas.Geometry();
    const QPoint p = WheelPoint(g.TextCentre, radius, ScreenAngle(longitude, rotation));
    canvas.CentredText(text, p, font, colour);
}

}  // namespace zenlume
