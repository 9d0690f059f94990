// TRadioGroup: a captioned box of radio buttons, one per item, of which at
// most one is checked.  The clock's dialogs read and set it by the index of
// the checked item.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace zenlume {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent = nullptr);

    int Count() const;
    // The index of the checked item, or -1 when none is checked.
    int ItemIndex() const;
    // Checks item `index`.  An index beyond the items checks the last one; a
    // negative index leaves none checked.
    void SetItemIndex(int index);

    // The radio button of item `index`, or null outside the items.
    QRadioButton *Button(int index) const;

private:
    QButtonGroup *buttons_;
};

}  // namespace zenlume
