// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh folder per test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace velnora {

class TempFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("velnora-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                   std::to_string(::getpid()));
        RemoveWhole(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { RemoveWhole(folder_); }

    // Windows removes no read-only file, and some tests make them; Wine gives
    // the next run the same process number, and so the same folder.
    static void RemoveWhole(const std::filesystem::path& folder) {
        namespace fs = std::filesystem;
        std::error_code ignored;
        for (auto entry = fs::recursive_directory_iterator(folder, ignored);
             entry != fs::recursive_directory_iterator(); entry.increment(ignored))
            fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    std::string Write(const std::string& name, const std::string& content) const {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    std::filesystem::path folder_;
};

}  // namespace velnora
