// SPDX-License-Identifier: GPL-3.0-or-later

#include "GroupRadioButton.h"

#include <QKeyEvent>

#include <algorithm>

namespace velnora {

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

void GroupRadioButton::nextCheckState() {
    setChecked(true);
}

void GroupRadioButton::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    default:
        QRadioButton::keyPressEvent(event);
        return;
    }
    const QList<GroupRadioButton*> group = Group();
    const qsizetype count = group.size();
    GroupRadioButton* next = group[(group.indexOf(this) + step + count) % count];
    next->setFocus(Qt::TabFocusReason);
    next->setChecked(true);
}

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

}  // namespace velnora
