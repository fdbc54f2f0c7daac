// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: every choice of the user lives in its controls, the month
// grids in its own members. The handlers read the controls, call the library
// and set the controls from what it returns; setting a control from code runs
// its handler as the user's change would (the handlers are connected to
// toggled and textChanged).
#pragma once

#include "Bitmap.h"
#include "MainContext.h"
#include "MonthGrid.h"
#include "Placement.h"
#include "Settings.h"
#include "Choices.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace velnora {

class ColourPicker;
class GroupRadioButton;
class SpinArrows;

class Tmain : public QWidget {
    Q_OBJECT
  public:
    explicit Tmain(MainContext context);
    ~Tmain() override;

    // Controls, named as in the window's design (also their objectName).
    QFrame* Panel7;
    QFrame* Panel1; // show months
    QFrame* Panel2; // position on the screen
    QFrame* Panel3; // colour
    QFrame* Panel4; // distances
    QFrame* Panel5; // choose picture
    QFrame* Panel6; // picture state
    QLabel* TntStaticText1;
    QLabel* TntStaticText2;
    QLabel* TntStaticText3;
    QLabel* TntStaticText4;
    QLabel* TntStaticText5;
    QLabel* TntStaticText6;
    QCheckBox* CHKprev;
    QCheckBox* CHKnext;
    GroupRadioButton* R_Top_Right;
    GroupRadioButton* R_Bottom_Right;
    GroupRadioButton* R_Bottom_Left;
    GroupRadioButton* R_Top_Left;
    QLabel* TntLabel7;
    QLineEdit* ELeftRight;
    SpinArrows* UDLeftRight;
    QLabel* TntLabel8;
    QLineEdit* ETopBottom;
    SpinArrows* UDTopBottom;
    QLabel* TntLabel4;
    ColourPicker* ccToday;
    QLabel* TntLabel5;
    ColourPicker* ccBack;
    GroupRadioButton* R_CurrentPicture;
    GroupRadioButton* R_Choose;
    QLineEdit* Efilename;
    QToolButton* Bchoose;
    QCheckBox* CHK_Stretch;
    QCheckBox* CHK_show;
    QPushButton* Brepaint;
    QPushButton* Bpreview;
    QPushButton* Babout;
    QPushButton* Boptions;
    QPushButton* Bclose;

    // The three month grids with their titles, for today.
    MonthGrids Grids;
    // The choices of the options window (calendar rule, scale, outline,
    // holiday colour), read from the settings file and saved with the others;
    // the grids follow its calendar rule.
    WindowOptions Options;
    // The picture of the preview in progress; empty otherwise.
    std::unique_ptr<Bitmap> WorkBitmap;

    const MainContext& Context() const { return context_; }

    // Handlers.
    void FormCreate();
    // True when the window may close.
    bool FormClose();
    void ELeftRightChange(QLineEdit* edit);
    void BchooseClick();
    void CHK_showClick();
    void R_ChooseClick();
    void BrepaintClick();
    void BpreviewClick();
    void BcloseClick();
    void BaboutClick();
    void BoptionsClick();
    // Esc (key code 27), whatever modifiers are held, closes the window; true when handled.
    bool FormKeyDown(int key);

    // The redraw onto the desktop (Redraw), or the preview onto WorkBitmap
    // (Preview). A missing chosen file shows the message and clears CHK_show.
    void PaintCalendar(bool preview);

    // Reads the settings file into the controls; returns the show flag of the
    // start-up wallpaper check.
    bool LoadSettings();
    void SaveSettings();
    // The choices as the controls hold them now, in the settings file's terms.
    Settings HeldSettings() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void NameIconOnlyControls();
    void ColourHeadings();
    void ConnectHandlers();
    Corner SelectedCorner() const;
    bool ChosenFileMissing() const;
    // A redraw's outcome on the controls: the message and CHK_show cleared
    // for a missing chosen file, CHK_show set once the picture is installed.
    void ShowPaintResult(const PaintResult& result);
    void TellWhereThePictureIs();
    // Fills Grids for today unless they already are.
    void FillGridsForToday();

    MainContext context_;
    // The controls in the order Tab visits them.
    QList<QWidget*> tabOrder_;
    bool shown_ = false;
    // This window saw the calendar on the desktop (at start or by its own
    // redraw) and has not switched it off since.
    bool calendarOn_ = false;
    // The day Grids were filled for (the whole part of Today()).
    std::optional<double> gridsDate_;
};

}  // namespace velnora
