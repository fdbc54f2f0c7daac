// SPDX-License-Identifier: GPL-3.0-or-later
// The classic Windows profile (INI) file, read and written with the semantics
// of GetPrivateProfileStringA / WritePrivateProfileStringA, so that a settings
// file written on Windows reads the same here and ours reads the same there.
// Each call reads the file afresh (nothing is cached); each write replaces the
// whole file atomically (temporary file in the same folder, then rename).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velnora {

class ProfileFile {
  public:
    explicit ProfileFile(std::string path);
    const std::string& Path() const { return path_; }

    // The value as the reader sees it (trimmed, one pair of quotes removed, at
    // most 2047 characters); nullopt when the section or key is absent.
    std::optional<std::string> Read(const std::string& section, const std::string& key) const;
    // The same value whole, however long: for values the program wrote itself
    // and must give back exactly (the backup of the user's wallpaper).
    std::optional<std::string> ReadWhole(const std::string& section, const std::string& key) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // The whole-number rule (WholeNumber.h); the fallback when it does not read.
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const;
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
    bool HasKey(const std::string& section, const std::string& key) const;
    // Keys of a section in file order (first of duplicates only).
    std::vector<std::string> Keys(const std::string& section) const;
    // Section names in file order (first of duplicates only).
    std::vector<std::string> Sections() const;

    // Throw std::runtime_error("Unable to write to <path>") when refused, with
    // the system's reason after it when there is one ("<...>. Permission denied").
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Writes value so that ReadWhole gives it back exactly: inside quotes
    // when the reader would trim its blanks or take off its own quotes.
    void WriteWhole(const std::string& section, const std::string& key, const std::string& value);
    void EraseSection(const std::string& section);
    // Removes the key (as WritePrivateProfileStringA with no value does); the
    // file is not touched when it holds no such key.
    void DeleteKey(const std::string& section, const std::string& key);

  private:
    std::string path_;
};

}  // namespace velnora
