// SPDX-License-Identifier: GPL-3.0-or-later
// The command line as every command parses it: --help, both forms of an option,
// "--", unknown options; and the flags and formats of today and convert.
#include "CliProcess.h"

#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace velnora;

namespace {

const char* const CommandNames[] = {"today",   "convert",  "month", "render",
                                    "stretch", "settings", "ini"};

TEST(CommandLine, EveryCommandShowsItsUsageOnHelp) {
    for (const char* command : CommandNames) {
        const CliResult r = RunCli({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_EQ(r.err, "") << command;
        EXPECT_TRUE(r.out.starts_with(std::string("Usage: velnora-cli ") + command + " ")) << r.out;
        // --help wins over the command's own arguments; -h is --help.
        EXPECT_EQ(RunCli({command, "a", "b", "--help"}).out, r.out) << command;
        EXPECT_EQ(RunCli({command, "-h"}).out, r.out) << command;
    }
}

TEST(CommandLine, UnknownOptionsGiveTheCommandsUsageOnStandardError) {
    for (const char* command : CommandNames) {
        const CliResult r = RunCli({command, "--bogus"});
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_EQ(r.err, std::string("velnora-cli: ") + command + ": Unknown option 'bogus'.\n" +
                             RunCli({command, "--help"}).out)
            << command;
    }
}

TEST(CommandLine, BothFormsOfAnOptionAndDigitsOfEveryKind) {
    const std::vector<std::vector<std::string>> same = {
        {"convert", "--calendar", "official", "2025-03-20"},
        {"convert", "--calendar=official", "2025-03-20"},
        {"convert", "2025-03-20", "--calendar=official"},
        {"convert", "--calendar=official", "۲۰۲۵-۰۳-۲۰"},
        {"convert", "--calendar=official", "٢٠٢٥-٠٣-٢٠"},
        {"convert", "--calendar", " Official\u200f", "\u200f2025-03-20"},
    };
    for (const std::vector<std::string>& args : same) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 0) << testing::PrintToString(args);
        EXPECT_EQ(r.out, "1403/12/30\n") << testing::PrintToString(args);
    }
}

// Without a date and with a person at the terminal, convert says how to use it
// rather than wait for a line.
TEST(CommandLine, ConvertWithoutADateOnATerminalGivesItsUsage) {
    const CliResult r = RunCliInTerminal({"convert"}, true);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.starts_with("velnora-cli: convert: no DATE given, and standard input is a "
                                  "terminal\nUsage: velnora-cli convert"))
        << r.err;
}

using DoubleDash = TempFolderTest;

TEST_F(DoubleDash, BeforeAFileNamedLikeAnOption) {
    Write("-v.ini", "[s]\nk=value\n");
    const std::string command = "cd '" + PathOf("") +
                                "' && '" VELNORA_BIN_DIR
                                "/velnora-cli' ini -- -v.ini s k > out.txt 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadWholeFile(PathOf("out.txt")), "value\n");
}

// -j and -g say which calendar the input counts in, whatever its separators;
// without them the year does: below 1700 Persian, else Gregorian with dashes.
TEST(CliConvert, PersianAndGregorianFlags) {
    const struct {
        std::vector<std::string> args;
        const char* out;
    } cases[] = {
        {{"convert", "1403-01-01"}, "2024-03-20\n"}, // as jdate +%F writes it
        {{"convert", "-j", "1403-01-01", "1403/01/01", "1403.1.1"},
         "2024-03-20\n2024-03-20\n2024-03-20\n"},
        {{"convert", "--persian", "۱۴۰۳-۰۱-۰۱"}, "2024-03-20\n"},
        {{"convert", "2024/03/20"}, nullptr}, // no Persian year 2024 without -j
        {{"convert", "-g", "2024/03/20", "2024-3-20", "2024.03.20"},
         "1403/01/01\n1403/01/01\n1403/01/01\n"},
        {{"convert", "--gregorian=", "2024/03/20"}, nullptr},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCli(c.args);
        if (!c.out) {
            EXPECT_EQ(r.status, 2);
            continue;
        }
        EXPECT_EQ(r.status, 0) << testing::PrintToString(c.args) << r.err;
        EXPECT_EQ(r.out, c.out) << testing::PrintToString(c.args);
    }
    // Standard input too: what jdate +%F writes.
    const CliResult piped = RunCli({"convert", "-j"}, "1403-01-01\n1403-06-31\n");
    EXPECT_EQ(piped.out, "2024-03-20\n2024-09-21\n");
    const CliResult wrong = RunCli({"convert", "-j", "1403-01"});
    EXPECT_EQ(wrong.err, "velnora-cli: 1403-01: not a Persian date (Y/M/D)\n");
    const CliResult both = RunCli({"convert", "-jg", "1403/01/01"});
    EXPECT_EQ(both.status, 2);
    EXPECT_TRUE(both.err.starts_with("velnora-cli: convert: --persian and --gregorian exclude "
                                     "each other\nUsage: velnora-cli convert"))
        << both.err;
}

