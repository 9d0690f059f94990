// A minimal StatusNotifierWatcher, as a desktop panel (Plasma, waybar, the
// AppIndicator extension) runs it: it owns org.kde.StatusNotifierWatcher,
// says a host is there, and records who registered which item.  It lives in
// a thread of its own with a bus connection of its own, so that the clock's
// blocking calls to it (Qt reads IsStatusNotifierHostRegistered with a
// synchronous call) are answered while the clock's thread waits.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QStringList>

class SniWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ ProtocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ RegisteredStatusNotifierItems)
public:
    // One registration: the caller's unique bus name and the service it named.
    struct Registration {
        QString Sender, Service;
    };

    bool IsStatusNotifierHostRegistered() const { return true; }
    int ProtocolVersion() const { return 0; }
    QStringList RegisteredStatusNotifierItems() const
    {
        QMutexLocker lock(&mutex_);
        QStringList items;
        for (const Registration &r : registrations_) items << r.Service;
        return items;
    }
    void Clear()
    {
        QMutexLocker lock(&mutex_);
        registrations_.clear();
    }
    QList<Registration> Registrations() const
    {
        QMutexLocker lock(&mutex_);
        return registrations_;
    }

public slots:
    void RegisterStatusNotifierItem(const QString &service, const QDBusMessage &message)
    {
        {
            QMutexLocker lock(&mutex_);
            registrations_.push_back({message.service(), service});
        }
        emit StatusNotifierItemRegistered(service);
    }
    void RegisterStatusNotifierHost(const QString &) {}

public:
    // In the watcher's thread: a panel that starts takes a connection of
    // its own (a new unique name) and the watcher's name; one that ends
    // drops both.  Returns whether the name was taken.
    Q_INVOKABLE bool Start()
    {
        name_ = QStringLiteral("sni-watcher-%1").arg(++generation_);
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name_);
        return bus.registerObject("/StatusNotifierWatcher", this,
                                  QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties |
                                      QDBusConnection::ExportAllSignals) &&
               bus.registerService("org.kde.StatusNotifierWatcher");
    }
    Q_INVOKABLE void Stop()
    {
        QDBusConnection::disconnectFromBus(name_);
        QMutexLocker lock(&mutex_);
        registrations_.clear();
    }

signals:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    mutable QMutex mutex_;
    QList<Registration> registrations_;
    QString name_;
    int generation_ = 0;
};
