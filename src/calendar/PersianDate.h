// The Persian (Solar Hijri) calendar, arithmetic form with the 2820-year cycle.
// Every conversion goes through the Julian Day number; calendar dates are the
// platform's day count (see DateTime.h).
#pragma once

#include <cstdint>
#include <string>

namespace PersianDate {

bool IsLeapGregorian(uint16_t year);
bool IsLeapPersian(uint16_t year);
long double GregorianToJD(uint16_t year, uint16_t month, uint16_t day);
void JDToGregorian(long double jd, uint16_t& year, uint16_t& month, uint16_t& day);
long double PersianToJD(uint16_t year, uint16_t month, uint16_t day);
void JDToPersian(long double jd, uint16_t& year, uint16_t& month, uint16_t& day);
void DateToPersian(double date, uint16_t& year, uint16_t& month, uint16_t& day);
double PersianToDate(uint16_t year, uint16_t month, uint16_t day);
std::string DateToPersianStr(double date);
double PersianStrToDate(const std::string& text);

// Windows-1256 bytes. Index 0 = Sunday .. 6 = Saturday.
extern const char* const PersianDayNames[7];
// Windows-1256 bytes. Index 0 = Farvardin .. 11 = Esfand.
extern const char* const PersianMonthNames[12];

} // namespace PersianDate
