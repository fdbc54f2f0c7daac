// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProfileFile.h"

#include "AtomicFile.h"
#include "FileOpen.h"
#include "PathState.h"
#include "WholeNumber.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace velnora {

namespace {

// GetPrivateProfileStringA is given a 2048-byte buffer, so a reader sees at
// most 2047 characters of a value.
constexpr std::size_t MaxValueLength = 2047;

struct Line {
    std::string text; // without its line end
    std::string end;  // "\r\n", "\n", "\r", or "" for a last line without one
};

struct Document {
    std::string bom; // a UTF-8 byte order mark some editors put first, kept as found
    std::vector<Line> lines;
    std::string newline = "\n"; // for lines we add: the style of the file's first line end
};

enum class Kind { Other, Section, Key };

struct Entry {
    Kind kind = Kind::Other;
    std::string name;  // trimmed section or key name
    std::string value; // trimmed value, quotes still on
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

// A section line is "[name]" (text after the last "]" ignored, as the Windows
// reader does); a "[" line without "]" is no section. A key line is
// "name=value" with a non-empty name; comments (";") and lines without "=" are
// neither.
Entry Classify(const std::string& text) {
    const std::string line = Trim(text);
    Entry entry;
    if (line.empty() || line[0] == ';')
        return entry;
    if (line[0] == '[') {
        const std::size_t close = line.rfind(']');
        if (close != std::string::npos) {
            entry.kind = Kind::Section;
            entry.name = Trim(line.substr(1, close - 1));
        }
        return entry;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return entry;
    entry.name = Trim(line.substr(0, equals));
    if (entry.name.empty())
        return entry;
    entry.kind = Kind::Key;
    entry.value = Trim(line.substr(equals + 1));
    return entry;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

Document Parse(const std::string& content) {
    Document doc;
    std::size_t pos = 0;
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        doc.bom = content.substr(0, 3);
        pos = 3;
    }
    bool styleSeen = false;
    while (pos < content.size()) {
        const std::size_t stop = content.find_first_of("\r\n", pos);
        Line line;
        if (stop == std::string::npos) {
            line.text = content.substr(pos);
            pos = content.size();
        } else {
            line.text = content.substr(pos, stop - pos);
            const bool crlf =
                content[stop] == '\r' && stop + 1 < content.size() && content[stop + 1] == '\n';
            line.end = crlf ? "\r\n" : content.substr(stop, 1);
            pos = stop + line.end.size();
            if (!styleSeen) {
                doc.newline = line.end;
                styleSeen = true;
            }
        }
        doc.lines.push_back(std::move(line));
    }
    return doc;
}

std::string Serialise(const Document& doc) {
    std::string out = doc.bom;
    for (const Line& line : doc.lines)
        out += line.text + line.end;
    return out;
}

// The names of the entries of a kind in lines [begin, end), in file order; a
// name that differs from an earlier one only in case is the same name.
std::vector<std::string> NamesOf(const Document& doc, Kind kind, std::size_t begin,
                                 std::size_t end) {
    std::vector<std::string> names;
    for (std::size_t i = begin; i < end; ++i) {
        const Entry entry = Classify(doc.lines[i].text);
        if (entry.kind != kind)
            continue;
        bool seen = false;
        for (const std::string& known : names)
            seen = seen || SameName(known, entry.name);
        if (!seen)
            names.push_back(entry.name);
    }
    return names;
}

// Index of the first line of the first section of that name; later sections of
// the same name are shadowed, as in the Windows reader.
std::optional<std::size_t> FindSection(const Document& doc, const std::string& section) {
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        const Entry entry = Classify(doc.lines[i].text);
        if (entry.kind == Kind::Section && SameName(entry.name, section))
            return i;
    }
    return std::nullopt;
}

// One past the last line of the section starting at header.
std::size_t SectionEnd(const Document& doc, std::size_t header) {
    std::size_t i = header + 1;
    while (i < doc.lines.size() && Classify(doc.lines[i].text).kind != Kind::Section)
        ++i;
    return i;
}

// The whole file, or nullopt when it is missing or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::FILE* file = OpenForReading(path);
    if (!file)
        return std::nullopt;
    std::string content;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    const bool whole = !std::ferror(file);
    const int error = errno;
    std::fclose(file);
    errno = error;
    return whole ? std::optional<std::string>(std::move(content)) : std::nullopt;
}

Document Load(const std::string& path) {
    const std::optional<std::string> content = ReadWholeFile(path);
    return content ? Parse(*content) : Document{};
}

// The system's reason follows the message when there is one, as in the
// picture errors ("Unable to write to <path>. Permission denied").
[[noreturn]] void Refuse(const std::string& path, int error = 0) {
    std::string message = "Unable to write to " + path;
    if (error != 0)
        message += std::string(". ") + std::strerror(error);
    throw std::runtime_error(message);
}

// The file as it is now, for a change: a file that exists but cannot be read
// is refused rather than replaced by what little we would know of it.
Document LoadForChange(const std::string& path) {
    std::optional<std::string> content = ReadWholeFile(path);
    if (content)
        return Parse(*content);
    const int readError = errno;
    PathState state;
    if (!ReadPathState(path, false, state))
        Refuse(path, errno);
    if (state.kind != PathKind::Missing)
        Refuse(path, readError);
    return Document{};
}

// Replaces the file at once: a crash or a full disk leaves either the old file
// or the new one, never a part of it, so the wallpaper backup is never lost.
// A symbolic link is followed, so the link stays and its target is replaced.
void ReplaceFileAtomically(const std::string& path, const std::string& content) {
    const std::string target = FollowLinks(path);
    if (target.empty())
        Refuse(path, errno);

    PathState state;
    if (!ReadPathState(target, true, state))
        Refuse(path, errno);
    mode_t mode = 0;
    if (state.kind == PathKind::Missing) {
        mode = NewFileMode();
    } else {
        if (state.kind != PathKind::File)
            Refuse(path, state.kind == PathKind::Folder ? EISDIR : 0);
        // A read-only file stays as it is (the Windows attribute, or no write bit).
        if (state.writeError != 0)
            Refuse(path, state.writeError);
        mode = state.mode;
    }

    // The settings may live under an XDG folder that does not exist yet.
    if (!MakeParentFolders(target))
        Refuse(path, errno);
    if (!ReplaceFileContents(target, content, mode))
        Refuse(path, errno);
}

// A name or value with a line break would turn into lines of its own (a value
// could even forge a section), and a key name with "=" would read back split.
void CheckWritable(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) {
    const auto breaks = [](const std::string& text) {
        return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
    };
    if (Trim(section).empty() || breaks(section) || breaks(key) || breaks(value) ||
        key.find('=') != std::string::npos || Trim(key).empty())
        Refuse(path);
}

// Gives a last line without a line end the file's own before a line is added after it.
void EndLastLine(Document& doc) {
    if (!doc.lines.empty() && doc.lines.back().end.empty())
        doc.lines.back().end = doc.newline;
}

} // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

