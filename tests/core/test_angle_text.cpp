// DegreesMinutesText, worked by hand: 69.9999 degrees is 69 degrees 59.994
// minutes, which round to 60 and carry; 0.125 degrees is 7.5 minutes, which
// round up.  The reports' own texts are checked in test_chart_report.cpp.
#include "angle_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(AngleText, DegreesAndMinutesOfTheSize)
{
    const double largest = 1.7976931348623157e308;  // 309 digits: the text's buffer holds them
    const struct {
        const char *Name;
        double Degrees;
        std::string Text;
    } cases[] = {
        {"minutes in two digits", 0.125, "0\u00B008'"},
        {"below half a minute", 10 + 59.4 / 60, "10\u00B059'"},
        {"sixty minutes carry", 69.9999, "70\u00B000'"},
        {"sign left out", -51.5, "51\u00B030'"},
        {"largest double", largest, std::to_string(largest).substr(0, 309) + "\u00B000'"},
    };
    for (const auto &c : cases) EXPECT_EQ(zenlume::DegreesMinutesText(c.Degrees), c.Text) << c.Name;
}
