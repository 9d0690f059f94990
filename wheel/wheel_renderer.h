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

namespace zenlume {

class WheelRenderer {
public:
    WheelRenderer();  // needs a QGuiApplication (for the fonts)
    explicit WheelRenderer(const GlyphFace &face);

    // Redraws the whole wheel of `chart` into a picture of side `side`
    // pixels, from the settings' SignColours, HouseSys, CuspMode, GlyphSize,
    // PlanetColor and ShowBody.  Sets settings.ShowBody[14] (the midheaven
    // point is drawn as a body for equal houses only).
    //
    // A draw runs to its end without letting the event loop run, so no other
    // request can arrive in the middle of it on this thread; should one
    // arrive all the same (a call from inside a draw), it is dropped and the
    // result is false: the running draw shows the newest chart anyway, and
    // the next tick or resize draws again.  Also false for a side below 1 or
    // a picture that cannot be allocated.
    bool DrawWheel(const ClockChart &chart, Settings &settings, int side);

    const QImage &Picture() const { return picture_; }
    const GlyphFace &Face() const { return face_; }

private:
    void ClearWheel();
    void DrawSignSpokes(WheelCanvas &canvas, double signShift);
    void DrawDegreeTicks(WheelCanvas &canvas, double signShift);
    void DrawSignGlyphs(WheelCanvas &canvas, const ClockChart &chart, const Settings &settings);
    void DrawCusps(WheelCanvas &canvas, const ClockChart &chart, const Settings &settings);
    void DrawRadialText(WheelCanvas &canvas, const QString &text, double longitude, int rotation, double radius,
                        const QFont &font, const QColor &colour);

    GlyphFace face_;
    QImage picture_;
    bool drawing_ = false;
};

}  // namespace zenlume
