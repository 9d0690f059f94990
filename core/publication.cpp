#include "publication.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace zenlume {

std::string PublishedNumber(double x)
{
    char text[64];
    if (!std::isfinite(x)) {
        std::snprintf(text, sizeof text, "%23s", std::isnan(x) ? "NAN" : x < 0 ? "-INF" : "INF");
        return text;
    }
    // "%.14E" rounds to 15 significant digits; its exponent has at least two
    // digits, and the published form wants four.
    char mantissa[32];
    std::snprintf(mantissa, sizeof mantissa, "%.14E", std::fabs(x));
    char *e = std::strchr(mantissa, 'E');
    const int exponent = std::atoi(e + 1);
    *e = '\0';
    std::snprintf(text, sizeof text, "%c%sE%c%04d", x < 0 ? '-' : ' ', mantissa, exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    return text;
}

double DayCount(const LocalDateTime &t)
{
    using namespace std::chrono;
    const sys_days date{year(t.Year) / month(static_cast<unsigned>(t.Month)) / day(static_cast<unsigned>(t.Day))};
    const sys_days epoch{year(1899) / December / 30};
    const double ms = ((t.Hour * 60.0 + t.Minute) * 60.0 + t.Second) * 1000.0 + t.Millisecond;
    return static_cast<double>((date - epoch).count()) + ms / 86400000.0;
}

std::vector<std::string> PublishedLines(const ClockChart &chart, const LocalDateTime &t)
{
    std::vector<std::string> lines;
    lines.reserve(kPublishedLines);
    for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) lines.push_back(PublishedNumber(chart.PlanetPos[k]));
    lines.push_back(PublishedNumber(chart.CuspPos[1]));
    lines.push_back(PublishedNumber(chart.CuspPos[10]));
    lines.push_back(PublishedNumber(DayCount(t)));
    return lines;
}

std::vector<std::string> SplitPokedText(const std::string &text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::string PublishedText(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines) text += line + "\r\n";
    return text;
}

}  // namespace zenlume
