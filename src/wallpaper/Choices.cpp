// SPDX-License-Identifier: GPL-3.0-or-later

#include "Choices.h"

#include "DesktopScale.h"

#include <algorithm>

namespace velnora {

int32_t ShownDistance(int32_t position) {
    return std::clamp<int32_t>(static_cast<int16_t>(position), LeastDistance, MostDistance);
}


Settings AsTheWindowHoldsThem(const Settings& stored) {
    Settings held = stored;
    held.leftRight = ShownDistance(stored.leftRight);
    held.topBottom = ShownDistance(stored.topBottom);
    held.leftRightText = std::to_string(held.leftRight);
    held.topBottomText = std::to_string(held.topBottom);
    held.position = CornerCode(CornerOf(stored.position));
    held.choose = stored.choose && !stored.current;
    return held;
}

PictureChoices PictureChoicesFor(const Settings& settings) {
    PictureChoices choices;
    choices.chooseFile = settings.choose;
    choices.fileName = settings.path;
    choices.calendar.stretch = settings.stretch;
    choices.calendar.keepProportions = settings.keepProportions;
    choices.calendar.placement.corner = CornerOf(settings.position);
    choices.calendar.placement.dxText = settings.leftRightText;
    choices.calendar.placement.dyText = settings.topBottomText;
    choices.calendar.placement.showPrev = settings.previous;
    choices.calendar.placement.showNext = settings.next;
    choices.calendar.textColour = Colour{static_cast<uint32_t>(settings.back)};
    choices.calendar.todayColour = Colour{static_cast<uint32_t>(settings.today)};
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

MonthGrids GridsForDay(double date, const Settings& settings) {
    return GridsForDay(date, CalendarRuleOf(settings), MonthNamingOf(settings));
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
    options.keepProportions = settings.keepProportions;
    return options;
}

void SetWindowOptions(Settings& settings, const WindowOptions& options) {
    settings.calendarRule = PersianDate::CalendarRuleName(options.rule);
    settings.scale = ScaleText(options.scale);
    settings.outline = OutlineText(options.outline);
    settings.holiday = options.holiday ? static_cast<int32_t>(options.holiday->value) : -1;
    settings.otherDates = OtherDatesText(options.otherDates);
    settings.monthNames = MonthNamingName(options.monthNames);
    settings.workArea = options.workArea;
    settings.keepProportions = options.keepProportions;
}

}  // namespace velnora