std::optional<std::string> ProfileFile::Read(const std::string& section,
                                             const std::string& key) const {
    const std::optional<std::string> whole = ReadWhole(section, key);
    if (!whole)
        return std::nullopt;
    return whole->substr(0, MaxValueLength);
}

std::optional<std::string> ProfileFile::ReadWhole(const std::string& section,
                                                  const std::string& key) const {
    const Document doc = Load(path_);
    const std::optional<std::size_t> header = FindSection(doc, section);
    if (!header)
        return std::nullopt;
    const std::size_t end = SectionEnd(doc, *header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const Entry entry = Classify(doc.lines[i].text);
        if (entry.kind == Kind::Key && SameName(entry.name, key))
            return Unquote(entry.value);
    }
    return std::nullopt;
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& fallback) const {
    return Read(section, key).value_or(fallback);
}

int32_t ProfileFile::ReadInteger(const std::string& section, const std::string& key,
                                 int32_t fallback) const {
    const std::optional<std::string> text = Read(section, key);
    if (!text)
        return fallback;
    // The whole-number rule takes a C-style "0x" prefix as the Pascal "$", as
    // the reader of the original program did, and refuses the empty text.
    return TryStrToInt(*text).value_or(fallback);
}

bool ProfileFile::ReadBool(const std::string& section, const std::string& key,
                           bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool ProfileFile::HasKey(const std::string& section, const std::string& key) const {
    return Read(section, key).has_value();
}

std::vector<std::string> ProfileFile::Keys(const std::string& section) const {
    const Document doc = Load(path_);
    const std::optional<std::size_t> header = FindSection(doc, section);
    if (!header)
        return {};
    return NamesOf(doc, Kind::Key, *header + 1, SectionEnd(doc, *header));
}

std::vector<std::string> ProfileFile::Sections() const {
    const Document doc = Load(path_);
    return NamesOf(doc, Kind::Section, 0, doc.lines.size());
}

void ProfileFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
    CheckWritable(path_, section, key, value);
    Document doc = LoadForChange(path_);
    const std::optional<std::size_t> header = FindSection(doc, section);
    if (!header) {
        EndLastLine(doc);
        if (!doc.lines.empty() && !Trim(doc.lines.back().text).empty())
            doc.lines.push_back({"", doc.newline}); // a blank line between sections
        doc.lines.push_back({"[" + section + "]", doc.newline});
        doc.lines.push_back({key + "=" + value, doc.newline});
        ReplaceFileAtomically(path_, Serialise(doc));
        return;
    }
    const std::size_t end = SectionEnd(doc, *header);
    std::size_t insertAt = *header + 1;                  // after the last key line, so blank lines
    for (std::size_t i = *header + 1; i < end; ++i) {    // and comments before the
        const Entry entry = Classify(doc.lines[i].text); // next section stay there
        if (entry.kind != Kind::Key)
            continue;
        if (SameName(entry.name, key)) {
            if (entry.value == value)
                return; // unchanged: the file is not touched, as on Windows
            doc.lines[i].text = entry.name + "=" + value;
            ReplaceFileAtomically(path_, Serialise(doc));
            return;
        }
        insertAt = i + 1;
    }
    if (insertAt == doc.lines.size())
        EndLastLine(doc);
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                     Line{key + "=" + value, doc.newline});
    ReplaceFileAtomically(path_, Serialise(doc));
}

