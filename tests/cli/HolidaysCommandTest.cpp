// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliProcess.h"

#include <gtest/gtest.h>

using namespace velnora;

namespace {

// 1405 opens with Nowruz and Eid al-Fitr together: two lines for scripts, one
// for the reader; a year that is no Persian year is refused.
TEST(CliHolidays, ListsAYearsHolidaysWithTheirNames) {
    const CliResult tsv = RunCli({"holidays", "۱۴۰۵", "--tsv", "--calendar", "official"});
    EXPECT_EQ(tsv.status, 0) << tsv.err;
    EXPECT_EQ(tsv.out.substr(0, tsv.out.find("1405/01/02")),
              "1405/01/01\tنوروز\n1405/01/01\tعید سعید فطر\n");
    EXPECT_NE(tsv.out.find("\n1405/04/03\tتاسوعای حسینی\n"), std::string::npos);
    const CliResult text = RunCli({"holidays", "1405", "--calendar", "official"});
    EXPECT_EQ(text.out.substr(0, text.out.find('\n')), "1405/01/01  نوروز، عید سعید فطر");
    const CliResult bad = RunCli({"holidays", "0"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("holidays wants a Persian year from 1 to 9377, not '0'"),
              std::string::npos)
        << bad.err;
}

} // namespace
