// The main window as a user meets it: showing computes and draws at once,
// closing hides while the minute tick goes on, the tray brings it back, the
// window stays square, "Exit" keeps the geometry for the next start, the
// options dialog writes on OK only, the About window names the theory the
// options chose, refused writes change nothing, and the tray icon follows
// the rising sign.  Runs on a virtual display with a tray host
// (with_tray.sh); the time comes from the test, one minute per step.
#include "chart_theory.h"
#include "clock_window.h"
#include "radio_group.h"
#include "tray_icon.h"
#include "wheel_picture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <tuple>
#include <unistd.h>

namespace {

using namespace zenlume;
using namespace zenlume::test;

TEST_F(ClockWindow, ShowingComputesAndDrawsAtOnce)
{
    Start();
    EXPECT_EQ(clock_->windowTitle(), "Zenlume");
    clock_->show();
    Settle();
    EXPECT_EQ(clock_->Session().Moment().Local.Minute, 40);
    EXPECT_EQ(clock_->WheelImage().width(), clock_->height());
    EXPECT_GE(clock_->RisingIcon(), 1);
    EXPECT_TRUE(clock_->Session().MinuteTimer()->isActive());
    EXPECT_EQ(clock_->Session().MinuteTimer()->interval(), 60000);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ClockWindow, TheMenuHoldsItsNineItemsInOrder)
{
    Start();
    QStringList captions;
    for (const QAction *a : clock_->PopupMenu()->actions()) captions << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(captions.join("|").toStdString(),
              "Instructions for use|-|On Top|Show|Options|Positions|-|Quorvane Astrology Software|Exit");
    EXPECT_EQ(clock_->TrayIcon()->PopupMenu(), clock_->PopupMenu());
    EXPECT_EQ(clock_->TrayIcon()->ToolTip(), "Zenlume");
}

TEST_F(ClockWindow, CloseHidesTheTickGoesOnAndTheTrayBringsItBack)
{
    Start();
    ASSERT_TRUE(TTrayIcon::TrayAvailable()) << "run through with_tray.sh";
    clock_->show();
    Settle();
    EXPECT_TRUE(clock_->TrayIcon()->Visible());
    clock_->close();
    Settle();
    EXPECT_FALSE(clock_->isVisible());
    EXPECT_TRUE(clock_->Session().MinuteTimer()->isActive());
    EXPECT_TRUE(clock_->TrayIcon()->Visible());

    now_ = Minute(7, 21, 41);
    clock_->Session().MinuteTick();  // the tick while hidden
    EXPECT_EQ(clock_->Session().Moment().Local.Minute, 41);

    now_ = Minute(7, 21, 45);
    clock_->TrayIcon()->OnClick(clock_->TrayIcon());  // showing again recomputes at once
    Settle();
    EXPECT_TRUE(clock_->isVisible());
    EXPECT_EQ(clock_->Session().Moment().Local.Minute, 45);
    EXPECT_FALSE(clock_->ShuttingDown());
}

// The system clock set back or forward, or a resume from suspend: the
// minute tick reads the local clock afresh, so the next tick shows the
// present minute exactly as a clock started at that minute would.
TEST_F(ClockWindow, AfterTheSystemClockJumpsTheNextTickShowsThePresentMinute)
{
    Start();
    clock_->show();
    Settle();
    const PlanetTable table;
    const LocalDateTime jumps[] = {
        {2026, 12, 7, 20, 41, 0, 0},  // back an hour (a zone change by hand)
        {1999, 1, 1, 0, 0, 0, 0},     // back years (a dead clock battery)
        {2031, 7, 15, 12, 34, 0, 0},  // forward years
        {2031, 7, 16, 9, 2, 0, 0},    // forward a night (a resume from suspend)
    };
    for (const LocalDateTime &jump : jumps) {
        SCOPED_TRACE(std::to_string(jump.Year) + "-" + std::to_string(jump.Month) + "-" + std::to_string(jump.Day));
        now_ = jump;
        clock_->Session().MinuteTick();
        EXPECT_TRUE(clock_->Session().MinuteTimer()->isActive());
        const LocalDateTime shown = clock_->Session().Moment().Local;
        EXPECT_EQ(std::tie(shown.Year, shown.Month, shown.Day, shown.Hour, shown.Minute),
                  std::tie(jump.Year, jump.Month, jump.Day, jump.Hour, jump.Minute));
        ClockChart fresh;
        ComputeChartAt(clock_->Session().ClockSettings(), jump, table, fresh);
        for (int i = QVCALC32_SUN; i <= QVCALC32_CHIRON; ++i) EXPECT_EQ(clock_->Session().Chart().PlanetPos[i], fresh.PlanetPos[i]) << i;
        for (int k = 1; k <= 12; ++k) EXPECT_EQ(clock_->Session().Chart().CuspPos[k], fresh.CuspPos[k]) << k;
    }
}

TEST_F(ClockWindow, TheWindowStaysSquare)
{
    Start();
    clock_->show();
    Settle();
    for (const QSize size : {QSize(800, 600), QSize(300, 700), QSize(640, 640)}) {
        clock_->resize(size);
        Settle();
        EXPECT_EQ(clock_->width(), clock_->height()) << size.width() << "x" << size.height();
        EXPECT_EQ(clock_->WheelPicture()->width(), clock_->height());
        EXPECT_EQ(clock_->WheelPicture()->height(), clock_->height());
        EXPECT_EQ(clock_->WheelImage().width(), clock_->height());
    }
}

TEST_F(ClockWindow, ExitKeepsTheGeometryForTheNextStart)
{
    Start("[Setting]\nHouses=1\n[Place]\nLatD=51\n");
    clock_->show();
    Settle();
    clock_->move(40, 30);
    clock_->resize(500, 500);
    Settle();
    const QRect before(clock_->x(), clock_->y(), clock_->width(), clock_->height());
    clock_->Exit();
    EXPECT_TRUE(messages_.empty());
    const std::string text = ReadAll(path_);
    const size_t top = text.find("Top="), left = text.find("Left="), height = text.find("Height="),
                 width = text.find("Width=");
    ASSERT_NE(width, std::string::npos) << text;
    EXPECT_TRUE(top < left && left < height && height < width) << text;
    EXPECT_NE(text.find("Houses=1"), std::string::npos);  // the options stay

    clock_ = std::make_unique<TfrmClock>(path_);
    clock_->show();
    Settle();
    EXPECT_EQ(QRect(clock_->x(), clock_->y(), clock_->width(), clock_->height()), before);
}

// A settings file below a regular file: no one, not even root, can write it.
TEST_F(ClockWindow, RefusedWritesChangeNothingAndSaySo)
{
    const std::string blocker = dir_.Path() + "/plainfile";
    std::ofstream(blocker) << "x";
    path_ = blocker + "/zenlume.ini";
    Start("");
    clock_->show();
    Settle();
    // No file names a place: the first chart says how to set one.
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].first.find("No place is set yet"), std::string::npos) << messages_[0].first;
    messages_.clear();

    // The options dialog: OK with a write that fails abandons the command.
    QTimer::singleShot(0, &options_, [this] {
        options_.tbPSize->setValue(90);
        options_.accept();
    });
    clock_->EditOptions();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].first.rfind("Unable to write to " + path_, 0), 0u) << messages_[0].first;
    EXPECT_TRUE(messages_[0].second);
    EXPECT_EQ(clock_->PreviewPlanetSize(), 90);  // not re-read: the rest was abandoned
    EXPECT_EQ(ReadAll(blocker), "x");
}

