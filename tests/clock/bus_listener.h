// Records the publication's signals that a client of the bus subscribed to.
#pragma once

#include <QObject>
#include <QStringList>

class BusListener : public QObject {
    Q_OBJECT
public slots:
    void Advise(const QString &item, const QString &text) { advised << item + "|" + text; }
    void Ticked(const QString &item, const QString &text) { ticked << item + "|" + text; }

public:
    QStringList advised, ticked;
};
