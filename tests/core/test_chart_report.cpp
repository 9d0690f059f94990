// zenlume-chart's table and JSON: any latitude prints as the number it is,
// and a chart without a house system shows no cusps and no angles.
#include "chart_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace zenlume;

const PlanetTable &Table()
{
    static const PlanetTable table;
    return table;
}

struct Report {
    std::string Table, Json;
};

Report Make(const Settings &s)
{
    ClockChart chart;
    const ChartMoment m = ComputeChartAt(s, LocalDateTime{2026, 6, 20, 12, 0, 0, 0}, Table(), chart);
    return {ChartTable(s, m, chart), ChartJson(s, m, chart) + MissingCuspsMessage(m)};
}

bool Has(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

// Degrees beyond the 32-bit range used to go through an int conversion
// (undefined; "-2147483648°" in practice).
TEST(ChartReport, AnyLatitudePrintsAsTheNumberItIs)
{
    struct Case { int32_t Deg, Min; const char *Text; } cases[] = {
        {51, 30, "51\u00B030' N"},
        {2147483647, 2147483647, "2183275041\u00B007' N"},  // 2147483647 + 2147483647 / 60
        {-2147483647 - 1, -2147483647 - 1, "2183275042\u00B008' S"},
        {0, 59, "0\u00B059' N"},
    };
    for (const auto &c : cases) {
        Settings s;
        s.LatDeg = c.Deg;
        s.LatMin = c.Min;
        const Report r = Make(s);
        EXPECT_TRUE(Has(r.Table, "Place " + std::string(c.Text))) << r.Table.substr(0, 200);
        EXPECT_FALSE(Has(r.Table, "-2147483648")) << c.Deg;
    }
    ChartMoment polar;
    polar.CuspsMissing = true;
    polar.HouseName = "Placidus";
    polar.Latitude = 2147483647 + 2147483647 / 60.0;
    EXPECT_TRUE(Has(MissingCuspsMessage(polar), "no cusps at latitude 2183275041\u00B007' N"));
    polar.Latitude = -69.9999;
    EXPECT_TRUE(Has(MissingCuspsMessage(polar), "no cusps at latitude 70\u00B000' S"));
}

TEST(ChartReport, NoHouseSystemShowsNoCuspsNorAngles)
{
    Settings s;
    s.HouseSys = 0;  // what a stored "Houses" of 255 gives
    const Report r = Make(s);
    EXPECT_FALSE(Has(r.Table, "00 \u2648")) << r.Table;  // no "00 Aries 00"
    EXPECT_FALSE(Has(r.Table, "(none)")) << r.Table;
    EXPECT_TRUE(Has(r.Table, "\n1\n")) << r.Table;
    EXPECT_TRUE(Has(r.Table, "\n12\n")) << r.Table;
    EXPECT_TRUE(Has(r.Table, "\nAscendant\nMidheaven\n")) << r.Table;
    EXPECT_TRUE(Has(r.Json, "\"rising_sign\": null"));
    EXPECT_TRUE(Has(r.Json, "\"house_system\": null"));
    EXPECT_TRUE(Has(r.Json, "{\"house\": 1, \"longitude\": null, \"wheel\": null, \"text\": null}")) << r.Json;
    EXPECT_TRUE(Has(r.Json, "\"name\": \"Ascendant\", \"longitude\": null, \"wheel\": null"));
    EXPECT_FALSE(Has(r.Json, "\"house\": 1,\"")) << "no body is placed in a house";
    EXPECT_FALSE(Has(r.Json, "no cusps at latitude"));

    // A system without cusps at this latitude still says so in the table.
    Settings polar;
    polar.LatDeg = 75;
    EXPECT_TRUE(Has(Make(polar).Table, "(none)"));
}

}  // namespace