// "Exit" when the window's place cannot be saved: the reason, and the
// choice to quit without saving it or to keep the clock running.
TEST_F(ClockWindow, ExitWithAFileThatCannotBeWrittenQuitsOnlyWhenTheUserSaysSo)
{
    const std::string blocker = dir_.Path() + "/plainfile";
    std::ofstream(blocker) << "x";
    path_ = blocker + "/zenlume.ini";
    struct Case {
        const char *name;
        bool quit;
    };
    for (const Case c : {Case{"cancel: the clock keeps running", false}, Case{"quit without saving", true}}) {
        SCOPED_TRACE(c.name);
        questions_.clear();
        quitAnswer_ = c.quit;
        Start("");
        clock_->show();
        Settle();
        messages_.clear();  // how to set a place, as no file names one
        clock_->Exit();
        ASSERT_EQ(questions_.size(), 1u);
        EXPECT_EQ(questions_[0].rfind("Unable to write to " + path_, 0), 0u) << questions_[0];
        EXPECT_TRUE(messages_.empty());
        EXPECT_EQ(clock_->Ended(), c.quit);
        EXPECT_EQ(clock_->TrayIcon()->Active(), !c.quit);
        EXPECT_EQ(clock_->isVisible(), !c.quit);
        EXPECT_EQ(ReadAll(blocker), "x");
    }
}

