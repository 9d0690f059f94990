// TfrmQV4, the companion-product window: a picture, a headline and a text
// presenting QUORVANE 4, the maker's full astrology package.  Modeless; it
// lives as long as the program and is only shown and hidden.
#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QRectF;

namespace zenlume {

class GlyphFace;

class TfrmQV4 : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 622;
    static constexpr int kClientHeight = 443;

    explicit TfrmQV4(QWidget *parent = nullptr);

    // "OK, Close this.": hides the window.
    void Dismiss();

    QLabel *ProductPicture() const { return productPicture_; }
    QLabel *Headline() const { return headline_; }
    QPlainTextEdit *Description() const { return description_; }
    QPushButton *CloseButton() const { return closeButton_; }

    // A small zodiac wheel in `bounds`: twelve sectors in the sign colours
    // with the sign glyphs in them when there is room.  The information
    // windows draw their pictures with it.
    static void DrawZodiacMotif(QPainter &painter, const QRectF &bounds, const GlyphFace &face);

    // The product picture beside the headline, `ratio` device pixels to
    // each of the window's pixels.
    static QPixmap DrawProductPicture(const GlyphFace &face, double ratio);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Draws the picture again when the window's screen has another ratio.
    void DrawPicture();

    QLabel *productPicture_ = nullptr;
    QLabel *headline_ = nullptr;
    QPlainTextEdit *description_ = nullptr;
    QPushButton *closeButton_ = nullptr;
};

}  // namespace zenlume
