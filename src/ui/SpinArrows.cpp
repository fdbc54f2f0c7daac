// SPDX-License-Identifier: GPL-3.0-or-later

#include "SpinArrows.h"

#include "WholeNumber.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace velnora {

SpinArrows::SpinArrows(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    setFocusPolicy(Qt::NoFocus);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setObjectName(QStringLiteral("up"));
    down_->setObjectName(QStringLiteral("down"));
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void SpinArrows::SetBuddy(QLineEdit* buddy) {
    buddy_ = buddy;
    buddy_->installEventFilter(this);
}

void SpinArrows::WriteBuddy() {
    position_ = static_cast<int16_t>(ShownDistance(position_));
    buddy_->setText(QString::number(position_));
}

void SpinArrows::Step(int delta) {
    // The field's number is the starting point; a number outside the range
    // counts as the nearest end.
    const auto typed = TryStrToInt(buddy_->text().toStdString());
    const int from = typed ? std::clamp<int>(*typed, LeastDistance, MostDistance) : position_;
    position_ = static_cast<int16_t>(std::clamp(from + delta, LeastDistance, MostDistance));
    buddy_->setText(QString::number(position_));
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SpinArrows::resizeEvent(QResizeEvent*) {
    const int upper = height() / 2;
    up_->setGeometry(0, 0, width(), upper);
    down_->setGeometry(0, upper, width(), height() - upper);
}

}  // namespace velnora
