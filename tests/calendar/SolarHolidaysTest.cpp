// SPDX-License-Identifier: GPL-3.0-or-later

#include "SolarHolidays.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace velnora;

namespace {

// Every day of every month against the list of Iran's fixed solar holidays.
TEST(SolarHolidays, TheFixedHolidaysAndNoOtherDay) {
    const std::set<std::pair<int, int>> holidays = {
        {1, 1},   {1, 2},   {1, 3},
        {1, 4},   {1, 12}, // Nowruz, Islamic Republic Day
        {1, 13},  {3, 14},  {3, 15},
        {11, 22}, {12, 29}, // Nature Day, 14/15 Khordad, 22 Bahman, 29 Esfand
    };
    for (uint16_t month = 1; month <= 12; ++month)
        for (uint16_t day = 1; day <= 31; ++day)
            EXPECT_EQ(IsFixedSolarHoliday(month, day), holidays.count({month, day}) == 1)
                << month << "/" << day;
    EXPECT_FALSE(IsFixedSolarHoliday(0, 1));
    EXPECT_FALSE(IsFixedSolarHoliday(12, 30));
}

} // namespace
