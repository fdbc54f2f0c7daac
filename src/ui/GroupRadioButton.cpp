#include "GroupRadioButton.h"

#include <algorithm>

GroupRadioButton::GroupRadioButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
    setAutoExclusive(false);
    // Connected first, so the others are off before any handler sees the change.
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            for (GroupRadioButton* other : Group())
                if (other != this)
                    other->setChecked(false);
        }
        UpdateTabStops();
    });
}

void GroupRadioButton::nextCheckState() { setChecked(true); }

QList<GroupRadioButton*> GroupRadioButton::Group() const {
    return parentWidget()->findChildren<GroupRadioButton*>(Qt::FindDirectChildrenOnly);
}

void GroupRadioButton::UpdateTabStops() {
    const QList<GroupRadioButton*> group = Group();
    const bool noneOn = std::none_of(group.begin(), group.end(),
                                     [](GroupRadioButton* button) { return button->isChecked(); });
    for (GroupRadioButton* button : group)
        button->setFocusPolicy(noneOn || button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}
