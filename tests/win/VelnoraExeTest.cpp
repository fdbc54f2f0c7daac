// SPDX-License-Identifier: GPL-3.0-or-later
// velnora.exe under Wine, against the prefix's registry, Run key and files:
// the logon run ("start") redraws a calendar that is on, "off" gives the
// user's wallpaper back, and the main window, driven from outside as a user
// would, puts the calendar on and takes it off. The calendar is put on as the window does, through
// the same library calls, over a source picture with a Persian file name.

#include "GdiCanvas.h"
#include "MainControlIds.h"
#include "ProgramPaths.h"
#include "RegistryStore.h"
#include "RunKey.h"
#include "Session.h"
#include "WidePath.h"

#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <vector>

#include <windows.h>
#include <taskschd.h>

using namespace velnora;

namespace {

using Values = std::map<std::string, std::string>;

Values DesktopValues() {
    const auto store = OpenRegistryStore(StoreAccess::Read);
    Values values;
    for (const char* name : WallpaperValueNames)
        values[name] = store->Read(name);
    return values;
}

// The Run value, or nullopt when there is none.
std::optional<std::string> RunValue() {
    wchar_t value[1024];
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     L"Velnora", RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return Utf8Text(value, wcslen(value));
}

// The Task Scheduler's root folder; null when the scheduler does not answer
// within three minutes (Wine's, started with the session, answers a while
// after it says it runs).
ITaskFolder* SchedulerRoot() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ITaskService* service = nullptr;
    CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                     reinterpret_cast<void**>(&service));
    VARIANT local{};
    for (int tries = 0; tries < 1800 && FAILED(service->Connect(local, local, local, local));
         ++tries)
        Sleep(100);
    ITaskFolder* root = nullptr;
    service->GetFolder(SysAllocString(L"\\"), &root);
    return root;
}

// Whether the Task Scheduler has the daily task (Wine's keeps a task's
// settings, but drops its action and trigger and runs none).
bool HasDailyTask() {
    IRegisteredTask* task = nullptr;
    return SUCCEEDED(SchedulerRoot()->GetTask(SysAllocString(L"\\Velnora"), &task));
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

class VelnoraExeTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ASSERT_NE(SchedulerRoot(), nullptr) << "no Task Scheduler";
        std::filesystem::create_directories(folder_ / "program");
        exe_ = folder_ / "program" / "velnora.exe";
        std::filesystem::copy_file(VELNORA_BIN_DIR "/velnora.exe", exe_);
        picture_ = folder_ / L"\u062A\u0635\u0648\u06CC\u0631.jpg"; // تصویر.jpg
        std::filesystem::copy_file(VELNORA_TEST_DATA "/pictures/photo.jpg", picture_);
        const auto store = OpenRegistryStore(StoreAccess::Write);
        const Values users = {{"Wallpaper", Utf8(picture_)}, {"TileWallpaper", "0"},
                              {"WallpaperStyle", "2"}, {"WallpaperOriginX", "0"},
                              {"WallpaperOriginY", "0"}};
        for (const auto& [name, value] : users)
            store->Write(name, value);
        store->Reload();
    }

    // Runs velnora.exe with the argument; its exit status, and its standard
    // output in *said.
    int Run(const std::string& argument, std::string* said = nullptr) {
        return Run(exe_, argument, said);
    }
    int Run(const std::filesystem::path& program, const std::string& argument,
            std::string* said = nullptr) {
        const std::wstring command = L"\"" + program.wstring() + L"\" " + WidePath(argument);
        std::FILE* output = _wpopen(command.c_str(), L"rb");
        char buffer[512];
        std::string text;
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, output)) > 0;)
            text.append(buffer, got);
        if (said)
            *said = text;
        return _pclose(output);
    }

    // Puts the calendar on for the program, as the window's show box does, and
    // takes its picture away again, so that only a redraw brings it back.
    void PutOnWithoutPicture(const std::filesystem::path& program) {
        const Session on{ProgramFilesFor(Utf8(program)), CurrentSharedBackup(), OpenRegistryStore,
                         MakeGdiCanvas, VirtualDesktopSize, SetRunKeyValue};
        ASSERT_TRUE(Redraw(on, Settings{}, GridsForDay(45000, Settings{})).installed);
        ASSERT_TRUE(std::filesystem::remove(program.parent_path() / "Velnora.bmp"));
    }

    std::filesystem::path exe_, picture_;
};

