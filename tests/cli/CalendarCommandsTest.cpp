// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliProcess.h"

#include "../support/TempFolder.h"
#include "DateFormat.h"
#include "DateTime.h"
#include "PersianDate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace velnora;

namespace {

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

TEST(CliToday, PrintsTodaysPersianDate) {
    const std::string before = PersianDate::DateToPersianStr(Today());
    const CliResult r = RunCli({"today"});
    const std::string after = PersianDate::DateToPersianStr(Today());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.out == before + "\n" || r.out == after + "\n") << r.out;
}

TEST(CliConvert, ConvertsEachArgumentInOrder) {
    // A year below 1700 is Persian with dashes too (jdate +%F writes 1405-09-17);
    // blanks and direction marks pasted with a date are ignored.
    const CliResult r =
        RunCli({"convert", "2024-03-20", "1403/1/1", "9999-12-31", "1/1/1", "1899-12-30",
                "1404/12/30", "1405-09-17", "\u200f1405/09/17\u200e ", " 2026-12-08\t"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "1403/01/01\n2024-03-20\n9378/10/12\n0622-03-22\n1278/10/09\n2026-03-20\n"
                     "2026-12-08\n2026-12-08\n1405/09/17\n");
}

TEST(CliConvert, WithACalendarGivenAnyDateOfItReads) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"-j", "2026/12/08"}, "2648-02-27\n"}, {{"-j", "17/9/1405"}, "2026-12-08\n"},
        {{"-g", "8/12/2026"}, "1405/09/17\n"},  {{"-g", "2026/12/08"}, "1405/09/17\n"},
        {{"-g", "0622-03-22"}, "1/01/01\n"},
    };
    for (const auto& [args, out] : cases) {
        std::vector<std::string> command{"convert"};
        command.insert(command.end(), args.begin(), args.end());
        EXPECT_EQ(RunCli(command).out, out) << testing::PrintToString(args);
    }
}

TEST(CliConvert, BadInputsAreReportedAndTheOthersStillConvert) {
    const std::string after = "after 12 Dey 9378, the last day the program can show "
                              "(Invalid argument to date encode)";
    const std::string hint = ": give -g for a Gregorian date or -j for a Persian one";
    const std::pair<const char*, std::string> cases[] = {
        {"bogus", "not a date (YYYY-MM-DD or Y/M/D)"},
        {"2026/12/08", "a year from 1700 on is not taken for a Persian one" + hint},
        {"8/12/2026", "the year comes last (day/month/year)" + hint},
        {"08-12-2026", "the year comes last (day/month/year)" + hint},
        {"1403/07/31", "Mehr 1403 has 30 days"},
        {"1403/1/0", "Farvardin 1403 has 31 days"},
        {"1403/13/01", "the month is not 1 to 12"},
        {"1403-00-01", "the month is not 1 to 12"},
        {"1403/1/70000", "Farvardin 1403 has 31 days"},
        {"2023-02-29", "February 2023 has 28 days"},
        {"2024-13-01", "the month is not 1 to 12"},
        {"0/12/29", "before 1 Farvardin 1 (22 March 622), the first day the program can show"},
        {"10000-01-01", "after 31 December 9999, the last day the program can show (Invalid "
                        "argument to date encode)"},
        {"1403/1", "not a date (YYYY-MM-DD or Y/M/D)"},
        {"14030101", "not a date (YYYY-MM-DD or Y/M/D)"},
        {"1403/01/01/", "not a date (YYYY-MM-DD or Y/M/D)"},
        {"1403-01/01", "not a date (YYYY-MM-DD or Y/M/D)"},
    };
    std::vector<std::string> args{"convert", "2024-03-20"};
    std::string err;
    for (const auto& [arg, message] : cases) {
        args.push_back(arg);
        err += std::string("velnora-cli: ") + arg + ": " + message + "\n";
    }
    args.push_back("1403/01/01");
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "1403/01/01\n2024-03-20\n");
    EXPECT_EQ(r.err, err);
    // The ends of the range, in the calendar given.
    EXPECT_EQ(RunCli({"convert", "-j", "9378/10/13", "99999/1/1"}).err,
              "velnora-cli: 9378/10/13: " + after + "\nvelnora-cli: 99999/1/1: " + after + "\n");
    EXPECT_EQ(RunCli({"convert", "-g", "0622-03-21"}).err,
              "velnora-cli: 0622-03-21: before 22 March 622 (1 Farvardin 1), the first day the "
              "program can show (Date before 1 Farvardin 1)\n");
}

