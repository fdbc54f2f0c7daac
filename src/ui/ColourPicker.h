// SPDX-License-Identifier: GPL-3.0-or-later
// A colour picker: a button showing the selected colour that drops down 40
// standard colours in 5 rows of 8, with a "More Colors..." button that opens the
// colour dialog on the custom colour and, at the right end of that row, the
// custom colour's swatch. Colours are 0x00BBGGRR. Space, F4 and Alt+Down open
// the drop-down as on a combo box; in it the arrows move, Enter picks, Esc closes.
#pragma once

#include <QFrame>
#include <QPointer>
#include <QToolButton>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace velnora {

class ColourPicker : public QToolButton {
    Q_OBJECT
  public:
    explicit ColourPicker(QWidget* parent);

    uint32_t SelectedColour() const { return selected_; }
    // A colour that is not in the palette becomes the custom colour.
    void SetSelectedColour(uint32_t colour);
    uint32_t CustomColour() const { return custom_; }

    // The drop-down while it is open (tests click its swatches), else null.
    QFrame* Popup() const { return popup_; }
    void OpenPalette();

    // Replaces the colour dialog (tests): given the starting colour, the
    // confirmed one or nullopt for a cancel. An empty function restores the dialog.
    using ColourDialog = std::function<std::optional<uint32_t>(uint32_t start)>;
    static void SetColourDialogForTesting(ColourDialog dialog);

    static QColor ToQColor(uint32_t colour);
    static uint32_t FromQColor(const QColor& colour);

  signals:
    void ColourChanged(uint32_t colour);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Select(uint32_t colour);
    void MoreColors();

    uint32_t selected_ = 0x000000;
    uint32_t custom_ = 0xFFFFFF; // white until the dialog confirms another
    QPointer<QFrame> popup_;     // null again once the drop-down has closed
};

}  // namespace velnora
