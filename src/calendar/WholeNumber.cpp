// SPDX-License-Identifier: GPL-3.0-or-later

#include "WholeNumber.h"

#include <stdexcept>

namespace velnora {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<int32_t> TryStrToInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        i += 1;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt; // empty, blanks only, a lone sign or a lone prefix
    // Decimal: the magnitude may reach 2^31 for a negative value. Hexadecimal:
    // any 32-bit pattern, read as two's complement, then negated by a "-".
    const uint64_t limit = hex ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    const int base = hex ? 16 : 10;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0 || digit >= base)
            return std::nullopt; // nothing may follow the digits
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    const uint32_t bits = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
}

int32_t StrToInt(const std::string& text) {
    const std::optional<int32_t> value = TryStrToInt(text);
    if (!value)
        throw std::runtime_error("'" + text + "' is not a valid integer value");
    return *value;
}

std::string WithAsciiDigits(const std::string& utf8) {
    // U+06F0..U+06F9 are DB B0..DB B9 in UTF-8, U+0660..U+0669 are D9 A0..D9 A9.
    std::string ascii;
    ascii.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if (lead == 0xDB && next >= 0xB0 && next <= 0xB9) {
            ascii += static_cast<char>('0' + (next - 0xB0));
            ++i;
        } else if (lead == 0xD9 && next >= 0xA0 && next <= 0xA9) {
            ascii += static_cast<char>('0' + (next - 0xA0));
            ++i;
        } else {
            ascii += utf8[i];
        }
    }
    return ascii;
}

}  // namespace velnora
