// SPDX-License-Identifier: GPL-3.0-or-later
// Running the tools that read the logon entry and the refresh units, and a
// program that records how it was started.
#pragma once

#include "TestSupport.h"

#include <glib.h>

#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace velnora {

struct Ran {
    int status = -1;
    std::string output; // standard output and standard error
};

// Runs a program with the environment of the test plus `settings`.
inline Ran RunProgram(const std::vector<std::string>& command,
                      const std::vector<std::pair<std::string, std::string>>& settings = {}) {
    std::vector<gchar*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<gchar*>(word.c_str()));
    argv.push_back(nullptr);
    gchar** environment = g_get_environ();
    for (const auto& [name, value] : settings)
        environment = g_environ_setenv(environment, name.c_str(), value.c_str(), TRUE);
    gchar* out = nullptr;
    gchar* err = nullptr;
    gint wait = 0;
    Ran ran;
    if (g_spawn_sync(nullptr, argv.data(), environment, G_SPAWN_SEARCH_PATH, nullptr, nullptr, &out,
                     &err, &wait, nullptr)) {
        ran.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
        ran.output = std::string(out) + err;
    }
    g_free(out);
    g_free(err);
    g_strfreev(environment);
    return ran;
}

// An executable script at `path` that records its own path and arguments, one
// a line, in `record`.
inline void MakeRecordingProgram(const std::string& path, const std::string& record) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteWholeFile(path, "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '" + record + "'\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

// Program folders the logon entry and the units take, each run exactly by every reader.
inline const char* const OddFolders[] = {
    "plain",
    "with blanks = and more",
    "semi;colon & <more> |~*?#()[]{}!@,:",
    "\u0641\u0627\u0631\u0633\u06cc dir",
};

}  // namespace velnora
