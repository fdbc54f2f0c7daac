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

// On a desktop that keeps a wallpaper for each monitor, the calendar goes on
// the one at the chosen corner alone: the context of that monitor, its store
// reading and writing only that monitor's picture, as if it were the whole
// desktop. Elsewhere, or with one monitor, the context as it is.
PaintContext OnChosenMonitor(const PaintContext& context, Corner corner) {
    const DesktopSize& desktop = context.desktop;
    if (desktop.monitors.size() < 2)
        return context;
    const Monitor chosen = MonitorAtCorner(desktop.monitors, corner, desktop.width, desktop.height);
    if (!context.openStore(StoreAccess::Read)->ShowOnlyOn(chosen.name))
        return context;
    PaintContext one = context;
    one.openStore = [open = context.openStore, name = chosen.name](StoreAccess access) {
        std::unique_ptr<DesktopStore> store = open(access);
        store->ShowOnlyOn(name);
        return store;
    };
    const PixelRect& s = chosen.screen;
    const PixelRect& a = chosen.workArea;
    one.desktop = {s.width, s.height,
                   {{{0, 0, s.width, s.height}, {a.x - s.x, a.y - s.y, a.width, a.height}}}};
    return one;
}

} // namespace

PaintResult PaintCalendar(Bitmap& work, bool preview, const PictureChoices& choices,
                          const MonthGrids& grids, const PaintContext& givenContext) {
    const PaintContext context = OnChosenMonitor(givenContext, choices.calendar.placement.corner);
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
