// SPDX-License-Identifier: GPL-3.0-or-later
// The files of a test: a fresh folder removed with it, and a file's bytes read
// or written whole.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>

#include <unistd.h>

namespace velnora {

// The file's bytes, or nullopt when it cannot be opened.
inline std::optional<std::string> ReadWholeFileIfAny(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The file's bytes, "" when it cannot be opened.
inline std::string ReadWholeFile(const std::filesystem::path& path) {
    return ReadWholeFileIfAny(path).value_or("");
}

inline void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A folder of its own below `parent`, removed with everything in it when the
// object goes. Named from the process id and a count, not mkdtemp, which the
// Windows build lacks; tests running at once each get their own.
class TempFolder {
  public:
    explicit TempFolder(const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
        static int made = 0;
        for (int tries = 0; tries < 1000; ++tries) {
            path_ = parent / ("velnora-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
            if (std::filesystem::create_directories(path_))
                return;
        }
        throw std::runtime_error("no temporary folder in " + parent.string());
    }
    // Windows removes no read-only file, and some tests make them.
    ~TempFolder() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        for (auto entry = fs::recursive_directory_iterator(path_, ignored);
             entry != fs::recursive_directory_iterator(); entry.increment(ignored))
            fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return path_.string(); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

}  // namespace velnora
