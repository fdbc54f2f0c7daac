// SPDX-License-Identifier: GPL-3.0-or-later

#include "SolarHolidays.h"

#include <algorithm>
#include <iterator>

namespace {

struct MonthDay {
    uint16_t month, day;
};

// The holidays of the solar calendar in Iran's official calendar, as the
// Calendar Center of the University of Tehran's Institute of Geophysics (the
// publisher of the official calendar) lists them every year: Nowruz (1 to 4
// Farvardin), Islamic Republic Day (12 Farvardin), Nature Day (13 Farvardin),
// the death of Ayatollah Khomeini (14 Khordad), the uprising of 15 Khordad,
// the victory of the revolution (22 Bahman) and the nationalisation of the oil
// industry (29 Esfand).
constexpr MonthDay FixedHolidays[] = {
    {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 12}, {1, 13}, {3, 14}, {3, 15}, {11, 22}, {12, 29},
};

} // namespace

bool IsFixedSolarHoliday(uint16_t month, uint16_t day) {
    return std::any_of(std::begin(FixedHolidays), std::end(FixedHolidays),
                       [&](const MonthDay& h) { return h.month == month && h.day == day; });
}
