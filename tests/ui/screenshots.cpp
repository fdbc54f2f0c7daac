// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-screenshots: pictures of the main window, its colour drop-down, the
// options window, the picture dialog, the preview (also with choices of the
// options window) and the about window, for a
// look by eye, in a folder of their own and with a settings file and a
// wallpaper of their own.
//   velnora-screenshots OUTPUT_FOLDER
#include "Application.h"
#include "ColourPicker.h"
#include "PictureDialog.h"
#include "UTheAbout.h"
#include "UiTesting.h"
#include "Uoptions.h"
#include "Upreview.h"

#include <QDir>
#include <QFileDialog>
#include <QTest>

#include <cstdio>

using namespace velnora;

namespace {

// What the window shows, with its frame when a window manager draws one.
bool Save(QWidget& window, const QString& path) {
    window.show();
    window.activateWindow();
    // Let the window system map and paint the window before the grab.
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    Application application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velnora-screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    UiFixture fixture;
    fixture.SetUserWallpaper(1024, 768);
    // A sky-blue picture as the wallpaper, the calendar in its top-right corner.
    fixture.WritePicture("user wallpaper.bmp", 1024, 768, 0x00E0B070);
    MainContext context = fixture.Context();
    // A desktop the size of the picture, so the preview shows it as a redraw would.
    context.desktopSize = [] { return DesktopSize{1024, 768}; };
    auto window = std::make_unique<Tmain>(context);
    bool ok = Save(*window, out + "/main.png");
    window->ccToday->OpenPalette();
    // The keyboard's place one right of the selected colour.
    QTest::keyClick(window->ccToday->Popup()->focusWidget(), Qt::Key_Right);
    ok = Save(*window->ccToday->Popup(), out + "/palette.png") && ok;
    window->ccToday->Popup()->close();
    {
        // Every value control enabled: a percentage, an outline colour, a holiday colour.
        WindowOptions shown;
        shown.rule = PersianDate::CalendarRule::Official;
        shown.scale = 200;
        shown.outline = {TextOutline::Kind::Colour, Colour{0xFFFFFF}};
        shown.holiday = Colour{0x0000FF};
        shown.otherDates = OtherDates::GregorianAndLunar;
        shown.monthNames = MonthNaming::Dari;
        Toptions options(window.get(), shown);
        ok = Save(options, out + "/options.png") && ok;
    }
    {
        // On the folder of the test's own pictures.
        const std::unique_ptr<QFileDialog> dialog = MakePictureDialog(window.get());
        dialog->setDirectory(QString::fromStdString(fixture.folder.Path()));
        ok = Save(*dialog, out + "/picture-dialog.png") && ok;
    }
    {
        Tpreview preview(*window);
        ok = Save(preview, out + "/preview.png") && ok;
    }
    {
        // The preview with choices of the options window: twice the size, a
        // white halo, Fridays and holidays in red.
        window->Options.scale = 200;
        window->Options.outline = {TextOutline::Kind::Colour, Colour{0xFFFFFF}};
        window->Options.holiday = Colour{0x0000FF};
        Tpreview preview(*window);
        ok = Save(preview, out + "/preview-options.png") && ok;
        window->Options = WindowOptions();
    }
    {
        // The other dates in each cell, and (through the options window, which
        // refills the grids) the months' Dari names.
        WithModal<Toptions>([&] { window->BoptionsClick(); }, [](Toptions& options) {
            options.R_OtherLunar->setChecked(true);
            options.R_NamesDari->setChecked(true);
            options.accept();
        });
        Tpreview preview(*window);
        ok = Save(preview, out + "/preview-other-dates-dari.png") && ok;
    }
    {
        TTheAbout about(window.get());
        ok = Save(about, out + "/about.png") && ok;
    }
    for (const QString& message : fixture.messages)
        std::printf("message: %s\n", qPrintable(message));
    return ok && fixture.messages.isEmpty() ? 0 : 1;
}