void ProfileFile::WriteWhole(const std::string& section, const std::string& key,
                             const std::string& value) {
    const bool blankEnd = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
    const bool quoted = Unquote(value).size() != value.size();
    WriteString(section, key, blankEnd || quoted ? "\"" + value + "\"" : value);
}

void ProfileFile::EraseSection(const std::string& section) {
    Document doc = LoadForChange(path_);
    bool changed = false;
    // Every section of that name goes, so that a shadowed duplicate does not
    // come to light as the backup once the first one is erased.
    while (const std::optional<std::size_t> header = FindSection(doc, section)) {
        const std::size_t end = SectionEnd(doc, *header);
        const bool toEnd = end == doc.lines.size();
        doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(*header),
                        doc.lines.begin() + static_cast<std::ptrdiff_t>(end));
        // The blank line that separated the erased last section goes with it.
        while (toEnd && !doc.lines.empty() && Trim(doc.lines.back().text).empty())
            doc.lines.pop_back();
        changed = true;
    }
    if (changed)
        ReplaceFileAtomically(path_, Serialise(doc));
}

void ProfileFile::DeleteKey(const std::string& section, const std::string& key) {
    Document doc = LoadForChange(path_);
    bool changed = false;
    // The key goes from every section of that name and every duplicate line,
    // so that no shadowed copy comes to light in its place.
    for (std::size_t i = 0; i < doc.lines.size();) {
        const Entry entry = Classify(doc.lines[i].text);
        if (entry.kind == Kind::Section) {
            const std::size_t end = SectionEnd(doc, i);
            if (!SameName(entry.name, section)) {
                i = end;
                continue;
            }
            std::size_t stop = end;
            for (std::size_t k = i + 1; k < stop;) {
                const Entry inner = Classify(doc.lines[k].text);
                if (inner.kind == Kind::Key && SameName(inner.name, key)) {
                    doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(k));
                    --stop;
                    changed = true;
                } else {
                    ++k;
                }
            }
            i = stop;
            continue;
        }
        ++i;
    }
    if (changed)
        ReplaceFileAtomically(path_, Serialise(doc));
}

}  // namespace velnora
