// SPDX-License-Identifier: GPL-3.0-or-later

#include "RefreshTimer.h"
#include "Autostart.h"
#include "ProgramRuns.h"

#include <glib.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <sys/wait.h>
#include <vector>

using namespace velnora;

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class RefreshTimerTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ScopedEnv config{"XDG_CONFIG_HOME", folder / "config"};
    // No user manager of the machine's is asked anything.
    ScopedEnv bus{"DBUS_SESSION_BUS_ADDRESS", std::nullopt};
    ScopedEnv runtime{"XDG_RUNTIME_DIR", std::nullopt};
    const std::string units = folder / "config/systemd/user";
    const std::string timer = units + "/velnora-refresh.timer";
    const std::string service = units + "/velnora-refresh.service";
    const std::string link = units + "/timers.target.wants/velnora-refresh.timer";

    // systemd-analyze's verdict on both units: "" when it has nothing to say.
    std::string Verify() {
        const Ran ran = RunProgram({"systemd-analyze", "--user", "verify", timer, service},
                                   {{"HOME", folder.Path()}, {"XDG_RUNTIME_DIR", folder.Path()}});
        return ran.status == 0 ? ran.output : "status " + std::to_string(ran.status) + ran.output;
    }
};

TEST_F(RefreshTimerTest, SwitchingOnWritesTheUnitsAndTheLinkAndOffRemovesThem) {
    SetLogonRedrawFor("Velnora", 1, "/opt/velnora/velnora");
    EXPECT_EQ(ReadWholeFile(service),
              "[Unit]\n"
              "Description=Velnora: redraw the wallpaper calendar for today\n"
              "ConditionFileIsExecutable=/opt/velnora/velnora\n"
              "\n"
              "[Service]\n"
              "Type=oneshot\n"
              "ExecStart=/opt/velnora/velnora refresh\n");
    const std::string timerText = ReadWholeFile(timer);
    EXPECT_THAT(timerText, HasSubstr("\n[Timer]\nOnCalendar=*-*-* 00:00:10\nPersistent=true\n"));
    EXPECT_THAT(timerText, HasSubstr("\n[Install]\nWantedBy=timers.target\n"));
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), timer);
    // Written again unchanged; the autostart entry stays beside the timer.
    SetLogonRedrawFor("Velnora", 1, "/opt/velnora/velnora");
    EXPECT_TRUE(fs::exists(folder / "config/autostart/Velnora.desktop"));
    EXPECT_EQ(fs::read_symlink(link), timer);

    SetLogonRedrawFor("Velnora", 0, "/opt/velnora/velnora");
    for (const std::string& gone : {timer, service, link})
        EXPECT_FALSE(fs::exists(fs::symlink_status(gone))) << gone;
    EXPECT_NO_THROW(SetLogonRedrawFor("Velnora", 0, "/opt/velnora/velnora"));
    SetRefreshTimer(2, "/opt/velnora/velnora");
    EXPECT_FALSE(fs::exists(timer));
}

TEST_F(RefreshTimerTest, SystemdAcceptsTheUnitsForEveryPath) {
    for (const char* name : OddFolders) {
        const std::string program = folder / name + "/velnora";
        MakeRecordingProgram(program, folder / "record");
        SetRefreshTimer(1, program);
        // verify also reads the executable's path back and finds the program.
        EXPECT_EQ(Verify(), "") << name;
    }
}

TEST_F(RefreshTimerTest, TheTimerElapsesTenSecondsAfterTheNextMidnight) {
    SetRefreshTimer(1, "/opt/velnora/velnora");
    const std::string text = ReadWholeFile(timer);
    const std::size_t start = text.find("OnCalendar=") + 11;
    const std::string onCalendar = text.substr(start, text.find('\n', start) - start);
    const std::time_t before = std::time(nullptr);
    const Ran ran = RunProgram({"systemd-analyze", "calendar", onCalendar});
    ASSERT_EQ(ran.status, 0) << ran.output;
    // The day after today, or today in the ten seconds after midnight.
    std::tm now{};
    localtime_r(&before, &now);
    std::tm next = now;
    if (now.tm_hour != 0 || now.tm_min != 0 || now.tm_sec >= 10)
        ++next.tm_mday;
    next.tm_hour = 0;
    next.tm_min = 0;
    next.tm_sec = 10;
    next.tm_isdst = -1;
    const std::time_t elapse = std::mktime(&next);
    std::tm shown{};
    localtime_r(&elapse, &shown);
    char expected[64];
    std::strftime(expected, sizeof expected, "Next elapse: %a %Y-%m-%d %H:%M:%S", &shown);
    EXPECT_THAT(ran.output, HasSubstr(expected));
}

TEST_F(RefreshTimerTest, UnitsThatCannotBeWrittenAreRefused) {
    fs::create_directories(service); // a folder holds the unit's name
    ExpectMessage([&] { SetRefreshTimer(1, "/opt/velnora/velnora"); },
                  "Failed to set data for 'velnora-refresh.service'");
    fs::remove(service);
    WriteWholeFile(units + "/timers.target.wants", "a file where the folder should be");
    ExpectMessage([&] { SetRefreshTimer(1, "/opt/velnora/velnora"); },
                  "Failed to set data for 'velnora-refresh.timer'");
    // A path that is not UTF-8 text cannot stand in a unit file.
    fs::remove_all(units);
    ExpectMessage([&] { SetRefreshTimer(1, "/tmp/\xff/velnora"); },
                  "Failed to set data for 'velnora-refresh.service'");
    EXPECT_FALSE(fs::exists(service));
}

