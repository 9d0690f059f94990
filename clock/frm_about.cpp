#include "frm_about.h"

#include "chart_theory.h"
#include "frm_qv4.h"
#include "glyph_codes.h"
#include "glyph_face.h"
#include "settings.h"
#include "wheel_canvas.h"
#include "zenlume_version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace zenlume {
namespace {

constexpr int kTitleWidth = 247;
constexpr int kTitleHeight = 56;
constexpr int kBandWidth = 150;
constexpr int kBandHeight = 34;
// Everything under the theory sentence sits this much lower.
constexpr int kBelow = TfrmAbout::kTheoryHeight + 2;

const char kInstructions[] =
    "WHAT ZENLUME DOES AND HOW TO USE IT\n"
    "Zenlume shows a live astrological wheel: the chart of the present minute "
    "for the place you have set in the options.\n"
    "The clock updates itself every minute, so the wheel always shows the "
    "sky as it is now.\n"
    "An icon in the notification area of your panel always shows the glyph "
    "of the sign rising at your place. Closing the clock window only hides "
    "it; click the icon to bring the clock back.\n"
    "\n"
    "ACCESSING PROGRAM OPTIONS\n"
    "Right-click anywhere on the clock window, or on its icon in the "
    "notification area, to open the pop-up menu. Every command of the "
    "program is on it.\n"
    "\n"
    "KEEPING ZENLUME ON TOP\n"
    "Choose \"On Top\" from the pop-up menu to keep the clock visible above "
    "other windows; choose it again to let them cover it.\n"
    "The window can be resized to any size and the wheel grows or shrinks "
    "with it. Its size and place are remembered for the next start.\n"
    "\n"
    "SEEING THE ACTUAL POSITIONS IN TEXT\n"
    "Choose \"Positions\" from the pop-up menu for a table of every planet's "
    "sign, degree and minute beside the twelve house cusps. The table "
    "updates continuously with the wheel, and its \"Keep On Top\" button "
    "keeps it above other windows. In this decade the library's own theory "
    "puts the positions up to 4 arc-minutes off for the Sun, the Moon, "
    "Mercury, Venus, Mars, Saturn, Uranus and Neptune, 9 for Jupiter and "
    "Pluto, 17 for the Node and 1.4 degrees for Chiron; with \"High "
    "precision\" set in the options the precise ephemeris computes them "
    "instead. The sentence near the top of this window says which is in "
    "use.\n"
    "\n"
    "SETTING LOCAL OPTIONS\n"
    "Choose \"Options\" from the pop-up menu to set:\n"
    "- your latitude and longitude, and the hours from Greenwich of your "
    "time zone, east or west (change them by hand when summer time begins "
    "or ends);\n"
    "- the sign colours: none, on the glyphs, or as the background of the "
    "signs;\n"
    "- the house system: Placidus, Koch or Equal;\n"
    "- the cusp lines: none, the angles only, or all of them;\n"
    "- high precision: the precise ephemeris in place of the library's own "
    "theory;\n"
    "- which planets to show on the wheel;\n"
    "- the font size, from very small to very large, relative to the "
    "window.\n"
    "\n"
    "EXITING\n"
    "Choose \"Exit\" from the pop-up menu to end the program. Closing the "
    "window only hides it: the clock keeps running in the notification "
    "area.\n";

}  // namespace