TEST(CliConvert, ReadsStandardInputWithoutArguments) {
    const CliResult r = RunCli({"convert"}, "2024-03-20\n1403/06/31\r\n\n 2024-03-20\n2024-09-22");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "1403/01/01\n2024-09-21\n1403/01/01\n1403/07/01\n");
    EXPECT_EQ(r.err, "velnora-cli: : not a date (YYYY-MM-DD or Y/M/D)\n");
    const CliResult good = RunCli({"convert"}, "2024-03-20\n");
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, "1403/01/01\n");
    const CliResult none = RunCli({"convert"}, "");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
}

TEST(CliConvert, ManyLinesRoundTrip) {
    // Every day of 1403 and 1404, one line each, there and back.
    std::string gregorian, persian;
    for (double date = PersianDate::PersianToDate(1403, 1, 1);
         date < PersianDate::PersianToDate(1405, 1, 1); ++date) {
        uint16_t y, m, d;
        DecodeDate(date, y, m, d);
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d\n", y, m, d);
        gregorian += text;
        persian += PersianDate::DateToPersianStr(date) + "\n";
    }
    const CliResult there = RunCli({"convert"}, gregorian);
    EXPECT_EQ(there.status, 0);
    EXPECT_EQ(there.out, persian);
    const CliResult back = RunCli({"convert"}, persian);
    EXPECT_EQ(back.status, 0);
    EXPECT_EQ(back.out, gregorian);
}

// The month's name and the weekday initials spelt with the Persian yeh, as
// today and convert write them.
const std::string Farvardin1389Tsv = "فروردین 1389\n"
                                     "ج\tپ\tچ\tس\tد\tی\tش\n"
                                     "6\t5\t4\t3\t2\t1\t\n"
                                     "13\t12\t11\t10\t9\t8\t7\n"
                                     "20\t19\t18\t17\t16\t15\t14\n"
                                     "27\t26\t25\t24\t23\t22\t21\n"
                                     "\t\t\t31\t30\t29\t28\n"
                                     "\t\t\t\t\t\t\n"
                                     "current\t5\t3\n";

TEST(CliMonth, TsvGivesTitleCellsAndCurrentCell) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"month", "1389/1/15", "--tsv"},
          {"month", "--tsv", "1389/01/15"}}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, Farvardin1389Tsv);
    }
}

TEST(CliMonth, DefaultsToTodaysMonth) {
    uint16_t year, month, day;
    PersianDate::DateToPersian(Today(), year, month, day);
    const CliResult r = RunCli({"month", "--tsv"});
    EXPECT_EQ(r.status, 0);
    const std::string title =
        PersianMonthName(month) + " " + std::to_string(year);
    EXPECT_TRUE(StartsWith(r.out, title + "\n")) << r.out;
    EXPECT_NE(r.out.find("\ncurrent\t"), r.out.npos);
}

