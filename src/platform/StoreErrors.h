// SPDX-License-Identifier: GPL-3.0-or-later
// The messages the wallpaper store gives, shared by its backends.
#pragma once

#include <stdexcept>
#include <string>

namespace velnora {

inline std::runtime_error WriteRefused(const std::string& name) {
    return std::runtime_error("Failed to set data for '" + name + "'");
}

inline std::runtime_error NotText(const std::string& name) {
    return std::runtime_error("Invalid data type for '" + name + "'");
}

// A store that stopped answering: an empty reading would be taken for the
// user's wallpaper and backed up.
inline std::runtime_error ReadRefused(const std::string& name) {
    return std::runtime_error("Failed to read data for '" + name + "'");
}

}  // namespace velnora
