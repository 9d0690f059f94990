// The panel's side of a StatusNotifierItem: its properties, its menu over
// com.canonical.dbusmenu and the clicks on both, read and sent as a panel
// does.  Every call is asynchronous and waited for with the event loop
// running, since the item may answer from the caller's own thread.
#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QStringList>
#include <QTest>

namespace zenlume::test {

// One call, waited for with the event loop running.
inline QDBusMessage Call(const QDBusMessage &call)
{
    QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(call, 20000);
    if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 25000)) return {};
    return pending.reply();
}

// One node of the exported menu: its label ("-" for a separator), whether it
// is checked, and its children.
struct MenuNode {
    int Id = 0;
    QString Label;
    bool Checked = false;
    QList<MenuNode> Children;
};

inline MenuNode ReadNode(const QDBusArgument &arg)
{
    MenuNode node;
    QVariantMap props;
    arg.beginStructure();
    arg >> node.Id >> props;
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        node.Children << ReadNode(child.variant().value<QDBusArgument>());
    }
    arg.endArray();
    arg.endStructure();
    node.Label = props.value("type").toString() == "separator" ? "-" : props.value("label").toString();
    node.Checked = props.value("toggle-state").toInt() == 1;
    return node;
}
// One item: its bus name and object path.
struct SniItem {
    QString Service, Path;

    QVariant Property(const QString &name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(Service, Path, "org.freedesktop.DBus.Properties", "Get");
        get << QStringLiteral("org.kde.StatusNotifierItem") << name;
        const QDBusMessage reply = Call(get);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
        return reply.arguments()[0].value<QDBusVariant>().variant();
    }
    // An array of (width, height, ARGB bytes) read off `arg`: every
    // picture's bytes, in order.
    static QByteArray Pixmaps(const QDBusArgument &arg)
    {
        QByteArray all;
        arg.beginArray();
        while (!arg.atEnd()) {
            int w = 0, h = 0;
            QByteArray data;
            arg.beginStructure();
            arg >> w >> h >> data;
            arg.endStructure();
            all += data;
        }
        arg.endArray();
        return all;
    }
    // IconPixmap: every size's ARGB bytes, in order.
    QByteArray IconPixmap()
    {
        return Pixmaps(Property("IconPixmap").value<QDBusArgument>());
    }
    QString ToolTipTitle()
    {
        const QDBusArgument arg = Property("ToolTip").value<QDBusArgument>();
        QString icon, title;
        arg.beginStructure();
        arg >> icon;
        Pixmaps(arg);  // the tip's own pictures, unused here
        arg >> title;
        return title;
    }
    QString MenuPath() { return Property("Menu").value<QDBusObjectPath>().path(); }
    MenuNode Layout()
    {
        QDBusMessage get = QDBusMessage::createMethodCall(Service, MenuPath(), "com.canonical.dbusmenu", "GetLayout");
        get << 0 << -1 << QStringList();
        const QDBusMessage reply = Call(get);
        if (reply.arguments().size() < 2) return {};
        return ReadNode(reply.arguments()[1].value<QDBusArgument>());
    }
    // Clicks the menu's item with this label, as a panel does.
    bool Click(const QString &label)
    {
        const MenuNode root = Layout();
        for (const MenuNode &item : root.Children) {
            if (item.Label != label) continue;
            QDBusMessage event = QDBusMessage::createMethodCall(Service, MenuPath(), "com.canonical.dbusmenu", "Event");
            event << item.Id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
            return Call(event).type() == QDBusMessage::ReplyMessage;
        }
        return false;
    }
    void Activate()
    {
        QDBusMessage activate = QDBusMessage::createMethodCall(Service, Path, "org.kde.StatusNotifierItem", "Activate");
        activate << 0 << 0;
        Call(activate);
    }
};

}  // namespace zenlume::test
