// The about window and the companion-product window: their frames, the
// instructions' sections, texts that fit their labels, the sentence naming
// the theory of the settings, the drawn pictures, and how the buttons open
// and close the windows.
#include "chart_theory.h"
#include "frm_about.h"
#include "frm_qv4.h"
#include "settings.h"
#include "zenlume_version.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace zenlume;

// Runs the about window modally, as the clock does, pressing `button` once
// the window is up; returns the result.
int RunAboutPressing(TfrmAbout &about, void (TfrmAbout::*button)())
{
    QTimer::singleShot(0, &about, [&about, button] {
        EXPECT_TRUE(about.isVisible());
        (about.*button)();
    });
    return about.exec();
}

bool HasInk(const QPixmap &picture)
{
    const QImage image = picture.toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
    return false;
}

TEST(AboutWindow, FrameAndTexts)
{
    TfrmQV4 qv4;
    TfrmAbout about(&qv4);
    EXPECT_EQ(about.windowTitle(), "About Zenlume");
    EXPECT_EQ(about.size(), QSize(537, 508));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_TRUE(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(about.isModal());
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(Qt::white));

    struct { QString actual; const char *expected; } texts[] = {
        {about.SoftwareButton()->text(), "QUORVANE software"},
        {about.CloseButton()->text(), "Close this"},
        {about.Label(7)->text(), "Read this for important information:"},
    };
    for (const auto &t : texts) EXPECT_EQ(t.actual, t.expected);
    EXPECT_EQ(about.Label(1)->text(), QStringLiteral("Version ") + QLatin1String(kZenlumeVersion));
    EXPECT_TRUE(about.Label(1)->font().bold());
    EXPECT_TRUE(about.Label(7)->font().bold());
    EXPECT_LT(about.SoftwareButton()->x(), about.SignBand()->x()) << "QUORVANE software on the left";
    EXPECT_LT(about.SignBand()->x(), about.CloseButton()->x()) << "Close this on the right";
}

TEST(AboutWindow, InstructionsHaveTheirSectionsInOrder)
{
    TfrmAbout about(nullptr);
    QPlainTextEdit *memo = about.Instructions();
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    const QStringList lines = memo->toPlainText().split('\n');
    const char *headings[] = {
        "WHAT ZENLUME DOES AND HOW TO USE IT", "ACCESSING PROGRAM OPTIONS", "KEEPING ZENLUME ON TOP",
        "SEEING THE ACTUAL POSITIONS IN TEXT", "SETTING LOCAL OPTIONS",      "EXITING",
    };
    qsizetype previous = -1;
    for (const char *heading : headings) {
        const qsizetype at = lines.indexOf(QString::fromLatin1(heading));
        ASSERT_GE(at, 0) << heading << " is a line of its own";
        EXPECT_GT(at, previous) << heading << " in order";
        ASSERT_LT(at + 1, lines.size());
        EXPECT_FALSE(lines[at + 1].isEmpty()) << heading << " is followed by its text";
        previous = at;
    }
}

TEST(AboutWindow, EveryLabelHoldsItsWholeText)
{
    TfrmAbout about(nullptr);
    for (int n = 1; n <= 7; ++n) {
        QLabel *label = about.Label(n);
        ASSERT_NE(label, nullptr) << "text " << n;
        const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        EXPECT_LE(needed, label->height()) << "text " << n;
        EXPECT_LE(label->geometry().right(), about.width()) << "text " << n;
    }
    // The theory label holds either sentence, so that it never changes size.
    QLabel *theory = about.TheoryLabel();
    for (const bool precise : {false, true}) {
        theory->setText(QString::fromStdString(TheorySentence(precise)));
        EXPECT_LE(theory->heightForWidth(theory->width()), theory->height()) << "precise " << precise;
    }
    EXPECT_LE(about.Label(3)->geometry().bottom(), theory->y()) << "under the clock's description";
    EXPECT_LE(theory->geometry().bottom(), about.Label(4)->y());
    EXPECT_LE(theory->geometry().right(), about.width());
    struct { QPushButton *button; const char *name; } buttons[] = {
        {about.CloseButton(), "CloseButton"}, {about.SoftwareButton(), "SoftwareButton"}};
    for (const auto &b : buttons) EXPECT_LE(b.button->sizeHint().width(), b.button->width()) << b.name;
}