TEST_F(ClockWindow, OptionsWriteOnOkOnlyAndTheClockFollows)
{
    Start("");  // no file yet: the dialog's writes make it, section by section
    clock_->show();
    Settle();

    // Cancel after moving the slider: the file and the clock are as before.
    QTimer::singleShot(0, &options_, [this] {
        options_.tbPSize->setValue(90);
        options_.reject();
    });
    clock_->EditOptions();
    EXPECT_NE(::access(path_.c_str(), F_OK), 0);
    EXPECT_EQ(clock_->Session().ClockSettings().PlanetSize, 63);

    // OK: the keys in the dialog's order, then the clock reads them back.
    QTimer::singleShot(0, &options_, [this] {
        options_.optHouse->Button(1)->setChecked(true);  // Koch
        options_.spnLatD->setValue(51);
        options_.optN->setChecked(true);
        options_.accept();
    });
    clock_->EditOptions();
    const std::string text = ReadAll(path_);
    const char *keys[] = {"Glyphs=", "Houses=1", "Cusps=", "Size=", "Color=", "LatD=51", "LatM=", "LongM=", "LongD=",
                          "ZoneH=", "ZoneM=", "NS=1", "EW=", "Sun=1", "Chiron=0"};
    size_t at = 0;
    for (const char *key : keys) {
        const size_t found = text.find(key, at);
        EXPECT_NE(found, std::string::npos) << key << " in order in\n" << text;
        if (found != std::string::npos) at = found;
    }
    EXPECT_EQ(clock_->Session().ClockSettings().HouseSys, QVCALC32_KOCH);
    EXPECT_EQ(clock_->Session().Moment().HouseName, "Koch");
}

// "High precision": Cancel leaves the file as it was; OK writes it, the
// clock computes with it, and the About window, open or not, names the
// theory in use.
TEST_F(ClockWindow, HighPrecisionWritesOnOkOnlyAndTheAboutFollows)
{
    const std::string file = "[Setting]\nPrecision=7\n[Place]\nNS=1\nLatD=51\nLatM=30\nEW=1\nLongD=0\nLongM=7\n";
    Start(file);
    clock_->show();
    Settle();
    const QString library = QString::fromStdString(TheorySentence(false));
    EXPECT_EQ(about_.TheoryLabel()->text(), library);

    bool startedChecked = true;
    QTimer::singleShot(0, &options_, [&] {
        startedChecked = options_.chkPrecise->isChecked();
        options_.chkPrecise->click();
        options_.reject();
    });
    clock_->EditOptions();
    EXPECT_FALSE(startedChecked) << "Precision=7 is not 1";
    EXPECT_EQ(ReadAll(path_), file);
    EXPECT_FALSE(clock_->Session().ClockSettings().Precise);
    EXPECT_EQ(about_.TheoryLabel()->text(), library);

    // OK while the About window is open behind the dialog.
    QString shownWhileOpen;
    QTimer::singleShot(0, &about_, [&] {
        QTimer::singleShot(0, &options_, [this] {
            options_.chkPrecise->click();
            options_.accept();
        });
        clock_->EditOptions();
        shownWhileOpen = about_.TheoryLabel()->text();
        about_.CloseInstructions();
    });
    clock_->ShowInstructions();
    EXPECT_NE(ReadAll(path_).find("Precision=1\n"), std::string::npos) << ReadAll(path_);
    EXPECT_TRUE(clock_->Session().ClockSettings().Precise);
    EXPECT_EQ(shownWhileOpen, QString::fromStdString(TheorySentence(true)));
}

