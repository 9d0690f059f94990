#include "frm_qv4.h"

#include "glyph_codes.h"
#include "glyph_face.h"
#include "wheel_canvas.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QtMath>

namespace zenlume {
namespace {

constexpr int kPictureWidth = 190;
constexpr int kPictureHeight = 260;

const char kHeadline[] = "QUORVANE 4: the complete astrology package";

const char kDescription[] =
    "QUORVANE 4 is the full astrology package from the makers of Zenlume. "
    "Where the clock shows the sky of the present minute, QUORVANE works with "
    "any moment and any place on Earth.\n"
    "\n"
    "CHARTS\n"
    "Cast natal charts for any date, time and place, with a choice of house "
    "systems, and print them as wheels or as tables of positions.\n"
    "\n"
    "TRANSITS\n"
    "Follow the moving planets against a natal chart and list the days on "
    "which they reach exact angles to its planets.\n"
    "\n"
    "PROGRESSIONS\n"
    "Compute secondary progressions and solar arc directions for any year of "
    "a life, and see them beside the birth chart.\n"
    "\n"
    "REPORTS\n"
    "Write plain-language reports of a chart: planets in signs and houses, "
    "the angles between them, and the balance of elements and modes.\n"
    "\n"
    "YOUR CHARTS\n"
    "Keep the charts you cast in files of your own, find them again by name "
    "and compare two charts side by side.\n"
    "\n"
    "The clock's menu item \"Quorvane Astrology Software\" opens this page "
    "again at any time.";

}  // namespace

TfrmQV4::TfrmQV4(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("About QUORVANE 4"));
    setFixedSize(kClientWidth, kClientHeight);
    setModal(false);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    productPicture_ = new QLabel(this);
    productPicture_->setObjectName(QStringLiteral("productPicture"));
    productPicture_->setGeometry(16, 16, kPictureWidth, kPictureHeight);
    DrawPicture();

    headline_ = new QLabel(QString::fromUtf8(kHeadline), this);
    headline_->setObjectName(QStringLiteral("headline"));
    headline_->setGeometry(222, 16, 384, 52);
    headline_->setWordWrap(true);
    QFont headline = headline_->font();
    headline.setBold(true);
    headline.setPointSize(14);
    headline_->setFont(headline);
    headline_->setStyleSheet(QStringLiteral("color: #FF0000;"));

    description_ = new QPlainTextEdit(QString::fromUtf8(kDescription), this);
    description_->setObjectName(QStringLiteral("description"));
    description_->setGeometry(222, 76, 384, 312);
    description_->setReadOnly(true);
    description_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    description_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    closeButton_ = new QPushButton(QStringLiteral("OK, Close this."), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->setGeometry(456, 400, 150, 28);
    connect(closeButton_, &QPushButton::clicked, this, &TfrmQV4::Dismiss);
}

void TfrmQV4::Dismiss() { hide(); }

void TfrmQV4::DrawPicture()
{
    // Drawn at the screen's ratio, so that it is as sharp as the text.
    const double ratio = devicePixelRatioF();
    const QPixmap shown = productPicture_->pixmap();
    if (!shown.isNull() && shown.devicePixelRatio() == ratio) return;
    productPicture_->setPixmap(DrawProductPicture(GlyphFace(), ratio));
}

void TfrmQV4::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    DrawPicture();
    if (const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen())
        move(where->availableGeometry().center() - rect().center());
}

void TfrmQV4::DrawZodiacMotif(QPainter &painter, const QRectF &bounds, const GlyphFace &face)
{
    const QPointF centre = bounds.center();
    const double outer = qMin(bounds.width(), bounds.height()) / 2.0 - 1.0;
    const double inner = outer * 0.62;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Aries starts at the left, as on a chart wheel, and the signs run
    // counter-clockwise.
    for (int sign = 0; sign < 12; ++sign) {
        const double start = 180.0 + sign * 30.0;
        QPainterPath sector;
        sector.arcMoveTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), start);
        sector.arcTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), start, 30.0);
        sector.arcTo(QRectF(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner), start + 30.0, -30.0);
        sector.closeSubpath();
        const QColor fill = FromColourRef(ElementColours[sign]);
        painter.setPen(QPen(Qt::black, 1.0));
        painter.setBrush(fill);
        painter.drawPath(sector);
        const double ringWidth = outer - inner;
        if (ringWidth >= 14.0) {  // smaller glyphs would be mere dots
            const double middle = qDegreesToRadians(start + 15.0);
            const double radius = (outer + inner) / 2.0;
            const QPointF at(centre.x() + radius * qCos(middle), centre.y() - radius * qSin(middle));
            QFont glyphFont(face.Family());
            glyphFont.setPixelSize(qMax(6, static_cast<int>(ringWidth * 0.75)));
            painter.setFont(glyphFont);
            // Black glyphs, or white ones on a dark sector (the water signs' blue).
            const double luma = 0.299 * fill.red() + 0.587 * fill.green() + 0.114 * fill.blue();
            painter.setPen(luma < 60 ? Qt::white : Qt::black);
            const QRectF cell(at.x() - ringWidth, at.y() - ringWidth, 2 * ringWidth, 2 * ringWidth);
            painter.drawText(cell, Qt::AlignCenter, face.Text(static_cast<uint8_t>(SignGlyphBase + sign)));
        }
    }
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, inner, inner);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, inner * 0.25, inner * 0.25);
    for (int spoke = 0; spoke < 12; ++spoke) {
        const double angle = qDegreesToRadians(spoke * 30.0);
        painter.drawLine(QPointF(centre.x() + inner * 0.25 * qCos(angle), centre.y() - inner * 0.25 * qSin(angle)),
                         QPointF(centre.x() + inner * qCos(angle), centre.y() - inner * qSin(angle)));
    }
    painter.restore();
}

QPixmap TfrmQV4::DrawProductPicture(const GlyphFace &face, double ratio)
{
    // A package front: the name over a zodiac wheel on a deep blue ground.
    QPixmap picture(QSize(kPictureWidth, kPictureHeight) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, kPictureHeight);
    ground.setColorAt(0.0, QColor(20, 30, 110));
    ground.setColorAt(1.0, QColor(5, 10, 45));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ground);
    painter.drawRoundedRect(QRectF(1, 1, kPictureWidth - 2, kPictureHeight - 2), 8, 8);

    QFont title = QFont(QStringLiteral("DejaVu Sans"));
    title.setStyleHint(QFont::SansSerif);
    title.setBold(true);
    title.setPixelSize(24);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 14, kPictureWidth, 30), Qt::AlignCenter, QStringLiteral("QUORVANE"));
    title.setPixelSize(40);
    painter.setFont(title);
    painter.setPen(QColor(255, 200, 40));
    painter.drawText(QRectF(0, 44, kPictureWidth, 46), Qt::AlignCenter, QStringLiteral("4"));

    DrawZodiacMotif(painter, QRectF(25, 96, 140, 140), face);

    QFont caption = title;
    caption.setBold(false);
    caption.setPixelSize(11);
    painter.setFont(caption);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 238, kPictureWidth, 16), Qt::AlignCenter, QStringLiteral("Astrology Software"));
    return picture;
}

}  // namespace zenlume