// The sentence follows [Setting] Precision as the clock reads it: only 1
// names the precise ephemeris.  Before the clock gives its settings it is
// the default settings' sentence.
TEST(AboutWindow, NamesTheTheoryOfTheSettings)
{
    TfrmAbout about(nullptr);
    const QString library = QString::fromStdString(TheorySentence(false));
    const QString precise = QString::fromStdString(TheorySentence(true));
    ASSERT_NE(library, precise);
    EXPECT_EQ(about.TheoryLabel()->text(), library);
    const struct {
        const char *file;
        bool precise;
    } cases[] = {{"[Setting]\nPrecision=1\n", true}, {"[Setting]\nPrecision=7\n", false},
                 {"[Setting]\nPrecision=1\n", true}, {"", false}};
    for (const auto &c : cases) {
        about.FollowSettings(LoadSettings(IniFile::Parse(c.file)));
        EXPECT_EQ(about.TheoryLabel()->text(), c.precise ? precise : library) << c.file;
    }
}

TEST(AboutWindow, PicturesAreDrawn)
{
    TfrmAbout about(nullptr);
    struct { QLabel *image; QSize size; const char *name; } pictures[] = {
        {about.TitlePicture(), QSize(247, 56), "TitlePicture"}, {about.SignBand(), QSize(150, 34), "SignBand"}};
    for (const auto &p : pictures) {
        EXPECT_EQ(p.image->size(), p.size) << p.name;
        EXPECT_EQ(p.image->pixmap().size(), p.size) << p.name;
        EXPECT_TRUE(HasInk(p.image->pixmap())) << p.name;
    }
}

TEST(AboutWindow, ButtonsEndTheModalRun)
{
    struct {
        void (TfrmAbout::*button)();
        int result;
        bool companionShown;
        const char *what;
    } cases[] = {
        {&TfrmAbout::CloseInstructions, QDialog::Accepted, false, "Close this"},
        {&TfrmAbout::ShowAstrologySoftware, QDialog::Rejected, true, "QUORVANE software: companion left open"},
    };
    for (const auto &c : cases) {
        TfrmQV4 qv4;
        TfrmAbout about(&qv4);
        EXPECT_EQ(RunAboutPressing(about, c.button), c.result) << c.what;
        EXPECT_FALSE(about.isVisible()) << c.what;
        EXPECT_EQ(qv4.isVisible(), c.companionShown) << c.what;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.what << ": nothing blocks the clock";
    }
}

TEST(CompanionWindow, FrameTextsAndClosing)
{
    TfrmQV4 qv4;
    EXPECT_EQ(qv4.windowTitle(), "About QUORVANE 4");
    EXPECT_EQ(qv4.size(), QSize(622, 443));
    EXPECT_EQ(qv4.minimumSize(), qv4.maximumSize());
    EXPECT_FALSE(qv4.isModal());
    EXPECT_EQ(qv4.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(qv4.CloseButton()->text(), "OK, Close this.");
    EXPECT_TRUE(qv4.Description()->isReadOnly());
    EXPECT_EQ(qv4.Description()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(qv4.Description()->toPlainText().contains("QUORVANE"));
    EXPECT_LE(qv4.Headline()->heightForWidth(qv4.Headline()->width()), qv4.Headline()->height()) << "headline fits";
    EXPECT_TRUE(HasInk(qv4.ProductPicture()->pixmap()));
    EXPECT_LE(qv4.ProductPicture()->geometry().right(), qv4.Description()->x()) << "picture beside the text";

    qv4.show();
    EXPECT_TRUE(qv4.isVisible());
    qv4.CloseButton()->click();
    EXPECT_FALSE(qv4.isVisible());
}

}  // namespace
