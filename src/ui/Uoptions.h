// SPDX-License-Identifier: GPL-3.0-or-later
// The options window: the choices beyond the main window's (calendar rule,
// size, text outline, holiday colour, the other calendars' dates, the
// months' names, how the picture is stretched to the desktop, distances
// from the panels). It starts from the choices the main
// window holds and gives them back only when the user confirms.
#pragma once

#include "Choices.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace velnora {

class ColourPicker;

class Toptions : public QDialog {
    Q_OBJECT
  public:
    Toptions(QWidget* parent, const WindowOptions& start);

    // Controls, also their objectName.
    QGroupBox* GroupCalendar;
    QRadioButton* R_Arithmetic;
    QRadioButton* R_Official;
    QGroupBox* GroupScale;
    QRadioButton* R_ScaleAuto;
    QRadioButton* R_ScalePercent;
    QSpinBox* UDscale;
    QGroupBox* GroupOutline;
    QRadioButton* R_OutlineNone;
    QRadioButton* R_OutlineAuto;
    QRadioButton* R_OutlineColour;
    ColourPicker* ccOutline;
    QGroupBox* GroupHoliday;
    QCheckBox* CHKholiday;
    ColourPicker* ccHoliday;
    QGroupBox* GroupOtherDates;
    QRadioButton* R_OtherNone;
    QRadioButton* R_OtherGregorian;
    QRadioButton* R_OtherLunar;
    QGroupBox* GroupMonthNames;
    QRadioButton* R_NamesIranian;
    QRadioButton* R_NamesDari;
    QGroupBox* GroupProportions;
    QRadioButton* R_KeepProportions;
    QRadioButton* R_StretchExactly;
    QGroupBox* GroupPlace;
    QCheckBox* CHKworkarea;
    QPushButton* Bok;
    QPushButton* Bcancel;

    // The choices as the controls hold them now.
    WindowOptions Chosen() const;

    // Handlers.
    // Enables each value control exactly when its choice is on.
    void ChoiceClick();
    void BokClick();
    void BcancelClick();

  private:
    void CreateControls();
    void SetControls(const WindowOptions& options);
};

}  // namespace velnora
