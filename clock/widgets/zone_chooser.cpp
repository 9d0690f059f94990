#include "zone_chooser.h"

#include <QCompleter>
#include <QLineEdit>

namespace zenlume {

const char *const TZoneChooser::kFixedOffset = "(fixed offset)";

TZoneChooser::TZoneChooser(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    // Typing never adds an entry; Enter on a name chooses it.
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(20);
    SetZones({});
    connect(this, &QComboBox::activated, this, [this](int) { emit ZoneChosen(Zone()); });
    // Leaving the box with text that names nothing shows the choice again.
    connect(lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (findText(currentText(), Qt::MatchFixedString) < 0) setEditText(itemText(currentIndex()));
    });
}

void TZoneChooser::SetZones(const QStringList &names)
{
    const QString chosen = Zone();
    clear();
    addItem(QString::fromLatin1(kFixedOffset));
    addItems(names);
    auto *completer = new QCompleter(model(), this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    setCompleter(completer);
    SetZone(chosen);
}

QString TZoneChooser::Zone() const
{
    return currentIndex() > 0 ? itemText(currentIndex()) : QString();
}

void TZoneChooser::SetZone(const QString &name)
{
    if (name.isEmpty()) {
        setCurrentIndex(0);
        return;
    }
    int index = findText(name, Qt::MatchExactly);
    if (index < 0) {
        addItem(name);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

}  // namespace zenlume
