// The wheel renderer: draws the chart of the moment as a round chart wheel
// into a retained picture that the window (or a file) shows.  Every draw
// starts from a white picture and draws all layers again, in this order:
// rim and sign ring, sign spokes, degree ticks, bodies, sign glyphs, hub,
// and the house cusps with their numbers when the settings ask for them.
// The ascendant side is always at the left.
#pragma once

#include "chart.h"
#include "glyph_face.h"
#include "settings.h"
#include "wheel_canvas.h"
#include "wheel_geometry.h"

#include <QImage>

#include <cstdint>
#include <optional>

namespace zenlume {

// What a drawing takes from the picture it draws into rather than from the
// settings file, computed by the caller: the picture's side, the glyph size
// that follows from a picture's width (GlyphSizeFor), and a glyph colour
// that stands in for the settings' PlanetColor while the options dialog
// shows a colour not yet written to the file.  DevicePixelRatio is the
// screen's device pixels per pixel: the picture holds Side * ratio device
// pixels a side (rounded) and says so through its device pixel ratio, while
// the wheel's geometry stays that of Side.
struct WheelOptions {
    int Side = 0;                         // pixels
    double DevicePixelRatio = 1;          // device pixels per pixel; 1 when not finite or outside 0.25..8
    uint16_t GlyphSize = 1;               // points
    std::optional<uint32_t> PlanetColor;  // 0x00BBGGRR; the settings' colour when empty

    uint32_t GlyphColour(const Settings &settings) const { return PlanetColor.value_or(settings.PlanetColor); }
};

// The options of a wheel `side` pixels wide with the glyph size the
// settings' PlanetSize gives at that width.
WheelOptions WheelOptionsFor(const Settings &settings, int side);

class WheelRenderer {
public:
    WheelRenderer();  // needs a QGuiApplication (for the fonts)
    explicit WheelRenderer(const GlyphFace &face);

    // Redraws the whole wheel of `chart` into a picture of options.Side
    // pixels square, from the settings' SignColours, HouseSys, CuspMode,
    // PlanetColor and ShowBody and the options' glyph size and colour.  The
    // Midheaven point is drawn as a body for equal houses only, whose cusp
    // 10 is not the Midheaven; the other systems draw it as cusp 10.
    //
    // A draw runs to its end without letting the event loop run, so no other
    // request can arrive in the middle of it on this thread; should one
    // arrive all the same (a call from inside a draw), it is dropped and the
    // result is false: the running draw shows the newest chart anyway, and
    // the next tick or resize draws again.  Also false for a side below 1 or
    // a picture that cannot be allocated.  At ratio 1 the picture is pixel
    // for pixel the plain wheel.
    bool DrawWheel(const ClockChart &chart, const Settings &settings, const WheelOptions &options);

    const QImage &Picture() const { return picture_; }

private:
    void DrawLayers(const ClockChart &chart, const Settings &settings, const WheelOptions &options, double ratio);
    void ClearWheel();
    void DrawSignSpokes(WheelCanvas &canvas, double signShift);
    void DrawDegreeTicks(WheelCanvas &canvas, double signShift);
    void DrawSignGlyphs(WheelCanvas &canvas, const ClockChart &chart, const Settings &settings, uint16_t glyphSize);
    void DrawCusps(WheelCanvas &canvas, const ClockChart &chart, const Settings &settings, uint16_t glyphSize);
    void DrawRadialText(WheelCanvas &canvas, const QString &text, double longitude, int rotation, double radius,
                        const QFont &font, const QColor &colour);

    GlyphFace face_;
    QImage picture_;
    bool drawing_ = false;
};

}  // namespace zenlume