TfrmAbout::TfrmAbout(TfrmQV4 *qv4, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      qv4_(qv4)
{
    setWindowTitle(QStringLiteral("About Zenlume"));
    setFixedSize(kClientWidth, kClientHeight);
    setModal(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    titlePicture_ = new QLabel(this);
    titlePicture_->setObjectName(QStringLiteral("titlePicture"));
    titlePicture_->setGeometry(12, 10, kTitleWidth, kTitleHeight);

    QLabel *version = AddLabel(1, QStringLiteral("Version ") + QLatin1String(kZenlumeVersion), QRect(276, 12, 249, 22));
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    version->setStyleSheet(QStringLiteral("color: #0000FF;"));
    AddLabel(2, QStringLiteral("A live astrological clock for your desktop."), QRect(276, 34, 249, 36));
    AddLabel(3,
             QStringLiteral("Zenlume draws the chart of the present minute for the place where you live "
                            "and keeps it up to date all day, in a window of any size."),
             QRect(12, 76, 513, 36));
    // The default settings' theory until the clock gives its own settings.
    theory_ = new QLabel(QString::fromStdString(TheorySentence(Settings{}.Precise)), this);
    theory_->setObjectName(QStringLiteral("theory"));
    theory_->setGeometry(12, 114, 513, kTheoryHeight);
    theory_->setWordWrap(true);
    theory_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    AddLabel(4,
             QStringLiteral("It comes from the makers of QUORVANE, astrology software for the curious "
                            "beginner and the working astrologer alike."),
             QRect(12, 114 + kBelow, 513, 36));
    AddLabel(5,
             QStringLiteral("QUORVANE 4, the complete package, casts charts for any moment and place, "
                            "follows transits and progressions and writes reports."),
             QRect(12, 152 + kBelow, 513, 36));
    AddLabel(6, QStringLiteral("Press \"QUORVANE software\" to find out more."), QRect(12, 190 + kBelow, 513, 20));

    softwareButton_ = new QPushButton(QStringLiteral("QUORVANE software"), this);
    softwareButton_->setObjectName(QStringLiteral("softwareButton"));
    softwareButton_->setGeometry(20, 220 + kBelow, 160, 30);
    connect(softwareButton_, &QPushButton::clicked, this, &TfrmAbout::ShowAstrologySoftware);
    signBand_ = new QLabel(this);
    signBand_->setObjectName(QStringLiteral("signBand"));
    signBand_->setGeometry(193, 218 + kBelow, kBandWidth, kBandHeight);
    DrawPictures();
    closeButton_ = new QPushButton(QStringLiteral("Close this"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->setGeometry(357, 220 + kBelow, 160, 30);
    connect(closeButton_, &QPushButton::clicked, this, &TfrmAbout::CloseInstructions);

    QLabel *notice =
        AddLabel(7, QStringLiteral("Read this for important information:"), QRect(12, 262 + kBelow, 513, 20));
    notice->setFont(bold);
    notice->setStyleSheet(QStringLiteral("color: #FF0000;"));

    instructions_ = new QPlainTextEdit(QString::fromUtf8(kInstructions), this);
    instructions_->setObjectName(QStringLiteral("instructions"));
    instructions_->setGeometry(12, 284 + kBelow, 513, 156);
    instructions_->setReadOnly(true);
    instructions_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    instructions_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    instructions_->setStyleSheet(QStringLiteral("QPlainTextEdit { color: #0000FF; }"));
}

QLabel *TfrmAbout::AddLabel(int n, const QString &text, const QRect &where)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("label%1").arg(n));
    label->setGeometry(where);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labels_[n - 1] = label;
    return label;
}

void TfrmAbout::FollowSettings(const Settings &settings)
{
    theory_->setText(QString::fromStdString(TheorySentence(settings.Precise)));
}

void TfrmAbout::CloseInstructions() { accept(); }

void TfrmAbout::ShowAstrologySoftware()
{
    if (qv4_) {
        qv4_->show();
        qv4_->raise();
        qv4_->activateWindow();
    }
    reject();
}

void TfrmAbout::DrawPictures()
{
    // Drawn at the screen's ratio, so that they are as sharp as the text.
    const double ratio = devicePixelRatioF();
    const QPixmap shown = titlePicture_->pixmap();
    if (!shown.isNull() && shown.devicePixelRatio() == ratio) return;
    const GlyphFace face;
    titlePicture_->setPixmap(DrawTitlePicture(face, ratio));
    signBand_->setPixmap(DrawSignBand(face, ratio));
}

void TfrmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    DrawPictures();
    if (const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen())
        move(where->availableGeometry().center() - rect().center());
}

// A white picture of w x h in the dialog's units, at `ratio`.
QPixmap TfrmAbout::BlankPicture(int width, int height, double ratio)
{
    QPixmap picture(QSize(width, height) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    return picture;
}

QPixmap TfrmAbout::DrawTitlePicture(const GlyphFace &face, double ratio)
{
    // A small zodiac wheel and the program's name beside it.
    QPixmap picture = BlankPicture(kTitleWidth, kTitleHeight, ratio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    TfrmQV4::DrawZodiacMotif(painter, QRectF(2, 2, kTitleHeight - 4, kTitleHeight - 4), face);

    QFont name(QStringLiteral("DejaVu Serif"));
    name.setStyleHint(QFont::Serif);
    name.setBold(true);
    name.setPixelSize(34);
    painter.setFont(name);
    painter.setPen(QColor(20, 30, 110));
    painter.drawText(QRectF(kTitleHeight + 6, 0, kTitleWidth - kTitleHeight - 6, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Zenlume"));
    QFont tagline(QStringLiteral("DejaVu Sans"));
    tagline.setStyleHint(QFont::SansSerif);
    tagline.setPixelSize(11);
    painter.setFont(tagline);
    painter.setPen(QColor(90, 90, 90));
    painter.drawText(QRectF(kTitleHeight + 8, 38, kTitleWidth - kTitleHeight - 8, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("the astrological clock"));
    return picture;
}

QPixmap TfrmAbout::DrawSignBand(const GlyphFace &face, double ratio)
{
    // The twelve sign glyphs in deeper shades of their element colours, in a
    // framed band.
    QPixmap picture = BlankPicture(kBandWidth, kBandHeight, ratio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QPen(QColor(20, 30, 110), 1.5));
    painter.setBrush(QColor(240, 242, 250));
    painter.drawRoundedRect(QRectF(1, 4, kBandWidth - 2, kBandHeight - 8), 6, 6);
    QFont glyphs(face.Family());
    glyphs.setPixelSize(12);
    painter.setFont(glyphs);
    const double step = (kBandWidth - 6) / 12.0;
    for (int sign = 0; sign < 12; ++sign) {
        painter.setPen(FromColourRef(ElementColours[sign]).darker(150));
        painter.drawText(QRectF(3 + sign * step, 4, step, kBandHeight - 8), Qt::AlignCenter,
                         face.Text(static_cast<uint8_t>(SignGlyphBase + sign)));
    }
    return picture;
}

}  // namespace zenlume
