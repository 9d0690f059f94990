// The options dialog "Set Clock": what the settings file puts in comes back
// out for OK unchanged, also what the controls cannot show (radio indexes
// beyond the items show the last item, negative ones none, out-of-range
// numbers the nearest end), until the user changes that control; only a
// Precision other than 0 or 1 comes back as 0, the unchecked "High
// precision" it shows; the size slider names its size and reports every
// change, the colour button reports a chosen colour only, and the dialog
// is one fixed size with nothing cut off.
#include "frm_options.h"

#include "pick_list.h"
#include "radio_group.h"
#include "temp_dir.h"
#include "zone_chooser.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

using namespace zenlume;

// Every field of the values, for readable failures.
std::string Describe(const OptionValues &v)
{
    std::ostringstream s;
    s << "Glyphs=" << v.Glyphs << " Houses=" << v.Houses << " Cusps=" << v.Cusps << " Size=" << v.Size
      << " Color=" << v.Color << " Lat=" << v.LatD << "/" << v.LatM << " Long=" << v.LongD << "/" << v.LongM
      << " Zone=" << v.ZoneH << "/" << v.ZoneM << " North=" << v.North << " West=" << v.West
      << " Precise=" << v.Precise << " Show=";
    for (bool shown : v.Show) s << shown;
    return s.str();
}

OptionValues With(void (*change)(OptionValues &))
{
    OptionValues v;
    change(v);
    return v;
}

// What the controls show, read from the controls themselves.
OptionValues Shown(const TfrmOptions &d)
{
    OptionValues v = d.Values();
    v.Glyphs = d.optColor->ItemIndex(), v.Houses = d.optHouse->ItemIndex(), v.Cusps = d.optCusp->ItemIndex();
    v.Size = d.tbPSize->value();
    v.LatD = d.spnLatD->value(), v.LatM = d.spnLatM->value(), v.LongD = d.spnLongD->value();
    v.LongM = d.spnLongM->value(), v.ZoneH = d.spnZoneH->value(), v.ZoneM = d.spnZoneM->value();
    return v;
}

struct RoundTripCase {
    const char *name;
    OptionValues filled;
    OptionValues shown;  // what the controls show; OK with no change writes `filled`
};

class OptionsRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(OptionsRoundTrip, ShowsWhatItCanAndGivesBackWhatTheFileHeld)
{
    TfrmOptions dialog;
    dialog.Fill(GetParam().filled);
    EXPECT_EQ(Describe(Shown(dialog)), Describe(GetParam().shown));
    EXPECT_EQ(Describe(dialog.Values()), Describe(GetParam().filled));
}

const OptionValues kPlace = With([](OptionValues &v) {
    v.Glyphs = 1, v.Houses = 2, v.Cusps = 2, v.Size = 90, v.Color = 255;
    v.LatD = 51, v.LatM = 30, v.LongD = 74, v.LongM = 7, v.ZoneH = 5, v.ZoneM = 30;
    v.North = true, v.West = true;
});

