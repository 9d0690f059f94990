// TPickList as a user meets it: single clicks select and deselect items,
// any number at once; each item shows a box, crossed when selected, and its
// text one item height plus 4 pixels in; tab stops are counted in average
// character widths and must be whole numbers.  Pictures are rendered with antialiasing off, in
// black on white, so every pixel is exact.
#include "pick_list.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace {

using namespace zenlume;

constexpr QRgb kInk = 0xFF000000, kPaper = 0xFFFFFFFF;

// A list in black on white with a font drawn without antialiasing.
class PickListTest : public testing::Test {
protected:
    void SetUp() override
    {
        QPalette palette = list_.palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        list_.setPalette(palette);
        QFont font = list_.font();
        font.setStyleStrategy(QFont::NoAntialias);
        list_.setFont(font);
        list_.resize(160, 120);
    }

    QImage Render()
    {
        QImage image(list_.size(), QImage::Format_RGB32);
        image.fill(Qt::red);
        list_.render(&image);
        return image;
    }

    // Item `index`'s rectangle in the list's own coordinates.
    QRect ItemRect(int index)
    {
        const QRect r = list_.visualItemRect(list_.item(index));
        return QRect(list_.viewport()->mapTo(&list_, r.topLeft()), r.size());
    }

    // The ink of item `index` inside its rectangle, as points relative to its top left.
    std::set<std::pair<int, int>> Ink(const QImage &image, int index, int fromX, int toX)
    {
        const QRect r = ItemRect(index);
        std::set<std::pair<int, int>> ink;
        for (int y = 0; y < r.height(); ++y)
            for (int x = fromX; x <= toX; ++x)
                if (image.pixel(r.left() + x, r.top() + y) == kInk) ink.insert({x, y});
        return ink;
    }

    // The leftmost ink column of item `index` at or right of `fromX`, or -1.
    int FirstInk(const QImage &image, int index, int fromX)
    {
        const auto ink = Ink(image, index, fromX, ItemRect(index).width() - 1);
        int first = -1;
        for (const auto &[x, y] : ink)
            if (first < 0 || x < first) first = x;
        return first;
    }

    void Click(int index)
    {
        QTest::mouseClick(list_.viewport(), Qt::LeftButton, Qt::NoModifier,
                          list_.visualItemRect(list_.item(index)).center());
    }

    TPickList list_;
};

// The box of an item `h` pixels high: its outline, and with `crossed` both diagonals.
std::set<std::pair<int, int>> ExpectedBox(int h, bool crossed)
{
    const int x0 = 2, y0 = 1, x1 = h - 1, y1 = h - 2;
    std::set<std::pair<int, int>> box;
    for (int x = x0; x <= x1; ++x) box.insert({x, y0}), box.insert({x, y1});
    for (int y = y0; y <= y1; ++y) box.insert({x0, y}), box.insert({x1, y});
    if (crossed)
        for (int k = 0; k <= x1 - x0; ++k) box.insert({x0 + k, y0 + k}), box.insert({x0 + k, y1 - k});
    return box;
}

TEST_F(PickListTest, SingleClicksToggleItemsAndSeveralStaySelected)
{
    list_.addItems({"Sun", "Moon", "Mercury"});
    list_.show();
    Click(0);
    Click(2);
    EXPECT_TRUE(list_.Selected(0));
    EXPECT_FALSE(list_.Selected(1));
    EXPECT_TRUE(list_.Selected(2));
    Click(0);
    EXPECT_FALSE(list_.Selected(0));
    EXPECT_TRUE(list_.Selected(2));
}

TEST_F(PickListTest, CrossesTheBoxOfSelectedItemsOnly)
{
    for (int h : {16, 20}) {  // the default item height and a larger one
        SCOPED_TRACE(h);
        list_.clear();
        if (h != TPickList::kDefaultItemHeight) list_.SetItemHeight(h);
        list_.addItems({"Sun", "Moon"});
        EXPECT_EQ(ItemRect(1).top() - ItemRect(0).top(), h);
        list_.SetSelected(0, true);
        const QImage image = Render();
        // Everything left of the text is the box and nothing else.
        EXPECT_EQ(Ink(image, 0, 0, h + 3), ExpectedBox(h, true));
        EXPECT_EQ(Ink(image, 1, 0, h + 3), ExpectedBox(h, false));
        // Inside the unselected box: the list's colour.
        EXPECT_EQ(image.pixel(ItemRect(1).topLeft() + QPoint(h / 2, h / 2 - 2)), kPaper);
    }
}

TEST_F(PickListTest, TextStartsOneItemHeightPlusFourPixelsIn)
{
    list_.addItems({"Sun", "Moon"});
    list_.SetSelected(0, true);
    const QImage image = Render();
    for (int index : {0, 1}) {
        const int first = FirstInk(image, index, 17);
        EXPECT_GE(first, 16 + 4) << index;
        EXPECT_LE(first, 16 + 4 + 2) << index;  // the glyph's own left bearing
    }
}

TEST_F(PickListTest, TabsMoveTextToTheStopsInAverageCharacterWidths)
{
    const int average = list_.fontMetrics().averageCharWidth();
    const int indent = 16 + 4;
    list_.addItems({"I\tI"});
    ASSERT_TRUE(list_.SetTabStops({"10"}, nullptr));
    QImage image = Render();
    const int stop = indent + 10 * average;
    EXPECT_TRUE(Ink(image, 0, indent + average + 2, stop - 1).empty());
    EXPECT_FALSE(Ink(image, 0, stop, stop + 3).empty());

    list_.SetUseTabStops(false);  // the tab is a blank
    image = Render();
    EXPECT_FALSE(Ink(image, 0, indent + average, indent + 3 * average).empty());
    EXPECT_TRUE(Ink(image, 0, indent + 4 * average, ItemRect(0).width() - 1).empty());
}

struct TabStopCase {
    const char *Name;
    QStringList Entries;
    bool Valid;
    std::string Error;
    QList<int> Stops;
};

class TabStopTest : public testing::TestWithParam<TabStopCase> {};

TEST_P(TabStopTest, AcceptsWholeNumbersOnly)
{
    const TabStopCase &c = GetParam();
    TPickList list;
    ASSERT_TRUE(list.SetTabStops({"3"}, nullptr));
    std::string error = "untouched";
    EXPECT_EQ(list.SetTabStops(c.Entries, &error), c.Valid);
    EXPECT_EQ(error, c.Valid ? "untouched" : c.Error);
    EXPECT_EQ(list.TabStops(), c.Valid ? c.Stops : QList<int>{3});  // a refused list changes nothing
}

INSTANTIATE_TEST_SUITE_P(
    PickList, TabStopTest,
    testing::Values(TabStopCase{"Whole", {"4", "12"}, true, "", {4, 12}},
                    TabStopCase{"BlanksAroundAndOutOfOrder", {" 12 ", "4"}, true, "", {4, 12}},
                    TabStopCase{"Fraction", {"4", "2.5"}, false, "2.5 is an invalid tab stop", {}},
                    TabStopCase{"Negative", {"-3"}, false, "-3 is an invalid tab stop", {}},
                    TabStopCase{"Empty", {""}, false, " is an invalid tab stop", {}},
                    TabStopCase{"FirstBadEntryNamed", {"a", "b"}, false, "a is an invalid tab stop", {}}),
    [](const testing::TestParamInfo<TabStopCase> &info) { return std::string(info.param.Name); });

}  // namespace
