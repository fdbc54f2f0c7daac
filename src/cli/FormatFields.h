// SPDX-License-Identifier: GPL-3.0-or-later
// The FORMAT fields the command line adds to FormatDate's (DateFormat.h): the
// time of day, the day's holidays, and the Dari month names.
#pragma once

#include "Cp1256.h"
#include "MonthGrid.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velnora {

// The format with each "%X" whose X is a key of `fields` replaced by its text,
// any "%" in the text doubled so that FormatDate copies it as it stands; "%%"
// and every other field stay for FormatDate.
std::string WithFields(const std::string& format, const std::map<char, std::string>& fields);

// %B and %b for Persian month `month` (1..12) by Afghanistan's names; none for
// the Iranian names, which FormatDate writes itself.
std::map<char, std::string> MonthNameFields(uint16_t month, MonthNaming naming);

// The names joined by the Persian comma, as a day's holidays are listed.
std::string PersianList(const std::vector<std::string>& names);

}  // namespace velnora
