// SPDX-License-Identifier: GPL-3.0-or-later

#include "UnattendedRun.h"

#include "DesktopScale.h"
#include "Session.h"

#include <algorithm>
#include <cstdint>

namespace velnora {

namespace {

// The spin control keeps a 16-bit position and, once the window is shown,
// writes it into its field limited to its range 0..100.
int32_t ShownDistance(int32_t stored) {
    return std::clamp<int32_t>(static_cast<int16_t>(stored), 0, 100);
}

Corner CornerOf(int32_t code) {
    switch (code) {
    case 1:
        return Corner::TopRight;
    case 2:
        return Corner::BottomRight;
    case 3:
        return Corner::BottomLeft;
    case 4:
        return Corner::TopLeft;
    default:
        return Corner::None;
    }
}

} // namespace

Settings AsTheWindowHoldsThem(const Settings& stored) {
    Settings held = stored;
    held.leftRight = ShownDistance(stored.leftRight);
    held.topBottom = ShownDistance(stored.topBottom);
    held.leftRightText = std::to_string(held.leftRight);
    held.topBottomText = std::to_string(held.topBottom);
    held.position = static_cast<int32_t>(CornerOf(stored.position));
    // One group of two radio buttons: the current wallpaper is set last, so it
    // wins when both are stored on.
    held.choose = stored.choose && !stored.current;
    return held;
}

PictureChoices PictureChoicesFor(const Settings& settings) {
    PictureChoices choices;
    choices.chooseFile = settings.choose;
    choices.fileName = settings.path;
    choices.calendar.stretch = settings.stretch;
    choices.calendar.placement.corner = CornerOf(settings.position);
    choices.calendar.placement.dxText = settings.leftRightText;
    choices.calendar.placement.dyText = settings.topBottomText;
    choices.calendar.placement.showPrev = settings.previous;
    choices.calendar.placement.showNext = settings.next;
    choices.calendar.textColour = static_cast<uint32_t>(settings.back);
    choices.calendar.todayColour = static_cast<uint32_t>(settings.today);
    choices.calendar.holidayColour = HolidayColourOf(settings);
    choices.calendar.outline = OutlineOf(settings);
    choices.calendar.otherDates = OtherDatesOf(settings);
    choices.calendar.fromWorkArea = settings.workArea;
    // "auto" asks the desktop now, so a change of its scale shows at the next redraw.
    choices.calendar.scalePercent = ScalePercentOf(settings).value_or(DesktopScalePercent());
    return choices;
}

MonthGrids GridsForDay(double date, PersianDate::CalendarRule rule, MonthNaming naming) {
    uint16_t year = 0, month = 0, day = 0;
    PersianDate::DateToPersian(date, year, month, day, rule);
    return FillMonthGrids(year, month, day, rule, naming);
}

UnattendedResult RedrawInstalledCalendar(const UnattendedContext& context) {
    const ProgramFiles& files = context.paint.files;
    ProfileFile settingsFile(files.settingsFile);
    const Settings stored = LoadSettings(settingsFile);
    if (!CheckWallpaperAtStart(settingsFile, context.paint.shared, context.paint.openStore))
        return UnattendedResult::NotInstalled;

    Settings held = AsTheWindowHoldsThem(stored);
    const PictureChoices choices = PictureChoicesFor(held);
    if (choices.chooseFile && !FileExists(choices.fileName)) {
        // As the window does when the show box's redraw finds the file gone:
        // the message, the calendar taken off, and the box's own handler then
        // registers the autostart entry all the same.
        context.chosenFileMissing();
        RestoreWallpaper(settingsFile, context.paint.shared, context.paint.openStore);
        context.setAutoRun(AutoRunName, 0);
        context.setAutoRun(AutoRunName, 1);
        return UnattendedResult::ChosenFileMissing;
    }

    PaintContext paint = context.paint;
    if (choices.calendar.stretch)
        paint.desktop = context.desktopSize();
    Bitmap work;
    PaintCalendar(work, false, choices, GridsForDay(context.today, CalendarRuleOf(held), MonthNamingOf(held)), paint);
    context.setAutoRun(AutoRunName, 1);

    if (!FileExists(held.path))
        held.path.clear();
    // The backup lives in the same file: a change another copy makes meanwhile
    // must not be undone by this rewrite.
    const WallpaperLock lock(context.paint.shared);
    SaveSettings(settingsFile, held);
    return UnattendedResult::Redrawn;
}

WindowOptions WindowOptionsOf(const Settings& settings) {
    WindowOptions options;
    options.rule = CalendarRuleOf(settings);
    options.scale = ScalePercentOf(settings);
    options.outline = OutlineOf(settings);
    options.holiday = HolidayColourOf(settings);
    options.otherDates = OtherDatesOf(settings);
    options.monthNames = MonthNamingOf(settings);
    options.workArea = settings.workArea;
    return options;
}

void SetWindowOptions(Settings& settings, const WindowOptions& options) {
    settings.calendarRule = PersianDate::CalendarRuleName(options.rule);
    settings.scale = ScaleText(options.scale);
    settings.outline = OutlineText(options.outline);
    settings.holiday = options.holiday ? static_cast<int32_t>(*options.holiday) : -1;
    settings.otherDates = OtherDatesText(options.otherDates);
    settings.monthNames = MonthNamingName(options.monthNames);
    settings.workArea = options.workArea;
}

}  // namespace velnora
