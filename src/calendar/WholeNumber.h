// The whole-number text rule shared by the date text, the distance fields, the
// settings file and the command line: optional leading spaces, an optional sign,
// then decimal digits in the signed 32-bit range, or hexadecimal digits after
// "$", "x", "X", "0x" or "0X" fitting 32 bits (top bit set reads negative).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

std::optional<int32_t> TryStrToInt(const std::string& text);
// Throws std::runtime_error("'<text>' is not a valid integer value").
int32_t StrToInt(const std::string& text);
