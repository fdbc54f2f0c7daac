// SPDX-License-Identifier: GPL-3.0-or-later

#include "Autostart.h"
#include "ProgramPaths.h"
#include "ProgramRuns.h"

#include <glib.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace velnora;

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

// systemd's own reader of autostart entries, run for the units of a logon.
constexpr const char* Generator =
    "/usr/lib/systemd/user-generators/systemd-xdg-autostart-generator";

// Waits for a file that a started program writes, up to 30 s: a bound for a
// busy machine, not a measure of speed.
bool Appears(const std::string& path) {
    for (int i = 0; i < 300 && !std::filesystem::exists(path); ++i)
        g_usleep(100000);
    return std::filesystem::exists(path);
}

class AutostartPathTest : public AutostartTest, public ::testing::WithParamInterface<const char*> {
  protected:
    // What systemd makes of the entry at logon: the generated unit checked by
    // systemd-analyze ("" when accepted), or "no unit".
    std::string GeneratedUnitVerdict() {
        const std::string units = folder / "generated";
        std::filesystem::remove_all(units);
        std::filesystem::create_directories(units);
        RunProgram({Generator, units, units, units},
                   {{"XDG_CONFIG_HOME", folder / "config"}, {"XDG_CONFIG_DIRS", folder / "none"}});
        const std::string unit = units + "/app-Velnora@autostart.service";
        if (!std::filesystem::exists(unit))
            return "no unit";
        const Ran ran = RunProgram({"systemd-analyze", "--user", "verify", unit},
                                   {{"HOME", folder.Path()}, {"XDG_RUNTIME_DIR", folder.Path()}});
        return ran.status == 0 ? ran.output : "status " + std::to_string(ran.status) + ran.output;
    }
};

// Every reader of the entry runs this very program: desktop-file-validate has
// nothing to say, GIO launches it, systemd's generator makes a unit systemd
// takes; once the program is gone, TryExec hides the entry from both.
TEST_P(AutostartPathTest, EveryReaderRunsThisVeryPathAndNothingOnceItIsGone) {
    const std::string program = folder / GetParam() + "/velnora";
    const std::string record = folder / "record";
    MakeRecordingProgram(program, record);
    SetLogonRedrawFor("Velnora", 1, program);
    EXPECT_EQ(Validate(entry), "");
    EXPECT_THAT(ParseExec(ExecLine(entry)), ElementsAre(program, "start"));
    EXPECT_EQ(RunProgram({"gio", "launch", entry}).output, "");
    EXPECT_TRUE(Appears(record));
    EXPECT_EQ(ReadWholeFile(record), program + "\nstart\n");
    if (std::filesystem::exists(Generator))
        EXPECT_EQ(GeneratedUnitVerdict(), "");

    std::filesystem::remove(program);
    EXPECT_NE(RunProgram({"gio", "launch", entry}).status, 0);
    if (std::filesystem::exists(Generator))
        EXPECT_EQ(GeneratedUnitVerdict(), "no unit");
}

INSTANTIATE_TEST_SUITE_P(Paths, AutostartPathTest, ::testing::ValuesIn(OddFolders));

// A path that a reader would not give back as it stands is refused before
// anything is written, naming the character.
TEST_F(AutostartTest, PathAReaderCannotTakeIsRefusedNamingTheCharacter) {
    const struct {
        std::string path;
        const char* what;
    } rows[] = {
        {"/tmp/100%/velnora", "holds '%'"},
        {"/tmp/back\\slash/velnora", "holds '\\'"},
        {"/tmp/it's=x/velnora", "holds '''"},
        {"/tmp/\"q\"/velnora", "holds '\"'"},
        {"/tmp/`id`/velnora", "holds '`'"},
        {"/tmp/$HOME/velnora", "holds '$'"},
        {"/tmp/tab\there/velnora", "holds the control character U+0009"},
        {"/tmp/\xff/velnora", "is not UTF-8 text"},
    };
    for (const auto& row : rows)
        ExpectMessage([&] { SetLogonRedrawFor("Velnora", 1, row.path); },
                      "Cannot switch on the calendar: the program's path \"" + row.path + "\" " +
                          row.what +
                          ", which the logon entry cannot hold. Move the program to a folder "
                          "whose name does not.");
    EXPECT_FALSE(std::filesystem::exists(folder / "config"));
}

TEST_F(AutostartTest, PlainPathIsWrittenAsItStands) {
    SetLogonRedrawFor("Velnora", 1, "/opt/velnora/velnora");
    EXPECT_EQ(ExecLine(entry), "/opt/velnora/velnora start");
    EXPECT_EQ(AutostartCommand("/opt/a b/velnora"), "\"/opt/a b/velnora\" start");
}

TEST_F(AutostartTest, ModeZeroRemovesAndIsSilentWhenMissing) {
    EXPECT_NO_THROW(SetLogonRedrawFor("Velnora", 0, "/opt/velnora/velnora"));
    EXPECT_FALSE(
        std::filesystem::exists(folder / "config/autostart")); // nothing made for a removal
    SetLogonRedrawFor("Velnora", 1, "/opt/velnora/velnora");
    SetLogonRedrawFor("Velnora", 0, "/opt/velnora/velnora");
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_NO_THROW(SetLogonRedrawFor("Velnora", 0, "/opt/velnora/velnora"));
}

TEST_F(AutostartTest, OtherModesDoNothing) {
    SetLogonRedrawFor("Velnora", 1, "/opt/velnora/velnora");
    SetLogonRedrawFor("Velnora", 2, "/elsewhere/velnora");
    EXPECT_EQ(ExecLine(entry), "/opt/velnora/velnora start");
    SetLogonRedrawFor("Velnora", 0, "/opt/velnora/velnora");
    SetLogonRedrawFor("Velnora", 7, "/elsewhere/velnora");
    EXPECT_FALSE(std::filesystem::exists(entry));
}

TEST_F(AutostartTest, RewriteReplacesTheEntry) {
    SetLogonRedrawFor("Velnora", 1, "/old/velnora");
    SetLogonRedrawFor("Velnora", 1, "/new place/velnora");
    EXPECT_THAT(ParseExec(ExecLine(entry)), ElementsAre("/new place/velnora", "start"));
}

TEST_F(AutostartTest, FolderThatCannotBeMadeIsSilent) {
    WriteWholeFile(folder / "config", "a file where the folder should be");
    EXPECT_NO_THROW(SetLogonRedrawFor("Velnora", 1, "/opt/velnora/velnora"));
    EXPECT_NO_THROW(SetLogonRedrawFor("Velnora", 0, "/opt/velnora/velnora"));
}

TEST_F(AutostartTest, RefusedWriteNamesTheValue) {
    std::filesystem::create_directories(entry); // a folder holds the entry's name
    ExpectMessage([&] { SetLogonRedrawFor("Velnora", 1, "/opt/velnora/velnora"); },
                  "Failed to set data for 'Velnora'");
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
        SetLogonRedraw("Velnora", 1);
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
    SetLogonRedraw("Velnora", 1);
    EXPECT_THAT(ParseExec(ExecLine(entry)), ElementsAre(ExecutablePath(), "start"));
    EXPECT_THAT(ExecutablePath(), HasSubstr("test_platform"));
}

} // namespace
