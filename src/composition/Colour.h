// SPDX-License-Identifier: GPL-3.0-or-later
// A colour as the settings file stores it and Windows keeps a COLORREF:
// 0x00BBGGRR, red in the low byte. Web notation ("#rrggbb") and the desktops'
// own colour settings write 0xRRGGBB instead; FromRgb is the one place the two
// orders meet.
#pragma once

#include <cstdint>

namespace velnora {

struct Colour {
    uint32_t value = 0; // 0x00BBGGRR; the settings file's number, all 32 bits kept

    static constexpr Colour FromRgb(uint32_t rgb) {
        return FromChannels(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                            static_cast<uint8_t>(rgb));
    }
    static constexpr Colour FromChannels(uint8_t red, uint8_t green, uint8_t blue) {
        return {static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 |
                static_cast<uint32_t>(blue) << 16};
    }

    constexpr uint8_t Red() const { return static_cast<uint8_t>(value); }
    constexpr uint8_t Green() const { return static_cast<uint8_t>(value >> 8); }
    constexpr uint8_t Blue() const { return static_cast<uint8_t>(value >> 16); }

    constexpr bool operator==(const Colour&) const = default;
};

}  // namespace velnora