int GreenPixels(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            n += qGreen(p) > 150 && qRed(p) < 80 && qBlue(p) < 80;
        }
    return n;
}

// The dialog's colour shows on the wheel while it is open, without touching
// the settings; cancelled, the wheel is drawn from the file's colour again.
TEST_F(ClockWindow, TheOptionsColourShowsOnTheWheelUntilTheSettingsAreReadAgain)
{
    Start();
    clock_->show();
    Settle();
    ASSERT_EQ(GreenPixels(clock_->WheelImage()), 0);
    options_.SetColourChooser([](const QColor &) { return std::optional<QColor>(QColor(0, 255, 0)); });
    int greenWhileOpen = 0;
    uint32_t settingsWhileOpen = 1;
    QTimer::singleShot(0, &options_, [&] {
        options_.ChooseColour();
        greenWhileOpen = GreenPixels(clock_->WheelImage());
        settingsWhileOpen = clock_->Session().ClockSettings().PlanetColor;
        options_.reject();
    });
    clock_->EditOptions();
    EXPECT_GT(greenWhileOpen, 20);
    EXPECT_EQ(settingsWhileOpen, 0u);
    EXPECT_EQ(GreenPixels(clock_->WheelImage()), 0);
    EXPECT_FALSE(clock_->PreviewPlanetSize().has_value());
}

// The minute at which the Ascendant leaves Gemini for Cancer at the test
// place, found with the chart core; the clock must follow it in the tray.
TEST_F(ClockWindow, TheTrayIconFollowsTheRisingSign)
{
    Start();
    Settings settings = clock_->Session().ClockSettings();
    const PlanetTable table;
    ClockChart scratch;
    LocalDateTime before{}, after{};
    bool found = false;
    for (int m = 1; m < 24 * 60 && !found; ++m) {
        const LocalDateTime a = Minute(8, (m - 1) / 60, (m - 1) % 60), b = Minute(8, m / 60, m % 60);
        if (ComputeChartAt(settings, a, table, scratch).RisingSign == 3 &&
            ComputeChartAt(settings, b, table, scratch).RisingSign == 4) {
            before = a, after = b, found = true;
        }
    }
    ASSERT_TRUE(found);
    now_ = before;
    clock_->Session().MinuteTick();
    EXPECT_EQ(clock_->RisingIcon(), 3);
    EXPECT_GT(std::fmod(clock_->Session().Moment().TrueCuspPos[1], 30.0), 29.0);
    now_ = after;
    clock_->Session().MinuteTick();
    EXPECT_EQ(clock_->RisingIcon(), 4);
    EXPECT_FALSE(clock_->TrayIcon()->Icon().isNull());
}

TEST_F(ClockWindow, SessionEndClosesWithoutSavingTheGeometry)
{
    Start("[Show]\nTop=5\n");
    clock_->show();
    Settle();
    clock_->move(200, 200);
    Settle();
    clock_->SessionEnding();
    Settle();
    EXPECT_TRUE(clock_->ShuttingDown());
    EXPECT_FALSE(clock_->isVisible());
    EXPECT_FALSE(clock_->TrayIcon()->Active());
    EXPECT_EQ(ReadAll(path_), "[Show]\nTop=5\n");
}

