// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileLock.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Holding {
    int fd = -1;
    int depth = 0;
};

// The locks this process holds, by path: flock would make a second open of the
// same file wait for the first one's lock, that is for ever.
std::mutex holdingsMutex;
std::map<std::string, Holding> holdings;

// A waiting process tries again after 1 ms, then after twice as long each
// time up to 50 ms: a short hold (a few store writes) costs next to nothing,
// a long one (a redraw at 4K) keeps no core busy.
constexpr std::chrono::milliseconds FirstRetry{1};
constexpr std::chrono::milliseconds LongestRetry{50};

// With the system's reason, as the settings file gives it.
[[noreturn]] void Refuse(const std::string& path, int error) {
    throw std::runtime_error("Unable to write to " + path + ". " + std::strerror(error));
}

} // namespace

FileLock::FileLock(const std::string& path, std::chrono::milliseconds wait) : path_(path) {
    const std::lock_guard<std::mutex> guard(holdingsMutex);
    if (const auto found = holdings.find(path); found != holdings.end()) {
        ++found->second.depth;
        held_ = true;
        return;
    }
    std::error_code error;
    const std::filesystem::path file(path);
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), error);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::chrono::milliseconds retry = FirstRetry;
    int fd = -1;
    for (;;) {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            Refuse(path, errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The holder before may have removed the file (RemoveFile): the
            // lock is then on a file no other copy will open.
            struct stat locked {};
            struct stat named {};
            if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &named) == 0 &&
                locked.st_dev == named.st_dev && locked.st_ino == named.st_ino)
                break;
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK)
            Refuse(path, error);
        if (std::chrono::steady_clock::now() >= deadline)
            return;
        std::this_thread::sleep_for(retry);
        retry = std::min(retry * 2, LongestRetry);
    }
    holdings[path] = Holding{fd, 1};
    held_ = true;
}

FileLock::~FileLock() {
    if (!held_)
        return;
    const std::lock_guard<std::mutex> guard(holdingsMutex);
    const auto found = holdings.find(path_);
    if (found == holdings.end() || --found->second.depth > 0)
        return;
    // Closing the only descriptor of the open file lets go of the lock.
    ::close(found->second.fd);
    holdings.erase(found);
}

void FileLock::RemoveFile() {
    const std::lock_guard<std::mutex> guard(holdingsMutex);
    const auto found = holdings.find(path_);
    // Only the outermost holder: an enclosing routine of this process still
    // counts on the lock, which another process would take on a new file.
    if (held_ && found != holdings.end() && found->second.depth == 1)
        ::unlink(path_.c_str());
}
