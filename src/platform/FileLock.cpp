// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileLock.h"
#include "LockFile.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace velnora {

namespace {

struct Holding {
    LockFileHandle file = 0;
    int depth = 0;
};

// The locks this process holds, by path: the system would make a second open
// of the same file wait for the first one's lock, that is for ever.
std::mutex holdingsMutex;
std::map<std::string, Holding> holdings;

// A waiting process tries again after 1 ms, then after twice as long each
// time up to 50 ms: a short hold (a few store writes) costs next to nothing,
// a long one (a redraw at 4K) keeps no core busy.
constexpr std::chrono::milliseconds FirstRetry{1};
constexpr std::chrono::milliseconds LongestRetry{50};

} // namespace

// With the system's reason, as the settings file gives it.
void RefuseLockFile(const std::string& path, const std::string& reason) {
    throw std::runtime_error("Unable to write to " + path + ". " + reason);
}

FileLock::FileLock(const std::string& path, std::chrono::milliseconds wait) : path_(path) {
    const std::lock_guard<std::mutex> guard(holdingsMutex);
    if (const auto found = holdings.find(path); found != holdings.end()) {
        ++found->second.depth;
        held_ = true;
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::chrono::milliseconds retry = FirstRetry;
    LockFileHandle file = 0;
    for (;;) {
        file = OpenLockFile(path);
        bool locked = false;
        try {
            locked = TryLockFile(file, path);
        } catch (...) {
            CloseLockFile(file);
            throw;
        }
        // The holder before may have removed the file (RemoveFile): the lock
        // is then on a file no other copy will open, so open the name again.
        if (locked && LockedFileIsNamed(file, path))
            break;
        CloseLockFile(file);
        if (locked)
            continue;
        if (std::chrono::steady_clock::now() >= deadline)
            return;
        std::this_thread::sleep_for(retry);
        retry = std::min(retry * 2, LongestRetry);
    }
    holdings[path] = Holding{file, 1};
    held_ = true;
}

FileLock::~FileLock() {
    if (!held_)
        return;
    const std::lock_guard<std::mutex> guard(holdingsMutex);
    const auto found = holdings.find(path_);
    if (found == holdings.end() || --found->second.depth > 0)
        return;
    // Closing the only open of the file lets go of the lock.
    CloseLockFile(found->second.file);
    holdings.erase(found);
}

void FileLock::RemoveFile() {
    const std::lock_guard<std::mutex> guard(holdingsMutex);
    const auto found = holdings.find(path_);
    // Only the outermost holder: an enclosing routine of this process still
    // counts on the lock, which another process would take on a new file.
    if (held_ && found != holdings.end() && found->second.depth == 1)
        RemoveLockFile(path_);
}

}  // namespace velnora