const OptionValues kShowEveryThird = With([](OptionValues &v) {
    for (int i = 0; i < 12; ++i) v.Show[i] = i % 3 == 0;
});

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsRoundTrip,
    testing::Values(
        RoundTripCase{"Defaults", OptionValues{}, OptionValues{}},
        RoundTripCase{"EveryFieldInRange", kPlace, kPlace},
        RoundTripCase{"ZonesUpTo14HoursShow", With([](OptionValues &v) { v.ZoneH = 14, v.ZoneM = 0; }),
                      With([](OptionValues &v) { v.ZoneH = 14, v.ZoneM = 0; })},
        RoundTripCase{"Zone13Hours", With([](OptionValues &v) { v.ZoneH = 13; }),
                      With([](OptionValues &v) { v.ZoneH = 13; })},
        RoundTripCase{"ZoneBeyond14Hours", With([](OptionValues &v) { v.ZoneH = 20; }),
                      With([](OptionValues &v) { v.ZoneH = 14; })},
        RoundTripCase{"NegativeLatitudeDegrees", With([](OptionValues &v) { v.LatD = -10, v.North = true; }),
                      With([](OptionValues &v) { v.LatD = 0, v.North = true; })},
        RoundTripCase{"LatitudeMinutes75", With([](OptionValues &v) { v.LatM = 75; }),
                      With([](OptionValues &v) { v.LatM = 59; })},
        RoundTripCase{"PorphyryBeyondTheItems", With([](OptionValues &v) { v.Houses = 5; }),
                      With([](OptionValues &v) { v.Houses = 2; })},
        RoundTripCase{"Size200", With([](OptionValues &v) { v.Size = 200; }),
                      With([](OptionValues &v) { v.Size = 100; })},
        RoundTripCase{"NegativeHousesShowNone", With([](OptionValues &v) { v.Houses = -1; }),
                      With([](OptionValues &v) { v.Houses = -1; })},
        RoundTripCase{"GlyphsSevenAndCuspsThree", With([](OptionValues &v) { v.Glyphs = 7, v.Cusps = 3; }),
                      With([](OptionValues &v) { v.Glyphs = 2, v.Cusps = 2; })},
        RoundTripCase{"ShowFlagsEachWay", kShowEveryThird, kShowEveryThird},
        RoundTripCase{"SouthWest", With([](OptionValues &v) { v.West = true; }),
                      With([](OptionValues &v) { v.West = true; })},
        RoundTripCase{"ColourMinusOneSurvives", With([](OptionValues &v) { v.Color = -1; }),
                      With([](OptionValues &v) { v.Color = -1; })},
        RoundTripCase{"NumbersOutsideTheRangesShowTheNearestEnd",
                      With([](OptionValues &v) {
                          v.Size = 10, v.LatD = 100, v.LatM = 75, v.LongD = 200, v.LongM = -4, v.ZoneH = 15,
                          v.ZoneM = 60;
                      }),
                      With([](OptionValues &v) {
                          v.Size = 25, v.LatD = 90, v.LatM = 59, v.LongD = 180, v.LongM = 0, v.ZoneH = 14,
                          v.ZoneM = 59;
                      })}),
    [](const testing::TestParamInfo<RoundTripCase> &info) { return std::string(info.param.name); });

// A control the user changes writes its new value, also the value it
// showed for one it could not show; the others keep the file's values.
struct ChangeCase {
    const char *name;
    void (*change)(TfrmOptions &);
    void (*written)(OptionValues &);  // applied to kUnshowable
};

const OptionValues kUnshowable = With([](OptionValues &v) {
    v.Houses = 5, v.Size = 200, v.LatD = -10, v.LatM = 75, v.ZoneH = 20, v.Glyphs = 7;
});

class OptionsChange : public testing::TestWithParam<ChangeCase> {};

TEST_P(OptionsChange, WritesTheChangedControlOnly)
{
    TfrmOptions dialog;
    dialog.Fill(kUnshowable);
    GetParam().change(dialog);
    OptionValues expected = kUnshowable;
    GetParam().written(expected);
    EXPECT_EQ(Describe(dialog.Values()), Describe(expected));
    dialog.Fill(kUnshowable);  // a new Fill forgets the changes
    EXPECT_EQ(Describe(dialog.Values()), Describe(kUnshowable));
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsChange,
    testing::Values(
        ChangeCase{"ZoneHours", [](TfrmOptions &d) { d.spnZoneH->setValue(13); },
                   [](OptionValues &v) { v.ZoneH = 13; }},
        ChangeCase{"ZoneHoursTypedAsShown",
                   [](TfrmOptions &d) {
                       d.spnZoneH->selectAll();
                       QTest::keyClicks(d.spnZoneH, "14");
                   },
                   [](OptionValues &v) { v.ZoneH = 14; }},
        ChangeCase{"ZoneMinutesOnly", [](TfrmOptions &d) { d.spnZoneM->setValue(45); },
                   [](OptionValues &v) { v.ZoneM = 45; }},
        ChangeCase{"LatitudeDegrees", [](TfrmOptions &d) { d.spnLatD->setValue(33); },
                   [](OptionValues &v) { v.LatD = 33; }},
        ChangeCase{"LatitudeMinutes", [](TfrmOptions &d) { d.spnLatM->setValue(10); },
                   [](OptionValues &v) { v.LatM = 10; }},
        ChangeCase{"HousesKoch", [](TfrmOptions &d) { d.optHouse->Button(1)->click(); },
                   [](OptionValues &v) { v.Houses = 1; }},
        ChangeCase{"HousesClickedOnTheEqualItShows", [](TfrmOptions &d) { d.optHouse->Button(2)->click(); },
                   [](OptionValues &v) { v.Houses = 2; }},
        ChangeCase{"SignColours", [](TfrmOptions &d) { d.optColor->Button(0)->click(); },
                   [](OptionValues &v) { v.Glyphs = 0; }},
        ChangeCase{"Size", [](TfrmOptions &d) { d.tbPSize->setValue(70); }, [](OptionValues &v) { v.Size = 70; }},
        ChangeCase{"SizeByKeyboard", [](TfrmOptions &d) { QTest::keyClick(d.tbPSize, Qt::Key_Left); },
                   [](OptionValues &v) { v.Size = 99; }},
        ChangeCase{"Hemisphere", [](TfrmOptions &d) { d.optN->click(); }, [](OptionValues &v) { v.North = true; }}),
    [](const testing::TestParamInfo<ChangeCase> &info) { return std::string(info.param.name); });