// Each cell is padded to three columns and its text wrapped in a left-to-right
// isolate (U+2066 ... U+2069); the month's name is written left to right in
// presentation forms, each between left-to-right marks (U+200E), as it is
// seen: final noon, initial Persian yeh, dal, reh, waw, final reh, initial
// feh. The bytes written for a terminal.
const std::string Farvardin1389Text =
    "       \u200e\ufee6\u200e\ufbfe\u200e\ufea9\u200e\ufead\u200e\ufeed\u200e\ufeae\u200e"
    "\ufed3\u200e 1389\n"
    "  \u2066ج\u2069   \u2066پ\u2069   \u2066چ\u2069   \u2066س\u2069   \u2066د\u2069   "
    "\u2066ی\u2069   \u2066ش\u2069\n"
    "  \u20666\u2069   \u20665\u2069   \u20664\u2069   \u20663\u2069   \u20662\u2069   "
    "\u20661\u2069\n"
    " \u206613\u2069  \u206612\u2069  \u206611\u2069  \u206610\u2069   \u20669\u2069   "
    "\u20668\u2069   \u20667\u2069\n"
    " \u206620\u2069  \u206619\u2069  \u206618\u2069  \u206617\u2069  \u206616\u2069  "
    "\u206615\u2069  \u206614\u2069\n"
    " \u206627\u2069  \u206626\u2069  \u206625\u2069  \u206624\u2069  \u206623\u2069  "
    "\u206622\u2069  \u206621\u2069\n"
    "             \u206631\u2069  \u206630\u2069  \u206629\u2069  \u206628\u2069\n";

