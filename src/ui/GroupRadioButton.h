// SPDX-License-Identifier: GPL-3.0-or-later
// A radio button whose group is the other GroupRadioButtons of its frame.
// Turning one on turns the others off first; unlike Qt's own exclusive groups a
// group may have none on, as a corner position outside 1..4 leaves it. A click
// never turns a selected button off. Only the selected button of a group takes
// the focus by Tab (all of them while none is selected); the arrow keys select
// the next or previous button of the group, round its end, as on Windows.
#pragma once

#include <QRadioButton>

namespace velnora {

class GroupRadioButton : public QRadioButton {
    Q_OBJECT
  public:
    GroupRadioButton(const QString& caption, QWidget* parent);

  protected:
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QList<GroupRadioButton*> Group() const;
    void UpdateTabStops();
};

}  // namespace velnora
