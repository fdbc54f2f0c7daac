// SPDX-License-Identifier: GPL-3.0-or-later
// The official holidays of Iran that fall on fixed days of the solar calendar.
#pragma once

#include <cstdint>

// True for a day of a Persian month (1..12) that is an official holiday every
// year. The holidays of the lunar calendar move from year to year with the
// moon's sighting and are announced; they are not here.
bool IsFixedSolarHoliday(uint16_t month, uint16_t day);
