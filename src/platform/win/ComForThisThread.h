// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>
#include <objbase.h>

namespace velnora {

// COM on this thread for the object's lifetime. A thread that has it already,
// in either model (the window's thread does: the picture dialog needs it),
// keeps it as it was.
class ComForThisThread {
  public:
    ComForThisThread() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComForThisThread() {
        if (started_)
            CoUninitialize();
    }
    ComForThisThread(const ComForThisThread&) = delete;
    ComForThisThread& operator=(const ComForThisThread&) = delete;

  private:
    bool started_;
};

}  // namespace velnora