// velnora.exe run without arguments, its main window found once it shows.
class MainWindowRun {
  public:
    explicit MainWindowRun(const std::filesystem::path& program) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + program.wstring() + L"\"";
        const std::wstring folder = program.parent_path().wstring();
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &process_))
            return;
        // Until it shows or the program ends; not a time limit.
        while (!window_ && WaitForSingleObject(process_.hProcess, 50) == WAIT_TIMEOUT)
            EnumWindows(&MainWindowRun::Ours, reinterpret_cast<LPARAM>(this));
    }
    ~MainWindowRun() {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    HWND Window() const { return window_; }
    bool Checked(int id) const {
        return SendMessageW(GetDlgItem(window_, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    // Returns once the click's handler has run. The bound only keeps a window
    // that waits for the user (a message box) from hanging the test run.
    bool Click(int id) const {
        DWORD_PTR result;
        return SendMessageTimeoutW(GetDlgItem(window_, id), BM_CLICK, 0, 0, SMTO_NORMAL, 300000,
                                   &result) != 0;
    }
    // Keys, as the user presses them; the program's exit status once it ended.
    std::optional<DWORD> PressToEnd(const std::vector<WPARAM>& keys) const {
        for (WPARAM key : keys)
            PostMessageW(window_, WM_KEYDOWN, key, 0);
        DWORD status;
        if (WaitForSingleObject(process_.hProcess, 300000) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process_.hProcess, &status))
            return std::nullopt;
        return status;
    }

  private:
    // The visible window titled "Velnora" of this run's process.
    static BOOL CALLBACK Ours(HWND window, LPARAM self) {
        auto* run = reinterpret_cast<MainWindowRun*>(self);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t title[16] = L"";
        GetWindowTextW(window, title, 16);
        if (process != run->process_.dwProcessId || !IsWindowVisible(window) ||
            std::wstring(title) != MainWindowTitle)
            return TRUE;
        run->window_ = window;
        return FALSE;
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// Ticking the show box puts today's calendar on the desktop, as the logon
// run draws it, and the Run value in; clearing it gives the user's wallpaper
// values back exactly and takes the Run value out.
TEST_F(VelnoraExeTest, MainWindowShowBoxPutsTheCalendarOnAndTakesItOff) {
    const Values before = DesktopValues();
    const std::string output = Utf8(folder_ / "program" / "Velnora.bmp");
    MainWindowRun run(exe_);
    ASSERT_NE(run.Window(), nullptr);
    EXPECT_FALSE(run.Checked(IdCHK_show));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(run.Window(), IdBrepaint)));
    // Tab's round, the disabled confirm button and path field skipped.
    const int tabOrder[] = {IdBpreview,    IdBabout,   IdBoptions,    IdBclose,
                            IdCHKprev,     IdCHKnext,  IdR_Top_Right, IdELeftRight,
                            IdETopBottom,  IdccToday,  IdccBack,      IdR_CurrentPicture,
                            IdCHK_Stretch, IdCHK_show, IdBpreview};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(run.Window(),
                                                 GetDlgItem(run.Window(), tabOrder[i - 1]), FALSE)),
                  tabOrder[i])
            << "after control " << tabOrder[i - 1];

    ASSERT_TRUE(run.Click(IdCHK_show));
    EXPECT_EQ(DesktopValues().at("Wallpaper"), output);
    EXPECT_EQ(RunValue(), "\"" + Utf8(exe_) + "\" start");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(run.Window(), IdBrepaint)));
    const std::string drawn = ReadWholeFile(output);
    EXPECT_NE(drawn.size(), 0u);
    EXPECT_EQ(Run("start"), 0);
    EXPECT_TRUE(ReadWholeFile(output) == drawn) << "the logon run draws another picture";

    ASSERT_TRUE(run.Click(IdCHK_show));
    EXPECT_EQ(DesktopValues(), before);
    EXPECT_EQ(RunValue(), std::nullopt);

    // A distance field holds whole numbers only; any other text becomes "0" at once.
    const HWND field = GetDlgItem(run.Window(), IdELeftRight);
    for (const auto& [typed, kept] : {std::pair{L"12a", L"0"}, std::pair{L"$1F", L"$1F"},
                                      std::pair{L" -7", L" -7"}, std::pair{L"5 ", L"0"}}) {
        SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
        wchar_t shown[16] = L"";
        // GetWindowTextW does not ask a control of another program.
        SendMessageW(field, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(shown));
        EXPECT_EQ(std::wstring(shown), kept) << "typed: " << Utf8Text(typed, wcslen(typed));
    }
    // Tab enters the corner group at its chosen button.
    ASSERT_TRUE(run.Click(IdR_Bottom_Left));
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(run.Window(), GetDlgItem(run.Window(), IdCHKnext), FALSE)),
              IdR_Bottom_Left);
    // The keyboard alone: Tab from that button (clicked last) on round to
    // the close button, eleven stops on; Enter presses it.
    std::vector<WPARAM> keys(11, VK_TAB);
    keys.push_back(VK_RETURN);
    EXPECT_EQ(run.PressToEnd(keys), 0u);
}

