// One clock per desktop session: the running clock holds the session-bus
// name org.zenlume.Clock and answers Activate on /Clock (interface
// org.zenlume.Clock) by bringing its window forward.  A second start finds
// the name taken, asks the holder to come forward, and ends; two clocks on
// one settings file would lose each other's changes.  The name is the
// clock's own, apart from the chart's publication (TDdeServer).
#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>
#include <string>

namespace zenlume {

class ClockActivation : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zenlume.Clock")
public:
    static constexpr char kService[] = "org.zenlume.Clock";
    static constexpr char kObjectPath[] = "/Clock";
    static constexpr char kInterface[] = "org.zenlume.Clock";
    // How long a second start waits for the running clock's answer.
    static constexpr int kAnswerMs = 10000;

    enum class Claim {
        Held,            // this clock holds the name now
        HeldByAnother,   // another clock runs on this session bus
        NoBus,           // no session bus (or it refused the object): run alone
    };

    explicit ClockActivation(QObject *parent = nullptr);
    ~ClockActivation() override;

    // Serves /Clock on `connection` and asks for the name, without queueing
    // for it.  Calls that arrive before the event loop runs wait for it.
    Claim ClaimOn(const QDBusConnection &connection, const QString &service = kService);
    // Asks the clock holding `service` to bring its window forward; false,
    // with the reason in `error`, when it did not answer.
    static bool ActivateRunning(const QDBusConnection &connection, std::string *error,
                                const QString &service = kService);

    // What Activate does (the clock window's ShowClock).
    std::function<void()> OnActivate;

public slots:
    // Called over the bus by a second start.
    Q_SCRIPTABLE void Activate();

private:
    QDBusConnection connection_{QString()};
    QString service_;
};

}  // namespace zenlume
