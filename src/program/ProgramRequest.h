// SPDX-License-Identifier: GPL-3.0-or-later
// What the command line asks of velnora.
#pragma once

#include <optional>

namespace velnora {

enum class Request { Window, Help, Version, Unattended, Refresh, Off, Mistake };

// What runs the unattended run after midnight beside the logon entry, as the
// texts name it: a task of the Task Scheduler on Windows, a systemd timer
// elsewhere.
#ifdef _WIN32
#define VELNORA_DAILY_REDRAW "the scheduled task \\Velnora"
#else
#define VELNORA_DAILY_REDRAW "the refresh timer"
#endif

// The text of --help (on standard output) and of a mistyped option (on
// standard error).
extern const char* const Usage;

// The first argument decides. Any other word runs the unattended run, as any
// argument always did (scripts of users may pass words of their own); an
// option velnora does not have, anywhere, is a mistyped one (-h, --verbose),
// which must not redraw the wallpaper.
Request RequestOf(int argc, char** argv);

// Answers --help (the usage on standard output), --version ("velnora
// <version>") and a mistyped option (the usage on standard error) and gives
// the exit status (0, 0, 2); nullopt for a request that runs the program.
std::optional<int> AnswerAtOnce(Request request);

}  // namespace velnora
