// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProfileFile.h"
#include "../support/ExpectMessage.h"

#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

using ProfileFileTest = TempFolderTest;

struct ReadCase {
    const char* what;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST_F(ProfileFileTest, ReadsAsTheWindowsReaderDoes) {
    const std::string longValue(3000, 'v');
    const ReadCase cases[] = {
        {"plain", "[image]\npath=/a/b.jpg\n", "image", "path", "/a/b.jpg"},
        {"double quotes removed", "[image]\npath=\"/a b/c.jpg\"\n", "image", "path", "/a b/c.jpg"},
        {"single quotes removed", "[image]\npath='x'\n", "image", "path", "x"},
        {"blanks inside quotes kept", "[s]\nk=\"  x  \"\n", "s", "k", "  x  "},
        {"only one pair removed", "[s]\nk=\"\"x\"\"\n", "s", "k", "\"x\""},
        {"unmatched quotes kept", "[s]\nk=\"x'\n", "s", "k", "\"x'"},
        {"lone quote kept", "[s]\nk=\"\n", "s", "k", "\""},
        {"empty quotes", "[s]\nk=\"\"\n", "s", "k", ""},
        {"empty value is present", "[oldwallpaper]\nWallpaper=\n", "oldwallpaper", "Wallpaper", ""},
        {"blanks and tabs trimmed", "  [ image ]  \n \t path \t=\t /x.bmp \t\n", "image", "path",
         "/x.bmp"},
        {"section case", "[IMAGE]\npath=1\n", "image", "path", "1"},
        {"key case", "[image]\nPaTh=1\n", "Image", "PATH", "1"},
        {"first key wins", "[s]\nk=first\nK=second\n", "s", "k", "first"},
        {"first section wins", "[s]\na=1\n[S]\na=2\nb=3\n", "s", "a", "1"},
        {"shadowed section unseen", "[s]\na=1\n[S]\nb=3\n", "s", "b", std::nullopt},
        {"comment ignored", "[s]\n;k=1\n  ; k=2\nk=3\n", "s", "k", "3"},
        {"line without equals ignored", "[s]\nk\nk=4\n", "s", "k", "4"},
        {"keys before any section ignored", "k=1\n[s]\n", "s", "k", std::nullopt},
        {"equals in value kept", "[s]\nk=a=b\n", "s", "k", "a=b"},
        {"semicolon in value kept", "[s]\nk=a;b\n", "s", "k", "a;b"},
        {"CRLF", "[s]\r\nk=v\r\nj=w\r\n", "s", "j", "w"},
        {"CR alone", "[s]\rk=v\rj=w\r", "s", "j", "w"},
        {"no last line end", "[s]\nk=v", "s", "k", "v"},
        {"byte order mark", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
        {"section without bracket is none", "[s]\nk=1\n[t\nj=2\n", "s", "j", "2"},
        {"text after bracket ignored", "[s] ; note\nk=1\n", "s", "k", "1"},
        {"next section ends keys", "[s]\n[t]\nk=1\n", "s", "k", std::nullopt},
        {"missing section", "[s]\nk=1\n", "t", "k", std::nullopt},
        {"missing key", "[s]\nk=1\n", "s", "j", std::nullopt},
        {"bytes unchanged", "[s]\nk=\xC7\xE1\xE3\xFF\n", "s", "k", "\xC7\xE1\xE3\xFF"},
        {"long value cut to 2047", "[s]\nk=" + longValue + "\n", "s", "k",
         longValue.substr(0, 2047)},
        {"long quoted value unquoted first", "[s]\nk=\"" + longValue + "\"\n", "s", "k",
         longValue.substr(0, 2047)},
    };
    for (const ReadCase& c : cases) {
        const ProfileFile file(Write("case.ini", c.file));
        EXPECT_EQ(file.Read(c.section, c.key), c.expected) << c.what;
    }
}

TEST_F(ProfileFileTest, MissingFileReadsDefaults) {
    const ProfileFile file(PathOf("absent.INI"));
    EXPECT_EQ(file.Read("image", "path"), std::nullopt);
    EXPECT_EQ(file.ReadString("image", "path", "fallback"), "fallback");
    EXPECT_EQ(file.ReadInteger("distance", "leftright", 30), 30);
    EXPECT_TRUE(file.ReadBool("months", "next", true));
    EXPECT_TRUE(file.Keys("image").empty());
    EXPECT_FALSE(fs::exists(PathOf("absent.INI")));
}

TEST_F(ProfileFileTest, FolderInsteadOfFileReadsDefaults) {
    fs::create_directory(PathOf("dir.INI"));
    EXPECT_EQ(ProfileFile(PathOf("dir.INI")).ReadInteger("s", "k", 7), 7);
}

TEST_F(ProfileFileTest, IntegersAndBooleans) {
    struct Case {
        const char* value;
        int32_t expected;
    };
    const Case integers[] = {
        {"30", 30},
        {" 30 ", 30},
        {"+4", 4},
        {"-5", -5},
        {"0xFF", 255},
        {"0XfF", 255},
        {"$10", 16},
        {"x10", 16},
        {"\"7\"", 7},
        {"0xFFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"2147483648", -99},
        {"yes", -99},
        {"", -99},
        {"12abc", -99},
        {"0x", -99},
        {"1 2", -99},
        {"1.5", -99},
    };
    for (const Case& c : integers) {
        const ProfileFile file(Write("int.ini", std::string("[s]\nk=") + c.value + "\n"));
        EXPECT_EQ(file.ReadInteger("s", "k", -99), c.expected) << c.value;
    }
    struct BoolCase {
        const char* value;
        bool fallback;
        bool expected;
    };
    const BoolCase booleans[] = {
        {"1", false, true},  {"0", true, false},    {"2", false, true}, {"-1", false, true},
        {"yes", true, true}, {"yes", false, false}, {"", true, true},   {"0x0", true, false},
    };
    for (const BoolCase& c : booleans) {
        const ProfileFile file(Write("bool.ini", std::string("[s]\nk=") + c.value + "\n"));
        EXPECT_EQ(file.ReadBool("s", "k", c.fallback), c.expected) << c.value;
    }
}

TEST_F(ProfileFileTest, KeysInFileOrderFirstOfDuplicates) {
    const ProfileFile file(
        Write("keys.ini", "[oldwallpaper]\nWallpaper=a\n;c=1\nTileWallpaper=0\nwallpaper=b\nX=\n"));
    EXPECT_EQ(file.Keys("OLDWALLPAPER"),
              (std::vector<std::string>{"Wallpaper", "TileWallpaper", "X"}));
}

struct WriteCase {
    const char* what;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

TEST_F(ProfileFileTest, WritesKeepEveryOtherLine) {
    const WriteCase cases[] = {
        {"new file", "", "s", "k", "v", "[s]\nk=v\n"},
        {"replace in place, comments and order kept",
         "; mine\n[a]\nx=1\n; keep\n[s]\nk = old ; not a comment\nz=2\n", "s", "K", "new",
         "; mine\n[a]\nx=1\n; keep\n[s]\nk=new\nz=2\n"},
        {"key added after the section's last key", "[s]\nk=1\n\n; about t\n[t]\nj=2\n", "s", "n",
         "3", "[s]\nk=1\nn=3\n\n; about t\n[t]\nj=2\n"},
        {"key added to an empty section", "[s]\n\n[t]\n", "S", "n", "3", "[s]\nn=3\n\n[t]\n"},
        {"new section at the end", "[s]\nk=1\n", "t", "j", "2", "[s]\nk=1\n\n[t]\nj=2\n"},
        {"new section after a last line without end", "[s]\nk=1", "t", "j", "2",
         "[s]\nk=1\n\n[t]\nj=2\n"},
        {"key after a last line without end", "[s]\nk=1", "s", "j", "2", "[s]\nk=1\nj=2\n"},
        {"CRLF kept", "[s]\r\nk=1\r\n", "s", "j", "2", "[s]\r\nk=1\r\nj=2\r\n"},
        {"CR kept", "[s]\rk=1\r", "t", "j", "2", "[s]\rk=1\r\r[t]\rj=2\r"},
        {"first of duplicate keys written", "[s]\nk=1\nk=2\n", "s", "k", "3", "[s]\nk=3\nk=2\n"},
        {"first of duplicate sections written", "[s]\nk=1\n[s]\nj=2\n", "s", "j", "3",
         "[s]\nk=1\nj=3\n[s]\nj=2\n"},
        {"byte order mark kept", "\xEF\xBB\xBF[s]\nk=1\n", "s", "k", "2", "\xEF\xBB\xBF[s]\nk=2\n"},
        {"bytes unchanged", "[s]\nk=1\n", "s", "k", "\xC7\xE1\xFF", "[s]\nk=\xC7\xE1\xFF\n"},
    };
    for (const WriteCase& c : cases) {
        const std::string path = PathOf("write.ini");
        fs::remove(path);
        if (!c.before.empty())
            Write("write.ini", c.before);
        ProfileFile file(path);
        file.WriteString(c.section, c.key, c.value);
        EXPECT_EQ(ReadWholeFile(path), c.after) << c.what;
    }
}

TEST_F(ProfileFileTest, EraseSectionRemovesItsLinesOnly) {
    const std::string path =
        Write("erase.ini", "[a]\nx=1\n\n[oldwallpaper]\nWallpaper=w\nTileWallpaper=0\n\n[b]\ny=2\n"
                           "[OldWallpaper]\nWallpaper=shadow\n");
    ProfileFile file(path);
    file.EraseSection("oldwallpaper");
    EXPECT_EQ(ReadWholeFile(path), "[a]\nx=1\n\n[b]\ny=2\n");
    EXPECT_FALSE(file.HasKey("oldwallpaper", "Wallpaper"));

    const std::string atEnd = Write("end.ini", "[a]\nx=1\n\n[oldwallpaper]\nWallpaper=\n");
    ProfileFile(atEnd).EraseSection("oldwallpaper");
    EXPECT_EQ(ReadWholeFile(atEnd), "[a]\nx=1\n");
}

TEST_F(ProfileFileTest, WholeReadGivesBackLongValues) {
    // A wallpaper under a long Persian path: its file URI is 2449 characters.
    std::string uri = "file:///home/u/";
    while (uri.size() < 2449)
        uri += "%D8%AA";
    uri.resize(2449);
    ProfileFile file(PathOf("whole.ini"));
    file.WriteString("oldwallpaper", "picture-uri", uri);
    EXPECT_EQ(file.ReadWhole("oldwallpaper", "picture-uri"), uri);
    EXPECT_EQ(file.Read("oldwallpaper", "picture-uri"), uri.substr(0, 2047));
    EXPECT_EQ(file.ReadWhole("oldwallpaper", "picture-options"), std::nullopt);

    // What the reader would trim or unquote is kept inside quotes.
    for (const std::string& value :
         {uri, std::string(" lead"), std::string("trail\t"), std::string("\"both\""),
          std::string("'single'"), std::string("\"\""), std::string("\""), std::string("a \"b\""),
          std::string("")}) {
        file.WriteWhole("oldwallpaper", "Wallpaper", value);
        EXPECT_EQ(file.ReadWhole("oldwallpaper", "Wallpaper"), value) << value;
    }
    file.WriteWhole("oldwallpaper", "Wallpaper", "/pics/a b.jpg");
    EXPECT_EQ(ReadWholeFile(file.Path()),
              "[oldwallpaper]\npicture-uri=" + uri + "\nWallpaper=/pics/a b.jpg\n");
}

TEST_F(ProfileFileTest, DeleteKeyRemovesEveryCopyOfThatKeyOnly) {
    const std::string path = Write("delete.ini", "[oldwallpaper]\nWallpaper=w\nRestoring=1\n"
                                                 "RESTORING=2\n\n[b]\nRestoring=keep\n"
                                                 "[OldWallpaper]\nrestoring=shadow\n");
    ProfileFile file(path);
    file.DeleteKey("oldwallpaper", "Restoring");
    EXPECT_EQ(ReadWholeFile(path),
              "[oldwallpaper]\nWallpaper=w\n\n[b]\nRestoring=keep\n[OldWallpaper]\n");
    EXPECT_FALSE(file.HasKey("oldwallpaper", "Restoring"));

    // Nothing to delete: the file is not rewritten.
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_NO_THROW(file.DeleteKey("oldwallpaper", "Restoring"));
    fs::permissions(path, fs::perms::owner_all);
}

TEST_F(ProfileFileTest, UnchangedWritesLeaveTheFileAlone) {
    const std::string path = Write("same.ini", "[s]\nk = 1\n");
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    ProfileFile file(path);
    file.WriteString("s", "k", "1");
    file.EraseSection("absent");
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(ReadWholeFile(path), "[s]\nk = 1\n");

    ProfileFile(PathOf("never.ini")).EraseSection("s");
    EXPECT_FALSE(fs::exists(PathOf("never.ini")));
}

TEST_F(ProfileFileTest, WriteKeepsModeAndLeavesNoTemporaryFile) {
    const std::string path = Write("mode.ini", "[s]\nk=1\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ProfileFile file(path);
    file.WriteString("s", "k", "2");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(ProfileFileTest, MissingFoldersAreCreated) {
    ProfileFile file(PathOf("config/velnora/velnora.INI"));
    file.WriteString("image", "path", "");
    EXPECT_EQ(ReadWholeFile(file.Path()), "[image]\npath=\n");
}

TEST_F(ProfileFileTest, SymbolicLinkIsFollowed) {
    const std::string target = Write("target.ini", "[s]\nk=1\n");
    const std::string link = PathOf("link.ini");
    fs::create_symlink(target, link);
    ProfileFile(link).WriteString("s", "k", "2");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(target), "[s]\nk=2\n");
}

TEST_F(ProfileFileTest, RefusedWritesThrowAndChangeNothing) {
    const std::string readOnly = Write("readonly.ini", "[s]\nk=1\n");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    fs::create_directory(PathOf("folder.INI"));
    Write("plain", "x");
    const struct {
        std::string path;
        const char* reason; // the system's, after the message
    } refused[] = {
        {readOnly, "Permission denied"},                         // no write bit: even for root
        {PathOf("folder.INI"), "Is a directory"},                // where the file should be
        {PathOf("plain/under-a-file.INI"), "Not a directory"},   // a file where a folder should be
        {"/proc/velnora-test.INI", "No such file or directory"}, // takes no new files
    };
    for (const auto& [path, reason] : refused) {
        ProfileFile file(path);
        ExpectMessage([&] { file.WriteString("s", "k", "2"); },
                      "Unable to write to " + path + ". " + reason);
        // Erasing from a file that does not exist changes nothing, so writes nothing.
        if (path != "/proc/velnora-test.INI") {
            EXPECT_THROW(file.EraseSection("s"), std::runtime_error) << path;
        }
    }
    EXPECT_EQ(ReadWholeFile(readOnly), "[s]\nk=1\n");
    EXPECT_FALSE(fs::exists("/proc/velnora-test.INI"));
}

// The write as an ordinary user: root writes into any folder, so as root the
// write runs in a child process that has given up root for "nobody" (65534).
std::string ErrorAsOrdinaryUser(const std::string& path) {
    const auto attempt = [&]() -> std::string {
        try {
            ProfileFile(path).WriteString("s", "k", "2");
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return "";
    };
    if (::geteuid() != 0)
        return attempt();
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string message = "cannot become nobody";
        if (::setgid(65534) == 0 && ::setuid(65534) == 0)
            message = attempt();
        (void)!::write(pipeEnds[1], message.data(), message.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string message;
    char buffer[256];
    ssize_t got;
    while ((got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        message.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return message;
}

TEST_F(ProfileFileTest, ReadOnlyFolderRefuses) {
    // The file itself may be written by anyone: only the folder stands in the way.
    const std::string path = Write("ro.ini", "[s]\nk=1\n");
    fs::permissions(path, fs::perms::all);
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec);
    EXPECT_EQ(ErrorAsOrdinaryUser(path), "Unable to write to " + path + ". Permission denied");
    fs::permissions(folder_, fs::perms::owner_all);
    EXPECT_EQ(ReadWholeFile(path), "[s]\nk=1\n");
}

TEST_F(ProfileFileTest, LineBreaksCannotForgeLines) {
    const std::string path = Write("inject.ini", "[image]\npath=a\n");
    ProfileFile file(path);
    EXPECT_THROW(file.WriteString("image", "path", "x\n[oldwallpaper]\nWallpaper=y"),
                 std::runtime_error);
    EXPECT_THROW(file.WriteString("image", "pa=th", "x"), std::runtime_error);
    EXPECT_THROW(file.WriteString("ima\rge", "path", "x"), std::runtime_error);
    EXPECT_EQ(ReadWholeFile(path), "[image]\npath=a\n");
}

} // namespace
