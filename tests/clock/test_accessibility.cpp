// What a screen reader gets, read through Qt's accessibility interface: the
// wheel's name and its description (the chart in words) after showing and
// after a minute tick; every control of the options dialog and of the
// positions window named and reached with Tab in the order of the layout.
#include "chart_words.h"
#include "clock_window.h"
#include "radio_group.h"
#include "wheel_picture.h"
#include "zone_chooser.h"

#include "color_string_grid.h"
#include "pick_list.h"

#include <QAccessible>
#include <QCheckBox>
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

QString Text(QObject *object, QAccessible::Text kind) { return QAccessible::queryAccessibleInterface(object)->text(kind); }

TEST_F(ClockWindow, TheWheelIsDescribedByTheChartOfEachMinute)
{
    Start();
    clock_->show();
    Settle();
    const auto expected = [this] {
        return QString::fromStdString(ChartWords(clock_->Session().ClockSettings(), clock_->Session().Moment()));
    };
    EXPECT_EQ(Text(clock_->WheelPicture(), QAccessible::Name), "Chart wheel");
    const QString first = Text(clock_->WheelPicture(), QAccessible::Description);
    EXPECT_TRUE(first.startsWith("Ascendant ")) << first.toStdString();
    EXPECT_EQ(first, expected());
    now_ = Minute(7, 21, 50);  // the Ascendant moves a few degrees in ten minutes
    clock_->Session().MinuteTick();
    EXPECT_NE(Text(clock_->WheelPicture(), QAccessible::Description), first);
    EXPECT_EQ(Text(clock_->WheelPicture(), QAccessible::Description), expected());
}

// Every control that takes focus by Tab is named and listed in `order`, and
// Tab from the first visits `order` and comes back: a group of radio buttons
// at its first (the arrow keys move within).
void ExpectNamedAndReachedInOrder(QWidget *window, const std::vector<QWidget *> &order)
{
    std::vector<QWidget *> expected;
    for (QWidget *w : order)
        if (!qobject_cast<QRadioButton *>(w) || expected.empty() || !qobject_cast<QRadioButton *>(expected.back()) ||
            expected.back()->parentWidget() != w->parentWidget())
            expected.push_back(w);
    for (QWidget *w : window->findChildren<QWidget *>())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && !w->focusProxy()) {
            EXPECT_FALSE(Text(w, QAccessible::Name).isEmpty()) << w->metaObject()->className();
            EXPECT_NE(std::find(order.begin(), order.end(), w), order.end()) << Text(w, QAccessible::Name).toStdString();
        }
    window->show();
    QApplication::setActiveWindow(window);
    order.front()->setFocus(Qt::TabFocusReason);
    Settle();
    for (size_t i = 1; i <= expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected[i % expected.size()])
            << "Tab " << i << " reached " << Text(QApplication::focusWidget(), QAccessible::Name).toStdString();
    }
}

TEST(Keyboard, EveryOptionIsNamedAndReachedWithTab)
{
    TfrmOptions d;
    std::vector<QWidget *> order;
    for (TRadioGroup *group : {d.optColor, d.optHouse, d.optCusp})
        for (int i = 0; i < group->Count(); ++i) order.push_back(group->Button(i));
    order.insert(order.end(), {d.chkPrecise, d.tbPSize, d.btnColor, d.spnLatD, d.spnLatM, d.optN, d.optS, d.spnLongD,
                               d.spnLongM, d.optE, d.optW, d.spnZoneH, d.spnZoneM, d.cmbZone, d.lstPlanets, d.btnOK,
                               d.btnCancel});
    ExpectNamedAndReachedInOrder(&d, order);
    EXPECT_EQ(Text(d.spnLongM, QAccessible::Name), "Longitude minutes");
    EXPECT_EQ(Text(d.optW, QAccessible::Name), "West");
    EXPECT_EQ(Text(d.chkPrecise, QAccessible::Name), "High precision");
    // A combo box's name is its text here; its label is a relation.
    QStringList labels;
    for (const auto &label : QAccessible::queryAccessibleInterface(d.cmbZone)->relations(QAccessible::Label))
        labels << label.first->text(QAccessible::Name);
    EXPECT_TRUE(labels.contains("Time Zone")) << labels.join("|").toStdString();
}

TEST(Keyboard, ThePositionsAreNamedAndReachedWithTabAndAltC)
{
    TfrmPositions p;
    ExpectNamedAndReachedInOrder(&p, {p.Grid(), p.btnClose(), p.btnTop()});
    EXPECT_EQ(Text(p.Grid(), QAccessible::Name), "Positions");
    QAccessibleInterface *close = QAccessible::queryAccessibleInterface(p.btnClose());
    EXPECT_EQ(close->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{"Alt+C"});
}

}  // namespace
