// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileLock.h"

#include "../support/ExpectMessage.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

using namespace velnora;

namespace {

using FileLockTest = TempFolderTest;
using std::chrono::milliseconds;

// Whether another program gets the lock at once: util-linux flock, since a
// child forked from this process would inherit its record of held locks.
bool AnotherProcessGets(const std::string& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::execlp("flock", "flock", "-n", path.c_str(), "true", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(FileLockTest, HeldAgainstOtherProcessesNestedWithinOne) {
    const std::string path = PathOf("state/velnora/wallpaper.lock");
    {
        const FileLock outer(path, milliseconds(50));
        EXPECT_TRUE(outer.Held());
        EXPECT_TRUE(std::filesystem::is_regular_file(path)); // its folder made on the way
        {
            const FileLock inner(path, milliseconds(50));
            EXPECT_TRUE(inner.Held());
        }
        // The inner one let go of nothing: the outer still holds it.
        EXPECT_FALSE(AnotherProcessGets(path));
    }
    EXPECT_TRUE(AnotherProcessGets(path));
}

TEST_F(FileLockTest, FileThatCannotBeOpened) {
    const std::string folder = PathOf("a-folder");
    std::filesystem::create_directory(folder);
    ExpectMessage([&] { FileLock lock(folder, milliseconds(50)); },
                  "Unable to write to " + folder + ". Is a directory");
}

} // namespace
