#include "glyph_codes.h"

namespace zenlume {
namespace {

// U+2648..U+2653 with U+FE0E (text presentation).
const char *const kSigns[12] = {
    "\u2648\uFE0E", "\u2649\uFE0E", "\u264A\uFE0E", "\u264B\uFE0E", "\u264C\uFE0E", "\u264D\uFE0E",
    "\u264E\uFE0E", "\u264F\uFE0E", "\u2650\uFE0E", "\u2651\uFE0E", "\u2652\uFE0E", "\u2653\uFE0E",
};
// Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto,
// Node, Chiron.
const char *const kBodies[12] = {
    "\u2609", "\u263D", "\u263F", "\u2640", "\u2642", "\u2643",
    "\u2644", "\u2645", "\u2646", "\u2647", "\u260A", "\u26B7",
};

std::string Latin1(uint8_t code)
{
    if (code < 0x80) return std::string(1, static_cast<char>(code));
    return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
}

}  // namespace

std::string GlyphUnicode(uint8_t code)
{
    if (code >= SignGlyphBase && code < SignGlyphBase + 12)
        return kSigns[code - SignGlyphBase];
    if (code > BodyGlyphBase && code <= BodyGlyphBase + 12) return kBodies[code - BodyGlyphBase - 1];
    if (code == MidheavenGlyph) return "MC";
    if (code == 'R') return "\u211E";
    return Latin1(code);
}

std::string SymbolTextToUnicode(const ShortText10 &text)
{
    std::string out;
    const int n = text.length > 10 ? 10 : text.length;
    for (int i = 0; i < n; ++i) {
        const auto c = static_cast<uint8_t>(text.chars[i]);
        out += c >= 0x80 ? GlyphUnicode(c) : std::string(1, static_cast<char>(c));
    }
    return out;
}

}  // namespace zenlume