TEST(CliMonth, ReadableLayoutWithSaturdayOnTheRight) {
    const CliResult r = RunCli({"month", "1389/1/15"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, Farvardin1389Text); // no terminal: no highlight
    // The same bytes, spelled out for the first cells of the weekday row.
    EXPECT_NE(r.out.find("\n  \xE2\x81\xA6\xD8\xAC\xE2\x81\xA9   \xE2\x81\xA6"), r.out.npos);
}

TEST(CliMonth, TodayIsReverseVideoAndFridaysAndHolidaysRedOnATerminal) {
    const CliResult r = RunCliInTerminal({"month", "1389/1/15"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\u206616\u2069 \x1b[7m \u206615\u2069\x1b[0m  \u206614\u2069\r\n"),
              r.out.npos)
        << r.out;
    EXPECT_EQ(r.out.find("\x1b[7m"), r.out.rfind("\x1b[7m")); // one cell only
    // Friday the 20th (the leftmost column) and the 13th, a holiday; the 14th not.
    for (const char* red : {"\x1b[31m \u206620\u2069\x1b[0m", "\x1b[31m \u206613\u2069\x1b[0m"})
        EXPECT_NE(r.out.find(red), r.out.npos) << red;
    EXPECT_EQ(r.out.find("\x1b[31m \u206614"), r.out.npos);
    // A month without a day marks nothing; NO_COLOR leaves the colours out.
    setenv("NO_COLOR", "1", 1);
    const CliResult plain = RunCliInTerminal({"month", "1389/1"});
    unsetenv("NO_COLOR");
    EXPECT_EQ(plain.out.find("\x1b["), plain.out.npos) << plain.out;
}

TEST(CliMonth, PersianDigitsOnRequest) {
    const size_t grid = Farvardin1389Tsv.find("current"); // the line for scripts stays
    const CliResult r = RunCli({"month", "1389/1/15", "--tsv", "--persian-digits"});
    EXPECT_EQ(r.out,
              WithPersianDigits(Farvardin1389Tsv.substr(0, grid)) + Farvardin1389Tsv.substr(grid));
}

TEST(CliMonth, AMonthWithoutADayAndAWholeYear) {
    unsetenv("COLUMNS"); // one month below another without a terminal
    // Y/M: no day marked; the same grid as with a day, the current cell 0 0.
    const CliResult month = RunCli({"month", "1389/1", "--tsv"});
    EXPECT_EQ(month.status, 0);
    std::string unmarked = Farvardin1389Tsv;
    unmarked.replace(unmarked.find("current\t5\t3"), 11, "current\t0\t0");
    EXPECT_EQ(month.out, unmarked);
    EXPECT_EQ(RunCli({"month", "1389/1"}).out, Farvardin1389Text);

    // Y: the twelve months in order, one TSV block of nine lines each.
    const CliResult year = RunCli({"month", "1389", "--tsv"});
    EXPECT_EQ(year.status, 0);
    EXPECT_TRUE(StartsWith(year.out, unmarked)) << year.out;
    size_t lines = 0, at = 0;
    for (int month = 1; month <= 12; ++month) {
        const std::string title = PersianMonthName(month) + " 1389\n";
        at = year.out.find(title, at);
        EXPECT_NE(at, year.out.npos) << month;
    }
    for (char c : year.out)
        lines += c == '\n';
    EXPECT_EQ(lines, 12u * 9u);
    // For reading: the months one after another, an empty line between them.
    const CliResult text = RunCli({"month", "1389"});
    EXPECT_TRUE(StartsWith(text.out, Farvardin1389Text + "\n")) << text.out;
    // Every month's name is written in presentation forms, none falls back
    // to a right-to-left isolate.
    EXPECT_EQ(text.out.find("\u2067"), text.out.npos);
    // Esfand: final dal, medial noon, medial feh, initial seen, alef.
    EXPECT_NE(
        text.out.find("\u200e\ufeaa\u200e\ufee8\u200e\ufed4\u200e\ufeb3\u200e\ufe8d\u200e 1389\n"),
        text.out.npos);
    // Persian digits name the year as well.
    EXPECT_EQ(RunCli({"month", "۱۳۸۹", "--tsv"}).out, year.out);
    // YEAR MONTH is Y/M.
    EXPECT_EQ(RunCli({"month", "1389", "1"}).out, Farvardin1389Text);
}

// Where the terminal is 64 columns wide, three months across with cells of
// two, the first month on the right: its first week ends the line.
TEST(CliMonth, AYearThreeMonthsAcrossWhereItFits) {
    setenv("COLUMNS", "64", 1);
    const CliResult across = RunCli({"month", "1389"});
    setenv("COLUMNS", "63", 1);
    const CliResult below = RunCli({"month", "1389"});
    unsetenv("COLUMNS");
    EXPECT_EQ(below.out, RunCli({"month", "1389"}).out);
    // Khordad, Ordibehesht and Farvardin on the first line, Farvardin last.
    const std::string first = across.out.substr(0, across.out.find('\n'));
    EXPECT_EQ(first.find(" 1389"), first.find("\ufea7\u200e 1389") + 6) << first; // Khordad
    EXPECT_TRUE(first.ends_with("\u200e\ufed3\u200e 1389")) << first;
    const size_t week = across.out.find('\n', across.out.find('\n', first.size() + 1) + 1);
    EXPECT_TRUE(across.out.substr(0, week).ends_with("  \u20661\u2069")) << across.out;
    EXPECT_EQ(std::count(across.out.begin(), across.out.end(), '\n'), 33); // not 97
}

TEST(CliMonth, AYearPastTheLastMonthShowsWhatItCanAndSaysWhy) {
    const CliResult r = RunCli({"month", "9378", "--tsv"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "velnora-cli: 9378/11: after 12 Dey 9378, the last day the program can "
                     "show (Invalid argument to date encode)\n");
    EXPECT_TRUE(StartsWith(r.out, PersianMonthName(1) + " 9378\n"));
    EXPECT_NE(r.out.find(PersianMonthName(10) + " 9378\n"), r.out.npos);
}

TEST(CliMonth, BadDatesAreReported) {
    const std::pair<const char*, const char*> cases[] = {
        {"1403/13/1", "velnora-cli: 1403/13/1: the month is not 1 to 12\n"},
        {"1403/0/1", "velnora-cli: 1403/0/1: the month is not 1 to 12\n"},
        {"1403/12/30", "velnora-cli: 1403/12/30: Esfand 1403 has 29 days\n"},
        {"1403/1/0", "velnora-cli: 1403/1/0: Farvardin 1403 has 31 days\n"},
        {" \u200f1403/1/40", "velnora-cli:  \u200f1403/1/40: Farvardin 1403 has 31 days\n"},
        {"1403-01-01", "velnora-cli: 1403-01-01: not a Persian date Y/M/D, month Y/M or year Y\n"},
        {"1403/1/1/1", "velnora-cli: 1403/1/1/1: not a Persian date Y/M/D, month Y/M or year Y\n"},
        {"9378/11/1", "velnora-cli: 9378/11: after 12 Dey 9378, the last day the program can "
                      "show (Invalid argument to date encode)\n"},
        {"70000/1/1", "velnora-cli: 70000/1/1: the year 70000 is out of range 0 to 65535\n"},
        {"0/1", "velnora-cli: 0/1: before 1 Farvardin 1 (22 March 622), the first day the "
                "program can show\n"},
    };
    for (const auto& [arg, message] : cases) {
        const CliResult r = RunCli({"month", arg});
        EXPECT_EQ(r.status, 2) << arg;
        EXPECT_EQ(r.out, "") << arg;
        EXPECT_EQ(r.err, message);
    }
}

// 20 March 2025: 30 Esfand 1403 under the official rule, 1 Farvardin 1404 under
// the arithmetic one.
TEST(CliConvert, TheCalendarOptionChoosesTheRule) {
    const CliResult official =
        RunCli({"convert", "--calendar", "official", "2025-03-20", "1403/12/30", "1404/1/1"});
    EXPECT_EQ(official.status, 0);
    EXPECT_EQ(official.out, "1403/12/30\n2025-03-20\n2025-03-21\n");
    // The arithmetic rule is the default; the option may follow the dates.
    const CliResult arithmetic = RunCli({"convert", "2025-03-20", "1404/1/1"});
    EXPECT_EQ(arithmetic.out, "1404/01/01\n2025-03-20\n");
    EXPECT_EQ(RunCli({"convert", "2025-03-20", "1404/1/1", "--calendar", "arithmetic"}).out,
              arithmetic.out);
    const CliResult input = RunCli({"convert", "--calendar", "OFFICIAL"}, "2025-03-20\n");
    EXPECT_EQ(input.out, "1403/12/30\n");
}

TEST(CliUsage, TheCalendarOptionWantsOneOfTheTwoRules) {
    for (const char* command : {"today", "convert", "month", "render"}) {
        const CliResult bad = RunCli({command, "--calendar", "astronomical"});
        EXPECT_EQ(bad.status, 2) << command;
        EXPECT_EQ(bad.out, "") << command;
        EXPECT_TRUE(StartsWith(bad.err, "velnora-cli: --calendar is arithmetic or official, not "
                                        "'astronomical'\nUsage: velnora-cli"))
            << command << ": " << bad.err;
    }
    const CliResult missing = RunCli({"month", "--calendar"});
    EXPECT_TRUE(StartsWith(missing.err, "velnora-cli: month: Missing value after '--calendar'.\n"
                                        "Usage: velnora-cli month"))
        << missing.err;
}

// A copy of the command in a folder of its own, with the program's settings
// file beside it, run on 20 March 2025 (by faketime).
class CalendarRuleOfTheSettings : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        std::filesystem::copy_file(std::string(VELNORA_BIN_DIR) + "/velnora-cli",
                                   PathOf("velnora-cli"));
    }
    std::string Run(const std::string& args, const std::string& day = "2025-03-20") {
        const std::string command = "faketime '" + day + " 12:00:00' '" + PathOf("velnora-cli") +
                                    "' " + args + " > '" + PathOf("out.txt") + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return ReadWholeFile(PathOf("out.txt"));
    }
};

TEST_F(CalendarRuleOfTheSettings, EveryCommandFollowsTheSettingsUnlessTold) {
    EXPECT_EQ(Run("today"), "1404/01/01\n"); // no settings file: arithmetic
    const std::string file = PathOf("velnora.INI");
    EXPECT_NE(Run("month -h").find(file + " (not there now: arithmetic, iranian)\n"), std::string::npos);
    Write("velnora.INI", "[calendar]\nrule=Official\n");
    EXPECT_EQ(Run("today"), "1403/12/30\n");
    EXPECT_EQ(Run("today --calendar arithmetic"), "1404/01/01\n");
    const std::string month = Run("month --tsv");
    EXPECT_TRUE(StartsWith(month, "اسفند 1403\n")) << month;
    EXPECT_NE(month.find("\t30\t"), month.npos) << month;
    EXPECT_TRUE(StartsWith(Run("month --tsv --calendar arithmetic"), "فروردین 1404\n"));
    EXPECT_EQ(Run("convert 2025-03-20"), "1403/12/30\n");
    EXPECT_NE(Run("convert --help").find(file + "\n"), std::string::npos);
    // The time of day as date(1) takes a format.
    EXPECT_EQ(Run("today '+%Y/%m/%d %H:%M' --persian-digits"), "۱۴۰۳/۱۲/۳۰ ۱۲:۰۰\n");
}

// %o: 1404/01/03 (arithmetic) is Nowruz and 21 Ramadan, 1404/01/06 a working day.
TEST_F(CalendarRuleOfTheSettings, TodayNamesTheDaysHolidays) {
    const std::pair<const char*, const char*> cases[] = {
        {"2025-03-22", "[نوروز، شهادت امام علی] %o\n"},
        {"2025-03-25", "[] %o\n"},
    };
    for (const auto& [day, expected] : cases)
        EXPECT_EQ(Run("today '+[%o] %%o'", day), expected) << day;
}

// The settings file's Dari names on every command that writes a month's name,
// unless --month-names says otherwise; 2025-12-25 is in Dey (Jadi) 1404.
TEST_F(CalendarRuleOfTheSettings, MonthNamesFollowTheSettingsUnlessTold) {
    Write("velnora.INI", "[calendar]\nmonthnames=dari\n");
    const std::pair<const char*, const char*> cases[] = {
        {"today +%B", "حمل\n"},
        {"today +%B --month-names Iranian", "فروردین\n"},
        {"convert --format '%b %B %%B' 2025-12-25", "جدی جدی %B\n"},
        {"month 1404/10 --tsv | head -1", "جدی 1404\n"},
        {"month 1404/10 --tsv --month-names iranian | head -1", "دی 1404\n"},
    };
    for (const auto& [args, expected] : cases)
        EXPECT_EQ(Run(args), expected) << args;
}

TEST(CliUsage, WrongCommandsAndOptionsGiveTheUsageText) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"bogus"},
        {"today", "extra"},
        {"today", "--calendar", "official", "extra"},
        {"convert", "--bogus"},
        {"convert", "2024-03-20", "-x"},
        {"month", "--bogus"},
        {"month", "1403/1/1", "1403/1/2"},
        {"month", "1403", "1", "1"},
        {"today", "+%F", "+%F"},
        {"convert", "-j", "-g", "1403/1/1"},
        {"today", "--format"},
        {"month", "--tsv=yes"},
        {"convert", "--month-names", "pashto", "2024-03-20"},
    };
    for (const std::vector<std::string>& args : cases) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(r.out, "") << testing::PrintToString(args);
        EXPECT_NE(r.err.find("Usage: velnora-cli"), r.err.npos) << r.err;
    }
}

TEST(CliUsage, HelpGoesToStandardOutput) {
    const CliResult r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(StartsWith(r.out, "Usage: velnora-cli")) << r.out;
    for (const char* command :
         {"today", "convert", "month", "render", "stretch", "settings", "ini", "--version"})
        EXPECT_NE(r.out.find(command), r.out.npos) << command;
}

TEST(CliUsage, VersionNamesTheProgramAndItsVersion) {
    const CliResult r = RunCli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "velnora-cli " VELNORA_VERSION "\n");
}

} // namespace
