// SPDX-License-Identifier: GPL-3.0-or-later

#include "Autostart.h"
#include "ProgramPaths.h"
#include "TestSupport.h"

#include <glib.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The Exec key read back by the Desktop Entry rules, independently of the
// writer: first the string escapes of the value, then the quoting of the
// arguments, then the field code %% in each argument.
std::vector<std::string> ParseExec(const std::string& written) {
    std::string value;
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] != '\\' || i + 1 == written.size()) {
            value += written[i];
            continue;
        }
        const char next = written[++i];
        value += next == 's'   ? ' '
                 : next == 'n' ? '\n'
                 : next == 't' ? '\t'
                 : next == 'r' ? '\r'
                               : next;
    }
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < value.size()) {
        if (value[i] == ' ') {
            ++i;
            continue;
        }
        std::string argument;
        if (value[i] == '"') {
            for (++i; i < value.size() && value[i] != '"'; ++i) {
                if (value[i] == '\\' && i + 1 < value.size() &&
                    std::string("\"`$\\").find(value[i + 1]) != std::string::npos)
                    ++i;
                argument += value[i];
            }
            EXPECT_LT(i, value.size()) << "unterminated quote in " << written;
            ++i;
        } else {
            for (; i < value.size() && value[i] != ' '; ++i)
                argument += value[i];
        }
        std::string plain;
        for (std::size_t k = 0; k < argument.size(); ++k) {
            plain += argument[k];
            if (argument[k] == '%' && k + 1 < argument.size() && argument[k + 1] == '%')
                ++k;
        }
        arguments.push_back(plain);
    }
    return arguments;
}

// How GNOME's own launcher reads it: GKeyFile, then the %% field code, then
// shell-like splitting.
std::vector<std::string> ParseExecAsGLib(const std::string& entryPath) {
    GKeyFile* file = g_key_file_new();
    std::vector<std::string> result;
    if (g_key_file_load_from_file(file, entryPath.c_str(), G_KEY_FILE_NONE, nullptr)) {
        gchar* exec = g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr);
        std::string command;
        for (const char* c = exec; c != nullptr && *c != '\0'; ++c) {
            command += *c;
            if (c[0] == '%' && c[1] == '%')
                ++c;
        }
        gchar** argv = nullptr;
        if (g_shell_parse_argv(command.c_str(), nullptr, &argv, nullptr))
            for (gchar** a = argv; *a != nullptr; ++a)
                result.emplace_back(*a);
        g_strfreev(argv);
        g_free(exec);
    }
    g_key_file_free(file);
    return result;
}

std::string ExecLine(const std::string& entry) {
    const std::string text = ReadWholeFile(entry);
    const std::size_t start = text.find("\nExec=");
    if (start == std::string::npos)
        return "";
    return text.substr(start + 6, text.find('\n', start + 1) - start - 6);
}

// desktop-file-validate's verdict: "" when it has nothing to say.
std::string Validate(const std::string& entry) {
    std::string output;
    FILE* pipe = popen(("desktop-file-validate '" + entry + "' 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return "cannot run desktop-file-validate";
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    const int status = pclose(pipe);
    if (status != 0 && output.empty())
        output = "desktop-file-validate failed";
    return output;
}

class AutostartTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ScopedEnv config{"XDG_CONFIG_HOME", folder / "config"};
    const std::string entry = folder / "config/autostart/Velnora.desktop";
};

class AutostartPathTest : public AutostartTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(AutostartPathTest, EntryRunsThisVeryPath) {
    const std::string path = GetParam();
    SetAutoRunFor("Velnora", 1, path);
    ASSERT_TRUE(std::filesystem::exists(entry));
    EXPECT_EQ(Validate(entry), "");
    EXPECT_THAT(ParseExec(ExecLine(entry)), ElementsAre(path, "start"));
    EXPECT_THAT(ParseExecAsGLib(entry), ElementsAre(path, "start"));
    const std::string text = ReadWholeFile(entry);
    EXPECT_THAT(text, HasSubstr("\nType=Application\n"));
    EXPECT_THAT(text, HasSubstr("\nName=Velnora\n"));
    EXPECT_THAT(text, HasSubstr("\nX-GNOME-Autostart-enabled=true\n"));
    // Nothing but the entry: no temporary file left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "config/autostart"),
                            std::filesystem::directory_iterator()),
              1);
}

INSTANTIATE_TEST_SUITE_P(Paths, AutostartPathTest,
                         ::testing::Values("/usr/local/bin/velnora",
                                           "/home/user/My Programs/velnora",
                                           "/tmp/it's \"quoted\"/velnora", "/tmp/$HOME/velnora",
                                           "/tmp/back\\slash/velnora", "/tmp/100%/velnora",
                                           "/tmp/`id`/velnora", "/tmp/tab\there/velnora",
                                           "/tmp/semi;colon&and|pipe<>~*?#()/velnora",
                                           "/tmp/\u0641\u0627\u0631\u0633\u06cc dir/velnora"));

TEST_F(AutostartTest, PlainPathIsWrittenAsItStands) {
    SetAutoRunFor("Velnora", 1, "/opt/velnora/velnora");
    EXPECT_EQ(ExecLine(entry), "/opt/velnora/velnora start");
    EXPECT_EQ(AutostartCommand("/opt/a b/velnora"), "\"/opt/a b/velnora\" start");
}

