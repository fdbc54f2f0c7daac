// SPDX-License-Identifier: GPL-3.0-or-later
// A test with a fresh folder of its own, removed afterwards.
#pragma once

#include "Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace velnora {

class TempFolderTest : public ::testing::Test {
  protected:
    TempFolderTest() = default;
    explicit TempFolderTest(const std::filesystem::path& parent) : temp_(parent) {}

    std::string PathOf(const std::string& name) const { return temp_ / name; }

    std::string Write(const std::string& name, const std::string& content) const {
        const std::string path = PathOf(name);
        WriteWholeFile(path, content);
        return path;
    }

  private:
    TempFolder temp_;

  protected:
    const std::filesystem::path folder_ = temp_.Path();
};

}  // namespace velnora
