// The wheel's tests need Qt's fonts, hence an application object; it runs
// on the offscreen platform, so the tests need no display.
#include "offscreen_app.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    const zenlume::OffscreenApplication app;
    return RUN_ALL_TESTS();
}
