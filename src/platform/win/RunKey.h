// SPDX-License-Identifier: GPL-3.0-or-later
// The logon entry on Windows: a value under HKEY_CURRENT_USER
// "Software\Microsoft\Windows\CurrentVersion\Run", whose command Windows runs
// at every logon.
#pragma once

#include <string>

namespace velnora {

// Mode 1 writes the value name with RunKeyCommand(ExecutablePath()), mode 0
// removes it (silently when missing), any other mode does nothing. Throws
// "Failed to set data for '<name>'" when the system refuses.
void SetRunKeyValue(const std::string& name, unsigned mode);
// The logon redraw: the Run value and, beside it, the daily task
// (DailyTask.h), both for the running executable. Mode 1 writes the value,
// then registers the task; mode 0 removes both; any other mode does nothing.
// Throws as each of them does.
void SetLogonRedraw(const std::string& name, unsigned mode);
// The path quoted (a path with blanks would otherwise run another program),
// then " start".
std::string RunKeyCommand(const std::string& executablePath);

}  // namespace velnora
