// SPDX-License-Identifier: GPL-3.0-or-later

#include "OtherDates.h"

#include "LunarCalendar.h"
#include "MonthGrid.h"

#include <algorithm>

namespace velnora {

namespace {

// Windows-1256 bytes of the names printed Iranian calendars give the
// Gregorian months (January .. December), as Persian writes them.
const char* const GregorianMonthNames[12] = {
    "\x8E\xC7\xE4\xE6\xED\xE5",         // ژانویه
    "\xDD\xE6\xD1\xED\xE5",             // فوریه
    "\xE3\xC7\xD1\xD3",                 // مارس
    "\xC2\xE6\xD1\xED\xE1",             // آوریل
    "\xE3\xE5",                         // مه
    "\x8E\xE6\xC6\xE4",                 // ژوئن
    "\x8E\xE6\xC6\xED\xE5",             // ژوئیه
    "\xC7\xE6\xCA",                     // اوت
    "\xD3\x81\xCA\xC7\xE3\xC8\xD1",     // سپتامبر
    "\xC7\xDF\xCA\xC8\xD1",             // اکتبر
    "\xE4\xE6\xC7\xE3\xC8\xD1",         // نوامبر
    "\xCF\xD3\xC7\xE3\xC8\xD1",         // دسامبر
};

// The lunar months (Muharram .. Dhu al-Hijja); 0x9D is the zero-width
// non-joiner Persian writes after the first word of the compound names.
const char* const LunarMonthNames[12] = {
    "\xE3\xCD\xD1\xE3",                                 // محرم
    "\xD5\xDD\xD1",                                     // صفر
    "\xD1\xC8\xED\xDA\x9D\xC7\xE1\xC7\xE6\xE1",         // ربیع‌الاول
    "\xD1\xC8\xED\xDA\x9D\xC7\xE1\xCB\xC7\xE4\xED",     // ربیع‌الثانی
    "\xCC\xE3\xC7\xCF\xED\x9D\xC7\xE1\xC7\xE6\xE1",     // جمادی‌الاول
    "\xCC\xE3\xC7\xCF\xED\x9D\xC7\xE1\xCB\xC7\xE4\xED", // جمادی‌الثانی
    "\xD1\xCC\xC8",                                     // رجب
    "\xD4\xDA\xC8\xC7\xE4",                             // شعبان
    "\xD1\xE3\xD6\xC7\xE4",                             // رمضان
    "\xD4\xE6\xC7\xE1",                                 // شوال
    "\xD0\xED\x9D\xC7\xE1\xDE\xDA\xCF\xE5",             // ذی‌القعده
    "\xD0\xED\x9D\xC7\xE1\xCD\xCC\xE5",                 // ذی‌الحجه
};

int64_t DayNumber(uint16_t year, uint16_t month, uint16_t day, PersianDate::CalendarRule rule) {
    return static_cast<int64_t>(PersianDate::PersianToJD(year, month, day, rule));
}

struct MonthOfYear {
    int year, month;
};

// "first - last year", or "first year - last year" across a new year.
std::string Span(const char* const names[12], MonthOfYear first, MonthOfYear last) {
    std::string text = names[first.month - 1];
    if (first.year != last.year || first.month != last.month) {
        if (first.year != last.year)
            text.append(" ").append(std::to_string(first.year));
        text.append(" - ").append(names[last.month - 1]);
    }
    return text.append(" ").append(std::to_string(last.year));
}

} // namespace

OtherDayNumbers OtherDayNumbersOf(uint16_t year, uint16_t month, uint16_t day,
                                  PersianDate::CalendarRule rule) {
    uint16_t gy = 0, gm = 0, gd = 0;
    PersianDate::JDToGregorian(PersianDate::PersianToJD(year, month, day, rule), gy, gm, gd);
    const int64_t dayNumber = DayNumber(year, month, day, rule);
    if (dayNumber < LunarCalendar::FirstHijriDay)
        return {std::to_string(gd), ""};
    return {std::to_string(gd), std::to_string(LunarCalendar::IranianHijri(dayNumber).day)};
}

std::string GregorianMonthsOf(uint16_t year, uint16_t month, PersianDate::CalendarRule rule) {
    const auto gregorian = [&](uint16_t day) {
        uint16_t gy = 0, gm = 0, gd = 0;
        PersianDate::JDToGregorian(PersianDate::PersianToJD(year, month, day, rule), gy, gm, gd);
        return MonthOfYear{gy, gm};
    };
    return Span(GregorianMonthNames, gregorian(1),
                gregorian(static_cast<uint16_t>(DaysInPersianMonth(year, month, rule))));
}

std::string LunarMonthsOf(uint16_t year, uint16_t month, PersianDate::CalendarRule rule) {
    const auto lunar = [&](uint16_t day) {
        // The months before the lunar calendar's first day count from its first.
        const LunarCalendar::HijriDate date = LunarCalendar::IranianHijri(
            std::max(DayNumber(year, month, day, rule), LunarCalendar::FirstHijriDay));
        return MonthOfYear{date.year, date.month};
    };
    return Span(LunarMonthNames, lunar(1),
                lunar(static_cast<uint16_t>(DaysInPersianMonth(year, month, rule))));
}

}  // namespace velnora