// Through the file: OK with nothing changed leaves every key as it was.
TEST(Options, OkWithNothingChangedLeavesTheFileAsItWas)
{
    const test::TempDir dir("zenlume-options");
    const std::string path = dir.Path() + "/zenlume.ini";
    const std::string text =
        "[Setting]\nGlyphs=7\nHouses=5\nCusps=1\nSize=200\nColor=-1\nPrecision=1\n"
        "[Place]\nLatD=-10\nLatM=75\nLongM=0\nLongD=175\nZoneH=13\nZoneM=0\nNS=1\nEW=0\n"
        "[Show]\nSun=1\nMoon=1\nMercury=1\nVenus=1\nMars=1\nJupiter=1\nSaturn=1\nUranus=1\nNeptune=1\nPluto=1\n"
        "Node=0\nChiron=0\n";
    std::ofstream(path) << text;
    IniFile ini;
    ASSERT_TRUE(ini.Load(path));
    TfrmOptions dialog;
    dialog.Fill(ReadOptions(ini));
    std::string error;
    ASSERT_TRUE(WriteOptions(path, dialog.Values(), &error)) << error;
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
}

// The zone's name: kept as the file has it (also one the database does not
// hold); choosing one fills the zone boxes with its standard offset;
// changing the boxes by hand goes back to the fixed offset.
TEST(Options, TheZoneNameAndTheNumbersItFills)
{
    TfrmOptions options;
    OptionValues values;
    values.TimeZone = "Mars/Olympus";
    options.Fill(values);
    EXPECT_EQ(options.Values().TimeZone, "Mars/Olympus");
    values.TimeZone = "Europe/Berlin";
    values.ZoneH = 1;
    options.Fill(values);
    EXPECT_EQ(options.Values().TimeZone, "Europe/Berlin");
    EXPECT_EQ(options.Values().ZoneH, 1);

    const struct {
        const char *zone;
        int hours, minutes;
    } cases[] = {{"Asia/Kathmandu", 5, 45}, {"America/New_York", 5, 0}, {"Pacific/Chatham", 12, 45},
                 {"Pacific/Kiritimati", 14, 0}};
    for (const auto &c : cases) {
        const int index = options.cmbZone->findText(c.zone);
        ASSERT_GT(index, 0) << c.zone;
        options.cmbZone->setCurrentIndex(index);
        emit options.cmbZone->activated(index);
        const OptionValues chosen = options.Values();
        EXPECT_EQ(chosen.TimeZone, c.zone);
        EXPECT_EQ(chosen.ZoneH, c.hours) << c.zone;
        EXPECT_EQ(chosen.ZoneM, c.minutes) << c.zone;
    }
    options.spnZoneH->setValue(3);
    EXPECT_EQ(options.Values().TimeZone, "");
    EXPECT_EQ(options.Values().ZoneH, 3);
}

