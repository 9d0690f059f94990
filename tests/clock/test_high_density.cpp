// The clock on a high-density screen: the wheel and the pictures of About
// and the companion window hold one pixel for each device pixel of the
// screen they are shown on.  The same cases run at ratio 1 with the other
// window tests and at ratio 2 in a run of their own (QT_SCALE_FACTOR=2),
// which they check they got.
#include "clock_window.h"
#include "wheel_picture.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using namespace zenlume;
using namespace zenlume::test;

class HighDensityClock : public ClockWindow {};

// The ratio the run asked Qt for, 1 when it asked for none.
double AskedRatio()
{
    const char *factor = std::getenv("QT_SCALE_FACTOR");
    return factor && *factor ? std::atof(factor) : 1.0;
}

int DevicePixels(int side, double ratio) { return static_cast<int>(std::lround(side * ratio)); }

TEST_F(HighDensityClock, TheWheelHasTheScreensDevicePixels)
{
    Start();
    clock_->show();
    Settle();
    const double ratio = clock_->WheelPicture()->devicePixelRatioF();
    EXPECT_DOUBLE_EQ(ratio, AskedRatio());
    const QImage &wheel = clock_->WheelImage();
    EXPECT_DOUBLE_EQ(wheel.devicePixelRatio(), ratio);
    EXPECT_EQ(wheel.width(), DevicePixels(clock_->WheelPicture()->height(), ratio));
    // After a resize the new side is drawn at the same ratio.
    clock_->resize(300, 300);
    Settle();
    EXPECT_EQ(clock_->WheelImage().width(), DevicePixels(clock_->WheelPicture()->height(), ratio));
    EXPECT_DOUBLE_EQ(clock_->WheelImage().devicePixelRatio(), ratio);
}

TEST_F(HighDensityClock, TheInformationPicturesHaveTheScreensDevicePixels)
{
    about_.show();
    Settle();
    const double ratio = about_.devicePixelRatioF();
    EXPECT_DOUBLE_EQ(ratio, AskedRatio());
    qv4_.show();
    Settle();
    for (const QLabel *label : {about_.TitlePicture(), about_.SignBand(), qv4_.ProductPicture()}) {
        const QPixmap picture = label->pixmap();
        EXPECT_DOUBLE_EQ(picture.devicePixelRatio(), ratio) << label->objectName().toStdString();
        EXPECT_EQ(picture.width(), DevicePixels(label->width(), ratio)) << label->objectName().toStdString();
    }
    about_.hide();
    qv4_.hide();
}

}  // namespace
