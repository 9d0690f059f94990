#include "radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zenlume {

TRadioGroup::TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(6, 2, 6, 4);
    column->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i], this);
        buttons_->addButton(radio, i);
        column->addWidget(radio);
    }
    column->addStretch(1);
}

int TRadioGroup::Count() const { return static_cast<int>(buttons_->buttons().size()); }

int TRadioGroup::ItemIndex() const { return buttons_->checkedId(); }

void TRadioGroup::SetItemIndex(int index)
{
    if (index >= Count()) index = Count() - 1;
    if (index >= 0) {
        buttons_->button(index)->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; let go of it for a moment.
    buttons_->setExclusive(false);
    for (QAbstractButton *radio : buttons_->buttons()) radio->setChecked(false);
    buttons_->setExclusive(true);
}

QRadioButton *TRadioGroup::Button(int index) const
{
    return qobject_cast<QRadioButton *>(buttons_->button(index));
}

}  // namespace zenlume
