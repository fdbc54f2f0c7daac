// SPDX-License-Identifier: GPL-3.0-or-later
// The about window: the about picture and a button to go back.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace velnora {

class TTheAbout : public QDialog {
    Q_OBJECT
  public:
    explicit TTheAbout(QWidget* parent);

    QLabel* About;
    QPushButton* Brepaint;

    void BrepaintClick();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The about picture (374 x 177, 256 colours) with the pixels of its bottom-left
// pixel's colour made transparent.
QPixmap AboutPicture();

}  // namespace velnora
