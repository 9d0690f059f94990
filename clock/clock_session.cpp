#include "clock_session.h"

#include "home_place.h"
#include "ini_file.h"

#include <QTimer>

#include <cerrno>
#include <sys/stat.h>
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
    std::string why;
    // Nothing at the path (also below a plain file, ENOTDIR) is a missing
    // file: the defaults, without a word.
    struct stat st;
    const bool nothingThere = ::lstat(settingsPath_.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
    if (ini.Load(settingsPath_, &why) || nothingThere) {
        unreadable_.clear();
        unreadableTold_.clear();
    } else {
        unreadable_ = "The settings file cannot be read (" + why +
                      "), so the clock runs on the default settings; \"Options\" and \"Exit\" cannot save "
                      "into it until it can be read.";
    }
    std::vector<SettingsProblem> problems;
    settings_ = zenlume::LoadSettings(ini, &problems);
    // The home place stands in while a file read (or missing) names no
    // place; a file that cannot be read says so instead.
    homePlaceInUse_ = unreadable_.empty() && !NamesPlace(ini);
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

// The settings' notices come with the first chart computed from them, when
// the window can show it (at start: when it is first shown); the missing
// cusps are told once per reading, not every minute, as the clock goes on
// with the angles and the bodies.
void ClockSession::TellNotices()
{
    if (!homePlaceNotice_.empty()) {
        homePlaceTold_ = true;
        emit Notice(QString::fromStdString(homePlaceNotice_));
        homePlaceNotice_.clear();
    }
    // A file that cannot be read is told once, not at every reading, until
    // it reads again or fails for another reason.
    if (!unreadable_.empty() && unreadable_ != unreadableTold_) {
        unreadableTold_ = unreadable_;
        emit Notice(QString::fromStdString(unreadable_));
    }
    if (!settingsNotice_.empty() && noticedGeneration_ != settingsGeneration_) {
        noticedGeneration_ = settingsGeneration_;
        emit Notice(QString::fromStdString(settingsNotice_));
    }
    // The bodies the precise ephemeris does not reach: told once for each
    // new set of them, not every minute.
    if (!moment_.PreciseNotice.empty() && moment_.PreciseNotice != preciseNoticeTold_) {
        preciseNoticeTold_ = moment_.PreciseNotice;
        emit Notice(QString::fromStdString(moment_.PreciseNotice));
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
