#include "body_layer.h"

#include "glyph_codes.h"

#include <cmath>

namespace zenlume {
namespace {

const QColor kLeaderColour(255, 0, 0);

// The ninth character of the sign text: 'R' retrograde, 's' stationary,
// blank when direct (or when the text is short).
uint8_t MotionMarker(const ShortText10 &text)
{
    return text.length >= 9 ? static_cast<uint8_t>(text.chars[8]) : ' ';
}

}  // namespace

EntryFlags DrawnEntries(const ClockChart &chart, const Settings &settings)
{
    EntryFlags drawn{};
    for (int j = QVCALC32_SUN; j <= QVCALC32_MIDHEAVEN; ++j) {
        const bool wanted = j == QVCALC32_MIDHEAVEN ? settings.HouseSys == QVCALC32_EQUAL
                                                    : j <= QVCALC32_CHIRON && settings.ShowBody[j];
        drawn[j] = wanted && IsWheelFrameEntry(j) && std::isfinite(chart.PlanetPos[j]);
    }
    return drawn;
}

void DrawBodies(WheelCanvas &canvas, const GlyphFace &face, const ClockChart &chart, const Settings &settings,
                uint16_t glyphSize, uint32_t colourRef)
{
    const WheelGeometry &g = canvas.Geometry();
    const int k = SignRotation(chart.CuspPos[1]);
    const EntryFlags drawn = DrawnEntries(chart, settings);

    // Only drawn entries take part in the spreading: an entry that is not
    // drawn would push visible glyphs away from their places for nothing.
    EntryLongitudes longitude{};
    for (int j = QVCALC32_SUN; j <= QVCALC32_MIDHEAVEN; ++j) longitude[j] = chart.PlanetPos[j];
    const EntryLongitudes spread = SpreadBodies(longitude, drawn);

    const QFont font = face.Font(glyphSize);
    const QColor colour = FromColourRef(colourRef);
    for (int j = QVCALC32_SUN; j <= QVCALC32_MIDHEAVEN; ++j) {
        if (!drawn[j]) continue;
        const double placeAngle = ScreenAngle(chart.PlanetPos[j], k), shownAngle = ScreenAngle(spread[j], k);
        canvas.Line(canvas.Point(g.BodyRingRadius, placeAngle), canvas.Point(g.LeaderInnerRadius, shownAngle),
                    kLeaderColour, 1);
        const uint8_t glyph = j == QVCALC32_MIDHEAVEN ? MidheavenGlyph : static_cast<uint8_t>(BodyGlyphBase + j);
        canvas.CentredText(face.Text(glyph), canvas.Point(g.BodyGlyphRadius, shownAngle), font, colour);
        // The midheaven's text is made as direct, so it never has a marker.
        const uint8_t marker = MotionMarker(chart.PlanetText[j]);
        if (marker != ' ')
            canvas.CentredText(face.Text(marker), canvas.Point(g.MarkerRadius, shownAngle), font, colour);
    }
}

}  // namespace zenlume
