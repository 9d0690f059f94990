// TZoneChooser: an editable list of time-zone names with completion (any
// part of a name, in any case: "berl" finds Europe/Berlin), whose first
// entry, kFixedOffset, stands for no zone name at all.  It knows nothing of
// time zones beyond their names.
#pragma once

#include <QComboBox>
#include <QStringList>

namespace zenlume {

class TZoneChooser : public QComboBox {
    Q_OBJECT
public:
    static const char *const kFixedOffset;  // "(fixed offset)"

    explicit TZoneChooser(QWidget *parent = nullptr);

    // The names offered after kFixedOffset, in the order given.
    void SetZones(const QStringList &names);
    // The chosen name; empty for kFixedOffset.  Text typed that names no
    // entry chooses nothing: the last choice stands.
    QString Zone() const;
    // Chooses `name` (empty: kFixedOffset).  A name not offered is added
    // at the end, so that a value read from a file is kept as it was.
    void SetZone(const QString &name);

signals:
    // The user chose an entry (not emitted by SetZone).
    void ZoneChosen(const QString &name);
};

}  // namespace zenlume
