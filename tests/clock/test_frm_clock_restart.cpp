// The main window at its next start: the saved geometry as the file gives
// it, brought onto the screen when it would not fit or lie there, and the
// glyphs sized for the wheel as it is drawn at that geometry.
#include "clock_window.h"
#include "wheel_picture.h"
#include "window_place.h"

#include <QScreen>

namespace {

using namespace zenlume;
using namespace zenlume::test;

std::string Geometry(int top, int left, int height, int width)
{
    return "[Show]\nTop=" + std::to_string(top) + "\nLeft=" + std::to_string(left) +
           "\nHeight=" + std::to_string(height) + "\nWidth=" + std::to_string(width) + "\n";
}

// The glyph size follows the side the wheel is drawn at, from the first
// drawing on: 63 * 0.25 * side / 576, cut to a whole number, plus 1.
TEST_F(ClockWindow, GlyphSizeAfterARestartSuitsTheSavedSize)
{
    struct Case {
        int side;
        uint16_t glyphSize;
    };
    for (const Case c : {Case{400, 11}, Case{800, 22}, Case{576, 16}}) {
        SCOPED_TRACE(c.side);
        Start(Geometry(20, 20, c.side, c.side));
        clock_->show();
        Settle();
        ASSERT_EQ(clock_->height(), c.side);
        EXPECT_EQ(clock_->WheelImage().width(), c.side);
        EXPECT_EQ(clock_->DrawnGlyphSize(), c.glyphSize);
    }
    // And at once after a resize, not one resize late.
    clock_->resize(400, 400);
    Settle();
    EXPECT_EQ(clock_->DrawnGlyphSize(), 11);
}

// Hand-edited sizes and places: the window fits the screen and lies on
// it, the settings keep what the file says, and "Exit" saves the window as
// it was shown.
TEST_F(ClockWindow, SavedGeometriesThatDoNotFitOpenOnTheScreen)
{
    struct Case {
        const char *name;
        int top, left, height, width;
    };
    const Case cases[] = {
        {"huge", 1, 1, 20000, 20000},
        {"zero height", 1, 1, 0, 545},
        {"negative height", 1, 1, -5, -5},
        {"far off the screen", 99999, 99999, 500, 500},
        {"above and left of the screen", -4000, -6000, 500, 500},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ini = Geometry(c.top, c.left, c.height, c.width);
        Start(ini);
        clock_->show();
        Settle();
        const QRect shown(clock_->pos(), clock_->size());
        EXPECT_TRUE(screen.contains(shown)) << shown.x() << "," << shown.y() << " " << shown.width() << "x"
                                            << shown.height();
        EXPECT_GE(clock_->height(), kMinWindowSide);
        EXPECT_EQ(clock_->width(), clock_->height());
        EXPECT_FALSE(clock_->WheelImage().isNull());
        EXPECT_EQ(clock_->Session().ClockSettings().WindowHeight, c.height);  // the record as the file says
        EXPECT_EQ(ReadAll(path_), ini);

        clock_->Exit();
        const std::string saved = ReadAll(path_);
        EXPECT_NE(saved.find("Height=" + std::to_string(shown.height()) + "\n"), std::string::npos) << saved;
        EXPECT_NE(saved.find("Top=" + std::to_string(shown.y()) + "\n"), std::string::npos) << saved;
    }
}

}  // namespace