TEST_F(RefreshTimerTest, FolderThatCannotBeMadeIsSilent) {
    WriteWholeFile(folder / "config", "a file where the folder should be");
    EXPECT_NO_THROW(SetRefreshTimer(1, "/opt/velnora/velnora"));
    EXPECT_NO_THROW(SetRefreshTimer(0, "/opt/velnora/velnora"));
}

// With a user manager of the test's own, started by tests/e2e/refresh-timer.sh
// for the same XDG_CONFIG_HOME; skipped otherwise.
class RefreshTimerManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::getenv("VELNORA_TEST_USER_MANAGER") == nullptr)
            GTEST_SKIP() << "no user manager of the test's own";
        // The manager's, which the GIO tests' set-up replaced for this program.
        config.emplace("XDG_CONFIG_HOME", std::string(std::getenv("HOME")) + "/.config");
    }
    std::optional<ScopedEnv> config;
    static std::string Systemctl(const std::vector<std::string>& arguments) {
        std::vector<std::string> command = {"systemctl", "--user"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return RunProgram(command).output;
    }
    // The timer's state once the manager's job for it is done (the program
    // does not wait for it). Up to 60 s: a bound for a busy machine, not a
    // measure of speed.
    static std::string TimerState() {
        for (int i = 0; i < 600; ++i) {
            if (Systemctl({"list-jobs", "velnora-refresh.timer"}).find("No jobs") == 0)
                break;
            g_usleep(100000);
        }
        return Systemctl({"is-active", "velnora-refresh.timer"});
    }
};

TEST_F(RefreshTimerManagerTest, SwitchingOnStartsTheTimerThatRunsExactlyThatProgram) {
    const std::string record = std::string(std::getenv("VELNORA_TEST_RECORD"));
    for (const char* name : OddFolders) {
        const std::string path =
            std::string(std::getenv("VELNORA_TEST_PROGRAMS")) + "/" + name + "/velnora";
        MakeRecordingProgram(path, record);
        fs::remove(record);

        SetLogonRedrawFor("Velnora", 1, path);
        EXPECT_EQ(TimerState(), "active\n") << name;
        EXPECT_EQ(Systemctl({"is-enabled", "velnora-refresh.timer"}), "enabled\n") << name;
        // The service as the timer starts it: the very program, with "refresh".
        EXPECT_EQ(Systemctl({"start", "velnora-refresh.service"}), "") << name;
        EXPECT_EQ(ReadWholeFile(record), path + "\nrefresh\n") << name;

        SetLogonRedrawFor("Velnora", 0, path);
        EXPECT_EQ(TimerState(), "inactive\n") << name;
        EXPECT_THAT(Systemctl({"list-unit-files", "velnora-refresh.*"}),
                    HasSubstr("0 unit files listed."));
    }
}

// The program removed while the calendar is on: the nightly run is skipped,
// and nothing shows as failed.
TEST_F(RefreshTimerManagerTest, RemovedProgramLeavesTheServiceSkippedNotFailed) {
    const std::string path = std::string(std::getenv("VELNORA_TEST_PROGRAMS")) + "/gone/velnora";
    MakeRecordingProgram(path, std::getenv("VELNORA_TEST_RECORD"));
    SetLogonRedrawFor("Velnora", 1, path);
    fs::remove(path);
    fs::remove(std::getenv("VELNORA_TEST_RECORD"));
    EXPECT_EQ(Systemctl({"start", "velnora-refresh.service"}), "");
    EXPECT_EQ(Systemctl({"is-failed", "velnora-refresh.service"}), "inactive\n");
    EXPECT_FALSE(fs::exists(std::getenv("VELNORA_TEST_RECORD")));
    SetLogonRedrawFor("Velnora", 0, path);
}

TEST_F(RefreshTimerManagerTest, UnitsWrittenOutOfTheManagersReachStartAtTheNextRun) {
    const std::string path = std::string(std::getenv("VELNORA_TEST_PROGRAMS")) + "/later/velnora";
    MakeRecordingProgram(path, std::getenv("VELNORA_TEST_RECORD"));
    {
        ScopedEnv noBus{"DBUS_SESSION_BUS_ADDRESS", std::nullopt};
        ScopedEnv noRuntime{"XDG_RUNTIME_DIR", std::nullopt};
        SetLogonRedrawFor("Velnora", 1, path);
    }
    // Looked up before the manager read the unit: it is "not found" to it now.
    EXPECT_EQ(TimerState(), "inactive\n");
    SetLogonRedrawFor("Velnora", 1, path);
    EXPECT_EQ(TimerState(), "active\n");
    SetLogonRedrawFor("Velnora", 0, path);
    EXPECT_EQ(TimerState(), "inactive\n");
}

} // namespace
