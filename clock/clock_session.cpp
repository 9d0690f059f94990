#include "clock_session.h"

#include "home_place.h"
#include "ini_file.h"

#include <QTimer>

#include <vector>

namespace zenlume {
namespace {

// Sets a flag for as long as it lives, unless it was already set: then
// Entered() is false and the flag stays as the running holder left it.
class BusyGuard {
public:
    explicit BusyGuard(bool &busy) : busy_(busy), entered_(!busy) { busy_ = true; }
    ~BusyGuard()
    {
        if (entered_) busy_ = false;
    }
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;
    bool Entered() const { return entered_; }

private:
    bool &busy_;
    bool entered_;
};

}  // namespace

ClockSession::ClockSession(std::string settingsPath, QObject *parent)
    : QObject(parent), settingsPath_(std::move(settingsPath))
{
    minuteTimer_ = new QTimer(this);
    minuteTimer_->setInterval(kTickMs);
    connect(minuteTimer_, &QTimer::timeout, this, &ClockSession::MinuteTick);
    minuteTimer_->start();
    LoadSettings();
}

ClockSession::~ClockSession() = default;

void ClockSession::LoadSettings()
{
    IniFile ini;
    ini.Load(settingsPath_);
    std::vector<SettingsProblem> problems;
    settings_ = zenlume::LoadSettings(ini, &problems);
    homePlaceInUse_ = !NamesPlace(ini);
    if (homePlaceInUse_) {
        const std::optional<HomePlace> home = ComputerHomePlace();
        if (home) settings_ = FirstStartSettings(settings_, *home);
        if (!homePlaceTold_) homePlaceNotice_ = FirstStartNotice(home);
    }
    ++settingsGeneration_;
    settingsNotice_.clear();
    for (const SettingsProblem &problem : problems)
        if (problem.OutOfRange) settingsNotice_ += "\n" + ProblemText(problem);
    if (!settingsNotice_.empty())
        settingsNotice_ = "The settings file " + settingsPath_ +
                          " holds a place that lies beyond the globe; the clock uses the default 0 instead of:" +
                          settingsNotice_;
    std::string zoneProblem;
    zone_ = PlaceZone::Of(settings_, &zoneProblem);
    if (!zoneProblem.empty()) {
        if (!settingsNotice_.empty()) settingsNotice_ += "\n\n";
        settingsNotice_ += "In the settings file " + settingsPath_ + ", " + zoneProblem + ".";
    }
    emit SettingsLoaded(settings_);
}

bool ClockSession::ComputeChart()
{
    const BusyGuard guard(computing_);
    if (!guard.Entered()) return false;
    moment_ = ComputeChartAt(settings_, zone_, now_(), planetTable_, chart_);
    emit ChartComputed(chart_, moment_);
    TellNotices();
    return true;
}

// The settings' notice comes with the first chart computed from them, when
// the window can show it; the missing cusps are told once per reading, not
// every minute, as the clock goes on with the angles and the bodies.
void ClockSession::TellNotices()
{
    if (!homePlaceNotice_.empty()) {
        homePlaceTold_ = true;
        emit Notice(QString::fromStdString(homePlaceNotice_));
        homePlaceNotice_.clear();
    }
    if (!settingsNotice_.empty() && noticedGeneration_ != settingsGeneration_) {
        noticedGeneration_ = settingsGeneration_;
        emit Notice(QString::fromStdString(settingsNotice_));
    }
    const std::string missingCusps = MissingCuspsMessage(moment_);
    if (!missingCusps.empty() && cuspsWarnedGeneration_ != settingsGeneration_) {
        cuspsWarnedGeneration_ = settingsGeneration_;
        emit Notice(QString::fromStdString(missingCusps));
    }
}

void ClockSession::MinuteTick()
{
    ComputeChart();
    emit MinuteTicked(chart_, moment_);
}

}  // namespace zenlume