// "High precision" starts from [Setting] Precision as the file has it: only
// 1 checks it.  OK writes the box as it stands, as 1 or 0 (an unchecked box
// into a file without the key writes none), and the next Fill shows that.
struct PrecisionCase {
    const char *name;
    const char *line;  // the [Setting] line, or "" for none
    bool checked;
};

class OptionsPrecision : public testing::TestWithParam<PrecisionCase> {};

TEST_P(OptionsPrecision, StartsFromTheFileAndOkWritesTheBox)
{
    const test::TempDir dir("zenlume-options");
    const std::string path = dir.Path() + "/zenlume.ini";
    std::ofstream(path) << "[Setting]\n" << GetParam().line;
    IniFile ini;
    ASSERT_TRUE(ini.Load(path));
    TfrmOptions dialog;
    dialog.Fill(ReadOptions(ini));
    EXPECT_EQ(dialog.chkPrecise->isChecked(), GetParam().checked);
    for (const bool checked : {GetParam().checked, !GetParam().checked}) {
        dialog.chkPrecise->setChecked(checked);
        const bool hadKey = ini.Get("Setting", "Precision").has_value();
        std::string error;
        ASSERT_TRUE(WriteOptions(path, dialog.Values(), &error)) << error;
        ASSERT_TRUE(ini.Load(path));
        // A file without the key keeps it out while the box stays off.
        if (checked || hadKey) {
            EXPECT_EQ(ini.Get("Setting", "Precision"), checked ? "1" : "0");
        } else {
            EXPECT_FALSE(ini.Get("Setting", "Precision").has_value());
        }
        dialog.Fill(ReadOptions(ini));  // and the box shows it again
        EXPECT_EQ(dialog.chkPrecise->isChecked(), checked);
    }
}

