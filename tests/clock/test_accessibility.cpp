// What a screen reader gets, read through Qt's accessibility interface as
// assistive technology reads it: the wheel's name and its description (the
// chart in words) after showing and after a minute tick; and every control of the options dialog and of the
// positions window named and reached with Tab in the order of the layout.
#include "chart_words.h"
#include "clock_window.h"
#include "color_string_grid.h"
#include "pick_list.h"
#include "radio_group.h"
#include "wheel_picture.h"
#include "zone_chooser.h"

#include <QAccessible>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace zenlume;
using namespace zenlume::test;

QString AccessibleText(QObject *object, QAccessible::Text kind)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(kind) : QString();
}

class WheelWords : public ClockWindow {
protected:
    QString Description() { return AccessibleText(clock_->WheelPicture(), QAccessible::Description); }
    QString Expected()
    {
        return QString::fromStdString(ChartWords(clock_->Session().ClockSettings(), clock_->Session().Moment()));
    }
};

TEST_F(WheelWords, TheWheelIsNamedAndDescribedByTheChart)
{
    Start();
    clock_->show();
    Settle();
    EXPECT_EQ(AccessibleText(clock_->WheelPicture(), QAccessible::Name), "Chart wheel");
    EXPECT_TRUE(Description().startsWith("Ascendant ")) << Description().toStdString();
    EXPECT_EQ(Description(), Expected());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(clock_->WheelPicture())->role(), QAccessible::Client);
}

TEST_F(WheelWords, AMinuteTickDescribesTheNewChart)
{
    Start();
    clock_->show();
    Settle();
    const QString before = Description();
    now_ = Minute(7, 21, 50);  // the Ascendant moves a few degrees in ten minutes
    clock_->Session().MinuteTick();
    EXPECT_NE(Description(), before);
    EXPECT_EQ(Description(), Expected());
}

TEST_F(WheelWords, TheBodiesTheSettingsHideAreNotSaid)
{
    Start("[Place]\nNS=1\nLatD=51\nLatM=30\n[Show]\nMoon=0\nMercury=0\nChiron=1\n");
    clock_->show();
    Settle();
    EXPECT_FALSE(Description().contains("Moon"));
    EXPECT_FALSE(Description().contains("Mercury"));
    EXPECT_TRUE(Description().contains("; Chiron "));
    EXPECT_TRUE(Description().contains("; Sun "));
}

// The controls that take focus, in the order Tab visits them from `first`
// until it comes back (at most `limit` steps).
std::vector<QWidget *> TabCycle(QWidget *window, QWidget *first, int limit = 60)
{
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    first->setFocus(Qt::TabFocusReason);
    Settle();
    std::vector<QWidget *> visited{QApplication::focusWidget()};
    for (int i = 0; i < limit; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        if (!now || now == visited.front()) break;
        visited.push_back(now);
    }
    return visited;
}

// Every control that takes focus by Tab: named, and reached, in `order`.
void ExpectNamedAndReachedInOrder(QWidget *window, const std::vector<QWidget *> &order)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(window) || w->focusProxy()) continue;
        EXPECT_FALSE(AccessibleText(w, QAccessible::Name).isEmpty()) << w->metaObject()->className();
        EXPECT_NE(std::find(order.begin(), order.end(), w), order.end())
            << w->metaObject()->className() << " " << AccessibleText(w, QAccessible::Name).toStdString()
            << " is not in the expected order";
    }
    const std::vector<QWidget *> visited = TabCycle(window, order.front());
    // Tab enters a group of radio buttons at its first and leaves it at the
    // next control; the arrow keys move within.
    std::vector<QWidget *> expected;
    for (QWidget *w : order) {
        const bool laterRadio = qobject_cast<QRadioButton *>(w) && !expected.empty() &&
                                qobject_cast<QRadioButton *>(expected.back()) &&
                                expected.back()->parentWidget() == w->parentWidget();
        if (!laterRadio) expected.push_back(w);
    }
    ASSERT_EQ(visited.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(visited[i], expected[i]) << "step " << i << ": "
                                           << AccessibleText(visited[i], QAccessible::Name).toStdString() << " for "
                                           << AccessibleText(expected[i], QAccessible::Name).toStdString();
}

TEST(OptionsKeyboard, EveryControlIsNamedAndReachedWithTab)
{
    TfrmOptions d;
    OptionValues values;
    values.Houses = 1;
    d.Fill(values);
    std::vector<QWidget *> order;
    for (TRadioGroup *group : {d.optColor, d.optHouse, d.optCusp})
        for (int i = 0; i < group->Count(); ++i) order.push_back(group->Button(i));
    for (QWidget *w : std::initializer_list<QWidget *>{d.tbPSize, d.btnColor, d.spnLatD, d.spnLatM, d.optN, d.optS,
                                                       d.spnLongD, d.spnLongM, d.optE, d.optW, d.spnZoneH, d.spnZoneM,
                                                       d.cmbZone, d.lstPlanets, d.btnOK, d.btnCancel})
        order.push_back(w);
    ExpectNamedAndReachedInOrder(&d, order);
}

TEST(OptionsKeyboard, TheControlsSayWhatTheyHold)
{
    TfrmOptions d;
    const std::pair<QWidget *, const char *> cases[] = {
        {d.spnLatD, "Latitude degrees"}, {d.spnLongM, "Longitude minutes"}, {d.spnZoneH, "Time zone hours"},
        {d.optN, "North"},                 {d.optW, "West"},
        {d.lstPlanets, "Show Planets"},  {d.tbPSize, "Size"},               {d.btnOK, "OK"},
    };
    for (const auto &[control, name] : cases) EXPECT_EQ(AccessibleText(control, QAccessible::Name), name);
    // A combo box's name is its text here; its label is a relation.
    const auto labels = QAccessible::queryAccessibleInterface(d.cmbZone)->relations(QAccessible::Label);
    QStringList labelNames;
    for (const auto &label : labels) labelNames << label.first->text(QAccessible::Name);
    EXPECT_TRUE(labelNames.contains("Time Zone")) << labelNames.join("|").toStdString();
}

// The accelerators the captions give, as assistive technology reports them
// (empty where a caption gives none: OK and Cancel answer Enter and Escape).
QString KeyBindings(QWidget *button)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
    return iface->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()).join(" ");
}

TEST(Accelerators, TheCaptionsGiveThem)
{
    TfrmOptions d;
    TfrmPositions p;
    const std::pair<QWidget *, const char *> cases[] = {
        {p.btnClose(), "Alt+C"}, {p.btnTop(), ""}, {d.btnOK, ""}, {d.btnCancel, ""}, {d.btnColor, ""},
    };
    for (const auto &[button, keys] : cases)
        EXPECT_EQ(KeyBindings(button), keys) << AccessibleText(button, QAccessible::Name).toStdString();
}

TEST(PositionsKeyboard, EveryControlIsNamedAndReachedWithTab)
{
    TfrmPositions p;
    ExpectNamedAndReachedInOrder(&p, {p.Grid(), p.btnClose(), p.btnTop()});
    EXPECT_EQ(AccessibleText(p.Grid(), QAccessible::Name), "Positions");
    EXPECT_EQ(AccessibleText(p.btnClose(), QAccessible::Name), "Close");
}

}  // namespace
