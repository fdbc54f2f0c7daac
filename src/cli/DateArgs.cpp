// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateArgs.h"

#include "DateTime.h"
#include "WholeNumber.h"

#include <cstdio>
#include <stdexcept>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

uint16_t Field(const std::string& digits) {
    const int32_t value = StrToInt(digits); // fails beyond 2^31 - 1 with its own message
    if (value > 65535)
        throw std::runtime_error("'" + digits + "' is out of range 0 to 65535");
    return static_cast<uint16_t>(value);
}

} // namespace

std::optional<PersianYmd> ParsePersianArg(const std::string& text) {
    const size_t first = text.find('/');
    if (first == std::string::npos)
        return std::nullopt;
    const size_t second = text.find('/', first + 1);
    if (second == std::string::npos)
        return std::nullopt;
    const std::string year = text.substr(0, first);
    const std::string month = text.substr(first + 1, second - first - 1);
    const std::string day = text.substr(second + 1);
    if (!AllDigits(year) || !AllDigits(month) || !AllDigits(day))
        return std::nullopt;
    return PersianYmd{Field(year), Field(month), Field(day)};
}

std::optional<double> ParseGregorianArg(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const std::string year = text.substr(0, 4), month = text.substr(5, 2), day = text.substr(8, 2);
    if (!AllDigits(year) || !AllDigits(month) || !AllDigits(day))
        return std::nullopt;
    return EncodeDate(static_cast<uint16_t>(std::stoi(year)),
                      static_cast<uint16_t>(std::stoi(month)),
                      static_cast<uint16_t>(std::stoi(day)));
}

std::string GregorianText(double date) {
    uint16_t year, month, day;
    DecodeDate(date, year, month, day);
    char text[32]; // room for any 16-bit fields
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", year, month, day);
    return text;
}
