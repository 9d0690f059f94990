// The face in which the wheel writes its symbols.  The symbol face
// "Zodikon" is used whenever it is installed; without it, its byte codes
// would come out as meaningless characters of some substitute face, so the
// same codes are then drawn as the Unicode astrological symbols in a face
// that has them.
#pragma once

#include <QFont>
#include <QString>

#include <cstdint>

namespace zenlume {

inline constexpr char kSymbolFace[] = "Zodikon";
inline constexpr char kUnicodeFace[] = "DejaVu Sans";  // has every symbol the wheel needs

class GlyphFace {
public:
    // Looks the symbol face up among the installed families (needs a
    // QGuiApplication).
    GlyphFace();
    // `symbolFace` chooses between the two faces without looking.
    explicit GlyphFace(bool symbolFace);

    bool HasSymbolFace() const { return symbolFace_; }
    QString Family() const;

    // The face at a size given in the points of a 96-dpi screen.
    QFont Font(int points) const;

    // What to draw for one symbol-face code: the raw code in the symbol face,
    // else its Unicode stand-in.
    const QString &Text(uint8_t code) const { return texts_[code]; }

    // Pixels for a size in points on the 96-dpi screen the wheel's
    // proportions were laid out on: points * 96 / 72, rounded to the
    // nearest pixel (halves to even), at least 1.
    static int PixelSize(int points);

private:
    bool symbolFace_;
    QString texts_[256];
};

}  // namespace zenlume
