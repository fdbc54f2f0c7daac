// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureLoader.h"
#include "Wallpaper.h"

namespace velnora {

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
    ComposeCalendar(work, calendar, grids, context.makeCanvas);

    if (!preview)
        result.installed = InstallWallpaper(work, context.files.outputPicture, settings,
                                            context.shared, context.openStore);
    return result;
}

}  // namespace velnora
