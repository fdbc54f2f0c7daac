// SPDX-License-Identifier: GPL-3.0-or-later
// The check that an action fails with the very message the user is shown.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace velnora {

inline void ExpectMessage(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no error, expected: " << message;
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(error.what(), message);
    }
}

}  // namespace velnora
