// The symbols on any machine: without the symbol face every code the wheel
// draws comes out as its Unicode symbol, in a face that really has it.
#include "glyph_codes.h"
#include "glyph_face.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

using namespace zenlume;

TEST(GlyphFace, WithoutTheSymbolFaceCodesBecomeUnicodeSymbols)
{
    EXPECT_EQ(GlyphFace().HasSymbolFace(), QFontDatabase::families().contains(QLatin1String(kSymbolFace)));
    const GlyphFace face(false);
    struct { uint8_t code; const char *text; } cases[] = {
        {152, "\u2648\uFE0E"}, {163, "\u2653\uFE0E"},      // Aries, Pisces, never as emoji
        {128, "\u2609"}, {139, "\u26B7"}, {149, "MC"},      // Sun, Chiron, the midheaven point
        {'R', "\u211E"}, {'s', "s"}, {'7', "7"},            // motion marks, digits
    };
    for (const auto &c : cases) EXPECT_EQ(face.Text(c.code), QString::fromUtf8(c.text)) << int(c.code);
    EXPECT_EQ(GlyphFace(true).Text(129), QString(QChar(129)));  // the symbol face gets the raw code
}

TEST(GlyphFace, TheUnicodeFaceHasEverySymbolTheWheelDraws)
{
    ASSERT_TRUE(QFontDatabase::families().contains(QLatin1String(kUnicodeFace))) << "Debian: fonts-dejavu-core";
    const GlyphFace face(false);
    const QFontMetrics metrics(face.Font(15));
    std::string codes = "Rs0123456789";
    for (int i = 0; i < 12; ++i) codes += static_cast<char>(SignGlyphBase + i);
    for (int j = 1; j <= 12; ++j) codes += static_cast<char>(BodyGlyphBase + j);
    codes += static_cast<char>(MidheavenGlyph);
    for (char code : codes)
        for (char32_t c : face.Text(static_cast<uint8_t>(code)).toUcs4()) {
            if (c == 0xFE0E) continue;  // the presentation selector draws nothing
            EXPECT_TRUE(metrics.inFontUcs4(c)) << "U+" << std::hex << static_cast<uint32_t>(c);
        }
}

}  // namespace
