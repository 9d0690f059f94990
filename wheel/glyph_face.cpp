#include "glyph_face.h"

#include "glyph_codes.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>

namespace zenlume {

GlyphFace::GlyphFace() : GlyphFace(QFontDatabase::families().contains(QLatin1String(kSymbolFace))) {}

GlyphFace::GlyphFace(bool symbolFace) : symbolFace_(symbolFace)
{
    for (int code = 0; code < 256; ++code) {
        // The symbol face keeps its glyphs at the byte codes themselves
        // (several of them, 129 the Moon and 157 Virgo among them, have no
        // character in the Windows code page), so a code is passed through
        // as the Latin-1 character of the same number.
        texts_[code] = symbolFace_ ? QString(QChar(code))
                                   : QString::fromStdString(GlyphUnicode(static_cast<uint8_t>(code)));
    }
}

QString GlyphFace::Family() const { return QLatin1String(symbolFace_ ? kSymbolFace : kUnicodeFace); }

QFont GlyphFace::Font(int points) const
{
    QFont font(Family());
    font.setPixelSize(PixelSize(points));
    return font;
}

int GlyphFace::PixelSize(int points)
{
    const double pixels = std::nearbyint(points * 96.0 / 72.0);
    return pixels < 1 ? 1 : static_cast<int>(pixels);
}

}  // namespace zenlume
