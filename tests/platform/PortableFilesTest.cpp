// SPDX-License-Identifier: GPL-3.0-or-later
// The file primitives every platform implements (these tests run under Wine too).

#include "LockFile.h"
#include "ProfileFile.h"

#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <iterator>

using namespace velnora;

namespace {

using PortableFilesTest = TempFolderTest;

// The second write replaces an existing file (Windows' rename would refuse
// it), in a new folder under a Persian name that no code page but UTF-8
// holds, and leaves nothing else behind.
TEST_F(PortableFilesTest, SettingsRewrittenUnderAPersianName) {
    ProfileFile settings(PathOf("") + "\u062A\u0635\u0648\u06CC\u0631/velnora.INI");
    for (const char* size : {"22", "33"})
        settings.WriteString("Velnora", "Size", size);
    EXPECT_EQ(settings.Read("Velnora", "Size"), "33");
    EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(folder_), {}), 2);
}

// The lock belongs to the open file: a second open waits until the first
// one is closed, even within one process.
TEST_F(PortableFilesTest, LockHeldUntilItsFileIsClosed) {
    const std::string path = PathOf("state/wallpaper.lock");
    const LockFileHandle first = OpenLockFile(path);
    const LockFileHandle second = OpenLockFile(path);
    EXPECT_TRUE(TryLockFile(first, path));
    EXPECT_FALSE(TryLockFile(second, path));
    CloseLockFile(first);
    EXPECT_TRUE(TryLockFile(second, path));
    CloseLockFile(second);
}

} // namespace
