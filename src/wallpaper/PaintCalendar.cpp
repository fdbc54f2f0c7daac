// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureLoader.h"
#include "Wallpaper.h"
#include "WallpaperLayout.h"

namespace velnora {

namespace {

// How a desktop shows a picture by a layout, on one screen.
MonitorFit FitOfLayout(WallpaperLayout layout) {
    switch (layout) {
    case WallpaperLayout::Fill:
    case WallpaperLayout::Span: // the box is one screen
        return MonitorFit::Fill;
    case WallpaperLayout::Stretch:
        return MonitorFit::Stretch;
    case WallpaperLayout::Fit:
        return MonitorFit::Fit;
    case WallpaperLayout::Centre:
        return MonitorFit::Centre;
    case WallpaperLayout::Own:
    case WallpaperLayout::Tile:
        break;
    }
    return MonitorFit::TopLeft;
}

// The desktops that show one picture over all monitors (GNOME's, Xfce's and the
// root window, where the program's own style spans its picture) showed the
// user's on each monitor by its style: fill, stretch, fit and centre are kept
// so on each monitor's region. The rest, and tiled pictures, are stretched
// over the whole box as before.
std::optional<MonitorFit> MonitorFitOf(const SourcePath& source) {
    const std::optional<WallpaperLayout> layout = LayoutOfValues(source.tile, source.style);
    if (!layout || *layout == WallpaperLayout::Tile || *layout == WallpaperLayout::Own ||
        *layout == WallpaperLayout::Span)
        return std::nullopt;
    return FitOfLayout(*layout);
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
    // Read and closed again before the install opens the store to write.
    Backdrop backdrop;
    WallpaperLayout ownLayout = WallpaperLayout::Own;
    {
        const std::unique_ptr<DesktopStore> store = context.openStore(StoreAccess::Read);
        backdrop = store->BackgroundColours();
        ownLayout = store->OwnPictureLayout();
    }
    LoadSourcePicture(source.path, work,
                      choices.calendar.stretch
                          ? PictureSize{context.desktop.width, context.desktop.height,
                                        choices.calendar.keepProportions}
                          : PictureSize{},
                      DesktopLook{{context.desktop.width, context.desktop.height}, backdrop});

    CalendarChoices calendar = choices.calendar;
    calendar.desktopWidth = context.desktop.width;
    calendar.desktopHeight = context.desktop.height;
    calendar.monitors = context.desktop.monitors;
    calendar.monitorFit = MonitorFitOf(source);
    calendar.behind = backdrop.primary;
    calendar.shownAs = FitOfLayout(ownLayout);
    ComposeCalendar(work, calendar, grids, context.makeCanvas);

    if (!preview)
        result.installed = InstallWallpaper(work, context.files.outputPicture, settings,
                                            context.shared, context.openStore);
    return result;
}

}  // namespace velnora
