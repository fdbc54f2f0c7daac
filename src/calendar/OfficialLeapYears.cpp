// SPDX-License-Identifier: GPL-3.0-or-later

#include "OfficialLeapYears.h"

#include <array>
#include <stdexcept>
#include <string>

namespace velnora {

namespace PersianDate {

namespace {

// Borkowski's break years (1996, his table of the years in which the 33-year
// cycles restart): each starts a run of cycles. The last entry, 3178, only
// closes the run before it. The tests hold the resulting first days of the
// years against an ephemeris (tests/data/official-nowruz.tsv).
constexpr int64_t BreakYears[] = {-61,  9,    38,   199,  426,  686,  756,  818,  1111, 1181,
                                  1210, 1635, 2060, 2097, 2192, 2262, 2324, 2394, 2456, 3178};
static_assert(BreakYears[0] == FirstOfficialYear);
static_assert(BreakYears[std::size(BreakYears) - 1] == LastOfficialYear + 1);

// A run from one break year to the next is whole 33-year cycles and one last
// cycle of 29 or 37 years (every run is 29 or 4 years longer than a multiple
// of 33). A cycle's leap years are its years 0, 4, 8, ... that lie at least
// five years before its end: eight in 33 years, seven in 29, nine in 37. So
// leap years are four years apart, five across the end of a cycle.
constexpr bool LeapInRun(int64_t runLength, int64_t offset) {
    const int64_t lastCycle = runLength % 33 == 29 ? 29 : 37;
    const int64_t lastCycleStart = runLength - lastCycle;
    const int64_t cycleLength = offset < lastCycleStart ? 33 : lastCycle;
    const int64_t inCycle = offset < lastCycleStart ? offset % 33 : offset - lastCycleStart;
    return inCycle % 4 == 0 && inCycle <= cycleLength - 5;
}

constexpr bool RunsAreCycles() {
    for (size_t i = 1; i < std::size(BreakYears); ++i) {
        const int64_t length = BreakYears[i] - BreakYears[i - 1];
        if (length < 29 || (length % 33 != 29 && length % 33 != 4))
            return false;
    }
    return true;
}
static_assert(RunsAreCycles());

constexpr size_t YearCount = LastOfficialYear - FirstOfficialYear + 1;

// leapsBefore[i]: leap years from FirstOfficialYear to FirstOfficialYear + i - 1.
// leapsBefore[i + 1] - leapsBefore[i] is 1 when year FirstOfficialYear + i is leap.
constexpr std::array<int32_t, YearCount + 1> CountLeapYears() {
    std::array<int32_t, YearCount + 1> leapsBefore{};
    size_t i = 0;
    for (size_t run = 1; run < std::size(BreakYears); ++run) {
        const int64_t length = BreakYears[run] - BreakYears[run - 1];
        for (int64_t offset = 0; offset < length; ++offset, ++i)
            leapsBefore[i + 1] = leapsBefore[i] + (LeapInRun(length, offset) ? 1 : 0);
    }
    return leapsBefore;
}

constexpr std::array<int32_t, YearCount + 1> LeapsBefore = CountLeapYears();

size_t Index(int64_t year, int64_t last) {
    if (year < FirstOfficialYear || year > last)
        throw std::out_of_range("Year " + std::to_string(year) +
                                " is outside the official calendar's years");
    return static_cast<size_t>(year - FirstOfficialYear);
}

} // namespace

bool IsOfficialLeapYear(int64_t year) {
    const size_t i = Index(year, LastOfficialYear);
    return LeapsBefore[i + 1] != LeapsBefore[i];
}

int64_t OfficialLeapYearsBefore(int64_t year) {
    return LeapsBefore[Index(year, LastOfficialYear + 1)];
}

} // namespace PersianDate

}  // namespace velnora