// A start while the calendar is on comes up with the box ticked, having
// drawn today's calendar before it showed.
TEST_F(VelnoraExeTest, MainWindowStartsTickedWhenTheCalendarIsOn) {
    PutOnWithoutPicture(exe_);
    {
        MainWindowRun run(exe_);
        ASSERT_NE(run.Window(), nullptr);
        EXPECT_TRUE(run.Checked(IdCHK_show));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(run.Window(), IdBrepaint)));
        EXPECT_TRUE(FileExists(Utf8(folder_ / "program" / "Velnora.bmp")));
        EXPECT_EQ(run.PressToEnd({VK_ESCAPE}), 0u);
    }
    EXPECT_EQ(Run("off"), 0);
}

// The prefix's screen scale (LogPixels, dots per inch) for the programs
// started while it lives; the value before it, or none, back afterwards.
struct ScreenDpi {
    static constexpr const wchar_t* Key = L"Control Panel\\Desktop";
    explicit ScreenDpi(DWORD dpi) {
        DWORD bytes = sizeof before;
        had = RegGetValueW(HKEY_CURRENT_USER, Key, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &before,
                           &bytes) == ERROR_SUCCESS;
        Set(dpi);
    }
    ~ScreenDpi() {
        had ? Set(before) : (void)RegDeleteKeyValueW(HKEY_CURRENT_USER, Key, L"LogPixels");
    }
    static void Set(DWORD dpi) {
        RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    DWORD before = 0;
    bool had = false;
};

// Windows leaves a DPI-aware program's measures to the program: at 150 %
// (144 dots per inch) the window and its controls are half as large again
// as at 100 %.
TEST_F(VelnoraExeTest, MainWindowScalesWithTheScreen) {
    // This program's own view of the other window in real pixels, unscaled.
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    struct Case {
        DWORD dpi;
        SIZE client;
        RECT show; // the show box, in the client area
    };
    for (const Case& c :
         {Case{96, {380, 314}, {33, 243, 130, 260}}, Case{144, {570, 471}, {50, 365, 195, 390}}}) {
        const ScreenDpi screen(c.dpi);
        MainWindowRun run(exe_);
        ASSERT_NE(run.Window(), nullptr);
        RECT client, show;
        GetClientRect(run.Window(), &client);
        EXPECT_EQ(client.right, c.client.cx) << c.dpi;
        EXPECT_EQ(client.bottom, c.client.cy) << c.dpi;
        GetWindowRect(GetDlgItem(run.Window(), IdCHK_show), &show);
        MapWindowPoints(nullptr, run.Window(), reinterpret_cast<POINT*>(&show), 2);
        EXPECT_TRUE(EqualRect(&show, &c.show)) << c.dpi << ": " << show.left << ", " << show.top
                                               << ", " << show.right << ", " << show.bottom;
        EXPECT_EQ(run.PressToEnd({VK_ESCAPE}), 0u);
    }
}

// Runs the command line and waits for it and every process it starts: NSIS's
// uninstaller runs a copy of itself from the temporary folder and returns at
// once. Its exit status.
DWORD RunAndWaitForAll(std::wstring command) {
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    const HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT port_info{job, port};
    SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &port_info,
                            sizeof port_info);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process))
        return GetLastError();
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    DWORD message = 0, status = 0;
    ULONG_PTR key;
    LPOVERLAPPED overlapped;
    while (GetQueuedCompletionStatus(port, &message, &key, &overlapped, INFINITE) &&
           message != JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) {
    }
    GetExitCodeProcess(process.hProcess, &status);
    for (const HANDLE handle : {process.hThread, process.hProcess, port, job})
        CloseHandle(handle);
    return status;
}

