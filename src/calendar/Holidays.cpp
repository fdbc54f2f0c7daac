// SPDX-License-Identifier: GPL-3.0-or-later

#include "Holidays.h"

#include "LunarCalendar.h"
#include "SolarHolidays.h"

#include <algorithm>
#include <iterator>

namespace velnora {

namespace {

enum class Calendar { Solar, Lunar };

// A day of the lunar calendar that is the last of its month: 29 or 30.
constexpr uint16_t LastDay = 0;

struct Holiday {
    Calendar calendar;
    uint16_t month, day; // day LastDay: the month's last day
    const char* name;
};

// Iran's official holidays, as Persian Wikipedia lists them ("تعطیلات عمومی در
// ایران": ten solar days and seventeen lunar ones) and the Calendar Center's
// yearly calendar names them. The solar ones are the same days every year:
// Nowruz (1 to 4 Farvardin), Islamic Republic Day (12 Farvardin), Nature Day
// (13 Farvardin), the death of Ayatollah Khomeini (14 Khordad), the uprising of
// 15 Khordad, the victory of the revolution (22 Bahman) and the nationalisation
// of the oil industry (29 Esfand). Imam Reza's martyrdom is kept on the last
// day of Safar, the 29th or the 30th.
constexpr Holiday Holidays[] = {
    {Calendar::Solar, 1, 1, "نوروز"},
    {Calendar::Solar, 1, 2, "نوروز"},
    {Calendar::Solar, 1, 3, "نوروز"},
    {Calendar::Solar, 1, 4, "نوروز"},
    {Calendar::Solar, 1, 12, "روز جمهوری اسلامی"},
    {Calendar::Solar, 1, 13, "روز طبیعت"},
    {Calendar::Solar, 3, 14, "رحلت امام خمینی"},
    {Calendar::Solar, 3, 15, "قیام ۱۵ خرداد"},
    {Calendar::Solar, 11, 22, "پیروزی انقلاب اسلامی"},
    {Calendar::Solar, 12, 29, "روز ملی شدن صنعت نفت"},
    {Calendar::Lunar, 1, 9, "تاسوعای حسینی"},
    {Calendar::Lunar, 1, 10, "عاشورای حسینی"},
    {Calendar::Lunar, 2, 20, "اربعین حسینی"},
    {Calendar::Lunar, 2, 28, "رحلت رسول اکرم و شهادت امام حسن مجتبی"},
    {Calendar::Lunar, 2, LastDay, "شهادت امام رضا"},
    {Calendar::Lunar, 3, 8, "شهادت امام حسن عسکری"},
    {Calendar::Lunar, 3, 17, "میلاد رسول اکرم و امام جعفر صادق"},
    {Calendar::Lunar, 6, 3, "شهادت حضرت فاطمه زهرا"},
    {Calendar::Lunar, 7, 13, "ولادت امام علی"},
    {Calendar::Lunar, 7, 27, "مبعث رسول اکرم"},
    {Calendar::Lunar, 8, 15, "ولادت حضرت قائم"},
    {Calendar::Lunar, 9, 21, "شهادت امام علی"},
    {Calendar::Lunar, 10, 1, "عید سعید فطر"},
    {Calendar::Lunar, 10, 2, "تعطیل به مناسبت عید سعید فطر"},
    {Calendar::Lunar, 10, 25, "شهادت امام جعفر صادق"},
    {Calendar::Lunar, 12, 10, "عید سعید قربان"},
    {Calendar::Lunar, 12, 18, "عید سعید غدیر خم"},
};

bool Matches(const Holiday& holiday, uint16_t month, uint16_t day, bool lastOfMonth) {
    return holiday.month == month && (holiday.day == day || (holiday.day == LastDay && lastOfMonth));
}

} // namespace

bool IsFixedSolarHoliday(uint16_t month, uint16_t day) {
    return std::any_of(std::begin(Holidays), std::end(Holidays), [&](const Holiday& h) {
        return h.calendar == Calendar::Solar && Matches(h, month, day, false);
    });
}

std::vector<std::string> HolidaysOn(uint16_t year, uint16_t month, uint16_t day,
                                    PersianDate::CalendarRule rule) {
    // The day as the calendar holds it, after any roll-over.
    const long double jd = PersianDate::PersianToJD(year, month, day, rule);
    uint16_t y = 0, m = 0, d = 0;
    PersianDate::JDToPersian(jd, y, m, d, rule);
    const int64_t dayNumber = static_cast<int64_t>(jd);
    // The first Persian days come before the lunar calendar's first day.
    const bool hasLunar = dayNumber >= LunarCalendar::FirstHijriDay;
    const LunarCalendar::HijriDate lunar =
        hasLunar ? LunarCalendar::IranianHijri(dayNumber) : LunarCalendar::HijriDate{};
    const bool lastOfLunarMonth =
        hasLunar && LunarCalendar::IranianHijri(dayNumber + 1).month != lunar.month;

    std::vector<std::string> names;
    for (const Holiday& holiday : Holidays) {
        const bool on = holiday.calendar == Calendar::Solar
                            ? Matches(holiday, m, d, false)
                            : hasLunar && Matches(holiday, static_cast<uint16_t>(lunar.month),
                                                  static_cast<uint16_t>(lunar.day),
                                                  lastOfLunarMonth);
        if (on)
            names.emplace_back(holiday.name);
    }
    return names;
}

std::vector<HolidayDay> HolidaysOfYear(uint16_t year, PersianDate::CalendarRule rule) {
    std::vector<HolidayDay> days;
    const int length = PersianDate::IsLeapPersian(year, rule) ? 366 : 365;
    for (int n = 0; n < length; ++n) {
        // Months 1 to 6 have 31 days, 7 to 12 have 30 (the last 29 or 30).
        const uint16_t month = static_cast<uint16_t>(n < 186 ? n / 31 + 1 : (n - 186) / 30 + 7);
        const uint16_t day = static_cast<uint16_t>(n < 186 ? n % 31 + 1 : (n - 186) % 30 + 1);
        std::vector<std::string> names = HolidaysOn(year, month, day, rule);
        if (!names.empty())
            days.push_back({month, day, std::move(names)});
    }
    return days;
}

}  // namespace velnora
