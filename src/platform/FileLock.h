// SPDX-License-Identifier: GPL-3.0-or-later
// An exclusive lock on a file, held between processes (flock, LockFileEx) for as long as
// the object lives. Within one process a second lock of the same path nests
// instead of waiting for itself, so a routine that takes it may run inside
// another that holds it.
#pragma once

#include <chrono>
#include <string>

namespace velnora {

class FileLock {
  public:
    // Creates the file (and its folder) when missing, then waits at most wait
    // for other processes to let go of it. Throws "Unable to write to <path>.
    // <reason>" when the file cannot be opened.
    FileLock(const std::string& path, std::chrono::milliseconds wait);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when another process held the lock for the whole wait.
    bool Held() const { return held_; }
    // Removes the file while the lock is held, unless an enclosing lock of this
    // process holds it too. A process that was waiting for it finds its file
    // gone once it gets the lock, and takes a new one.
    void RemoveFile();

  private:
    std::string path_;
    bool held_ = false;
};

}  // namespace velnora
