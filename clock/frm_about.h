// TfrmAbout, the about window: the clock's title, version and maker, the
// theory that computes the positions, and the instructions for use.  The
// clock runs it modally; it stays on top of other windows.  "QUORVANE
// software" opens the companion-product window and closes this one.
#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zenlume {

class GlyphFace;
class TfrmQV4;
struct Settings;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 537;
    // The three lines of the theory sentence push everything below it down.
    static constexpr int kTheoryHeight = 54;
    static constexpr int kClientHeight = 452 + kTheoryHeight + 2;

    // `qv4` is the companion-product window that "QUORVANE software" shows;
    // it may be null (the button then only closes this window).
    explicit TfrmAbout(TfrmQV4 *qv4, QWidget *parent = nullptr);

    // Says which theory computes the positions under `settings` (their
    // Precise), in the sentence under the clock's description.  It only
    // reads them.  The clock calls it with the settings it starts with and
    // again each time it reads them, so an open window follows at once.
    void FollowSettings(const Settings &settings);

    // "Close this": ends the window with the result Accepted.
    void CloseInstructions();
    // "QUORVANE software": shows the companion window without waiting, then
    // closes this one (result Rejected).
    void ShowAstrologySoftware();

    QLabel *TitlePicture() const { return titlePicture_; }
    QLabel *SignBand() const { return signBand_; }
    // The texts, 1 (the version) to 7 (above the instructions), top to bottom.
    QLabel *Label(int n) const { return n >= 1 && n <= 7 ? labels_[n - 1] : nullptr; }
    // The theory sentence, between texts 3 and 4.
    QLabel *TheoryLabel() const { return theory_; }
    QPushButton *CloseButton() const { return closeButton_; }
    QPushButton *SoftwareButton() const { return softwareButton_; }
    QPlainTextEdit *Instructions() const { return instructions_; }

    // The title picture (247 x 56) and the picture between the buttons (150 x 34).
    // Both are `ratio` device pixels to each of the dialog's pixels.
    static QPixmap DrawTitlePicture(const GlyphFace &face, double ratio);
    static QPixmap DrawSignBand(const GlyphFace &face, double ratio);

protected:
    void showEvent(QShowEvent *event) override;

private:
    static QPixmap BlankPicture(int width, int height, double ratio);
    // Draws both pictures again when the dialog's screen has another ratio.
    void DrawPictures();
    // Text `n` (1..7): word-wrapped text at `where`.
    QLabel *AddLabel(int n, const QString &text, const QRect &where);

    TfrmQV4 *qv4_;
    QLabel *titlePicture_ = nullptr;
    QLabel *signBand_ = nullptr;
    QLabel *labels_[7] = {};
    QLabel *theory_ = nullptr;
    QPushButton *closeButton_ = nullptr;
    QPushButton *softwareButton_ = nullptr;
    QPlainTextEdit *instructions_ = nullptr;
};

}  // namespace zenlume
