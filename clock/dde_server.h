// Server and DDEItem: the clock's publication of the chart's numbers to
// other programs on the desktop, over the session bus.  The service is
// "org.zenlume." plus the program's file name up to its first "."
// (org.zenlume.zenlume), the topic "Server" is the object path /Server, and
// the item "DDEItem" is named in each call of the interface org.zenlume.DDE
// (resources/org.zenlume.DDE.xml).
//
// A request in plain text gets the item's lines, each followed by CR LF; a
// poke of plain text replaces them and notifies the clients that listen to
// Advise.  Each minute tick refills the item without Advise and emits
// Ticked with the new text, so that clients need not poll.
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>

#include <string>
#include <vector>

namespace zenlume {

class TDdeServer : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    static constexpr char kInterface[] = "org.zenlume.DDE";
    static constexpr char kObjectPath[] = "/Server";
    static constexpr char kItem[] = "DDEItem";
    // A poke is text from another program: anything longer is refused.
    static constexpr int kMaxPokeBytes = 64 * 1024;

    explicit TDdeServer(QObject *parent = nullptr);
    ~TDdeServer() override;

    // "org.zenlume." + the file name of `programPath` without its folder and
    // without anything from its first "." on, in the characters a bus name
    // allows.
    static QString ServiceName(const QString &programPath);

    // Announces the service on `connection`.  False, with the reason in
    // `error`, when there is no bus or another program (a second clock)
    // holds the name; the item then simply stays unpublished.
    bool Publish(const QDBusConnection &connection, const QString &serviceName, std::string *error);
    // Withdraws the service (also when the server goes).
    void Withdraw();
    bool Published() const { return published_; }

    // The tick's refill: the lines replace the item's, without Advise.
    void SetLines(const std::vector<std::string> &lines);
    const QStringList &Lines() const { return lines_; }
    // The lines as served: each followed by CR LF.
    QString Text() const;

public slots:
    // Called over the bus (the generated adaptor forwards to these).
    QString Request(const QString &item, const QString &format);
    void Poke(const QString &item, const QString &format, const QString &text);

signals:
    void Advise(const QString &item, const QString &text);
    void Ticked(const QString &item, const QString &text);

private:
    bool Refuse(const QString &item, const QString &format);

    QStringList lines_;
    QDBusConnection connection_{QString()};
    QString service_;
    bool published_ = false;
};

}  // namespace zenlume
