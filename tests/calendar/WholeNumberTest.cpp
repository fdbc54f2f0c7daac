// SPDX-License-Identifier: GPL-3.0-or-later

#include "WholeNumber.h"
#include "../support/ExpectMessage.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

using namespace velnora;

namespace {

struct Case {
    std::string text;
    std::optional<int32_t> value;
};

TEST(WholeNumber, ReadsTheWholeNumberNotations) {
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"007", 7},
        {"  +12", 12},
        {"   -5", -5},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"+2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$1F", 31},
        {"-$1F", -31},
        {"+$1f", 31},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0XfF", 255},
        {"-0x10", -16},
        {"$7FFFFFFF", INT32_MAX},
        {"$80000000", INT32_MIN},
        {"$FFFFFFFF", -1},
        {"$000000001", 1},
        {"-$FFFFFFFF", 1},
        {"$100000000", std::nullopt},
        {"$-1", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"x", std::nullopt},
        {"-0x", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"  -", std::nullopt},
        {"12 ", std::nullopt},
        {"12a", std::nullopt},
        {"1.5", std::nullopt},
        {"1e3", std::nullopt},
        {"- 5", std::nullopt},
        {"+-5", std::nullopt},
        {"\t5", std::nullopt},
        {"00x10", std::nullopt},
        {"0x$10", std::nullopt},
        {"$G", std::nullopt},
        {"abc", std::nullopt},
        {"12\n", std::nullopt},
        {std::string("12\0", 3), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TryStrToInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(WholeNumber, StrToIntNamesTheTextThatFails) {
    EXPECT_EQ(StrToInt(" -$1F"), -31);
    ExpectMessage([] { StrToInt("12 "); }, "'12 ' is not a valid integer value");
    ExpectMessage([] { StrToInt(""); }, "'' is not a valid integer value");
}

TEST(WholeNumber, PersianAndArabicIndicDigitsBecomeAscii) {
    const std::pair<std::string, std::string> cases[] = {
        {"\u06F0\u06F1\u06F2\u06F3\u06F4\u06F5\u06F6\u06F7\u06F8\u06F9", "0123456789"},
        {"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669", "0123456789"},
        {"-\u06F1\u0660 2", "-10 2"},
        // Letters and signs beside the digit ranges stay.
        {"\u06CC\u06A9\u06EF\u06FA\u065F\u066A\u0620",
         "\u06CC\u06A9\u06EF\u06FA\u065F\u066A\u0620"},
        {"$1F", "$1F"},
        {std::string("\xDB", 1), std::string("\xDB", 1)},
        {"", ""},
    };
    for (const auto& [text, ascii] : cases)
        EXPECT_EQ(WithAsciiDigits(text), ascii) << text;
}

} // namespace
