// The body layer of the wheel: the glyphs of the shown bodies on a ring just
// inside the degree ticks, spread apart where they crowd, each with a short
// red leader from its true position and its motion marker nearer the centre.
#pragma once

#include "chart.h"
#include "glyph_face.h"
#include "settings.h"
#include "spread_bodies.h"
#include "wheel_canvas.h"

namespace zenlume {

// Which entries 1..14 are drawn: the shown bodies, and the midheaven point
// (entry 14) when settings.ShowBody[14] says so; never entry 13, the copy of
// the first cusp, which has no glyph, nor an entry without a longitude.
EntryFlags DrawnEntries(const ClockChart &chart, const Settings &settings);

// Draws the layer; the glyphs in settings.PlanetColor at settings.GlyphSize.
void DrawBodies(WheelCanvas &canvas, const GlyphFace &face, const ClockChart &chart, const Settings &settings);

}  // namespace zenlume
