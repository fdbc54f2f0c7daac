// SPDX-License-Identifier: GPL-3.0-or-later
// The --calendar option of the calendar commands.
#pragma once

#include "PersianDate.h"

#include <string>

// The rule "--calendar" names: "arithmetic" or "official". Throws Misuse
// (Commands.h) for any other text.
PersianDate::CalendarRule CalendarOption(const std::string& value);

// The rule chosen in the settings file of the velnora program beside this
// command, as the program reads it.
PersianDate::CalendarRule ProgramCalendarRule();
