// ClockSession: the clock's state and its minute, without a window.  It
// reads the settings file, keeps the element table, the chart record and
// the moment it was computed for, and runs the minute timer.
//
// Data flows one way: each computation reads the time source once, computes
// the chart from the settings as the file gives them, and hands the result
// to whoever subscribed to ChartComputed (the wheel picture, the positions
// window, the tray icon) and, at the minute tick, to MinuteTicked (the
// publication).  Subscribers read the chart and the settings; nothing they
// do writes back into either.
#pragma once

#include "chart.h"
#include "settings.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QTimer;

namespace zenlume {

class ClockSession : public QObject {
    Q_OBJECT
public:
    // The minute tick, counted from the session's start.
    static constexpr int kTickMs = 60000;
    // Where a computation reads the instant: the system clock, or a test's
    // stepped minutes.
    using TimeSource = std::function<Instant()>;

    // Reads the settings from `settingsPath` and starts the minute timer.
    // Nothing is computed before the first ComputeChart or tick.
    explicit ClockSession(std::string settingsPath = SettingsPath(), QObject *parent = nullptr);
    ~ClockSession() override;

    void SetTimeSource(TimeSource now) { now_ = std::move(now); }

    // Reads the settings file again and emits SettingsLoaded.  A file that
    // cannot be read (a folder, a FIFO, one too large, a loop of links)
    // gives the defaults, as a missing one does, and makes a notice, told
    // with the next chart once for as long as the file stays unreadable for
    // the same reason; values that do not read as numbers give their
    // defaults silently, and a place beyond the globe or an unknown
    // time-zone name makes a notice, told with the next chart.  While the
    // file names no place, the place is the home place of the computer's
    // time zone, told once per session.
    void LoadSettings();

    // Reads the time source once, computes the chart of that moment and
    // emits ChartComputed, then Notice for each notice due: the settings'
    // notice once per reading of the file, the missing cusps once per
    // reading in which they are missing, and the bodies beyond the precise
    // ephemeris's years once for each new set of them.  Returns false, computing nothing,
    // when called while a computation is under way (from a subscriber).
    bool ComputeChart();

    // The minute timer's work: ComputeChart, then MinuteTicked with the
    // chart record as it stands.
    void MinuteTick();

    const Settings &ClockSettings() const { return settings_; }
    const PlaceZone &Zone() const { return zone_; }
    // Whether the place comes from the computer's time zone (the file names none).
    bool HomePlaceInUse() const { return homePlaceInUse_; }
    const ClockChart &Chart() const { return chart_; }
    const ChartMoment &Moment() const { return moment_; }
    const std::string &SettingsFile() const { return settingsPath_; }
    QTimer *MinuteTimer() const { return minuteTimer_; }
    bool Computing() const { return computing_; }

signals:
    // After each reading of the settings file.
    void SettingsLoaded(const zenlume::Settings &settings);
    // After each computation: at each tick, when the window is shown and
    // after the options dialog.
    void ChartComputed(const zenlume::ClockChart &chart, const zenlume::ChartMoment &moment);
    // After the minute tick's computation and its subscribers.
    void MinuteTicked(const zenlume::ClockChart &chart, const zenlume::ChartMoment &moment);
    // Something the user should read; the clock goes on all the same.
    void Notice(const QString &text);

private:
    void TellNotices();

    std::string settingsPath_;
    Settings settings_;
    PlanetTable planetTable_;  // filled once, when the session is made
    ClockChart chart_;
    ChartMoment moment_;
    PlaceZone zone_ = PlaceZone::Fixed(0);
    bool homePlaceInUse_ = false;
    std::string homePlaceNotice_;   // the home place's notice while it is due
    bool homePlaceTold_ = false;    // told once per session
    TimeSource now_ = Now;
    QTimer *minuteTimer_ = nullptr;

    bool computing_ = false;        // a computation and its subscribers are under way
    int settingsGeneration_ = 0;    // counts the readings of the settings file
    std::string settingsNotice_;    // the out-of-range values of the last reading, or empty
    std::string unreadable_;        // why the last reading found the file unreadable, or empty
    std::string unreadableTold_;    // the unreadable notice told last, or empty
    int noticedGeneration_ = -1;    // the reading that notice was told for
    int cuspsWarnedGeneration_ = -1;  // the reading the missing-cusps notice was told for
    std::string preciseNoticeTold_;   // the bodies beyond the precise ephemeris told last
};

}  // namespace zenlume
