// SPDX-License-Identifier: GPL-3.0-or-later

#include "Cp1256.h"
#include "MonthNames.h"

#include <gtest/gtest.h>

#if __has_include(<iconv.h>)
#include <iconv.h>
#endif

using namespace velnora;

namespace {

TEST(Cp1256, NameTablesReadAsTheirPersianText) {
    // Yeh is the Arabic U+064A, as the code page has it; PersianSpelling gives
    // the Persian yeh and keheh.
    const char* const months[12] = {"فروردين", "ارديبهشت", "خرداد", "تير", "مرداد", "شهريور",
                                    "مهر",     "آبان",     "آذر",   "دي",  "بهمن",  "اسفند"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Cp1256ToUtf8(MonthNames[i]), months[i]) << i;
    EXPECT_EQ(PersianSpelling(MonthNames[1]), "اردیبهشت");
    EXPECT_EQ(PersianSpelling("\xED\x98\xDF"), "\u06CC\u06A9\u06A9");
}

TEST(Cp1256, AsciiAndEveryByteConvert) {
    EXPECT_EQ(Cp1256ToUtf8("1403 abc"), "1403 abc");
    EXPECT_EQ(Cp1256ToUtf8(""), "");
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1256ToUtf8(all);
    EXPECT_GT(utf8.size(), all.size());
    EXPECT_EQ(Cp1256ToUtf8("\x81\x8D\x98\xED"), "\u067E\u0686\u06A9\u064A");
}

#if __has_include(<iconv.h>)
TEST(Cp1256, EveryByteAsTheCLibraryConvertsIt) {
    const iconv_t cd = iconv_open("UTF-8", "CP1256");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b), out[4] = {};
        char *inPtr = &in, *outPtr = out;
        size_t inLeft = 1, outLeft = sizeof out;
        ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<size_t>(-1)) << b;
        EXPECT_EQ(Cp1256ToUtf8(std::string(1, in)), std::string(out, sizeof out - outLeft)) << b;
    }
    iconv_close(cd);
}
#endif

} // namespace
