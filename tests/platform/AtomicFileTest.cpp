// SPDX-License-Identifier: GPL-3.0-or-later
// What whole-file replacement leaves in a folder: the modes of the written
// files and no temporary files of killed writes.
#include "AtomicFile.h"
#include "Bitmap.h"
#include "BmpFile.h"
#include "FileLock.h"
#include "ProfileFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <set>
#include <sys/stat.h>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// Sets the umask for the life of the object.
class ScopedUmask {
  public:
    explicit ScopedUmask(mode_t mask) : old_(umask(mask)) {}
    ~ScopedUmask() { umask(old_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

  private:
    mode_t old_;
};

// The output picture and the settings file keep the mode the user gave the
// file they replace; a new one, and the lock, are the user's own whatever the umask.
TEST(ReplacedFileMode, KeepsTheOldModeNewFilesArePrivate) {
    const struct {
        mode_t umask;
        std::optional<mode_t> oldMode; // nullopt: no file yet
        mode_t expected;
    } rows[] = {
        {022, std::nullopt, 0600}, {077, std::nullopt, 0600}, {000, std::nullopt, 0600},
        {022, 0600, 0600},         {022, 0664, 0664},         {077, 0644, 0644},
    };
    const auto writers = {
        +[](const std::string& path) { WriteBmpFile(path, Bitmap(4, 3)); },
        +[](const std::string& path) { ProfileFile(path).WriteString("s", "k", "new"); },
    };
    for (const mode_t umask : {mode_t{000}, mode_t{022}}) {
        TempFolder folder;
        ScopedUmask mask(umask);
        const FileLock lock(folder / "lock", std::chrono::milliseconds(0));
        EXPECT_EQ(ModeOf(folder / "lock"), 0600u);
    }
    for (const auto& row : rows) {
        for (const auto write : writers) {
            TempFolder folder;
            const std::string path = folder / "file";
            if (row.oldMode) {
                WriteWholeFile(path, "[s]\nk=old\n");
                ASSERT_EQ(chmod(path.c_str(), *row.oldMode), 0);
            }
            {
                ScopedUmask mask(row.umask);
                write(path);
            }
            EXPECT_EQ(ModeOf(path), row.expected)
                << "umask " << std::oct << row.umask << " old mode " << row.oldMode.value_or(0);
        }
    }
}

// A write killed between creating its temporary file and the rename leaves
// "<target>.XXXXXX" behind (25 MB for a 4K picture): the next write of the
// same target removes those a minute old, and nothing else.
TEST(StaleTemporaryFiles, RemovedByTheNextWriteOfTheTarget) {
    TempFolder folder;
    const time_t now = time(nullptr);
    const struct {
        const char* name;
        time_t age; // seconds since the last change
        bool stays;
    } rows[] = {
        {"Velnora.bmp.a1B2c3", 3600, false}, // killed an hour ago
        {"Velnora.bmp.ZZZZZZ", 61, false},
        {"Velnora.bmp.q9w8e7", 0, true},     // another copy may be writing it now
        {"Velnora.bmp.Xy12", 3600, true},    // not six characters
        {"Velnora.bmp.a1B2c3d", 3600, true}, // seven
        {"Velnora.bmp.a1-2c3", 3600, true},  // not mkstemp's characters
        {"Velnora.bmp.a1B2c3.bak", 3600, true},
        {"velnora.bmp.a1B2c3", 3600, true}, // another name (letter case counts)
        {"Other.bmp.a1B2c3", 3600, true},   // another target's
        {"Velnora.bmpXa1B2c3", 3600, true},
    };
    for (const auto& row : rows) {
        const std::string path = folder / row.name;
        WriteWholeFile(path, "half a picture");
        const timespec times[2] = {{now - row.age, 0}, {now - row.age, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    // A folder of that name is no temporary file of ours.
    fs::create_directory(folder / "Velnora.bmp.Dir123");
    const timespec old[2] = {{now - 3600, 0}, {now - 3600, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (folder / "Velnora.bmp.Dir123").c_str(), old, 0), 0);

    WriteBmpFile(folder / "Velnora.bmp", Bitmap(4, 3));

    std::set<std::string> expected = {"Velnora.bmp", "Velnora.bmp.Dir123"};
    for (const auto& row : rows)
        if (row.stays)
            expected.insert(row.name);
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        found.insert(entry.path().filename().string());
    EXPECT_EQ(found, expected);
}

} // namespace
