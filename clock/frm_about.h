// TfrmAbout, the about window: the clock's title, version and maker, and
// the instructions for use.  The clock runs it modally; it stays on top of
// other windows.  "QUORVANE software" opens the companion-product window
// and closes this one.
#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zenlume {

class GlyphFace;
class TfrmQV4;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 537;
    static constexpr int kClientHeight = 452;

    // `qv4` is the companion-product window that "QUORVANE software" shows;
    // it may be null (the button then only closes this window).
    explicit TfrmAbout(TfrmQV4 *qv4, QWidget *parent = nullptr);

    // "Close this": ends the window with the result Accepted.
    void SpeedButton1Click();
    // "QUORVANE software": shows the companion window without waiting, then
    // closes this one (result Rejected).
    void SpeedButton2Click();

    QLabel *Image1() const { return image1_; }
    QLabel *Image2() const { return image2_; }
    QLabel *Label(int n) const { return n >= 1 && n <= 7 ? labels_[n - 1] : nullptr; }  // Label1 .. Label7
    QPushButton *SpeedButton1() const { return speedButton1_; }
    QPushButton *SpeedButton2() const { return speedButton2_; }
    QPlainTextEdit *Memo1() const { return memo1_; }

    // The title picture (247 x 56) and the picture between the buttons (150 x 34).
    static QPixmap DrawTitlePicture(const GlyphFace &face);
    static QPixmap DrawSignBand(const GlyphFace &face);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Label`n` (1..7): word-wrapped text at `where`.
    QLabel *AddLabel(int n, const QString &text, const QRect &where);

    TfrmQV4 *qv4_;
    QLabel *image1_ = nullptr;
    QLabel *image2_ = nullptr;
    QLabel *labels_[7] = {};
    QPushButton *speedButton1_ = nullptr;
    QPushButton *speedButton2_ = nullptr;
    QPlainTextEdit *memo1_ = nullptr;
};

}  // namespace zenlume
