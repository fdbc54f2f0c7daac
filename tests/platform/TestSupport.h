// SPDX-License-Identifier: GPL-3.0-or-later
// Environment settings that undo themselves, with the shared files and the
// check of an error's message.
#pragma once

#include "../support/ExpectMessage.h"
#include "../support/Files.h"
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace velnora {

// Sets (or with nullopt unsets) one variable for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        Set(value);
    }
    ~ScopedEnv() { Set(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void Set(const std::optional<std::string>& value) {
        if (value)
            setenv(name_, value->c_str(), 1);
        else
            unsetenv(name_);
    }

    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace velnora
