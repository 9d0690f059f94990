// The byte codes of the symbol face: signs, bodies, the midheaven point and
// the element colours of the signs, with the Unicode symbols that stand in
// for them wherever the face itself is not installed.
#pragma once

#include "qvcalc32.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zenlume {

// The sign codes are the ones MakeSign writes into its texts; the library's
// header owns their base.
inline constexpr uint8_t SignGlyphBase = QVCALC32_SIGN_GLYPH_BASE;  // + sign index 0 (Aries) .. 11 (Pisces)
inline constexpr uint8_t BodyGlyphBase = 127;  // + body number 1 (Sun) .. 12 (Chiron)
inline constexpr uint8_t MidheavenGlyph = 149;

// Sign colours by sign index: red, lime, yellow, blue for fire, earth, air
// and water, as 0x00BBGGRR values.
inline constexpr uint32_t ElementColours[12] = {
    0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0x0000FF, 0x00FF00,
    0x00FFFF, 0xFF0000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000,
};

// The Unicode text (UTF-8) of a symbol-face code: the zodiac signs, Sun to
// Pluto, the Node and Chiron, "MC" for the midheaven point, the retrograde
// sign for "R"; signs carry the text-presentation selector so that they are
// never drawn as colour emoji.  Codes without a symbol give their Latin-1
// character.
std::string GlyphUnicode(uint8_t code);

// A text of the symbol face (for example a sign-notation text) in UTF-8:
// every code from 128 up through GlyphUnicode, ASCII as it is.
std::string SymbolTextToUnicode(const ShortText10 &text);

}  // namespace zenlume
