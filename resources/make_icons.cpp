// zenlume-make-icons: draws the clock's icons into a folder.
//
//   zenlume-make-icons OUTDIR
//
// writes OUTDIR/ICON_1.png .. ICON_12.png (the rising-sign icons of the
// tray, Aries to Pisces, 32 x 32), OUTDIR/MAINICON.png (the program's icon,
// 64 x 64) and OUTDIR/hicolor/<n>x<n>/apps/zenlume.png (the program's icon
// for the desktop's icon theme).  The sign glyphs are the astrological
// symbols U+2648..U+2653 of DejaVu Sans, taken as outlines; the program's
// icon is drawn from circles and lines.  Runs on Qt's offscreen platform.
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QtMath>

#include <cstdio>

namespace {

constexpr char kFontFile[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr char kFontFamily[] = "DejaVu Sans";
constexpr int kSignIconSize = 32;
constexpr int kMainIconSize = 64;
constexpr int kThemeSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Fire, earth, air, water: the element of sign index i is i mod 4.  Bright
// enough to read on a dark panel; the dark outline keeps them apart from a
// light one (a golden yellow rather than pure yellow, which fades on white).
const QColor kElementColours[4] = {QColor(0xF0, 0x3A, 0x2E), QColor(0x3C, 0xC8, 0x4A),
                                   QColor(0xFF, 0xC8, 0x1E), QColor(0x45, 0x98, 0xFF)};
const QColor kOutline(0x1A, 0x1A, 0x22);
const QColor kFace(0xFB, 0xF7, 0xEC);  // the program icon's inner disc
const QColor kSpokes(0x5A, 0x5E, 0x6E);

QFont SymbolFont()
{
    // The file itself, so the glyphs never come from a substitute face.
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kFontFile));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    QFont font(families.isEmpty() ? QString::fromLatin1(kFontFamily) : families.first());
    font.setPixelSize(200);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The outline of sign `sign` (0 Aries .. 11 Pisces) scaled and centred into
// the square `box`, keeping its proportions.
QPainterPath SignPath(const QFont &font, int sign, const QRectF &box)
{
    QPainterPath glyph;
    glyph.addText(0, 0, font, QString(QChar(0x2648 + sign)));
    const QRectF bounds = glyph.boundingRect();
    const qreal scale = qMin(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    return fit.map(glyph);
}

// The glyph filled and thickened in the element colour, inside a dark
// outline, so it reads on light and dark panels alike.
QImage SignIcon(const QFont &font, int sign, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const qreal unit = size / 32.0;
    const qreal outline = 1.1 * unit;  // width of the dark rim outside the glyph
    const qreal thicken = 1.0 * unit;  // extra stroke around the glyph's own lines
    const qreal margin = (outline + thicken) / 2 + 0.4 * unit;
    const QPainterPath path = SignPath(font, sign, QRectF(margin, margin, size - 2 * margin, size - 2 * margin));

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = kElementColours[sign % 4];
    p.setPen(QPen(kOutline, thicken + 2 * outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kOutline);
    p.drawPath(path);
    p.setPen(QPen(colour, thicken, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(path);
    return image;
}

// A chart wheel: the ring of the twelve signs in their element colours,
// Aries at the left and the signs running counter-clockwise, twelve spokes,
// the horizon and a hub.  Below 32 pixels the spokes would blur into grey,
// so the small sizes keep the ring, the horizon and the hub; from 128
// pixels up the ring carries the sign glyphs.
QImage MainIcon(const QFont &font, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size / 2.0, size / 2.0);
    const bool spokes = size >= 32;
    const qreal line = qMax(1.0, size / 40.0);
    const qreal outer = size / 2.0 - line / 2 - size / 64.0;
    const qreal inner = outer * (size >= 48 ? 0.74 : spokes ? 0.66 : 0.62);
    const qreal hub = outer * 0.2;

    for (int sign = 0; sign < 12; ++sign) {
        QPainterPath sector;
        const qreal from = 180 + 30 * sign;  // degrees, counter-clockwise from east
        sector.arcMoveTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), from);
        sector.arcTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), from, 30);
        sector.arcTo(QRectF(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner), from + 30, -30);
        sector.closeSubpath();
        p.fillPath(sector, kElementColours[sign % 4]);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kFace);
    p.drawEllipse(centre, inner, inner);

    if (size >= 128) {
        const qreal glyph = (outer - inner) * 0.62;
        for (int sign = 0; sign < 12; ++sign) {
            const qreal angle = qDegreesToRadians(180 + 30 * sign + 15.0);
            const qreal r = (outer + inner) / 2;
            const QPointF at(centre.x() + r * qCos(angle), centre.y() - r * qSin(angle));
            const QRectF box(at.x() - glyph / 2, at.y() - glyph / 2, glyph, glyph);
            p.fillPath(SignPath(font, sign, box), kOutline);
        }
    }

    for (int spoke = 0; spoke < 12 && spokes; ++spoke) {
        const qreal angle = qDegreesToRadians(30.0 * spoke);
        const QPointF dir(qCos(angle), -qSin(angle));
        p.setPen(QPen(kSpokes, line * (size >= 48 ? 0.75 : 1.0), Qt::SolidLine, Qt::FlatCap));
        p.drawLine(centre + dir * hub, centre + dir * inner);
        p.setPen(QPen(kOutline, line, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(centre + dir * inner, centre + dir * outer);
    }
    p.setPen(QPen(kOutline, line));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, outer, outer);
    p.drawEllipse(centre, inner, inner);
    // The horizon: a bold line from the hub to the Ascendant at the left.
    p.setPen(QPen(kOutline, line * 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre - QPointF(hub, 0), centre - QPointF(inner, 0));
    p.setBrush(kOutline);
    const qreal dot = hub * (spokes ? 0.55 : 0.65);
    p.drawEllipse(centre, dot, dot);
    return image;
}

bool Save(const QImage &image, const QString &path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, "PNG")) {
        std::fprintf(stderr, "zenlume-make-icons: unable to write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zenlume-make-icons OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QFont font = SymbolFont();
    const QRawFont raw = QRawFont::fromFont(font);
    for (char32_t c = 0x2648; c <= 0x2653; ++c) {
        if (!raw.supportsCharacter(c)) {
            std::fprintf(stderr, "zenlume-make-icons: %s has no glyph U+%04X (install fonts-dejavu-core)\n",
                         qPrintable(font.family()), static_cast<unsigned>(c));
            return 1;
        }
    }

    bool ok = true;
    for (int sign = 0; sign < 12; ++sign)
        ok &= Save(SignIcon(font, sign, kSignIconSize), out + QStringLiteral("/ICON_%1.png").arg(sign + 1));
    // Twice the size, for trays on screens of device pixel ratio 2.
    for (int sign = 0; sign < 12; ++sign)
        ok &= Save(SignIcon(font, sign, 2 * kSignIconSize), out + QStringLiteral("/ICON_%1@2x.png").arg(sign + 1));
    ok &= Save(MainIcon(font, kMainIconSize), out + QStringLiteral("/MAINICON.png"));
    for (int size : kThemeSizes)
        ok &= Save(MainIcon(font, size), out + QStringLiteral("/hicolor/%1x%1/apps/zenlume.png").arg(size));
    return ok ? 0 : 1;
}