TEST_F(ClockWindow, MissingCuspsAreReportedOncePerChangeOfSettings)
{
    Start("[Place]\nNS=1\nLatD=75\n");
    clock_->show();
    Settle();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].first.find("has no cusps at latitude 75"), std::string::npos) << messages_[0].first;
    EXPECT_FALSE(messages_[0].second);
    now_ = Minute(7, 21, 41);
    clock_->Session().MinuteTick();
    clock_->Session().MinuteTick();
    EXPECT_EQ(messages_.size(), 1u);  // not every minute
    EXPECT_FALSE(clock_->WheelImage().isNull());  // the bodies are drawn all the same

    QTimer::singleShot(0, &options_, [this] { options_.reject(); });
    clock_->EditOptions();  // the settings are read again: one more notice
    EXPECT_EQ(messages_.size(), 2u);
}

// "On Top" changes the stacking only: the native window stays (it is not
// re-created, which would hide it), and no chart is computed.
TEST_F(ClockWindow, OnTopTogglesWithoutHidingOrComputing)
{
    Start();
    clock_->show();
    Settle();
    int computed = 0;
    QObject::connect(&clock_->Session(), &ClockSession::ChartComputed, [&computed] { ++computed; });
    const WId native = clock_->winId();
    for (const bool onTop : {true, false, true}) {
        clock_->ToggleOnTop();
        Settle();
        EXPECT_EQ(clock_->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        EXPECT_EQ(clock_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        EXPECT_TRUE(clock_->windowFlags().testFlag(Qt::Tool));
        EXPECT_EQ(clock_->PopupMenu()->actions()[2]->isChecked(), onTop);
        EXPECT_TRUE(clock_->isVisible());
        EXPECT_EQ(clock_->winId(), native);
    }
    EXPECT_EQ(computed, 0);
    // Hidden and shown again (as from the tray), it is still on top.
    clock_->hide();
    clock_->ShowClock();
    Settle();
    EXPECT_TRUE(clock_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace

namespace {

TEST_F(ClockWindow, APlaceBeyondTheGlobeIsReportedOncePerReadingAndNotUsed)
{
    Start("[Place]\nNS=1\nLatD=91\nEW=1\nLongD=10\nZoneH=30\n");
    clock_->show();
    Settle();
    ASSERT_EQ(messages_.size(), 1u);
    const std::string &text = messages_[0].first;
    EXPECT_NE(text.find(path_), std::string::npos) << text;
    EXPECT_NE(text.find("[Place] LatD=91"), std::string::npos) << text;
    EXPECT_NE(text.find("[Place] ZoneH=30"), std::string::npos) << text;
    EXPECT_EQ(text.find("LongD"), std::string::npos) << text;  // 10 degrees is a longitude
    EXPECT_FALSE(messages_[0].second);
    EXPECT_EQ(clock_->Session().ClockSettings().Latitude(), 0.0);  // the key's default
    EXPECT_EQ(clock_->Session().ClockSettings().ZoneHours, 0.0);
    EXPECT_EQ(clock_->Session().ClockSettings().Longitude(), 10.0);
    EXPECT_GE(clock_->Session().Moment().UT, 0.0);
    EXPECT_LT(clock_->Session().Moment().UT, 24.0);

    now_ = Minute(7, 21, 41);
    clock_->Session().MinuteTick();
    EXPECT_EQ(messages_.size(), 1u);  // not every minute

    QTimer::singleShot(0, &options_, [this] { options_.reject(); });
    clock_->EditOptions();  // the settings are read again: one more notice
    EXPECT_EQ(messages_.size(), 2u);
}

TEST_F(ClockWindow, UnreadableSettingsValuesGiveTheDefaultsSilently)
{
    Start("[Place]\nNS=1\nLatD=north\n[Setting]\nSize=big\n");
    clock_->show();
    Settle();
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(clock_->Session().ClockSettings().PlanetSize, 63);
}

}  // namespace
