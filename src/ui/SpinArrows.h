// SPDX-License-Identifier: GPL-3.0-or-later
// The up and down arrows tied to a distance field, as the platform's spin
// control with a buddy edit box: they take the number from the field's text,
// step it by 1 within their range without wrapping, and write it back. The Up
// and Down keys do the same while the field has the focus.
#pragma once

#include "Choices.h"

#include <QWidget>

#include <cstdint>

class QLineEdit;
class QToolButton;

namespace velnora {

class SpinArrows : public QWidget {
    Q_OBJECT
  public:
    explicit SpinArrows(QWidget* parent);

    void SetBuddy(QLineEdit* buddy);
    // The platform's control keeps its position as a signed 16-bit number.
    void SetPosition(int32_t position) { position_ = static_cast<int16_t>(position); }
    int Position() const { return position_; }
    // The position as the field shows it (ShownDistance), as plain decimal
    // text into the field (done once, when the window is first shown).
    void WriteBuddy();
    // +1 up, -1 down.
    void Step(int delta);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLineEdit* buddy_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int16_t position_ = 0;
};

}  // namespace velnora
