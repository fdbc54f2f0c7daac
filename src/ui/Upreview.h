// SPDX-License-Identifier: GPL-3.0-or-later
// The preview window: the calendar composed exactly as the next redraw would
// compose it, installing nothing, shown scaled to 500 x 375.
#pragma once

#include <QDialog>
#include <QImage>

namespace velnora {

class Tmain;

class Tpreview : public QDialog {
    Q_OBJECT
  public:
    // Composes the picture into the main window's work bitmap at once.
    explicit Tpreview(Tmain& main);
    ~Tpreview() override;

    // The picture shown, a copy (null when composing failed).
    QImage Picture() const;

    // The client area: a 4:3 frame whatever the picture's proportions.
    static constexpr int PictureWidth = 500;
    static constexpr int PictureHeight = 375;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

  private:
    void FormCreate();
    Tmain& main_;
};

}  // namespace velnora