TEST_F(VelnoraExeTest, StartRedrawsAndOffGivesTheWallpaperBack) {
    const Values before = DesktopValues();
    const std::string userPicture = ReadWholeFile(Utf8(picture_));
    PutOnWithoutPicture(exe_);
    const std::string output = Utf8(folder_ / "program" / "Velnora.bmp");

    EXPECT_EQ(Run("start"), 0);
    EXPECT_TRUE(FileExists(output));
    EXPECT_EQ(DesktopValues().at("Wallpaper"), output);
    EXPECT_EQ(RunValue(), "\"" + Utf8(exe_) + "\" start");
    EXPECT_TRUE(HasDailyTask());

    std::string said;
    EXPECT_EQ(Run("off", &said), 0);
    // The C runtime's text mode ends the line as Windows does.
    EXPECT_EQ(said, "velnora: the calendar is off and the wallpaper is restored; the logon entry "
                    "and the scheduled task \\Velnora are removed\r\n");
    EXPECT_EQ(DesktopValues(), before);
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_FALSE(HasDailyTask());
    EXPECT_FALSE(FileExists(output));
    EXPECT_EQ(ReadWholeFile(Utf8(picture_)), userPicture);
}

// The installer as a user runs it silently: the program is installed for the
// user alone, runs and puts the calendar on; the uninstaller switches it off
// and leaves the user's wallpaper, the Run key and the disk as they were.
TEST_F(VelnoraExeTest, InstallerInstallsAndUninstallerLeavesNothing) {
    const Values before = DesktopValues();
    const std::filesystem::path setup = folder_ / "setup.exe";
    std::filesystem::copy_file(VELNORA_INSTALLER, setup);
    const auto installed =
        std::filesystem::path(_wgetenv(L"LOCALAPPDATA")) / "Programs" / "Velnora";
    const auto menuEntry = std::filesystem::path(_wgetenv(L"APPDATA")) /
                           "Microsoft/Windows/Start Menu/Programs/Velnora.lnk";
    ASSERT_FALSE(std::filesystem::exists(installed));

    ASSERT_EQ(RunAndWaitForAll(L"\"" + setup.wstring() + L"\" /S"), 0u);
    const std::filesystem::path program = installed / "velnora.exe";
    EXPECT_TRUE(std::filesystem::exists(installed / "fonts" / "Vazirmatn-OFL.txt"));
    EXPECT_TRUE(std::filesystem::exists(menuEntry));
    std::string said;
    EXPECT_EQ(Run(program, "--version", &said), 0);
    EXPECT_EQ(said, "velnora " VELNORA_VERSION "\r\n");
    PutOnWithoutPicture(program);
    EXPECT_EQ(Run(program, "start"), 0);
    EXPECT_EQ(DesktopValues().at("Wallpaper"), Utf8(installed / "Velnora.bmp"));
    EXPECT_TRUE(RunValue().has_value());

    EXPECT_EQ(RunAndWaitForAll(L"\"" + (installed / "uninstall.exe").wstring() + L"\" /S"), 0u);
    EXPECT_EQ(DesktopValues(), before);
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(installed));
    EXPECT_FALSE(std::filesystem::exists(menuEntry));
}

} // namespace