TEST_F(AutostartTest, ModeZeroRemovesAndIsSilentWhenMissing) {
    EXPECT_NO_THROW(SetAutoRunFor("Velnora", 0, "/opt/velnora/velnora"));
    EXPECT_FALSE(
        std::filesystem::exists(folder / "config/autostart")); // nothing made for a removal
    SetAutoRunFor("Velnora", 1, "/opt/velnora/velnora");
    SetAutoRunFor("Velnora", 0, "/opt/velnora/velnora");
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_NO_THROW(SetAutoRunFor("Velnora", 0, "/opt/velnora/velnora"));
}

TEST_F(AutostartTest, OtherModesDoNothing) {
    SetAutoRunFor("Velnora", 1, "/opt/velnora/velnora");
    SetAutoRunFor("Velnora", 2, "/elsewhere/velnora");
    EXPECT_EQ(ExecLine(entry), "/opt/velnora/velnora start");
    SetAutoRunFor("Velnora", 0, "/opt/velnora/velnora");
    SetAutoRunFor("Velnora", 7, "/elsewhere/velnora");
    EXPECT_FALSE(std::filesystem::exists(entry));
}

TEST_F(AutostartTest, RewriteReplacesTheEntry) {
    SetAutoRunFor("Velnora", 1, "/old/velnora");
    SetAutoRunFor("Velnora", 1, "/new place/velnora");
    EXPECT_THAT(ParseExec(ExecLine(entry)), ElementsAre("/new place/velnora", "start"));
}

TEST_F(AutostartTest, FolderThatCannotBeMadeIsSilent) {
    WriteWholeFile(folder / "config", "a file where the folder should be");
    EXPECT_NO_THROW(SetAutoRunFor("Velnora", 1, "/opt/velnora/velnora"));
    EXPECT_NO_THROW(SetAutoRunFor("Velnora", 0, "/opt/velnora/velnora"));
}

TEST_F(AutostartTest, RefusedWriteNamesTheValue) {
    std::filesystem::create_directories(entry); // a folder holds the entry's name
    ExpectMessage([&] { SetAutoRunFor("Velnora", 1, "/opt/velnora/velnora"); },
                  "Failed to set data for 'Velnora'");
}

TEST_F(AutostartTest, PathAnEntryCannotHoldIsRefused) {
    for (const std::string& path : {std::string("/tmp/\xff/velnora"), std::string("/tmp/\x01/v")})
        ExpectMessage([&] { SetAutoRunFor("Velnora", 1, path); },
                      "Failed to set data for 'Velnora'");
    EXPECT_FALSE(std::filesystem::exists(entry));
}

// The child side of the test below: a copy of this test program that sees its
// own file replaced or removed while it runs, then writes the entry.
TEST(ReplacedProgramChild, WritesTheEntry) {
    const char* action = std::getenv("VELNORA_TEST_REPLACE");
    if (action == nullptr)
        GTEST_SKIP() << "run by ReplacedProgramKeepsItsPath";
    // Passed apart: this program sets XDG_CONFIG_HOME for GIO before main.
    ScopedEnv config("XDG_CONFIG_HOME", std::getenv("VELNORA_TEST_CONFIG"));
    const std::string own = std::filesystem::read_symlink("/proc/self/exe").string();
    const auto replace = [&] {
        std::filesystem::remove(own);
        if (std::string(action) != "remove")
            std::filesystem::copy_file("/bin/true", own);
    };
    if (std::string(action) == "before start")
        replace();
    ExecutablePath(); // as main does first thing
    if (std::string(action) != "before start")
        replace();
    try {
        SetAutoRun("Velnora", 1);
        std::printf("written\n");
    } catch (const std::exception& error) {
        std::printf("%s\n", error.what());
    }
}

// An upgrade or a rebuild replaces the program file while it runs: the entry
// still names the path that starts it, never "<path> (deleted)"; with nothing
// left at that path it is refused rather than written broken.
TEST_F(AutostartTest, ReplacedProgramKeepsItsPath) {
    const struct {
        const char* action;
        const char* output;
        bool entryWritten;
    } rows[] = {
        {"after start", "written", true},
        {"before start", "written", true},
        {"remove", "Failed to set data for 'Velnora'", false},
    };
    for (const auto& row : rows) {
        std::filesystem::remove(entry);
        const std::string program = folder / "my programs/velnora";
        std::filesystem::create_directories(folder / "my programs");
        std::filesystem::remove(program);
        std::filesystem::copy_file("/proc/self/exe", program);
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        const std::string command = "VELNORA_TEST_CONFIG='" + folder / "config" +
                                    "' VELNORA_TEST_REPLACE='" + row.action + "' '" + program +
                                    "' --gtest_filter=ReplacedProgramChild.* --gtest_brief=1";
        std::string output;
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            output += buffer;
        pclose(pipe);
        EXPECT_THAT(output, HasSubstr(std::string(row.output) + "\n")) << row.action;
        EXPECT_EQ(std::filesystem::exists(entry), row.entryWritten) << row.action;
        if (row.entryWritten) {
            EXPECT_THAT(ParseExec(ExecLine(entry)), ElementsAre(program, "start")) << row.action;
        }
    }
}

TEST_F(AutostartTest, RunningProgramRegistersItself) {
    SetAutoRun("Velnora", 1);
    EXPECT_THAT(ParseExec(ExecLine(entry)), ElementsAre(ExecutablePath(), "start"));
    EXPECT_THAT(ExecutablePath(), HasSubstr("test_platform"));
}

} // namespace
