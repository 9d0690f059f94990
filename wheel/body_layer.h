// The body layer of the wheel: the glyphs of the shown bodies on a ring just
// inside the degree ticks, spread apart where they crowd, each with a short
// red leader from its own position and its motion marker nearer the centre.
#pragma once

#include "chart.h"
#include "glyph_face.h"
#include "settings.h"
#include "spread_bodies.h"
#include "wheel_canvas.h"

namespace zenlume {

// Which entries 1..14 are drawn: the bodies settings.ShowBody names, and
// the Midheaven point (entry 14) for equal houses, whose cusp 10 is not the
// Midheaven; never the true Ascendant (entry 13), which is no wheel-frame
// position and has no glyph, nor an entry without a longitude.
EntryFlags DrawnEntries(const ClockChart &chart, const Settings &settings);

// Draws the layer: the glyphs at `glyphSize` points in `colour` (0x00BBGGRR).
void DrawBodies(WheelCanvas &canvas, const GlyphFace &face, const ClockChart &chart, const Settings &settings,
                uint16_t glyphSize, uint32_t colour);

}  // namespace zenlume