// The Persian dates jdate gives for these days, with the names in today's
// spelling (Persian yeh and keheh); the other way, the Gregorian days with
// English names as GNU date writes them.
TEST(CliConvert, FormatsLikeJdate) {
    const char* const format = "--format=%Y/%m/%d %A %e %B %j|%a %b %F %%";
    const CliResult persian =
        RunCli({"convert", format, "2024-03-20", "2024-03-19", "2024-09-22", "2025-01-02"});
    EXPECT_EQ(persian.status, 0);
    EXPECT_EQ(persian.out, "1403/01/01 چهارشنبه  1 فروردین 001|چ فروردین 1403-01-01 %\n"
                           "1402/12/29 سه\u200cشنبه 29 اسفند 365|س اسفند 1402-12-29 %\n"
                           "1403/07/01 یکشنبه  1 مهر 187|ی مهر 1403-07-01 %\n"
                           "1403/10/13 پنج\u200cشنبه 13 دی 289|پ دی 1403-10-13 %\n");
    const CliResult gregorian = RunCli({"convert", format, "1403/01/01", "1/1/1"});
    EXPECT_EQ(gregorian.out, "2024/03/20 Wednesday 20 March 080|Wed Mar 2024-03-20 %\n"
                             "0622/03/22 Friday 22 March 081|Fri Mar 0622-03-22 %\n");
    const CliResult digits = RunCli({"convert", "--persian-digits", "2024-03-20", "1403/06/31"});
    EXPECT_EQ(digits.out, "۱۴۰۳/۰۱/۰۱\n۲۰۲۴-۰۹-۲۱\n");
    const CliResult official =
        RunCli({"convert", "--calendar", "official", "--format", "%d %B %Y, %A", "2025-03-20"});
    EXPECT_EQ(official.out, "30 اسفند 1403, پنج\u200cشنبه\n");
}

// today on 20 March 2024, by faketime, in a folder with no settings file.
class TodayFormat : public TempFolderTest {
  protected:
    std::string Run(const std::string& args) {
        std::filesystem::copy_file(std::string(VELNORA_BIN_DIR) + "/velnora-cli",
                                   PathOf("velnora-cli"),
                                   std::filesystem::copy_options::overwrite_existing);
        const std::string command = "faketime '2024-03-20 12:00:00' '" + PathOf("velnora-cli") +
                                    "' today " + args + " > '" + PathOf("out.txt") + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return ReadWholeFile(PathOf("out.txt"));
    }
};

TEST_F(TodayFormat, DefaultFormatAndDigits) {
    EXPECT_EQ(Run(""), "1403/01/01\n");
    EXPECT_EQ(Run("--persian-digits"), "۱۴۰۳/۰۱/۰۱\n");
    EXPECT_EQ(Run("--format '%A %e %B %Y'"), "چهارشنبه  1 فروردین 1403\n");
    EXPECT_EQ(Run("--format='%a %j' --persian-digits"), "چ ۰۰۱\n");
}

} // namespace
