// SPDX-License-Identifier: GPL-3.0-or-later
// The main window in Win32: every choice of the user lives in its controls,
// the month grids in its own members. The handlers read the controls into
// plain data, call the use cases of the session and set the controls from
// what they return. Setting a check box or radio button from code runs its
// handler as the user's click does (a radio button only when it becomes
// selected); setting an edit's text runs its change handler.
#pragma once

#include "Choices.h"
#include "MonthGrid.h"
#include "Placement.h"
#include "Session.h"
#include "Settings.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <optional>

namespace velnora {

class Tmain {
  public:
    // closeAtActivation: the unattended run's window, which closes itself
    // as soon as it is first activated.
    Tmain(Session session, bool closeAtActivation);
    ~Tmain();
    Tmain(const Tmain&) = delete;
    Tmain& operator=(const Tmain&) = delete;

    // Creates the window (FormCreate), shows it and runs the message loop
    // until it has closed.
    void Run();

    // Handlers.
    void FormCreate();
    // True when the window may close.
    bool FormClose();
    // Esc (key code 27), whatever modifiers are held, closes the window; true when handled.
    bool FormKeyDown(WPARAM key);
    void ELeftRightChange(HWND edit);
    void BchooseClick();
    void CHK_showClick();
    void R_ChooseClick();
    void BrepaintClick();
    void BpreviewClick();
    void BcloseClick();
    void BaboutClick();
    void BoptionsClick();
    void TntFormActivate();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void CreateControls();
    // Places the controls and makes their fonts for the window's DPI.
    void LayOut();
    void Command(int id, int code, HWND control);
    // Runs a handler of a message: an error it raises is shown in a message
    // box and the window stays usable.
    template <typename Step> void RunHandler(Step step);
    // The handler a click of that control runs, if any.
    void Clicked(int id);
    void PressFocusedButton();
    void MoveRadioTabStops();
    void Paint();

    HWND Control(int id) const { return GetDlgItem(window_, id); }
    bool IsChecked(int id) const;
    // As the user's click: the handler runs when the state changes.
    void SetChecked(int id, bool on);
    void SetText(int id, const std::string& utf8);
    std::string Text(int id) const;

    // The spin positions as LoadSettings read them, written into the fields
    // once, when the window is first shown.
    void WriteSpinPositions();

    // Reads the settings file into the controls; returns the show flag of the
    // start-up wallpaper check.
    bool LoadSettings();
    void SaveSettings();
    // The choices as the controls hold them now, in the settings file's terms.
    Settings HeldSettings() const;
    Corner SelectedCorner() const;
    bool ChosenFileMissing() const;
    // A redraw's outcome on the controls: the message and CHK_show cleared
    // for a missing chosen file, CHK_show set once the picture is installed.
    void ShowPaintResult(const PaintResult& result);
    void PaintCalendar();
    // Fills Grids for today unless they already are.
    void FillGridsForToday();

    Session session_;
    bool closeAtActivation_;
    HWND window_ = nullptr;
    // The window's dots per inch: its measures are those of 96 scaled to it.
    int dpi_ = 96;
    HFONT fonts_[3] = {};
    HIMAGELIST glyphs_[6] = {};
    HICON icon_ = nullptr;
    // The three month grids with their titles, for today.
    MonthGrids grids_;
    // The day grids_ were filled for (the whole part of Today()).
    std::optional<double> gridsDate_;
    // The choices of the options window, read from the settings file and
    // saved with the others; the grids follow its calendar rule.
    WindowOptions options_;
    int16_t leftRightPosition_ = 0;
    int16_t topBottomPosition_ = 0;
    bool shown_ = false;
    bool activated_ = false;
    // This window saw the calendar on the desktop (at start or by its own
    // redraw) and has not switched it off since.
    bool calendarOn_ = false;
};

// The interactive program: the main window over the session; the exit status.
int RunMainWindow(const Session& session);

} // namespace velnora