INSTANTIATE_TEST_SUITE_P(Options, OptionsPrecision,
                         testing::Values(PrecisionCase{"One", "Precision=1\n", true},
                                         PrecisionCase{"Zero", "Precision=0\n", false},
                                         PrecisionCase{"Missing", "", false},
                                         PrecisionCase{"Seven", "Precision=7\n", false},
                                         PrecisionCase{"NotANumber", "Precision=yes\n", false}),
                         [](const testing::TestParamInfo<PrecisionCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(Options, ShowsTheLastRadioItemBeyondTheItemsAndSouthEastUnlessOne)
{
    TfrmOptions dialog;
    dialog.Fill(ReadOptions(IniFile::Parse("[Setting]\nHouses=5\nCusps=-1\n[Place]\nNS=2\nEW=2\n")));
    EXPECT_EQ(dialog.optHouse->Button(2)->text(), "Equal");
    EXPECT_TRUE(dialog.optHouse->Button(2)->isChecked());
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(dialog.optCusp->Button(i)->isChecked()) << i;
    EXPECT_TRUE(dialog.optS->isChecked());
    EXPECT_TRUE(dialog.optE->isChecked());
    dialog.Fill(ReadOptions(IniFile::Parse("[Place]\nNS=1\nEW=1\n")));
    EXPECT_TRUE(dialog.optN->isChecked());
    EXPECT_TRUE(dialog.optW->isChecked());
}

struct SizeCase {
    int position;
    const char *caption;
};

class OptionsSizeLabel : public testing::TestWithParam<SizeCase> {};

TEST_P(OptionsSizeLabel, NamesTheSliderPosition)
{
    TfrmOptions dialog;
    dialog.tbPSize->setValue(GetParam().position);
    EXPECT_EQ(dialog.lblSize->text().toStdString(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Options, OptionsSizeLabel,
                         testing::Values(SizeCase{25, "Very Small"}, SizeCase{39, "Very Small"}, SizeCase{40, "Small"},
                                         SizeCase{54, "Small"}, SizeCase{55, "Normal"}, SizeCase{69, "Normal"},
                                         SizeCase{70, "Large"}, SizeCase{84, "Large"}, SizeCase{85, "Very Large"},
                                         SizeCase{100, "Very Large"}),
                         [](const testing::TestParamInfo<SizeCase> &info) {
                             return "At" + std::to_string(info.param.position);
                         });

TEST(Options, SliderReportsEveryChangeAndOnceWhenShown)
{
    TfrmOptions dialog;
    dialog.Fill(With([](OptionValues &v) { v.Size = 30; }));
    QSignalSpy sizes(&dialog, &TfrmOptions::PlanetSizeChanged);
    dialog.tbPSize->setValue(72);
    dialog.tbPSize->setValue(41);
    dialog.show();
    ASSERT_EQ(sizes.count(), 3);
    EXPECT_EQ(sizes[0][0].toInt(), 72);
    EXPECT_EQ(sizes[1][0].toInt(), 41);
    EXPECT_EQ(sizes[2][0].toInt(), 41);  // on showing
    EXPECT_EQ(dialog.lblSize->text(), "Small");
    dialog.hide();
}

TEST(Options, ColourButtonStartsFromTheClockColourAndReportsTheChoice)
{
    TfrmOptions dialog;
    dialog.Fill(With([](OptionValues &v) { v.Color = 255; }));
    dialog.SetPlanetColor(0x00336699);
    QColor started;
    dialog.SetColourChooser([&](const QColor &start) -> std::optional<QColor> {
        started = start;
        return QColor(0x12, 0x34, 0x56);
    });
    QSignalSpy colours(&dialog, &TfrmOptions::PlanetColorChanged);
    dialog.btnColor->click();
    EXPECT_EQ(started, QColor(0x99, 0x66, 0x33));
    ASSERT_EQ(colours.count(), 1);
    EXPECT_EQ(colours[0][0].value<uint32_t>(), 0x00563412u);
    EXPECT_EQ(dialog.Values().Color, 0x00563412);
    EXPECT_EQ(dialog.PlanetColor(), 0x00563412u);
}

TEST(Options, CancelledColourChangesNothing)
{
    TfrmOptions dialog;
    dialog.Fill(With([](OptionValues &v) { v.Color = -1; }));
    dialog.SetPlanetColor(0x00FFFFFF);
    dialog.SetColourChooser([](const QColor &) -> std::optional<QColor> { return std::nullopt; });
    QSignalSpy colours(&dialog, &TfrmOptions::PlanetColorChanged);
    dialog.btnColor->click();
    EXPECT_EQ(colours.count(), 0);
    EXPECT_EQ(dialog.Values().Color, -1);
    EXPECT_EQ(dialog.PlanetColor(), 0x00FFFFFFu);
}

TEST(Options, ZoneBoxesCarryTheirHintWithoutShowingIt)
{
    TfrmOptions dialog;
    dialog.show();
    for (QSpinBox *zone : {dialog.spnZoneH, dialog.spnZoneM}) {
        EXPECT_EQ(zone->toolTip().toStdString(), TfrmOptions::kZoneHint);
        QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), zone->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(zone, &hover);
        EXPECT_FALSE(QToolTip::isVisible());
    }
    EXPECT_TRUE(dialog.spnLatD->toolTip().isEmpty());
    dialog.hide();
}

TEST(Options, OneFixedSizeWithNothingCutOff)
{
    TfrmOptions dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Set Clock");
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_GE(dialog.width(), TfrmOptions::kClientWidth);
    EXPECT_GE(dialog.height(), TfrmOptions::kClientHeight);
    for (QWidget *w : dialog.findChildren<QWidget *>()) {
        if (qobject_cast<QAbstractSpinBox *>(w->parentWidget())) continue;  // the box sizes its own editor
        if (!w->isVisible()) continue;  // the zone list's pop-ups, shown only when open
        EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->metaObject()->className();
        EXPECT_TRUE(dialog.rect().contains(QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size())))
            << w->metaObject()->className();
    }
    // All twelve bodies show without scrolling.
    EXPECT_GE(dialog.lstPlanets->viewport()->height(), 12 * dialog.lstPlanets->ItemHeight());
    dialog.hide();
}

}  // namespace
