// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureLoader.h"
#include "Wallpaper.h"

namespace velnora {

namespace {

// The desktops that show one picture over all monitors (GNOME's, Xfce's and the
// root window, where the program's own style spans its picture) showed the
// user's on each monitor by its style: fill and stretch are kept so on each
// monitor's region. The rest, and tiled pictures, are stretched over the whole
// box as before.
std::optional<MonitorFit> MonitorFitOf(const SourcePath& source) {
    if (source.tile == "1")
        return std::nullopt;
    if (source.style == "10")
        return MonitorFit::Fill;
    if (source.style == "2")
        return MonitorFit::Stretch;
    return std::nullopt;
}

} // namespace

PaintResult PaintCalendar(Bitmap& work, bool preview, const PictureChoices& choices,
                          const MonthGrids& grids, const PaintContext& context) {
    PaintResult result;
    ProfileFile settings(context.files.settingsFile);
    const SourcePath source = ChooseSourcePath(choices.chooseFile, choices.fileName, settings,
                                               context.shared, context.openStore);
    if (source.chosenFileMissing) {
        result.chosenFileMissing = true;
        return result;
    }
    LoadSourcePicture(source.path, work,
                      choices.calendar.stretch
                          ? PictureSize{context.desktop.width, context.desktop.height,
                                        choices.calendar.keepProportions}
                          : PictureSize{},
                      DesktopLook{{context.desktop.width, context.desktop.height},
                                  context.openStore(StoreAccess::Read)->BackgroundColours()});

    CalendarChoices calendar = choices.calendar;
    calendar.desktopWidth = context.desktop.width;
    calendar.desktopHeight = context.desktop.height;
    calendar.monitors = context.desktop.monitors;
    calendar.monitorFit = MonitorFitOf(source);
    ComposeCalendar(work, calendar, grids, context.makeCanvas);

    if (!preview)
        result.installed = InstallWallpaper(work, context.files.outputPicture, settings,
                                            context.shared, context.openStore);
    return result;
}

}  // namespace velnora
