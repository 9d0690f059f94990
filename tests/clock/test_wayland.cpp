// The clock as a native Wayland client (clock.Wayland runs the window tests
// under weston's headless compositor): where the compositor keeps the
// window's place to itself, "Exit" keeps the place the file holds and
// writes the size alone.  On other platforms the test says it is skipped.
#include "clock_window.h"

#include <QGuiApplication>

namespace {

using namespace zenlume;
using namespace zenlume::test;

TEST_F(ClockWindow, OnWaylandExitKeepsThePlaceTheFileHolds)
{
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        GTEST_SKIP() << "not a Wayland session (" << QGuiApplication::platformName().toStdString() << ")";
    Start("[Place]\nNS=1\nLatD=51\n[Show]\nTop=77\nLeft=88\nHeight=400\nWidth=400\n");
    clock_->show();
    Settle();
    ASSERT_FALSE(clock_->WheelImage().isNull());  // drawn
    clock_->resize(500, 500);
    Settle();
    clock_->Exit();
    const std::string text = ReadAll(path_);
    EXPECT_NE(text.find("Top=77"), std::string::npos) << text;
    EXPECT_NE(text.find("Left=88"), std::string::npos) << text;
    EXPECT_NE(text.find("Height=" + std::to_string(clock_->height())), std::string::npos) << text;
}

}  // namespace
